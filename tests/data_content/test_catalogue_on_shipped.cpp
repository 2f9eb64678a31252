// Walks the shipped database with the program's own query catalogue: for every
// system, property and publication that the publication list offers, the
// equation, value, molar-volume, end-point and temperature-line statements
// open and return a row for every stored composition.
#include "database/Query.h"
#include "database/QueryCatalogue.h"

#include <QSqlDatabase>
#include <QtTest>

#include <memory>

using korvel::Query;

namespace {

const QString kConnection = QStringLiteral("catalogue-on-shipped");

std::unique_ptr<Query> make(const QString& name)
{
    const korvel::CatalogueEntry* entry = korvel::catalogue::find(name);
    if (!entry)
        qFatal("no catalogue entry %s", qPrintable(name));
    return std::make_unique<Query>(name, entry->lines, kConnection);
}

std::unique_ptr<Query> opened(const QString& name, const QVariantMap& params, const QStringList& replaced = {})
{
    auto q = make(name);
    if (!replaced.isEmpty())
        q->setLines(replaced);
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        q->bind(it.key(), it.value());
    if (!q->open())
        qFatal("%s does not open: %s", qPrintable(name), qPrintable(q->lastError()));
    return q;
}

QString context(const QString& system, int property, const QString& key) { return QStringLiteral("%1, property %2, %3").arg(system).arg(property).arg(key); }

} // namespace

class TestCatalogueOnShipped : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
        db.setDatabaseName(qEnvironmentVariable("KORVEL_BUILD_DIR") + QStringLiteral("/bin/Database/korvel3.sqlite"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QVERIFY(db.open());
    }

    void cleanupTestCase()
    {
        QSqlDatabase::database(kConnection).close();
        QSqlDatabase::removeDatabase(kConnection);
    }

    void everyClassListsItsSystemsAndElements()
    {
        auto classes = opened(QStringLiteral("qrSelect"), {});
        QCOMPARE(classes->rowCount(), 5);
        int systems = 0;
        for (int c = 0; c < classes->rowCount(); ++c) {
            auto list = opened(QStringLiteral("qrTabUkl"), {{QStringLiteral("lIdUkladu"), classes->value(c, QStringLiteral("ID_SELECT"))}});
            QVERIFY(list->rowCount() > 0);
            systems += list->rowCount();
            for (int s = 0; s < list->rowCount(); ++s) {
                auto axis = opened(QStringLiteral("qrX"), {{QStringLiteral("lUklad"), list->value(s, QStringLiteral("ID_TAB_UKL"))}});
                QCOMPARE(axis->rowCount(), 1);
                if (classes->value(c, QStringLiteral("ID_SELECT")).toInt() == 1) {
                    auto elements = opened(QStringLiteral("qrPierwiastki"), {{QStringLiteral("lUklad"), list->value(s, QStringLiteral("ID_TAB_UKL"))}});
                    QCOMPARE(elements->rowCount(), 1);
                }
            }
        }
        QCOMPARE(systems, 41);
        auto dta = opened(QStringLiteral("qrDTA"), {});
        QVERIFY(dta->rowCount() >= 30);
        QVERIFY(dta->columnIndex(QStringLiteral("Tliq")) >= 0);
    }

    // Pure metals and binary systems.
    void equationsValuesAndLinesOfClassesBelowThree()
    {
        auto systems = opened(QStringLiteral("qrTabUkl"), {{QStringLiteral("lIdUkladu"), 1}});
        auto binary = opened(QStringLiteral("qrTabUkl"), {{QStringLiteral("lIdUkladu"), 2}});
        int publicationsSeen = 0;
        for (Query* list : {systems.get(), binary.get()}) {
            for (int s = 0; s < list->rowCount(); ++s) {
                const QVariant system = list->value(s, QStringLiteral("ID_TAB_UKL"));
                const QString name = list->value(s, QStringLiteral("OZNACZENIE")).toString();
                const bool isBinary = list->value(s, QStringLiteral("ID_SELECT")).toInt() == 2;
                for (int property : {1, 2, 3, 4}) {
                    auto authors = opened(QStringLiteral("qrAutor"), {{QStringLiteral("lWlasciwosc"), property}, {QStringLiteral("lUklad"), system}});
                    for (int p = 0; p < authors->rowCount(); ++p) {
                        ++publicationsSeen;
                        const QString key = authors->value(p, QStringLiteral("OZNACZENIE")).toString();
                        const QVariant id = authors->value(p, QStringLiteral("ID_PUBLIKACJI"));
                        const int dataProperty = property == 3 ? 1 : property;
                        auto equations = opened(QStringLiteral("qrRownania"), {{QStringLiteral("lWlasciwosc"), dataProperty},
                                                                               {QStringLiteral("lUklad"), system}, {QStringLiteral("lPublikacja"), key}});
                        if (equations->rowCount() == 0) {
                            // A publication with measured points only.
                            auto points = opened(QStringLiteral("qrPunktyDos"), {{QStringLiteral("lPublikacja"), key}});
                            QVERIFY2(points->rowCount() > 0, qPrintable(context(name, property, key)));
                            continue;
                        }
                        const QVariantMap values = {{QStringLiteral("t2"), 1273}, {QStringLiteral("t1"), 1273}, {QStringLiteral("lWlasciwosc"), dataProperty},
                                                    {QStringLiteral("lUklad"), system}, {QStringLiteral("lPublikacja"), id}};
                        if (property == 3) {
                            auto molar = opened(isBinary ? QStringLiteral("qrUkl21") : QStringLiteral("qrUkl11"), values);
                            QVERIFY2(molar->rowCount() == equations->rowCount(), qPrintable(context(name, property, key)));
                            for (int r = 0; r < molar->rowCount(); ++r)
                                QVERIFY(molar->value(r, QStringLiteral("VT1")).toDouble() > 5);
                            if (isBinary) {
                                auto ends = opened(QStringLiteral("qrMinMax1M"), values);
                                QCOMPARE(ends->rowCount(), std::min(2, equations->rowCount()));
                            }
                            continue;
                        }
                        auto slot2 = opened(QStringLiteral("qrPunkty2"), values);
                        QCOMPARE(slot2->rowCount(), equations->rowCount());
                        auto slot1 = opened(QStringLiteral("qrPunkty1"), values, korvel::catalogue::punkty1Statement());
                        QCOMPARE(slot1->rowCount(), equations->rowCount());
                        if (isBinary && property != 4) {
                            auto ends = opened(QStringLiteral("qrMinMax1"), values);
                            QCOMPARE(ends->rowCount(), std::min(2, equations->rowCount()));
                        }
                        // Every composition has its line, found as the temperature pages look it up.
                        for (int r = 0; r < equations->rowCount(); ++r) {
                            const QVariant x = equations->value(r, QStringLiteral("X"));
                            auto line = opened(QStringLiteral("qrPunktyTemp2"),
                                               {{QStringLiteral("lWlasciwosc"), dataProperty}, {QStringLiteral("lUklad"), system},
                                                {QStringLiteral("lPublikacja"), key}, {QStringLiteral("lx2"), x}},
                                               korvel::catalogue::lineEndsStatement(2, false, false));
                            QVERIFY2(line->rowCount() == 2, qPrintable(context(name, property, key) + QStringLiteral(" x ") + x.toString()));
                        }
                    }
                }
            }
        }
        QVERIFY(publicationsSeen > 150);
    }

    // Ternary, quaternary and quinary systems, section by section.
    void sectionsOfMulticomponentSystems()
    {
        int checkedSections = 0;
        for (int cls : {3, 4, 5}) {
            auto list = opened(QStringLiteral("qrTabUkl"), {{QStringLiteral("lIdUkladu"), cls}});
            for (int s = 0; s < list->rowCount(); ++s) {
                const QVariant system = list->value(s, QStringLiteral("ID_TAB_UKL"));
                const QString name = list->value(s, QStringLiteral("OZNACZENIE")).toString();
                auto sections = opened(QStringLiteral("qrEut"), {{QStringLiteral("lUklad"), system}});
                QVERIFY2(sections->rowCount() > 0, qPrintable(name));
                for (int e = 0; e < sections->rowCount(); ++e) {
                    const QVariant section = sections->value(e, QStringLiteral("ID_EUTEKTYKI"));
                    ++checkedSections;
                    for (int property : {1, 3, 4}) {
                        auto authors = opened(QStringLiteral("qrAutor"), {{QStringLiteral("lWlasciwosc"), property}, {QStringLiteral("lUklad"), system}});
                        QVERIFY(authors->rowCount() > 0);
                        for (int p = 0; p < authors->rowCount(); ++p) {
                            const QString key = authors->value(p, QStringLiteral("OZNACZENIE")).toString();
                            const int dataProperty = property == 3 ? 1 : property;
                            const QVariantMap values = {{QStringLiteral("t1"), 1273}, {QStringLiteral("t2"), 1273}, {QStringLiteral("lWlasciwosc"), dataProperty},
                                                        {QStringLiteral("lUklad"), system}, {QStringLiteral("lPublikacja"), authors->value(p, QStringLiteral("ID_PUBLIKACJI"))},
                                                        {QStringLiteral("lEut"), section}};
                            auto equations = opened(QStringLiteral("qrDane45"), values);
                            QVERIFY2(equations->rowCount() > 0, qPrintable(context(name, property, key)));
                            if (property == 3) {
                                QStringList molar = {cls == 3 ? QStringLiteral("qrUkl31") : cls == 4 ? QStringLiteral("qrUkl4541") : QStringLiteral("qrUkl51")};
                                if (cls == 4)
                                    molar << QStringLiteral("qrUkl4542");
                                for (const QString& m : molar) {
                                    auto v = opened(m, values);
                                    QVERIFY2(v->rowCount() == equations->rowCount(), qPrintable(context(name, property, key) + QLatin1Char(' ') + m));
                                }
                                continue;
                            }
                            auto slot1 = opened(QStringLiteral("qrWyniki45"), values);
                            QCOMPARE(slot1->rowCount(), equations->rowCount());
                            for (int r = 0; r < equations->rowCount(); ++r) {
                                auto line = opened(QStringLiteral("qrPunktyTemp452"),
                                                   {{QStringLiteral("lWlasciwosc"), dataProperty}, {QStringLiteral("lUklad"), system}, {QStringLiteral("lPublikacja"), key},
                                                    {QStringLiteral("lx2"), equations->value(r, QStringLiteral("X"))}, {QStringLiteral("lEut"), section},
                                                    {QStringLiteral("Nr"), equations->value(r, QStringLiteral("Nr"))}},
                                                   korvel::catalogue::lineEndsStatement(2, true, false));
                                QVERIFY2(line->rowCount() == 2, qPrintable(context(name, property, key)));
                            }
                        }
                    }
                }
            }
        }
        QCOMPARE(checkedSections, 12);
    }

    // The measured point is reachable by the point statements.
    void measuredPointIsFound()
    {
        auto dos = opened(QStringLiteral("qrPunktyDos"), {{QStringLiteral("lPublikacja"), QStringLiteral("[1997Miy1]")}});
        QCOMPARE(dos->rowCount(), 1);
        auto points = opened(QStringLiteral("qrPunktyD"), {{QStringLiteral("lUklad"), 31}, {QStringLiteral("lWlasciwosc"), 2},
                                                           {QStringLiteral("lPublikacja"), dos->value(0, 0).toString()}, {QStringLiteral("X"), 0.7482}});
        QCOMPARE(points->rowCount(), 1);
        QCOMPARE(points->value(0, QStringLiteral("Y")).toDouble(), 530.0);
    }
};

QTEST_GUILESS_MAIN(TestCatalogueOnShipped)
#include "test_catalogue_on_shipped.moc"
