// "Show" of the chart window with T1..T4 filled and "  Show calculated value"
// checked, for a binary and a quinary system (density), timed through the real
// window, next to the statements that "Show" opens run directly on SQLite.
// Databases: the shipped one, the chart fixture, each scaled 100x and the shipped one 1000x (every
// publication copied factor - 1 times with its rows, scale_database.sql).
//
//   bench_chart_show [--db=NAME=PATH ...] [benchmark flags]
#include "ScriptedUi.h"
#include "core/Session.h"
#include "charts/PlotWidget.h"
#include "charts/TfmWykres.h"
#include "core/Directories.h"
#include "database/DataModule.h"
#include "database/Query.h"
#include "database/QueryCatalogue.h"
#include "widgets/DbLookupList.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <sqlite3.h>
#include <vector>

using namespace korvel;

namespace {

struct Case {
    QString className;
    int classId;
    QString system;
    QString property = QStringLiteral("Density");
};

const Case kBinary{QStringLiteral("Binary systems"), 2, QStringLiteral("Ag-Sn")};
const Case kQuinary{QStringLiteral("Quinary systems"), 5, QStringLiteral("Ag-Bi-Cu-Sb-Sn")};
const QStringList kTemperatures = {QStringLiteral("1273"), QStringLiteral("1373"), QStringLiteral("1473"),
                                   QStringLiteral("1573")};

struct Database {
    QString name;
    QString applicationDir; // holds Database/korvel3.sqlite
    QString file() const { return applicationDir + QStringLiteral("/Database/korvel3.sqlite"); }
};

std::vector<std::unique_ptr<QTemporaryDir>> g_dirs;

QString scalarText(sqlite3* db, const QString& sql)
{
    sqlite3_stmt* st = nullptr;
    QString result;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return result;
}

// The publication with the most equation rows of the case's system (density), with its identifier.
std::pair<QString, qint64> busiestPublication(const QString& file, const Case& c)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const QString table = c.classId < 3 ? QStringLiteral("DANE_WLASNOSCI") : QStringLiteral("DANE45");
    const QString sql = QStringLiteral(
        "SELECT P.OZNACZENIE || '|' || P.ID_PUBLIKACJI FROM %1 D, PUBLIKACJE P, TAB_UKL U, WLA_TAB_PUB W "
        "WHERE D.ID_PUBLIKACJI = P.ID_PUBLIKACJI AND D.ID_TAB_UKL = U.ID_TAB_UKL AND U.OZNACZENIE = '%2' "
        "AND D.ID_WLASCIWOSCI = 1 AND W.ID_PUBLIKACJI = P.ID_PUBLIKACJI AND W.ID_TAB_UKL = U.ID_TAB_UKL "
        "AND W.ID_WLASCIWOSCI = 1 GROUP BY P.ID_PUBLIKACJI ORDER BY COUNT(*) DESC, P.ID_PUBLIKACJI LIMIT 1")
                            .arg(table, c.system);
    const QString text = scalarText(db, sql);
    sqlite3_close(db);
    if (text.isEmpty())
        return {QString(), 0};
    const int bar = int(text.lastIndexOf(QLatin1Char('|')));
    return {text.left(bar), text.mid(bar + 1).toLongLong()};
}

bool copyInto(const QString& source, Database& target)
{
    auto dir = std::make_unique<QTemporaryDir>();
    QDir(dir->path()).mkpath(QStringLiteral("Database"));
    QDir(dir->path()).mkpath(QStringLiteral("Save"));
    target.applicationDir = dir->path();
    const bool ok = QFile::copy(source, target.file());
    QFile(target.file()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    g_dirs.push_back(std::move(dir));
    return ok;
}

bool scale(const Database& db, int factor)
{
    QFile script(QStringLiteral(KORVEL_SCALE_SQL));
    if (!script.open(QIODevice::ReadOnly))
        return false;
    sqlite3* handle = nullptr;
    if (sqlite3_open(db.file().toUtf8().constData(), &handle) != SQLITE_OK)
        return false;
    char* error = nullptr;
    const QByteArray factorSql = QStringLiteral("CREATE TEMP TABLE scale_factor(factor INTEGER); "
                                                "INSERT INTO scale_factor VALUES (%1);").arg(factor).toUtf8();
    const bool ok = sqlite3_exec(handle, factorSql.constData(), nullptr, nullptr, &error) == SQLITE_OK
                    && sqlite3_exec(handle, script.readAll().constData(), nullptr, nullptr, &error) == SQLITE_OK;
    if (!ok)
        std::fprintf(stderr, "scaling %s: %s\n", qPrintable(db.name), error);
    sqlite3_free(error);
    sqlite3_close(handle);
    return ok;
}

// ---- "Show" through the window ---------------------------------------------------

void BM_Show(benchmark::State& state, Database db, Case c)
{
    const auto [key, id] = busiestPublication(db.file(), c);
    if (key.isEmpty()) {
        state.SkipWithError("the database holds no density equations for this system");
        return;
    }
    test::ScriptedUi ui;
    ui.onModal = [](QWidget* w) {
        if (auto* ok = w->findChild<QPushButton*>(QStringLiteral("sbOK")))
            ok->click();
        return 0;
    };
    dirs::overrideApplicationDir(db.applicationDir);
    {
        TdmDataModule dm;
        session().setChoices(Choices{c.className, c.system, c.property, true, false, false});
        dm.query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), c.classId);
        dm.OpenSystems();
        dm.query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), c.system);
        dm.query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), c.property);
        dm.OpenPublications();
        dm.OpenPublications2();
        dm.OpenAxisLabel();
        auto* w = new TfmWykres;
        w->show();
        QCoreApplication::processEvents();
        w->findChild<DbLookupList*>(QStringLiteral("dblAutor"))->chooseText(key);
        w->findChild<QCheckBox*>(QStringLiteral("chbShow"))->setChecked(true);
        int points = 0;
        for (auto _ : state) {
            state.PauseTiming();
            w->sbClearClick();
            for (int n = 1; n <= 4; ++n)
                w->temperatureField(n)->setText(kTemperatures[n - 1]);
            state.ResumeTiming();
            w->sbShowClick();
            state.PauseTiming();
            points = w->chart()->seriesCount();
            state.ResumeTiming();
        }
        state.counters["series"] = points;
        state.counters["messages"] = double(ui.messages.size());
        delete w;
        session().setChoices({});
    }
    dirs::overrideApplicationDir(QString());
}

// ---- the same statements on SQLite -------------------------------------------------

struct Statement {
    QString sql;
    QList<QPair<QString, QVariant>> bindings;
};

int runStatement(sqlite3* db, const Statement& s)
{
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = s.sql.toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK)
        return -1;
    for (const auto& [name, value] : s.bindings) {
        const int index = sqlite3_bind_parameter_index(st, (QStringLiteral(":") + name).toUtf8().constData());
        if (index == 0)
            continue;
        if (value.typeId() == QMetaType::QString)
            sqlite3_bind_text(st, index, value.toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
        else
            sqlite3_bind_int64(st, index, value.toLongLong());
    }
    int rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int col = 0; col < sqlite3_column_count(st); ++col)
            benchmark::DoNotOptimize(sqlite3_column_double(st, col));
        ++rows;
    }
    sqlite3_finalize(st);
    return rows;
}

QString lines(const char* query) { return catalogue::find(QString::fromLatin1(query))->lines.join(QLatin1Char('\n')); }

void BM_DirectSql(benchmark::State& state, Database db, Case c)
{
    const auto [key, id] = busiestPublication(db.file(), c);
    if (key.isEmpty()) {
        state.SkipWithError("the database holds no density equations for this system");
        return;
    }
    sqlite3* handle = nullptr;
    sqlite3_open_v2(db.file().toUtf8().constData(), &handle, SQLITE_OPEN_READWRITE, nullptr);
    const qint64 system = scalarText(handle, QStringLiteral("SELECT ID_TAB_UKL FROM TAB_UKL WHERE OZNACZENIE = '%1'")
                                                  .arg(c.system)).toLongLong();
    const qint64 section = scalarText(handle, QStringLiteral("SELECT ID_EUTEKTYKI FROM EUT WHERE ID_TAB_UKL = %1 "
                                                             "ORDER BY ID_EUT LIMIT 1").arg(system)).toLongLong();
    QList<Statement> statements;
    statements << Statement{catalogue::chosenPublicationsStatement(QString::number(id)).join(QLatin1Char('\n')), {}};
    const QList<QPair<QString, QVariant>> common = {{QStringLiteral("lUklad"), system},
                                                    {QStringLiteral("lPublikacja"), id},
                                                    {QStringLiteral("lWlasciwosc"), 1},
                                                    {QStringLiteral("lEut"), section}};
    if (c.classId < 3) {
        for (int n = 1; n <= 4; ++n) {
            auto b = common;
            b << qMakePair(QStringLiteral("t%1").arg(n), QVariant(kTemperatures[n - 1].toInt()));
            const QString values = n == 1 ? catalogue::punkty1Statement().join(QLatin1Char('\n'))
                                          : lines(QStringLiteral("qrPunkty%1").arg(n).toLatin1().constData());
            statements << Statement{values, b}
                       << Statement{lines(QStringLiteral("qrMinMax%1").arg(n).toLatin1().constData()), b};
        }
    } else {
        statements << Statement{lines("qrEut"), {{QStringLiteral("lUklad"), system}}};
        statements << Statement{lines("qrDane45"), common};
        const char* names[] = {"qrWyniki45", "qrWyniki452", "qrWyniki453", "qrWyniki454"};
        for (int n = 1; n <= 4; ++n) {
            auto b = common;
            b << qMakePair(QStringLiteral("t%1").arg(n), QVariant(kTemperatures[n - 1].toInt()));
            statements << Statement{lines(names[n - 1]), b};
        }
    }
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (const Statement& s : statements)
            rows += runStatement(handle, s);
    }
    state.counters["rows"] = rows;
    sqlite3_close(handle);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<QPair<QString, QString>> sources = {{QStringLiteral("shipped"), QStringLiteral(KORVEL_SHIPPED_DB)},
                                              {QStringLiteral("fixture"), QStringLiteral(KORVEL_FIXTURE_DB)}};
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1String("--db="))) {
            const QString option = arg.mid(5);
            const int eq = int(option.indexOf(QLatin1Char('=')));
            const QString name = option.left(eq);
            bool replaced = false;
            for (auto& source : sources) {
                if (source.first == name) {
                    source.second = option.mid(eq + 1);
                    replaced = true;
                }
            }
            if (!replaced)
                sources << qMakePair(name, option.mid(eq + 1));
        } else {
            rest.push_back(argv[i]);
        }
    }
    for (const auto& [name, path] : sources) {
        if (!QFile::exists(path)) {
            std::fprintf(stderr, "skipping %s: %s does not exist\n", qPrintable(name), qPrintable(path));
            continue;
        }
        Database plain{name, {}};
        Database scaled{name + QStringLiteral("x100"), {}};
        if (!copyInto(path, plain) || !copyInto(path, scaled) || !scale(scaled, 100))
            continue;
        QList<Database> databases = {plain, scaled};
        // The shipped database also x1000 (about 670 000 equation rows).
        Database large{name + QStringLiteral("x1000"), {}};
        if (name == QLatin1String("shipped") && copyInto(path, large) && scale(large, 1000))
            databases << large;
        for (const Database& db : databases) {
            for (const Case& c : {kBinary, kQuinary}) {
                const std::string suffix = (db.name + QLatin1Char('/') + c.system).toStdString();
                benchmark::RegisterBenchmark(("Show/" + suffix).c_str(), BM_Show, db, c)->Unit(benchmark::kMicrosecond);
                benchmark::RegisterBenchmark(("DirectSql/" + suffix).c_str(), BM_DirectSql, db, c)
                    ->Unit(benchmark::kMicrosecond);
            }
        }
    }
    int count = int(rest.size());
    benchmark::Initialize(&count, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_dirs.clear();
    return 0;
}
