// The importer's checks of a base database that may be anyone's (--base): any
// bytes as the base give a written database or an error naming a file, never a
// crash, and a run that fails leaves no output and no temporary file behind.
#include "Importer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

using namespace korvel::import;

namespace {
QString g_dir;
QList<SourceTable> g_sources;
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    // Every input is a file the importer copies, opens and cleans up after: in a
    // folder in memory where there is one, so the disk's latency is not paid.
    const QString memoryDir = QStringLiteral("/dev/shm");
    g_dir = (QFileInfo(memoryDir).isDir() && QFileInfo(memoryDir).isWritable() ? memoryDir : QDir::tempPath())
            + QStringLiteral("/korvel-fuzz-importbase");
    QDir(g_dir).removeRecursively();
    QDir().mkpath(g_dir);
    // One row that names a class, so the merge runs its key and reference checks.
    SourceTable systems;
    systems.file = QStringLiteral("TAB_UKL.csv");
    systems.table = QStringLiteral("TAB_UKL");
    systems.columns = {{QStringLiteral("ID_TAB_UKL"), {}, {}}, {QStringLiteral("ID_SELECT"), {}, {}},
                       {QStringLiteral("OZNACZENIE"), {}, {}}};
    systems.rows = {SourceRow{1, {QStringLiteral("900001"), QStringLiteral("1"), QStringLiteral("Ag-Zz")}, {}}};
    g_sources = {systems};
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString base = g_dir + QStringLiteral("/base.sqlite");
    const QString out = g_dir + QStringLiteral("/out.sqlite");
    QFile::remove(out);
    {
        QFile f(base);
        if (!f.open(QIODevice::WriteOnly))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    ImportOptions options;
    options.strict = true;
    options.basePath = base;
    bool written = false;
    try {
        written = importTables(g_sources, out, options).written;
    } catch (const std::runtime_error& e) {
        if (QString::fromUtf8(e.what()).isEmpty())
            std::abort();
    }
    if (QFile::exists(out) != written)
        std::abort();
    // Only the base and the output (when written) are left in the folder.
    if (QDir(g_dir).entryList(QDir::Files | QDir::Hidden).size() != (written ? 2 : 1))
        std::abort();
    return 0;
}
