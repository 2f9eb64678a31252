// korvel3-figgen DATABASE FIGDIR
//
// Draws the figures of the document tree from the data of the shipped
// database, named as the figure browser looks them up:
//   FIGDIR/Pure metals/<metal>/<metal>_<code>T.jpg          every source of the metal against T
//   FIGDIR/Binary systems/<system>/<key>_<system>_<code>X.jpg   isotherms of one publication
//   FIGDIR/Binary systems/<system>/<key>_<system>_<code>T.jpg   its composition lines against T
//   FIGDIR/<class>/<system>/<key>_<section>_<code>X.jpg and ..._<code>T.jpg
//                                                           the same for one eutectic section
//                                                           of a multicomponent system
// with <code> D (density), ST (surface tension), V (molar volume: molar mass
// over density), L (viscosity). <section> is the section's name in EUT with
// every "/" as "_".
// Every figure says that it was drawn from the database, not scanned from a publication.
// The FIG table is then refilled with one record per drawn pair of figures of
// one publication (the pure-metal figures compare every source and have
// none): system, property, publication and, as the label, the section's name
// (the system name for binary systems), which the section chooser lists.
#include "core/CommandLine.h"
#include <qcustomplot.h>

#include <QApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

#include <cmath>

namespace {

constexpr double kR = 8.314472;

struct Property {
    int id;
    int dataId; // molar volume is drawn from the density equations
    QString code, name, unit;
};

const QList<Property> kProperties = {
    {1, 1, QStringLiteral("D"), QStringLiteral("Density"), QStringLiteral("[g/cm^3]")},
    {2, 2, QStringLiteral("ST"), QStringLiteral("Surface tension"), QStringLiteral("[mN/m]")},
    {3, 1, QStringLiteral("V"), QStringLiteral("Molar volume"), QStringLiteral("[cm^3/mole]")},
    {4, 4, QStringLiteral("L"), QStringLiteral("Viscosity"), QStringLiteral("[mPa*s]")},
};

const QList<QColor> kColours = {QColor(0xFF, 0, 0), QColor(0, 0x80, 0), QColor(0x80, 0, 0x80), QColor(0, 0, 0xFF), QColor(0x80, 0x80, 0),
                                QColor(0x80, 0, 0), QColor(0, 0, 0x80), QColor(0, 0x80, 0x80), QColor(0x80, 0x80, 0x80), QColor(0, 0xC0, 0)};

struct Equation {
    double x, a, b, molarMass;
    int tLow, tHigh;
};

struct FigRecord {
    int system, property, publication;
    QString label;
};

[[noreturn]] void fail(const QString& message)
{
    QTextStream(stderr) << "korvel3-figgen: " << message << "\n";
    std::exit(1);
}

QSqlQuery run(const QString& sql, const QVariantList& values = {})
{
    QSqlQuery q(QSqlDatabase::database());
    if (!q.prepare(sql))
        fail(q.lastError().text());
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        fail(q.lastError().text());
    return q;
}

double valueAt(const Property& p, const Equation& e, double t)
{
    switch (p.id) {
    case 3: return e.molarMass / (e.a + e.b * t);
    case 4: return e.a * std::exp(e.b / (kR * t));
    default: return e.a + e.b * t;
    }
}

// The equations of one system, property and publication, with their line ranges
// and the molar mass of each composition.
QList<Equation> equations(int system, int systemClass, const Property& p, int publication)
{
    const QString mass = systemClass == 1
        ? QStringLiteral("(SELECT MASA_ATOMOWA FROM PIERWIASTKI WHERE ID_TAB_UKL = d.ID_TAB_UKL)")
        : QStringLiteral("(SELECT MASA_A * (1 - X_B) + MASA_B * X_B FROM UKL_2 u WHERE u.ID_TAB_UKL = d.ID_TAB_UKL AND u.X_B = d.X)");
    QSqlQuery q = run(QStringLiteral("SELECT d.X, d.A, d.B, %1, "
                                     "(SELECT MIN(T) FROM DANE_WLASNOSCI_T t WHERE t.ID_TAB_UKL = d.ID_TAB_UKL AND t.ID_PUBLIKACJI = d.ID_PUBLIKACJI "
                                     "AND t.ID_WLASCIWOSCI = d.ID_WLASCIWOSCI AND t.X = d.X), "
                                     "(SELECT MAX(T) FROM DANE_WLASNOSCI_T t WHERE t.ID_TAB_UKL = d.ID_TAB_UKL AND t.ID_PUBLIKACJI = d.ID_PUBLIKACJI "
                                     "AND t.ID_WLASCIWOSCI = d.ID_WLASCIWOSCI AND t.X = d.X) "
                                     "FROM DANE_WLASNOSCI d WHERE d.ID_TAB_UKL = ? AND d.ID_WLASCIWOSCI = ? AND d.ID_PUBLIKACJI = ? ORDER BY d.X")
                          .arg(mass),
                      {system, p.dataId, publication});
    QList<Equation> out;
    while (q.next())
        out << Equation{q.value(0).toDouble(), q.value(1).toDouble(), q.value(2).toDouble(), q.value(3).toDouble(), q.value(4).toInt(), q.value(5).toInt()};
    return out;
}

// The molar mass of a composition of a section, from the composition table of
// its class joined the way the program's molar-volume statements join it.
QString sectionMolarMass(int systemClass)
{
    switch (systemClass) {
    case 3:
        return QStringLiteral("(SELECT MASA_A * X_A + MASA_B * (1 - (X_A + X_C)) + MASA_C * X_C FROM UKL_3 u "
                              "WHERE u.ID_TAB_UKL = d.ID_TAB_UKL AND u.X_C = d.X AND u.Nr = :section)");
    case 4:
        return QStringLiteral("(SELECT MASA_A * X_A + MASA_B * X_B + MASA_C * (1 - (X_A + X_B + X_D)) + MASA_D * X_D FROM UKL_4 u "
                              "WHERE u.ID_TAB_UKL = d.ID_TAB_UKL AND u.X_D = d.X AND u.Nr2 = d.Nr AND u.Nr = d.ID_EUTEKTYKI)");
    default:
        return QStringLiteral("(SELECT MASA_A * X_A + MASA_B * X_B + MASA_C * X_C + MASA_D * (1 - (X_A + X_B + X_C + X_E)) + MASA_E * X_E "
                              "FROM UKL_5 u WHERE u.ID_TAB_UKL = d.ID_TAB_UKL AND u.X_E = d.X AND u.Nr2 = d.Nr AND u.Nr = d.ID_EUTEKTYKI)");
    }
}

// The equations of one section (with the rows shared by every section) of a
// multicomponent system, property and publication, with their line ranges and,
// for molar volume, the molar mass of each composition (a composition the
// class's table lacks is left out: its molar volume is unknown).
QList<Equation> sectionEquations(int system, int systemClass, int section, const Property& p, int publication)
{
    const QString mass = p.id == 3 ? sectionMolarMass(systemClass) : QStringLiteral("0");
    QSqlQuery q(QSqlDatabase::database());
    if (!q.prepare(QStringLiteral("SELECT d.X, d.A, d.B, "
                                  "(SELECT MIN(T) FROM DANE_WLASNOSCI_T t WHERE t.ID_TAB_UKL = d.ID_TAB_UKL AND t.ID_PUBLIKACJI = d.ID_PUBLIKACJI "
                                  "AND t.ID_WLASCIWOSCI = d.ID_WLASCIWOSCI AND t.X = d.X AND t.Nr = d.ID_EUTEKTYKI AND t.Nr2 = d.Nr), "
                                  "(SELECT MAX(T) FROM DANE_WLASNOSCI_T t WHERE t.ID_TAB_UKL = d.ID_TAB_UKL AND t.ID_PUBLIKACJI = d.ID_PUBLIKACJI "
                                  "AND t.ID_WLASCIWOSCI = d.ID_WLASCIWOSCI AND t.X = d.X AND t.Nr = d.ID_EUTEKTYKI AND t.Nr2 = d.Nr), %1 "
                                  "FROM DANE45 d WHERE d.ID_TAB_UKL = :system AND d.ID_WLASCIWOSCI = :property AND d.ID_PUBLIKACJI = :publication "
                                  "AND d.ID_EUTEKTYKI IN (:section, 10) ORDER BY d.X")
                       .arg(mass)))
        fail(q.lastError().text());
    q.bindValue(QStringLiteral(":system"), system);
    q.bindValue(QStringLiteral(":property"), p.dataId);
    q.bindValue(QStringLiteral(":publication"), publication);
    q.bindValue(QStringLiteral(":section"), section);
    if (!q.exec())
        fail(q.lastError().text());
    QList<Equation> out;
    while (q.next()) {
        if (p.id == 3 && q.value(5).isNull())
            continue;
        out << Equation{q.value(0).toDouble(), q.value(1).toDouble(), q.value(2).toDouble(), q.value(5).toDouble(), q.value(3).toInt(), q.value(4).toInt()};
    }
    return out;
}

class Figure {
public:
    Figure(const QString& title, const QString& xLabel, const QString& yLabel)
    {
        m_plot.resize(900, 650);
        m_plot.plotLayout()->insertRow(0);
        QFont titleFont(QStringLiteral("DejaVu Sans"), 11, QFont::Bold);
        m_plot.plotLayout()->addElement(0, 0, new QCPTextElement(&m_plot, title, titleFont));
        m_plot.plotLayout()->insertRow(2);
        auto* note = new QCPTextElement(&m_plot, QStringLiteral("Drawn by KORVEL 3 from the data of its database at build time - not a figure of the publication"),
                                        QFont(QStringLiteral("DejaVu Sans"), 8));
        note->setTextColor(Qt::darkGray);
        m_plot.plotLayout()->addElement(2, 0, note);
        m_plot.xAxis->setLabel(xLabel);
        m_plot.yAxis->setLabel(yLabel);
        m_plot.legend->setVisible(true);
        m_plot.legend->setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    }

    void add(const QString& name, const QVector<double>& x, const QVector<double>& y, bool points)
    {
        QCPGraph* g = m_plot.addGraph();
        const QColor colour = kColours[(m_plot.graphCount() - 1) % kColours.size()];
        g->setPen(QPen(colour, 2));
        g->setName(name);
        if (points)
            g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, colour, 6));
        g->setData(x, y, true);
    }

    bool save(const QString& path)
    {
        if (m_plot.graphCount() == 0)
            return false;
        m_plot.rescaleAxes();
        m_plot.xAxis->scaleRange(1.05);
        m_plot.yAxis->scaleRange(1.1);
        return m_plot.saveJpg(path, 900, 650, 1.0, 80);
    }

private:
    QCustomPlot m_plot;
};

QString trimmed(double v) { return QString::number(v, 'g', 6); }

// Isotherms of one publication at the ends and the middle of the range its
// lines share, and its composition lines against temperature, saved as
// <base>X.jpg and <base>T.jpg. Returns how many files were written.
int drawPublication(const Property& p, const QList<Equation>& eqs, const QString& title, const QString& axis, const QString& base)
{
    int lo = eqs.first().tLow, hi = eqs.first().tHigh;
    for (const Equation& e : eqs) {
        lo = std::max(lo, e.tLow);
        hi = std::min(hi, e.tHigh);
    }
    if (hi < lo)
        hi = lo;
    const QString yLabel = p.name + QLatin1Char(' ') + p.unit;
    Figure iso(title, axis, yLabel);
    QList<int> temperatures = {lo, (lo + hi) / 2, hi};
    temperatures.erase(std::unique(temperatures.begin(), temperatures.end()), temperatures.end());
    for (int t : temperatures) {
        QVector<double> x, y;
        for (const Equation& e : eqs) {
            x << e.x;
            y << valueAt(p, e, t);
        }
        iso.add(QStringLiteral("%1 K").arg(t), x, y, true);
    }
    int written = iso.save(base + QStringLiteral("X.jpg"));
    Figure temp(title, QStringLiteral("T [K]"), yLabel);
    for (const Equation& e : eqs) {
        QVector<double> x, y;
        for (int i = 0; i <= 20; ++i) {
            const double t = e.tLow + (e.tHigh - e.tLow) * i / 20.0;
            x << t;
            y << valueAt(p, e, t);
        }
        temp.add(axis + QStringLiteral(" = ") + trimmed(e.x), x, y, false);
    }
    written += temp.save(base + QStringLiteral("T.jpg"));
    return written;
}

// Replaces the rows of FIG by the records of the drawn figures, in one transaction.
void writeFigRecords(const QList<FigRecord>& records)
{
    QSqlDatabase db = QSqlDatabase::database();
    if (!db.transaction())
        fail(db.lastError().text());
    run(QStringLiteral("DELETE FROM FIG"));
    int id = 0;
    for (const FigRecord& r : records)
        run(QStringLiteral("INSERT INTO FIG (ID_FIG, ID_TAB_UKL, ID_WLASCIWOSCI, ID_PUBLIKACJI, UKLAD) VALUES (?, ?, ?, ?, ?)"),
            {++id, r.system, r.property, r.publication, r.label});
    if (!db.commit())
        fail(db.lastError().text());
}

} // namespace

int main(int argc, char** argv)
{
    static const korvel::cli::Usage cliUsage{"korvel3-figgen", "korvel3-figgen DATABASE FIGDIR",
        "Draws the figures of the property database DATABASE into FIGDIR and records them in its FIG table (run by the build).",
        {}};
    if (const std::optional<int> done = korvel::cli::handleStandardOptions(argc, argv, cliUsage))
        return *done;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: korvel3-figgen DATABASE FIGDIR\n";
        return 2;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(args[1]);
    if (!db.open())
        fail(db.lastError().text());
    const QString root = args[2];
    int written = 0;
    QList<FigRecord> records;

    QSqlQuery systems = run(QStringLiteral("SELECT t.ID_TAB_UKL, t.OZNACZENIE, t.ID_SELECT, s.NAZWA, t.XP FROM TAB_UKL t JOIN SELECT_SYSTEM s USING (ID_SELECT) "
                                           "WHERE t.ID_SELECT < 3 ORDER BY t.ID_TAB_UKL"));
    while (systems.next()) {
        const int system = systems.value(0).toInt();
        const QString name = systems.value(1).toString();
        const int cls = systems.value(2).toInt();
        const QString folder = root + QLatin1Char('/') + systems.value(3).toString() + QLatin1Char('/') + name;
        QDir().mkpath(folder);
        for (const Property& p : kProperties) {
            QSqlQuery pubs = run(QStringLiteral("SELECT DISTINCT b.ID_PUBLIKACJI, b.OZNACZENIE FROM DANE_WLASNOSCI d JOIN PUBLIKACJE b USING (ID_PUBLIKACJI) "
                                                "WHERE d.ID_TAB_UKL = ? AND d.ID_WLASCIWOSCI = ? ORDER BY b.ROK, b.ID_PUBLIKACJI"),
                                 {system, p.dataId});
            const QString yLabel = p.name + QLatin1Char(' ') + p.unit;
            if (cls == 1) {
                // One figure compares every source of the metal.
                Figure fig(QStringLiteral("%1 of liquid %2").arg(p.name, name), QStringLiteral("T [K]"), yLabel);
                while (pubs.next()) {
                    for (const Equation& e : equations(system, cls, p, pubs.value(0).toInt())) {
                        QVector<double> x, y;
                        for (int i = 0; i <= 20; ++i) {
                            const double t = e.tLow + (e.tHigh - e.tLow) * i / 20.0;
                            x << t;
                            y << valueAt(p, e, t);
                        }
                        fig.add(pubs.value(1).toString(), x, y, false);
                    }
                }
                written += fig.save(folder + QLatin1Char('/') + name + QLatin1Char('_') + p.code + QStringLiteral("T.jpg"));
                continue;
            }
            while (pubs.next()) {
                const QString key = pubs.value(1).toString();
                const QList<Equation> eqs = equations(system, cls, p, pubs.value(0).toInt());
                if (eqs.isEmpty())
                    continue;
                const int drawn = drawPublication(p, eqs, QStringLiteral("%1 of liquid %2 alloys, %3").arg(p.name, name, key), systems.value(4).toString(),
                                                  folder + QLatin1Char('/') + key + QLatin1Char('_') + name + QLatin1Char('_') + p.code);
                written += drawn;
                if (drawn > 0)
                    records << FigRecord{system, p.id, pubs.value(0).toInt(), name};
            }
        }
    }

    // Multicomponent systems: one pair of figures per eutectic section and
    // property; molar volume takes its molar masses from the class's composition table.
    QSqlQuery sections = run(QStringLiteral("SELECT t.ID_TAB_UKL, t.OZNACZENIE, s.NAZWA, t.XP, e.ID_EUTEKTYKI, e.OZNACZENIE, t.ID_SELECT "
                                            "FROM TAB_UKL t JOIN SELECT_SYSTEM s USING (ID_SELECT) JOIN EUT e ON e.ID_TAB_UKL = t.ID_TAB_UKL "
                                            "WHERE t.ID_SELECT >= 3 ORDER BY t.ID_TAB_UKL, e.ID_EUTEKTYKI"));
    while (sections.next()) {
        const int system = sections.value(0).toInt();
        const QString name = sections.value(1).toString();
        const QString folder = root + QLatin1Char('/') + sections.value(2).toString() + QLatin1Char('/') + name;
        const int section = sections.value(4).toInt();
        const QString label = sections.value(5).toString();
        QString fileLabel = label;
        fileLabel.replace(QLatin1Char('/'), QLatin1Char('_'));
        QDir().mkpath(folder);
        const int systemClass = sections.value(6).toInt();
        for (const Property& p : kProperties) {
            QSqlQuery pubs = run(QStringLiteral("SELECT DISTINCT b.ID_PUBLIKACJI, b.OZNACZENIE FROM DANE45 d JOIN PUBLIKACJE b USING (ID_PUBLIKACJI) "
                                                "WHERE d.ID_TAB_UKL = ? AND d.ID_WLASCIWOSCI = ? AND d.ID_EUTEKTYKI IN (?, 10) ORDER BY b.ROK, b.ID_PUBLIKACJI"),
                                 {system, p.dataId, section});
            while (pubs.next()) {
                const QString key = pubs.value(1).toString();
                const QList<Equation> eqs = sectionEquations(system, systemClass, section, p, pubs.value(0).toInt());
                if (eqs.size() < 2)
                    continue;
                const int drawn = drawPublication(p, eqs, QStringLiteral("%1 of liquid %2 alloys, %3\n%4").arg(p.name, name, key, label),
                                                  sections.value(3).toString(),
                                                  folder + QLatin1Char('/') + key + QLatin1Char('_') + fileLabel + QLatin1Char('_') + p.code);
                written += drawn;
                if (drawn > 0)
                    records << FigRecord{system, p.id, pubs.value(0).toInt(), label};
            }
        }
    }
    writeFigRecords(records);
    QTextStream(stdout) << "korvel3-figgen: " << written << " figures, " << records.size() << " FIG records\n";
    return 0;
}
