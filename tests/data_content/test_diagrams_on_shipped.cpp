// The computed phase diagrams of the shipped document tree: a picture for every covered binary
// system, none for the others (so "Ph Diag" says the data are not available), and references
// that the phase-diagram window's reader finds for every picture.
#include "browsers/DiagramReferences.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QtTest>

using namespace korvel;

namespace {

QString databaseDir() { return qEnvironmentVariable("KORVEL_BUILD_DIR") + QStringLiteral("/bin/Database"); }

// system → has a diagram, from the committed system table.
QList<QPair<QString, bool>> systems()
{
    QList<QPair<QString, bool>> out;
    QFile f(QStringLiteral(KORVEL_SOURCE_DIR "/data/thermo/diagrams/systems.csv"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return out;
    f.readLine();
    while (!f.atEnd()) {
        const QStringList fields = QString::fromUtf8(f.readLine()).split(QLatin1Char(','));
        if (fields.size() >= 2)
            out.append({fields[0], fields[1] == QStringLiteral("yes")});
    }
    return out;
}

} // namespace

class TestDiagramsOnShipped : public QObject {
    Q_OBJECT
private slots:
    void everyCoveredSystemHasItsPictureAndReferences()
    {
        const auto list = systems();
        QCOMPARE(list.size(), 23);
        int drawn = 0;
        const QString refs = databaseDir() + QStringLiteral("/Diagram/References.txt");
        for (const auto &[system, covered] : list) {
            const QString picture = databaseDir() + QStringLiteral("/Diagram/Binary systems/") + system + QStringLiteral(".jpg");
            QCOMPARE(QFileInfo::exists(picture), covered);
            const auto read = DiagramReferences::readFile(refs, system);
            QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
            if (!covered) {
                QVERIFY2(read.entries.isEmpty(), qPrintable(system));
                continue;
            }
            ++drawn;
            const QImage image(picture);
            QVERIFY2(!image.isNull(), qPrintable(picture));
            QCOMPARE(image.size(), QSize(960, 760)); // the picture area of the diagram window, near enough
            QVERIFY2(!read.entries.isEmpty(), qPrintable(system));
            for (const QString &entry : read.entries)
                QVERIFY2(entry.size() > 10, qPrintable(system + QStringLiteral(": ") + entry));
        }
        QCOMPARE(drawn, 12);
    }

    // The vertical sections of the three ternary systems the parameter file covers
    // are drawn where "Ph Diag" looks for a ternary system's diagram, with references.
    void ternarySectionsHaveTheirPictureAndReferences()
    {
        const QString refs = databaseDir() + QStringLiteral("/Diagram/References.txt");
        for (const QString &system : {QStringLiteral("Ag-Cu-Sn"), QStringLiteral("Ag-Bi-Sn"), QStringLiteral("Ag-Sb-Sn")}) {
            const QImage image(databaseDir() + QStringLiteral("/Diagram/Ternary systems/") + system + QStringLiteral(".jpg"));
            QVERIFY2(!image.isNull(), qPrintable(system));
            QCOMPARE(image.size(), QSize(960, 760));
            const QImage corner(databaseDir() + QStringLiteral("/Diagram/Ternary systems/") + system +
                                QStringLiteral(" solder corner.jpg"));
            QCOMPARE(corner.size(), QSize(960, 760));
            QVERIFY(corner != image);
            const auto read = DiagramReferences::readFile(refs, system);
            QVERIFY2(read.error.isEmpty() && !read.entries.isEmpty(), qPrintable(system));
        }
        QVERIFY(!QFileInfo::exists(databaseDir() + QStringLiteral("/Diagram/Ternary systems/Ag-In-Sn.jpg")));
    }
};

QTEST_GUILESS_MAIN(TestDiagramsOnShipped)
#include "test_diagrams_on_shipped.moc"
