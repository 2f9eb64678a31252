// Temperature dependences on the shipped database, as a user first tries them:
// Pb-Sn and a ternary system, density and surface tension, a publication on
// page 1 and another on page 2, three compositions each, and the Butler
// temperature curves.
#include "ScriptedUi.h"
#include "core/Session.h"
#include "charts/PlotWidget.h"
#include "charts/TemperaturePage.h"
#include "charts/TfmWykres.h"
#include "core/Directories.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace korvel;

class TestTemperatureOnShipped : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        const QString shipped = qEnvironmentVariable("KORVEL_BUILD_DIR") + QStringLiteral("/bin/Database/korvel3.sqlite");
        QVERIFY2(QFile::exists(shipped), qPrintable(shipped));
        QDir(m_dir.path()).mkpath(QStringLiteral("Database"));
        QDir(m_dir.path()).mkpath(QStringLiteral("Save"));
        const QString copy = m_dir.filePath(QStringLiteral("Database/korvel3.sqlite"));
        QVERIFY(QFile::copy(shipped, copy));
        QFile(copy).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        dirs::overrideApplicationDir(m_dir.path());
    }

    void linesOfTwoPublications_data()
    {
        QTest::addColumn<int>("classId");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("property");
        QTest::newRow("Pb-Sn density") << 2 << "Binary systems" << "Pb-Sn" << "Density";
        QTest::newRow("Pb-Sn surface tension") << 2 << "Binary systems" << "Pb-Sn" << "Surface tension";
        QTest::newRow("Ag-Bi-Sn density") << 3 << "Ternary systems" << "Ag-Bi-Sn" << "Density";
    }
    void linesOfTwoPublications()
    {
        QFETCH(int, classId);
        QFETCH(QString, className);
        QFETCH(QString, system);
        QFETCH(QString, property);
        QLocale::setDefault(QLocale::c());
        test::ScriptedUi ui;
        ui.onModal = [](QWidget* w) {
            if (auto* ok = w->findChild<QPushButton*>(QStringLiteral("sbOK")))
                ok->click();
            return 0;
        };
        TdmDataModule dm;
        const bool tension = property == QLatin1String("Surface tension");
        const Choices choices{className, system, property, false, true, tension};
        session().setChoices(choices);
        dm.query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), classId);
        dm.OpenSystems();
        QVERIFY(dm.query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), system));
        QVERIFY(dm.query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), property));
        dm.OpenPublications();
        dm.OpenPublications2();
        dm.OpenAxisLabel();
        QStringList keys;
        Query* publications = dm.query(QStringLiteral("qrAutor"));
        for (int r = 0; r < publications->rowCount(); ++r)
            keys << publications->value(r, QStringLiteral("OZNACZENIE")).toString();
        QVERIFY(!keys.isEmpty());

        TfmWykres w;
        w.show();
        QCoreApplication::processEvents();
        // Page 1, then page 2: the publication with the most compositions first,
        // then another one; up to three compositions each.
        std::stable_sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) {
            return a.startsWith(QStringLiteral("[calc")) && !b.startsWith(QStringLiteral("[calc"));
        });
        int drawn = 0;
        QStringList used;
        for (int page = 1; page <= 2; ++page) {
            TemperaturePage* p = w.temperaturePage(page);
            for (const QString& key : std::as_const(keys)) {
                if (used.contains(key))
                    continue;
                ui.messages.clear();
                QVERIFY(p->publicationList()->chooseText(key));
                p->showButton()->click();
                const int rows = std::min(3, p->compositionGrid()->rowCountShown());
                if (!ui.messages.isEmpty() || rows == 0)
                    continue;
                for (int row = 0; row < rows; ++row)
                    p->compositionGrid()->selectRow(row, true);
                p->graphButton()->click();
                QVERIFY2(ui.messages.isEmpty(), qPrintable(key + QStringLiteral(": ") + ui.texts().join(QLatin1Char('|'))));
                drawn += rows;
                QCOMPARE(w.chart()->seriesCount(), drawn);
                const PlotSeries* last = w.chart()->series(drawn - 1);
                QCOMPARE(last->pointCount(), 2);
                QCOMPARE(last->penStyle(), page == 1 ? Qt::SolidLine : Qt::DashDotDotLine);
                QVERIFY(last->title().startsWith(key + QStringLiteral("   X=")));
                used << key;
                break;
            }
        }
        QVERIFY2(!used.isEmpty(), "no publication with a composition line");
        qInfo() << system << property << "publications drawn:" << used << "lines:" << drawn;
        if (tension) {
            // The Butler temperature curves of the three compositions of page 1.
            const QString key = used.first();
            QVERIFY(w.temperaturePage(1)->publicationList()->chooseText(key));
            w.temperaturePage(1)->showButton()->click();
            const int rows = std::min(3, w.temperaturePage(1)->compositionGrid()->rowCountShown());
            for (int row = 0; row < rows; ++row)
                w.temperaturePage(1)->compositionGrid()->selectRow(row, true);
            ui.answers = {UiServices::Answer::Yes};
            const int before = w.chart()->seriesCount();
            w.findChild<QPushButton*>(QStringLiteral("sbButler"))->click();
            QCOMPARE(w.chart()->seriesCount(), before + rows);
            QVERIFY(w.chart()->series(before)->title().startsWith(QStringLiteral("Butler   X=")));
        }
        session().setChoices({});
    }
};

QTEST_MAIN(TestTemperatureOnShipped)
#include "test_temperature_on_shipped.moc"
