// Start-up and peak memory of the program, each next to its floor: a bare Qt
// Widgets window of the same size in a process of its own.
//
//   bench_startup [RUNS]        runs each child RUNS times (default 10), prints a table
//   bench_startup --child=MODE  one run: program | bare | scripted | scripted-bare
//
// Start-up is timed by the parent from launching the child process to the
// child's "ready" line, which it writes once the start window (or the bare
// window) is shown and the event queue has run empty. The scripted run starts
// the program, shows one isotherm of each class, runs a viscosity model, opens
// the description windows and ends; its floor shows the bare window for the
// same steps. Peak memory is the child's VmHWM (resident high-water mark).
#include "core/Session.h"
#include "charts/TfmWykres.h"
#include "core/Directories.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "models/ViscosityModel.h"
#include "models/ViscosityModelRun.h"
#include "app/AppWindows.h"
#include "shell/QtUiServices.h"
#include "shell/TfmStart.h"
#include "widgets/DbLookupList.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace korvel;

namespace {

long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// The start window's size as the program lays it out, for the bare floor.
QSize startWindowSize()
{
    TdmDataModule dm;
    TfmStart* start = forms::createWindows();
    start->show();
    const QSize size = start->size();
    forms::destroyWindows();
    return size;
}

// One isotherm of each class (density, the first publication of the first
// system that has one) through the chart window, then a model of viscosity.
void scriptedRun(TdmDataModule& dm)
{
    struct Visit {
        int classId;
        const char* className;
        const char* system;
    };
    const Visit visits[] = {{1, "Pure metals", "Sn"}, {2, "Binary systems", "Ag-Sn"},
                            {3, "Ternary systems", "Ag-Cu-Sn"}, {4, "Quaternary systems", "Ag-Bi-Cu-Sn"},
                            {5, "Quinary systems", "Ag-Bi-Cu-Sb-Sn"}};
    Choices choices;
    for (const Visit& v : visits) {
        choices = {QString::fromLatin1(v.className), QString::fromLatin1(v.system), QStringLiteral("Density"), true,
                   false, false};
        session().setChoices(choices);
        dm.query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), v.classId);
        dm.OpenSystems();
        dm.query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), QString::fromLatin1(v.system));
        dm.query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), QStringLiteral("Density"));
        dm.OpenPublications();
        dm.OpenPublications2();
        dm.OpenAxisLabel();
        auto w = std::make_unique<TfmWykres>();
        w->show();
        auto* list = w->findChild<DbLookupList*>(QStringLiteral("dblAutor"));
        if (list->count() > 0)
            list->choose(0);
        if (auto* box = w->findChild<QCheckBox*>(QStringLiteral("chbShow")); !box->isChecked())
            box->click();
        w->temperatureField(1)->setText(QStringLiteral("1273"));
        w->sbShowClick();
        QCoreApplication::processEvents();
    }
    session().setChoices({});
    // A viscosity model of the binary system at 1273 K.
    ViscosityModelRun model;
    const QString caption = ViscosityModel::captions().value(0);
    model.edModelChange(QStringLiteral("1273"), caption);
    model.cbModel1Change(QStringLiteral("1273"), caption, QStringLiteral("[2005Ghi3]"));
    ViscosityRunInput input;
    input.temperatureText = QStringLiteral("1273");
    input.modelText = caption;
    input.systemName = QStringLiteral("Ag-Sn");
    const ViscosityRunResult result = model.RunViscosityModel(input);
    std::fprintf(stderr, "viscosity model: %d points\n", int(result.curve.points.size()));
}

void showDescriptions()
{
    for (const char* name : {"fmBadania", "fmBadania1", "fmBadania2", "fmBadania3", "fmBadania4", "fmIida", "fmKaptay",
                             "fmKozlov", "fmMoelwyn", "fmSeetharaman", "fmDravik", "fmDravikMarten", "fmKucharski",
                             "fmSato", "fmSchick", "fmSichen"}) {
        if (QWidget* w = forms::window(QString::fromLatin1(name))) {
            w->show();
            QCoreApplication::processEvents();
            w->hide();
        }
    }
}

// The real message boxes and windows, except that a modal window (the eutectic
// chooser) is answered with its "OK" and boxes are counted, not waited for: the
// run is scripted.
class ScriptedRunServices : public QtUiServices {
public:
    void information(const QString&) override { ++boxes; }
    void error(const QString& text) override { ++boxes; std::fprintf(stderr, "error box: %s\n", qPrintable(text)); }
    void message(const QString&) override { ++boxes; }
    int showModal(QWidget* window) override
    {
        window->show();
        QCoreApplication::processEvents();
        if (auto* ok = window->findChild<QPushButton*>(QStringLiteral("sbOK")))
            ok->click();
        else
            window->close();
        return 0;
    }
    int boxes = 0;
};

int child(const QString& mode)
{
    int argc = 1;
    char name[] = "bench_startup";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    dirs::overrideApplicationDir(QStringLiteral(KORVEL_PROGRAM_DIR));
    ScriptedRunServices scripted;
    QtUiServices services;
    if (mode.startsWith(QLatin1String("scripted")))
        setUi(&scripted);
    else
        setUi(&services);
    const bool bare = mode.endsWith(QLatin1String("bare"));
    const QSize size = QSize(qEnvironmentVariableIntValue("KORVEL_BENCH_W"), qEnvironmentVariableIntValue("KORVEL_BENCH_H"));
    int result = 0;
    auto finish = [&] {
        std::printf("ready %ld\n", peakResidentKb());
        std::fflush(stdout);
    };
    if (bare) {
        QWidget window;
        window.resize(size);
        window.show();
        QTimer::singleShot(0, &app, [&] {
            finish();
            app.quit();
        });
        result = QApplication::exec();
        return result;
    }
    TdmDataModule dm;
    TfmStart* start = forms::createWindows();
    start->show();
    QTimer::singleShot(0, &app, [&] {
        if (mode == QLatin1String("scripted")) {
            scriptedRun(dm);
            showDescriptions();
        }
        finish();
        app.quit();
    });
    result = QApplication::exec();
    forms::destroyWindows();
    return result;
}

struct Sample {
    double ms;
    long kb;
};

Sample runChild(const QString& self, const QString& mode, const QSize& size)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KORVEL_BENCH_W"), QString::number(size.width()));
    env.insert(QStringLiteral("KORVEL_BENCH_H"), QString::number(size.height()));
    p.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    p.start(self, {QStringLiteral("--child=") + mode});
    while (p.state() != QProcess::NotRunning && !p.canReadLine())
        p.waitForReadyRead(100);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    const QByteArray line = p.readLine();
    p.waitForFinished(60000);
    if (!line.startsWith("ready"))
        return {-1, -1};
    return {ms, line.mid(6).trimmed().toLong()};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1String("--child=")))
            return child(arg.mid(8));
    }
    QSize size;
    QString self;
    {
        QApplication app(argc, argv);
        QApplication::setStyle(QStringLiteral("Fusion"));
        dirs::overrideApplicationDir(QStringLiteral(KORVEL_PROGRAM_DIR));
        size = startWindowSize();
        self = QCoreApplication::applicationFilePath();
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    std::printf("start window %dx%d, %d runs each, medians\n", size.width(), size.height(), runs);
    for (const auto& [mode, floor] : {std::pair{"program", "bare"}, std::pair{"scripted", "scripted-bare"}}) {
        std::vector<double> ms[2], kb[2];
        for (int r = 0; r < runs; ++r) {
            for (int k = 0; k < 2; ++k) {
                const Sample s = runChild(self, QString::fromLatin1(k == 0 ? mode : floor), size);
                ms[k].push_back(s.ms);
                kb[k].push_back(double(s.kb));
            }
        }
        const double t0 = median(ms[0]), t1 = median(ms[1]), m0 = median(kb[0]), m1 = median(kb[1]);
        std::printf("%-14s %8.1f ms %8.0f KB peak | %-14s %8.1f ms %8.0f KB peak | ratio time %.2f, memory %.2f\n",
                    mode, t0, m0, floor, t1, m1, t1 > 0 ? t0 / t1 : 0, m1 > 0 ? m0 / m1 : 0);
    }
    return 0;
}
