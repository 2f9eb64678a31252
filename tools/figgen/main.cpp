// korvel3-figgen DATABASE FIGDIR
//
// Draws the figures of the document tree from the data of the shipped
// database, named as the figure browser looks them up:
//   FIGDIR/Pure metals/<metal>/<metal>_<code>T.jpg          every source of the metal against T
//   FIGDIR/Binary systems/<system>/<key>_<system>_<code>X.jpg   isotherms of one publication
//   FIGDIR/Binary systems/<system>/<key>_<system>_<code>T.jpg   its composition lines against T
// with <code> D (density), ST (surface tension), V (molar volume), L (viscosity).
// Every figure says that it was drawn from the database, not scanned from a publication.
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

} // namespace

int main(int argc, char** argv)
{
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
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open())
        fail(db.lastError().text());
    const QString root = args[2];
    int written = 0;

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
                // Isotherms at the ends and the middle of the range shared by the lines.
                int lo = eqs.first().tLow, hi = eqs.first().tHigh;
                for (const Equation& e : eqs) {
                    lo = std::max(lo, e.tLow);
                    hi = std::min(hi, e.tHigh);
                }
                if (hi < lo)
                    hi = lo;
                Figure iso(QStringLiteral("%1 of liquid %2 alloys, %3").arg(p.name, name, key), systems.value(4).toString(), yLabel);
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
                written += iso.save(folder + QLatin1Char('/') + key + QLatin1Char('_') + name + QLatin1Char('_') + p.code + QStringLiteral("X.jpg"));
                Figure temp(QStringLiteral("%1 of liquid %2 alloys, %3").arg(p.name, name, key), QStringLiteral("T [K]"), yLabel);
                for (const Equation& e : eqs) {
                    QVector<double> x, y;
                    for (int i = 0; i <= 20; ++i) {
                        const double t = e.tLow + (e.tHigh - e.tLow) * i / 20.0;
                        x << t;
                        y << valueAt(p, e, t);
                    }
                    temp.add(systems.value(4).toString() + QStringLiteral(" = ") + trimmed(e.x), x, y, false);
                }
                written += temp.save(folder + QLatin1Char('/') + key + QLatin1Char('_') + name + QLatin1Char('_') + p.code + QStringLiteral("T.jpg"));
            }
        }
    }
    QTextStream(stdout) << "korvel3-figgen: " << written << " figures\n";
    return 0;
}
