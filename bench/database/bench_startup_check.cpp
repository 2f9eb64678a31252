// The data module's start (open, start-up checks, class and property lists) on
// the database folders named on the command line, and the first use after it
// (the systems list, which finishes a check left for a large file); medians of
// RUNS starts each. Usage: bench_startup_check RUNS FOLDER...
#include "core/Directories.h"
#include "database/DataModule.h"
#include "database/Query.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace korvel;

namespace {
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup_check RUNS FOLDER...\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    for (int a = 2; a < argc; ++a) {
        const QString folder = QString::fromLocal8Bit(argv[a]);
        dirs::overrideDatabaseDir(folder);
        std::vector<double> start, firstUse;
        QString problem;
        for (int r = 0; r < runs; ++r) {
            QElapsedTimer t;
            t.start();
            TdmDataModule dm;
            start.push_back(t.nsecsElapsed() / 1e6);
            problem = dm.startupProblem();
            dm.query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), 2);
            t.restart();
            dm.OpenSystems();
            firstUse.push_back(t.nsecsElapsed() / 1e6);
        }
        const qint64 bytes = QFileInfo(folder + QStringLiteral("/korvel3.sqlite")).size();
        std::printf("%s (%lld bytes): start %.2f ms, first use %.2f ms (medians of %d)%s%s\n", argv[a],
                    static_cast<long long>(bytes), median(start), median(firstUse), runs,
                    problem.isEmpty() ? "" : "; problem: ", qPrintable(problem));
    }
    return 0;
}
