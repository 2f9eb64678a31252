// Checks the shipped database as the build lays it out (bin/Database): the
// provenance of every record, the links of every equation row, the section
// rules, the temperature lines, the joins the molar-volume queries rely on,
// and the numbers themselves against their inputs and equations.
#include "CsvReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QDirIterator>
#include <QtTest>

#include <cmath>
#include <map>
#include <set>

namespace {

constexpr double kR = 8.314472;

QString databaseDir() { return qEnvironmentVariable("KORVEL_BUILD_DIR") + QStringLiteral("/bin/Database"); }
QString sourceDir() { return QStringLiteral(KORVEL_SOURCE_DIR); }

// Runs a statement and returns its rows as variant lists; fails the test on an engine error.
QList<QVariantList> rows(const QString& sql, const QVariantMap& params = {})
{
    QSqlQuery q(QSqlDatabase::database(QStringLiteral("shipped")));
    if (!q.prepare(sql))
        qFatal("%s\n%s", qPrintable(q.lastError().text()), qPrintable(sql));
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        q.bindValue(QLatin1Char(':') + it.key(), it.value());
    if (!q.exec())
        qFatal("%s\n%s", qPrintable(q.lastError().text()), qPrintable(sql));
    QList<QVariantList> out;
    while (q.next()) {
        QVariantList r;
        for (int i = 0; i < q.record().count(); ++i)
            r << q.value(i);
        out << r;
    }
    return out;
}

int count(const QString& sql, const QVariantMap& params = {}) { return rows(sql, params).value(0).value(0).toInt(); }

// Rows of a source CSV as maps of column to text.
QList<QMap<QString, QString>> csv(const QString& path)
{
    const korvel::build::CsvTable t = korvel::build::readCsvFile(path);
    QList<QMap<QString, QString>> out;
    for (const QStringList& r : t.rows) {
        QMap<QString, QString> m;
        for (int i = 0; i < t.header.size(); ++i)
            m[t.header[i]] = r.value(i).trimmed();
        out << m;
    }
    return out;
}

} // namespace

class TestShippedDatabase : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString path = databaseDir() + QStringLiteral("/korvel3.sqlite");
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("shipped"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QVERIFY(db.open());
    }

    void cleanupTestCase()
    {
        QSqlDatabase::database(QStringLiteral("shipped")).close();
        QSqlDatabase::removeDatabase(QStringLiteral("shipped"));
    }

    // A record either cites a publication (authors, title, journal or
    // publisher, year) or says in its title that it is calculated or data of
    // the program's catalogues; calculated records name no author or journal.
    void everyPublicationHasACitationOrSaysWhatItIs()
    {
        const auto pubs = rows(QStringLiteral("SELECT ID_PUBLIKACJI, OZNACZENIE, NAZWISKA, TYTUL, CZASOPISMO, ROK, SOURCE FROM PUBLIKACJE"));
        QVERIFY(pubs.size() > 50);
        int cited = 0, calculated = 0, catalogue = 0;
        static const QRegularExpression keyForm(QStringLiteral("^\\[.+\\]$|^\\[ \\]$"));
        for (const QVariantList& p : pubs) {
            const QString key = p[1].toString(), authors = p[2].toString(), title = p[3].toString(), journal = p[4].toString();
            QVERIFY2(keyForm.match(key).hasMatch(), qPrintable(key));
            QVERIFY2(!title.isEmpty() && !p[6].toString().isEmpty(), qPrintable(key));
            if (title.endsWith(QLatin1String("(calculated)"))) {
                QVERIFY2(authors.isEmpty() && journal.isEmpty(), qPrintable(key));
                // The title names the input records by their keys.
                QVERIFY2(title.contains(QRegularExpression(QStringLiteral("\\[[^\\]]+\\]"))), qPrintable(key));
                ++calculated;
            } else if (title.endsWith(QLatin1String("(program catalogue data)"))) {
                QVERIFY2(journal.isEmpty(), qPrintable(key));
                ++catalogue;
            } else {
                QVERIFY2(!authors.isEmpty() && !journal.isEmpty() && !p[5].isNull(), qPrintable(key));
                QVERIFY2(QRegularExpression(QStringLiteral("^\\[\\d{4}[A-Z][a-z]{2}\\d\\]$")).match(key).hasMatch(), qPrintable(key));
                QCOMPARE(key.mid(1, 4).toInt(), p[5].toInt());
                ++cited;
            }
        }
        QVERIFY(cited >= 8);
        QVERIFY(calculated >= 60);
        QVERIFY(catalogue >= 20);
        // Every key quoted in a calculated title is a record of the database.
        for (const QVariantList& p : pubs) {
            const QString title = p[3].toString();
            if (!title.endsWith(QLatin1String("(calculated)")))
                continue;
            for (auto it = QRegularExpression(QStringLiteral("\\[(\\d{4}[A-Za-z]{3}\\d)\\]")).globalMatch(title); it.hasNext();) {
                const QString key = QLatin1Char('[') + it.next().captured(1) + QLatin1Char(']');
                QVERIFY2(count(QStringLiteral("SELECT COUNT(*) FROM PUBLIKACJE WHERE OZNACZENIE = :k"), {{QStringLiteral("k"), key}}) == 1,
                         qPrintable(key + QStringLiteral(" quoted by ") + p[1].toString()));
            }
        }
    }

    void everyEquationRowBelongsToALinkedPublication()
    {
        for (const QString& table : {QStringLiteral("DANE_WLASNOSCI"), QStringLiteral("DANE45")}) {
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM %1 d WHERE NOT EXISTS (SELECT 1 FROM WLA_TAB_PUB l WHERE "
                                          "l.ID_WLASCIWOSCI = d.ID_WLASCIWOSCI AND l.ID_TAB_UKL = d.ID_TAB_UKL AND l.ID_PUBLIKACJI = d.ID_PUBLIKACJI)")
                               .arg(table)),
                     0);
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM %1 d WHERE NOT EXISTS (SELECT 1 FROM PUBLIKACJE p WHERE p.ID_PUBLIKACJI = d.ID_PUBLIKACJI)")
                               .arg(table)),
                     0);
            // Molar volume is listed wherever density is.
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM %1 d WHERE d.ID_WLASCIWOSCI = 1 AND NOT EXISTS (SELECT 1 FROM WLA_TAB_PUB l WHERE "
                                          "l.ID_WLASCIWOSCI = 3 AND l.ID_TAB_UKL = d.ID_TAB_UKL AND l.ID_PUBLIKACJI = d.ID_PUBLIKACJI)")
                               .arg(table)),
                     0);
        }
        // Equation rows belong to the table of their class.
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DANE_WLASNOSCI d JOIN TAB_UKL t USING (ID_TAB_UKL) WHERE t.ID_SELECT >= 3")), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DANE45 d JOIN TAB_UKL t USING (ID_TAB_UKL) WHERE t.ID_SELECT < 3")), 0);
        // No link without data: a link names equations, points, or (molar volume) density equations.
        QCOMPARE(count(QStringLiteral(
                     "SELECT COUNT(*) FROM WLA_TAB_PUB l WHERE NOT EXISTS (SELECT 1 FROM DANE_WLASNOSCI d WHERE d.ID_TAB_UKL = l.ID_TAB_UKL AND "
                     "d.ID_PUBLIKACJI = l.ID_PUBLIKACJI AND d.ID_WLASCIWOSCI = (CASE l.ID_WLASCIWOSCI WHEN 3 THEN 1 ELSE l.ID_WLASCIWOSCI END)) "
                     "AND NOT EXISTS (SELECT 1 FROM DANE45 d WHERE d.ID_TAB_UKL = l.ID_TAB_UKL AND d.ID_PUBLIKACJI = l.ID_PUBLIKACJI AND "
                     "d.ID_WLASCIWOSCI = (CASE l.ID_WLASCIWOSCI WHEN 3 THEN 1 ELSE l.ID_WLASCIWOSCI END)) "
                     "AND NOT EXISTS (SELECT 1 FROM PUNKTY_D p WHERE p.ID_TAB_UKL = l.ID_TAB_UKL AND p.ID_PUBLIKACJI = l.ID_PUBLIKACJI AND "
                     "p.ID_WLASCIWOSCI = l.ID_WLASCIWOSCI)")),
                 0);
    }

    // Every system shows density, molar volume and viscosity through the
    // publication-list statement, and has equations for the first publication.
    void everySystemHasDensityAndViscosity()
    {
        const auto systems = rows(QStringLiteral("SELECT ID_TAB_UKL, OZNACZENIE, ID_SELECT FROM TAB_UKL"));
        QCOMPARE(systems.size(), 41);
        const QString publicationList = QStringLiteral(
            "SELECT PUBLIKACJE.*\nFROM  PUBLIKACJE, WLASNOSCI, WLA_TAB_PUB, TAB_UKL\nWHERE \n"
            "(WLASNOSCI . ID_WLASCIWOSCI  =:lWlasciwosc) AND (TAB_UKL . ID_TAB_UKL =:lUklad) \n"
            "AND (PUBLIKACJE . ID_PUBLIKACJI = WLA_TAB_PUB . ID_PUBLIKACJI) AND\n"
            "(WLA_TAB_PUB. ID_WLASCIWOSCI = WLASNOSCI . ID_WLASCIWOSCI ) AND\n"
            "(WLA_TAB_PUB . ID_TAB_UKL = TAB_UKL . ID_TAB_UKL) \nORDER BY  PUBLIKACJE . ROK");
        for (const QVariantList& s : systems) {
            for (int property : {1, 3, 4}) {
                const auto pubs = rows(publicationList, {{QStringLiteral("lWlasciwosc"), property}, {QStringLiteral("lUklad"), s[0]}});
                QVERIFY2(!pubs.isEmpty(), qPrintable(QStringLiteral("%1, property %2").arg(s[1].toString()).arg(property)));
                const int equations = count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID_TAB_UKL = :s AND ID_WLASCIWOSCI = :p")
                                                .arg(s[2].toInt() < 3 ? QStringLiteral("DANE_WLASNOSCI") : QStringLiteral("DANE45")),
                                            {{QStringLiteral("s"), s[0]}, {QStringLiteral("p"), property == 3 ? 1 : property}});
                QVERIFY(equations > 0);
            }
        }
        // Several sources for the pure metals: two or more density publications
        // for all but at most one metal (gold has one source so far).
        int compared = 0;
        for (const QVariantList& s : systems)
            if (s[2].toInt() == 1)
                compared += count(QStringLiteral("SELECT COUNT(DISTINCT ID_PUBLIKACJI) FROM DANE_WLASNOSCI WHERE ID_TAB_UKL = :s AND ID_WLASCIWOSCI = 1"),
                                  {{QStringLiteral("s"), s[0]}}) >= 2;
        QVERIFY(compared >= 9);
    }

    // Rows of a multicomponent system belong to one of its sections or to
    // section 10, which belongs to every section; the composition tables
    // join every row of every section exactly once.
    void sectionRulesHold()
    {
        QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM EUT")) > 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM EUT WHERE ID_EUTEKTYKI = 10")), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TAB_UKL t WHERE t.ID_SELECT >= 3 AND NOT EXISTS (SELECT 1 FROM EUT e WHERE e.ID_TAB_UKL = t.ID_TAB_UKL)")), 0);
        for (const QString& table : {QStringLiteral("DANE45 d"), QStringLiteral("DANE_WLASNOSCI_T d JOIN TAB_UKL t USING (ID_TAB_UKL)")}) {
            const QString column = table.startsWith(QLatin1String("DANE45")) ? QStringLiteral("ID_EUTEKTYKI") : QStringLiteral("Nr");
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 %3 <> 10 AND NOT EXISTS (SELECT 1 FROM EUT e WHERE e.ID_TAB_UKL = d.ID_TAB_UKL "
                                          "AND e.ID_EUTEKTYKI = d.%3)")
                               .arg(table, table.startsWith(QLatin1String("DANE45")) ? QString() : QStringLiteral("t.ID_SELECT >= 3 AND"), column)),
                     0);
        }
        // Section 10 is in use, and one alloy number names one composition within a section.
        QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM DANE45 WHERE ID_EUTEKTYKI = 10")) > 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM (SELECT ID_TAB_UKL, ID_EUTEKTYKI, Nr FROM DANE45 GROUP BY ID_TAB_UKL, ID_EUTEKTYKI, Nr "
                                      "HAVING COUNT(DISTINCT X) > 1)")),
                 0);
        // The value statements of one section return the rows of that section and of section 10 only.
        const auto sections = rows(QStringLiteral("SELECT e.ID_TAB_UKL, e.ID_EUTEKTYKI, t.ID_SELECT FROM EUT e JOIN TAB_UKL t USING (ID_TAB_UKL)"));
        for (const QVariantList& s : sections) {
            const QVariantMap p = {{QStringLiteral("lUklad"), s[0]}, {QStringLiteral("lEut"), s[1]}};
            const auto pubs = rows(QStringLiteral("SELECT DISTINCT ID_PUBLIKACJI, ID_WLASCIWOSCI FROM DANE45 WHERE ID_TAB_UKL = :lUklad AND ID_WLASCIWOSCI = 1 "
                                                  "AND ID_EUTEKTYKI IN (:lEut, 10)"),
                                   p);
            QVERIFY(!pubs.isEmpty());
            for (const QVariantList& pub : pubs) {
                QVariantMap q = p;
                q[QStringLiteral("lPublikacja")] = pub[0];
                q[QStringLiteral("lWlasciwosc")] = 1;
                q[QStringLiteral("t1")] = 1273;
                QVariantMap c = q;
                c.remove(QStringLiteral("t1"));
                const int inSection = count(QStringLiteral("SELECT COUNT(*) FROM DANE45 WHERE ID_TAB_UKL = :lUklad AND ID_PUBLIKACJI = :lPublikacja AND "
                                                           "ID_WLASCIWOSCI = :lWlasciwosc AND ID_EUTEKTYKI IN (:lEut, 10)"),
                                            c);
                // At least the start alloy, which belongs to every section.
                QVERIFY(inSection >= 1);
                QString molar;
                switch (s[2].toInt()) {
                case 3:
                    molar = QStringLiteral("SELECT X,  (MASA_A* X_A +MASA_B*(1-(X_A+X_C))+MASA_C*X_C)/( DANE45.A+ DANE45.B *:t1) VT1,  DANE45.UKLAD\n"
                                           "FROM TAB_UKL, UKL_3,  DANE45\nWHERE\n( DANE45.X = UKL_3.X_C) AND\n(TAB_UKL.ID_TAB_UKL=:lUklad) AND\n"
                                           "(TAB_UKL.ID_TAB_UKL = UKL_3.ID_TAB_UKL) AND\n( DANE45 . ID_WLASCIWOSCI =:lWlasciwosc) AND \n"
                                           "( DANE45 . ID_TAB_UKL = TAB_UKL.ID_TAB_UKL) AND\n( DANE45. ID_PUBLIKACJI =:lPublikacja)  AND\n"
                                           "(UKL_3.Nr =:lEut) AND\n((DANE45.ID_EUTEKTYKI =:lEut) OR (DANE45.ID_EUTEKTYKI = 10))\nORDER BY   DANE45.X ");
                    break;
                case 4:
                    molar = QStringLiteral("SELECT  X,  (MASA_A* X_A+MASA_B*X_B+MASA_C*(1-(X_A+X_B+X_D))+MASA_D*X_D)/( DANE45.A+ DANE45.B *:t1) VT1, (DANE45.UKLAD)\n"
                                           "FROM TAB_UKL, UKL_4, DANE45\nWHERE\n(DANE45.X = UKL_4.X_D) AND\n(TAB_UKL.ID_TAB_UKL=:lUklad) AND\n"
                                           "(TAB_UKL.ID_TAB_UKL = UKL_4.ID_TAB_UKL) AND\n(DANE45 . ID_WLASCIWOSCI =:lWlasciwosc) AND \n"
                                           "(DANE45 . ID_TAB_UKL = TAB_UKL.ID_TAB_UKL) AND\n(DANE45. ID_PUBLIKACJI =:lPublikacja) AND\n"
                                           "((DANE45.ID_EUTEKTYKI =:lEut) OR (DANE45.ID_EUTEKTYKI = 10)) AND\n(UKL_4.Nr2 = DANE45.Nr) AND \n"
                                           "(UKL_4.Nr = DANE45.ID_EUTEKTYKI) \nORDER BY   DANE45.X ");
                    break;
                default:
                    molar = QStringLiteral("SELECT X, (MASA_A* X_A+MASA_B*X_B+MASA_C*X_C + MASA_D*(1-(X_A+X_B+X_C+X_E))+MASA_E*X_E)/( DANE45.A+ DANE45.B *:t1) VT1,DANE45. UKLAD\n"
                                           "FROM TAB_UKL, UKL_5, DANE45\nWHERE\n(DANE45.X = UKL_5.X_E) AND\n(TAB_UKL.ID_TAB_UKL=:lUklad) AND\n"
                                           "(TAB_UKL.ID_TAB_UKL = UKL_5.ID_TAB_UKL) AND\n(DANE45 . ID_WLASCIWOSCI =:lWlasciwosc) AND \n"
                                           "(DANE45 . ID_TAB_UKL = TAB_UKL.ID_TAB_UKL) AND\n(DANE45 . ID_PUBLIKACJI =:lPublikacja) AND\n"
                                           "((DANE45.ID_EUTEKTYKI = 10 ) OR (DANE45.ID_EUTEKTYKI =:lEut)) AND\n(UKL_5.Nr2 = DANE45.Nr) AND\n"
                                           "(UKL_5.Nr = DANE45.ID_EUTEKTYKI)  \nORDER BY   DANE45 .UKLAD");
                }
                const auto volumes = rows(molar, q);
                QVERIFY2(volumes.size() == inSection,
                         qPrintable(QStringLiteral("system %1 section %2 publication %3: %4 molar volumes for %5 rows")
                                        .arg(s[0].toInt()).arg(s[1].toInt()).arg(pub[0].toInt()).arg(volumes.size()).arg(inSection)));
                for (const QVariantList& v : volumes)
                    QVERIFY(v[1].toDouble() > 5 && v[1].toDouble() < 30); // cm3/mol of liquid solders and their metals
            }
        }
    }

    // Binary compositions: one UKL_2 row per composition, and the molar volume
    // of Ag-Sn at x = 0 is the atomic weight of Ag over its density.
    void binaryCompositionsJoinOnce()
    {
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM (SELECT ID_TAB_UKL, X_B FROM UKL_2 GROUP BY ID_TAB_UKL, X_B HAVING COUNT(*) > 1)")), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DANE_WLASNOSCI d JOIN TAB_UKL t USING (ID_TAB_UKL) WHERE t.ID_SELECT = 2 AND NOT EXISTS "
                                      "(SELECT 1 FROM UKL_2 u WHERE u.ID_TAB_UKL = d.ID_TAB_UKL AND u.X_B = d.X)")),
                 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PUNKTY_D p WHERE p.X <> ROUND(p.X, 4)")), 0);
        const auto agSn = rows(QStringLiteral(
            "SELECT X, (MASA_A* (1-X_B)+MASA_B*X_B)/( DANE_WLASNOSCI.A+ DANE_WLASNOSCI.B *:t1) VT1 \nFROM TAB_UKL, UKL_2, DANE_WLASNOSCI\nWHERE\n"
            "(DANE_WLASNOSCI.X = UKL_2.X_B) AND\n(TAB_UKL.ID_TAB_UKL=:lUklad) AND\n(TAB_UKL.ID_TAB_UKL = UKL_2.ID_TAB_UKL) AND\n"
            "(DANE_WLASNOSCI . ID_WLASCIWOSCI =:lWlasciwosc) AND \n(DANE_WLASNOSCI . ID_TAB_UKL = TAB_UKL.ID_TAB_UKL) AND\n"
            "(DANE_WLASNOSCI . ID_PUBLIKACJI =(SELECT ID_PUBLIKACJI FROM PUBLIKACJE WHERE OZNACZENIE = '[calc-d Ag-Sn]'))\nORDER BY   DANE_WLASNOSCI.X "),
            {{QStringLiteral("t1"), 1273}, {QStringLiteral("lUklad"), 16}, {QStringLiteral("lWlasciwosc"), 1}});
        QCOMPARE(agSn.size(), 11);
        QVERIFY(std::abs(agSn.first()[1].toDouble() - 107.8682 / (10.4314 - 0.0009 * 1273)) < 1e-9);
        QVERIFY(std::abs(agSn.last()[1].toDouble() - 118.71 / (7.30831 - 0.000652 * 1273)) < 1e-9);
        // Ideal mixing: molar volumes add up (within the straight-line refit).
        const double mid = 0.5 * agSn.first()[1].toDouble() + 0.5 * agSn.last()[1].toDouble();
        QVERIFY(std::abs(agSn[5][1].toDouble() - mid) / mid < 1e-3);
    }

    // Each line has exactly two rows at its two end temperatures, carrying the
    // coefficients of the equation it draws; every equation has its line.
    void temperatureLinesHaveTwoRowsAndMatchTheirEquations()
    {
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 FROM DANE_WLASNOSCI_T GROUP BY ID_WLASCIWOSCI, ID_TAB_UKL, ID_PUBLIKACJI, X, Nr, Nr2 "
                                      "HAVING COUNT(*) <> 2)")),
                 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DANE_WLASNOSCI d WHERE (SELECT COUNT(*) FROM DANE_WLASNOSCI_T t WHERE t.ID_WLASCIWOSCI = "
                                      "d.ID_WLASCIWOSCI AND t.ID_TAB_UKL = d.ID_TAB_UKL AND t.ID_PUBLIKACJI = d.ID_PUBLIKACJI AND t.X = d.X AND "
                                      "t.A = d.A AND t.B = d.B) <> 2")),
                 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DANE45 d WHERE (SELECT COUNT(*) FROM DANE_WLASNOSCI_T t WHERE t.ID_WLASCIWOSCI = "
                                      "d.ID_WLASCIWOSCI AND t.ID_TAB_UKL = d.ID_TAB_UKL AND t.ID_PUBLIKACJI = d.ID_PUBLIKACJI AND t.X = d.X AND "
                                      "t.Nr = d.ID_EUTEKTYKI AND t.Nr2 = d.Nr AND t.A = d.A AND t.B = d.B) <> 2")),
                 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DANE_WLASNOSCI_T")),
                 2 * (count(QStringLiteral("SELECT COUNT(*) FROM DANE_WLASNOSCI")) + count(QStringLiteral("SELECT COUNT(*) FROM DANE45"))));
        // Lines lie in a liquid range: not below 400 K, not above 2500 K, lower end first.
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DANE_WLASNOSCI_T WHERE T < 400 OR T > 2500")), 0);
        // The page-1 line statement finds both ends of a pure metal's density line.
        const auto ends = rows(QStringLiteral("SELECT DANE_WLASNOSCI_T.ID_DANE_WLA_T, X  X, T,  A+ B *T DensityT1\nFROM DANE_WLASNOSCI_T, PUBLIKACJE\nWHERE\n"
                                              "(DANE_WLASNOSCI_T.ID_WLASCIWOSCI =:lWlasciwosc) AND\n(DANE_WLASNOSCI_T.ID_TAB_UKL =:lUklad) AND\n"
                                              "(PUBLIKACJE.OZNACZENIE =:lPublikacja) AND\n(PUBLIKACJE.ID_PUBLIKACJI = DANE_WLASNOSCI_T.ID_PUBLIKACJI)\nAND (X =:lx1) "),
                               {{QStringLiteral("lWlasciwosc"), 1}, {QStringLiteral("lUklad"), 1}, {QStringLiteral("lPublikacja"), QStringLiteral("[2014Hay1]")},
                                {QStringLiteral("lx1"), 1.0}});
        QCOMPARE(ends.size(), 2);
        QCOMPARE(ends[0][2].toInt(), 1235);
        QCOMPARE(ends[1][2].toInt(), 1773);
        QVERIFY(std::abs(ends[0][3].toDouble() - 9.32) < 0.001); // 9320 kg/m3 at the melting point
    }

    // The pure-metal rows are the collected equations, with their ranges.
    void pureMetalRowsAreTheCollectedEquations()
    {
        const auto collected = csv(sourceDir() + QStringLiteral("/data/sources/collected/pure_metals.csv"));
        const QMap<QString, QString> keys = {{QStringLiteral("CRC95"), QStringLiteral("[2014Hay1]")}, {QStringLiteral("THERMOLIB081"), QStringLiteral("[2025Thl1]")},
                                             {QStringLiteral("NEA2015"), QStringLiteral("[2015Faz1]")}, {QStringLiteral("CRAWLEY_KIFF_1972"), QStringLiteral("[1972Cra1]")},
                                             {QStringLiteral("AZIZ_2014_CU"), QStringLiteral("[2014Azi1]")}};
        int checked = 0;
        for (const auto& r : collected) {
            if (!keys.contains(r[QStringLiteral("citation_key")]) || (r[QStringLiteral("equation_form")] != QLatin1String("A+B*T")
                                                                       && !r[QStringLiteral("equation_form")].startsWith(QLatin1String("A*exp"))))
                continue;
            const int property = r[QStringLiteral("property")] == QLatin1String("density") ? 1 : r[QStringLiteral("property")] == QLatin1String("viscosity") ? 4 : 2;
            const QVariantMap p = {{QStringLiteral("el"), r[QStringLiteral("element")]}, {QStringLiteral("key"), keys[r[QStringLiteral("citation_key")]]},
                                   {QStringLiteral("p"), property}};
            const auto line = rows(QStringLiteral("SELECT t.T, t.A, t.B FROM DANE_WLASNOSCI_T t JOIN TAB_UKL u USING (ID_TAB_UKL) JOIN PUBLIKACJE b USING "
                                                  "(ID_PUBLIKACJI) WHERE u.OZNACZENIE = :el AND b.OZNACZENIE = :key AND t.ID_WLASCIWOSCI = :p ORDER BY t.T"),
                                   p);
            QCOMPARE(line.size(), 2);
            const double a = r[QStringLiteral("A")].toDouble(), b = r[QStringLiteral("B")].toDouble();
            QCOMPARE(line[0][1].toDouble(), a);
            QCOMPARE(line[0][2].toDouble(), b);
            QCOMPARE(line[0][0].toInt(), int(std::ceil(r[QStringLiteral("T_min_K")].toDouble() - 1e-9)));
            if (!r[QStringLiteral("T_max_K")].isEmpty())
                QCOMPARE(line[1][0].toInt(), int(std::floor(r[QStringLiteral("T_max_K")].toDouble() + 1e-9)));
            ++checked;
        }
        QVERIFY(checked >= 25);
    }

    // The equations the program's catalogues give, evaluated at the line ends.
    void programEquationsAgreeAtTheLineEnds()
    {
        const auto agBi = rows(QStringLiteral("SELECT t.ID_WLASCIWOSCI, t.X, t.T, t.A + t.B * t.T FROM DANE_WLASNOSCI_T t JOIN PUBLIKACJE b USING (ID_PUBLIKACJI) "
                                              "WHERE b.OZNACZENIE = '[2003Src1]' AND t.ID_TAB_UKL = 12"));
        QCOMPARE(agBi.size(), 2 * 2 * 26);
        for (const QVariantList& r : agBi) {
            const double x = r[1].toDouble(), t = r[2].toDouble(), v = r[3].toDouble();
            if (r[0].toInt() == 1) {
                const double rho = x * (10.692 - 0.00119 * t) + (1 - x) * (10.47 - 0.000911 * t) + x * (1 - x) * (0.9327771673 - 0.0007357473073 * t);
                QVERIFY(std::abs(v - rho) < 1e-9);
            } else {
                const double sigma = (404.5 - 0.0492 * t) * (1 + (3.77e-5 * t - 0.3918) * std::log(x + 0.00933 * (1 - x)));
                QVERIFY2(std::abs(v - sigma) < 2.0, qPrintable(QStringLiteral("x %1 T %2: %3 vs %4").arg(x).arg(t).arg(v).arg(sigma)));
            }
        }
        const auto agBiSn = rows(QStringLiteral("SELECT t.ID_WLASCIWOSCI, t.X, t.T, t.A + t.B * t.T, t.Nr FROM DANE_WLASNOSCI_T t JOIN PUBLIKACJE b USING "
                                                "(ID_PUBLIKACJI) WHERE b.OZNACZENIE = '[2001Src1]'"));
        QCOMPARE(agBiSn.size(), 2 * 2 * 25);
        for (const QVariantList& r : agBiSn) {
            const double x = r[1].toDouble(), t = r[2].toDouble(), v = r[3].toDouble();
            const double expected = r[0].toInt() == 1
                ? 7.354 - 0.000594 * t + (5.445833333 - 0.004856089744 * t) * x + (28.93518519 + 0.00240384615 * t) * x * x
                : 586.0 - 0.09 * t + (0.00810897436 * t - 30.03205128) * x + (1.472578347 * t - 5781.695157) * x * x;
            QVERIFY(std::abs(v - expected) < 1e-9 * std::abs(expected));
            QCOMPARE(r[4].toInt(), x == 0 ? 10 : 1);
        }
        const auto pbSn = rows(QStringLiteral("SELECT t.ID_WLASCIWOSCI, t.X, t.T, t.A + t.B * t.T FROM DANE_WLASNOSCI_T t JOIN PUBLIKACJE b USING (ID_PUBLIKACJI) "
                                              "WHERE b.OZNACZENIE = '[(Pb-Sn)eut]' ORDER BY t.ID_WLASCIWOSCI, t.T"));
        QCOMPARE(pbSn.size(), 4);
        QCOMPARE(pbSn[0][1].toDouble(), 0.7482); // Sn63Pb37 by mass
        QVERIFY(std::abs(pbSn[1][3].toDouble() - (8.8256 - 0.001121 * 1300)) < 1e-12);
        QVERIFY(std::abs(pbSn[2][3].toDouble() - (505.1 - 0.0644 * 500)) < 1e-12);
    }

    // Ideal mixing recomputed here from the stored pure-metal rows at the line
    // ends of every calculated density and viscosity row of the binary systems.
    void calculatedRowsAgreeWithIdealMixing()
    {
        QMap<QString, double> mass;
        for (const QVariantList& r : rows(QStringLiteral("SELECT t.OZNACZENIE, p.MASA_ATOMOWA FROM PIERWIASTKI p JOIN TAB_UKL t USING (ID_TAB_UKL)")))
            mass[r[0].toString()] = r[1].toDouble();
        const auto basis = csv(sourceDir() + QStringLiteral("/data/sources/basis.csv"));
        const QMap<QString, QString> keys = {{QStringLiteral("CRC95"), QStringLiteral("[2014Hay1]")}, {QStringLiteral("NEA2015"), QStringLiteral("[2015Faz1]")},
                                             {QStringLiteral("THERMOLIB081"), QStringLiteral("[2025Thl1]")}};
        QMap<QString, std::pair<double, double>> density, viscosity;
        for (const auto& b : basis) {
            auto pure = [&](const QString& key, int property) {
                const QString pub = keys.value(key, key);
                const auto r = rows(QStringLiteral("SELECT d.A, d.B FROM DANE_WLASNOSCI d JOIN PUBLIKACJE b USING (ID_PUBLIKACJI) JOIN TAB_UKL t USING (ID_TAB_UKL) "
                                                   "WHERE b.OZNACZENIE = :k AND d.ID_WLASCIWOSCI = :p AND (t.OZNACZENIE = :el OR "
                                                   "(t.OZNACZENIE LIKE :el || '-%' AND d.X = 0) OR (t.OZNACZENIE LIKE '%-' || :el AND d.X = 1))"),
                                     {{QStringLiteral("k"), pub}, {QStringLiteral("p"), property}, {QStringLiteral("el"), b[QStringLiteral("ELEMENT")]}});
                if (r.isEmpty())
                    qFatal("no basis %s for %s", qPrintable(pub), qPrintable(b[QStringLiteral("ELEMENT")]));
                return std::make_pair(r[0][0].toDouble(), r[0][1].toDouble());
            };
            density[b[QStringLiteral("ELEMENT")]] = pure(b[QStringLiteral("DENSITY_KEY")], 1);
            viscosity[b[QStringLiteral("ELEMENT")]] = pure(b[QStringLiteral("VISCOSITY_KEY")], 4);
        }
        const auto lines = rows(QStringLiteral("SELECT u.OZNACZENIE, t.ID_WLASCIWOSCI, t.X, t.T, t.A, t.B FROM DANE_WLASNOSCI_T t JOIN TAB_UKL u USING (ID_TAB_UKL) "
                                               "JOIN PUBLIKACJE b USING (ID_PUBLIKACJI) WHERE b.OZNACZENIE LIKE '[calc-_ %' AND u.ID_SELECT = 2"));
        QCOMPARE(lines.size(), 23 * 11 * 2 * 2);
        for (const QVariantList& r : lines) {
            const QStringList el = r[0].toString().split(QLatin1Char('-'));
            const double x = r[2].toDouble(), t = r[3].toDouble(), a = r[4].toDouble(), b = r[5].toDouble();
            if (r[1].toInt() == 1) {
                const auto& d0 = density[el[0]];
                const auto& d1 = density[el[1]];
                const double m = (1 - x) * mass[el[0]] + x * mass[el[1]];
                const double v = (1 - x) * mass[el[0]] / (d0.first + d0.second * t) + x * mass[el[1]] / (d1.first + d1.second * t);
                QVERIFY2(std::abs((a + b * t) - m / v) / (m / v) < 2e-3, qPrintable(QStringLiteral("%1 x %2 T %3").arg(r[0].toString()).arg(x).arg(t)));
            } else {
                const auto& v0 = viscosity[el[0]];
                const auto& v1 = viscosity[el[1]];
                const double eta = std::exp((1 - x) * std::log(v0.first) + x * std::log(v1.first)) * std::exp(((1 - x) * v0.second + x * v1.second) / (kR * t));
                QVERIFY(std::abs(a * std::exp(b / (kR * t)) - eta) / eta < 1e-9);
            }
        }
    }

    // The blocks of the viscosity catalogue are selectable under their keys,
    // with their pure-component constants at x = 0 and x = 1.
    void viscosityBlocksAreStoredUnderTheirKeys()
    {
        const auto blocks = csv(sourceDir() + QStringLiteral("/data/sources/viscosity_blocks.csv"));
        QCOMPARE(blocks.size(), 27);
        for (const auto& b : blocks) {
            const auto r = rows(QStringLiteral("SELECT d.X, d.A, d.B FROM DANE_WLASNOSCI d JOIN PUBLIKACJE p USING (ID_PUBLIKACJI) JOIN TAB_UKL t USING (ID_TAB_UKL) "
                                               "WHERE p.OZNACZENIE = :k AND t.OZNACZENIE = :s AND d.ID_WLASCIWOSCI = 4 ORDER BY d.X"),
                                {{QStringLiteral("k"), b[QStringLiteral("KEY")]}, {QStringLiteral("s"), b[QStringLiteral("SYSTEM")]}});
            QCOMPARE(r.size(), 2);
            QCOMPARE(r[0][1].toDouble(), b[QStringLiteral("A1")].toDouble());
            QCOMPARE(r[0][2].toDouble(), b[QStringLiteral("E1")].toDouble());
            QCOMPARE(r[1][1].toDouble(), b[QStringLiteral("A2")].toDouble());
            QCOMPARE(r[1][2].toDouble(), b[QStringLiteral("E2")].toDouble());
        }
        // 19 keys serve the 27 blocks (one key serves Ag-In, Ag-Sb and Ag-Sn, ...), plus "[ ]".
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PUBLIKACJE WHERE ID_PUBLIKACJI BETWEEN 110 AND 199")), 20);
    }

    void dtaRowsAreUsable()
    {
        const auto dta = rows(QStringLiteral("SELECT WYTOP, Tsol, Tliq, IFNULL(Ag,0)+IFNULL(Au,0)+IFNULL(Bi,0)+IFNULL(Cu,0)+IFNULL(\"In\",0)+IFNULL(Sb,0)+"
                                             "IFNULL(Sn,0)+IFNULL(Zn,0)+IFNULL(Pb,0), SOURCE FROM DTA ORDER BY WYTOP"));
        QVERIFY(dta.size() >= 30);
        for (int i = 0; i < dta.size(); ++i) {
            QCOMPARE(dta[i][0].toInt(), i + 1);
            QVERIFY(dta[i][1].toDouble() <= dta[i][2].toDouble());
            QVERIFY(dta[i][1].toDouble() > 380 && dta[i][2].toDouble() < 600);
            QVERIFY(std::abs(dta[i][3].toDouble() - 100) < 0.05);
            QVERIFY(!dta[i][4].toString().isEmpty());
        }
        // The rows added from further sources follow the collected ones, each with its
        // temperatures, its composition (gold included) and its citation key and address.
        const auto added = csv(sourceDir() + QStringLiteral("/data/sources/solidus_liquidus_added.csv"));
        QVERIFY(!added.isEmpty());
        const auto tail = rows(QStringLiteral("SELECT ALLOY, Tsol, Tliq, Au, Sn, SOURCE FROM DTA ORDER BY WYTOP DESC LIMIT :n"),
                               {{QStringLiteral("n"), int(added.size())}});
        QCOMPARE(tail.size(), added.size());
        for (int i = 0; i < added.size(); ++i) {
            const auto& a = added[added.size() - 1 - i];
            QCOMPARE(tail[i][0].toString(), a[QStringLiteral("alloy_label")]);
            QCOMPARE(tail[i][1].toDouble(), a[QStringLiteral("solidus_K")].toDouble());
            QCOMPARE(tail[i][2].toDouble(), a[QStringLiteral("liquidus_K")].toDouble());
            QCOMPARE(tail[i][3].toDouble(), a[QStringLiteral("Au")].toDouble());
            QCOMPARE(tail[i][4].toDouble(), a[QStringLiteral("Sn")].toDouble());
            QVERIFY(tail[i][5].toString().startsWith(a[QStringLiteral("citation_key")] + QStringLiteral(" (") + a[QStringLiteral("read_at")]));
        }
        // Every source row gives its temperatures in both scales; they must agree.
        for (const QString& file : {QStringLiteral("collected/solidus_liquidus.csv"), QStringLiteral("solidus_liquidus_added.csv")})
            for (const auto& r : csv(sourceDir() + QStringLiteral("/data/sources/") + file))
                for (const QString& t : {QStringLiteral("solidus"), QStringLiteral("liquidus")})
                    QVERIFY2(std::abs(r[t + QStringLiteral("_C")].toDouble() + 273.15 - r[t + QStringLiteral("_K")].toDouble()) < 0.005,
                             qPrintable(file + QLatin1Char(' ') + r[QStringLiteral("alloy_label")]));
        // The Au-20Sn eutectic is held, within 0.25 mass % of Au-20Sn.
        QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM DTA WHERE ABS(Au - 80) <= 0.25 AND ABS(Sn - 20) <= 0.25 AND Tsol = Tliq")) >= 2);
    }

    void documentTreeIsLaidOut()
    {
        const QString dir = databaseDir();
        QFile pdf(dir + QStringLiteral("/KORVEL 3.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QVERIFY(pdf.size() > 20000);
        QFile page(dir + QStringLiteral("/NIST/Release5/props01.html"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(page.readAll().count("href=\"http") >= 10);
        for (const QString& kind : {QStringLiteral("Fig"), QStringLiteral("Menisk"), QStringLiteral("Diagram")})
            for (const QVariantList& c : rows(QStringLiteral("SELECT NAZWA FROM SELECT_SYSTEM")))
                QVERIFY2(QFileInfo(dir + QLatin1Char('/') + kind + QLatin1Char('/') + c[0].toString()).isDir(), qPrintable(kind + c[0].toString()));
        // Every block of the reference list names a system of the database and ends with "|".
        QFile refs(dir + QStringLiteral("/Diagram/References.txt"));
        QVERIFY(refs.open(QIODevice::ReadOnly | QIODevice::Text));
        QSet<QString> systems;
        for (const QVariantList& s : rows(QStringLiteral("SELECT OZNACZENIE FROM TAB_UKL")))
            systems.insert(s[0].toString());
        bool open = false;
        int blocks = 0;
        static const QRegularExpression tag(QStringLiteral("^\\[([A-Za-z-]+)\\]"));
        while (!refs.atEnd()) {
            const QString line = QString::fromUtf8(refs.readLine()).trimmed();
            const auto m = tag.match(line);
            if (m.hasMatch()) {
                QVERIFY2(!open, qPrintable(line));
                QVERIFY2(systems.contains(m.captured(1)), qPrintable(line));
                open = true;
                ++blocks;
            } else {
                QVERIFY2(open, qPrintable(line));
            }
            if (line.contains(QLatin1Char('|')))
                open = false;
        }
        QVERIFY(!open);
        QVERIFY(blocks >= 10);
    }

    // Figures drawn from the database are named as the figure browser looks
    // them up: key_system_tail.jpg for binary systems, metal_tail.jpg for pure metals.
    void figuresAreNamedForTheBrowser()
    {
        const QString dir = databaseDir() + QStringLiteral("/Fig/");
        QFile isotherm(dir + QStringLiteral("Binary systems/Ag-Sn/[calc-d Ag-Sn]_Ag-Sn_DX.jpg"));
        QVERIFY(isotherm.open(QIODevice::ReadOnly));
        QCOMPARE(isotherm.read(2), QByteArray("\xFF\xD8"));
        QVERIFY(QFileInfo::exists(dir + QStringLiteral("Pure metals/Pb/Pb_DT.jpg")));
        QSet<QString> keys;
        for (const QVariantList& k : rows(QStringLiteral("SELECT OZNACZENIE FROM PUBLIKACJE")))
            keys.insert(k[0].toString());
        static const QRegularExpression binaryName(QStringLiteral("^(\\[[^\\]]+\\])_([A-Za-z]+-[A-Za-z]+)_(D|ST|V|L)(X|T)\\.jpg$"));
        int figures = 0;
        for (const QFileInfo& system : QDir(dir + QStringLiteral("Binary systems")).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            for (const QString& file : QDir(system.absoluteFilePath()).entryList({QStringLiteral("*.jpg")})) {
                const auto m = binaryName.match(file);
                QVERIFY2(m.hasMatch(), qPrintable(file));
                QVERIFY2(keys.contains(m.captured(1)), qPrintable(file));
                QCOMPARE(m.captured(2), system.fileName());
                ++figures;
            }
        }
        QVERIFY(figures > 100);
    }

    // Each pair of figures of one publication (isotherms X and temperature
    // dependences T) has a FIG record whose label names the files: the system
    // for binary systems, the eutectic section (with "/" as "_") for
    // multicomponent ones, so the section chooser has entries for them.
    void figRecordsNameTheDrawnFigures()
    {
        const QString dir = databaseDir() + QStringLiteral("/Fig/");
        const QHash<int, QString> codes = {{1, QStringLiteral("D")}, {2, QStringLiteral("ST")}, {3, QStringLiteral("V")}, {4, QStringLiteral("L")}};
        const auto records = rows(QStringLiteral("SELECT s.NAZWA, t.OZNACZENIE, p.OZNACZENIE, f.ID_WLASCIWOSCI, f.UKLAD, t.ID_SELECT, t.ID_TAB_UKL "
                                                 "FROM FIG f JOIN TAB_UKL t ON t.ID_TAB_UKL = f.ID_TAB_UKL JOIN SELECT_SYSTEM s ON s.ID_SELECT = t.ID_SELECT "
                                                 "JOIN PUBLIKACJE p ON p.ID_PUBLIKACJI = f.ID_PUBLIKACJI"));
        QSet<QString> named;
        QSet<int> multicomponent;
        for (const QVariantList& r : records) {
            const QString label = r[4].toString();
            if (r[5].toInt() >= 3) {
                multicomponent.insert(r[6].toInt());
                QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM EUT WHERE ID_TAB_UKL = :s AND OZNACZENIE = :l"),
                               {{QStringLiteral("s"), r[6]}, {QStringLiteral("l"), label}}),
                         1);
            } else {
                QCOMPARE(label, r[1].toString());
            }
            const QString base = dir + r[0].toString() + QLatin1Char('/') + r[1].toString() + QLatin1Char('/') + r[2].toString() + QLatin1Char('_') +
                                 QString(label).replace(QLatin1Char('/'), QLatin1Char('_')) + QLatin1Char('_') + codes.value(r[3].toInt());
            for (const QString& axis : {QStringLiteral("X.jpg"), QStringLiteral("T.jpg")}) {
                QVERIFY2(QFileInfo::exists(base + axis), qPrintable(base + axis));
                named.insert(base + axis);
            }
        }
        QCOMPARE(multicomponent.size(), count(QStringLiteral("SELECT COUNT(*) FROM TAB_UKL WHERE ID_SELECT >= 3")));
        // Molar volume is drawn wherever density is: every section's composition
        // table gives the molar masses.
        const auto densityWithoutVolume = rows(QStringLiteral(
            "SELECT t.OZNACZENIE, f.UKLAD FROM FIG f JOIN TAB_UKL t ON t.ID_TAB_UKL = f.ID_TAB_UKL WHERE f.ID_WLASCIWOSCI = 1 "
            "AND NOT EXISTS (SELECT 1 FROM FIG v WHERE v.ID_WLASCIWOSCI = 3 AND v.ID_TAB_UKL = f.ID_TAB_UKL "
            "AND v.ID_PUBLIKACJI = f.ID_PUBLIKACJI AND v.UKLAD = f.UKLAD)"));
        QVERIFY2(densityWithoutVolume.isEmpty(), qPrintable(densityWithoutVolume.value(0).value(1).toString()));
        QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM FIG f JOIN TAB_UKL t ON t.ID_TAB_UKL = f.ID_TAB_UKL "
                                     "WHERE t.ID_SELECT >= 3 AND f.ID_WLASCIWOSCI = 3")) > 0);
        // ... and no drawn figure of a publication is without its record.
        for (const QVariantList& c : rows(QStringLiteral("SELECT NAZWA FROM SELECT_SYSTEM WHERE ID_SELECT >= 2"))) {
            QDirIterator it(dir + c[0].toString(), {QStringLiteral("*.jpg")}, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString file = it.next();
                QVERIFY2(named.contains(file), qPrintable(file));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestShippedDatabase)
#include "test_shipped_database.moc"
