// The data module's opening operations on the shipped database, each next to
// its floor: the same statement with the same bound values run directly on
// the SQLite C API (prepare, bind, step every row reading every column,
// finalize), and the same with the statement compiled once and kept, as the
// data module keeps it (bind, step, reset): the module's own cost. The choices are a binary system (Ag-Sn, density, its first
// publication) and a quinary one (Ag-Bi-Cu-Sb-Sn) for the section statements.
//
//   bench_datamodule [--db=PATH] [benchmark flags]
#include "ScriptedUi.h"
#include "core/Directories.h"
#include "database/DataModule.h"
#include "database/Query.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>
#include <memory>
#include <sqlite3.h>

using namespace korvel;

namespace {

struct Inputs : ChartInputs {
    QString t[5] = {{}, QStringLiteral("1273"), QStringLiteral("1373"), QStringLiteral("1473"), QStringLiteral("1573")};
    QString pub[3];
    QString temperatureText(int slot) const override { return t[slot]; }
    QString publicationText(int page) const override { return pub[page]; }
    int selectedEutectic() const override { return 1; }
    FixedPoint4 lineComposition() const override { return FixedPoint4::fromDouble(0.5); }
};

struct Program {
    std::unique_ptr<TdmDataModule> dm;
    Inputs inputs;
};

Program* g_program = nullptr;
QString g_file;

void choose(int classId, const QString& system, const QString& property)
{
    TdmDataModule& dm = *g_program->dm;
    dm.query(QStringLiteral("qrSelect"))->locate(QStringLiteral("ID_SELECT"), classId);
    dm.OpenSystems();
    dm.query(QStringLiteral("qrTabUkl"))->locate(QStringLiteral("OZNACZENIE"), system);
    dm.query(QStringLiteral("qrWlasnosci"))->locate(QStringLiteral("WLASNOSC"), property);
    dm.OpenPublications();
    dm.OpenPublications2();
    const QString key = dm.query(QStringLiteral("qrAutor"))->field(QStringLiteral("OZNACZENIE")).toString();
    g_program->inputs.pub[0] = key;
    g_program->inputs.pub[1] = key;
    g_program->inputs.pub[2] = key;
    dm.OpenEutectics();
}

// The statement and bindings the operation left in its query, run on SQLite:
// compiled anew (prepare, bind, step every row reading every column, finalize)
// or, when `kept` holds a compiled statement, only bound and stepped again.
int runDirect(sqlite3* db, const Query* q, sqlite3_stmt* kept = nullptr)
{
    sqlite3_stmt* st = kept;
    if (!st) {
        const QByteArray sql = q->sql().toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK)
            return -1;
    } else {
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
    }
    for (int i = 1; i <= sqlite3_bind_parameter_count(st); ++i) {
        const QString name = QString::fromUtf8(sqlite3_bind_parameter_name(st, i)).mid(1);
        const QVariant value = q->boundValue(name);
        if (value.isNull())
            sqlite3_bind_null(st, i);
        else if (value.typeId() == QMetaType::QString)
            sqlite3_bind_text(st, i, value.toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
        else if (value.typeId() == QMetaType::Double)
            sqlite3_bind_double(st, i, value.toDouble());
        else
            sqlite3_bind_int64(st, i, value.toLongLong());
    }
    int rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int col = 0; col < sqlite3_column_count(st); ++col) {
            if (sqlite3_column_type(st, col) == SQLITE_TEXT)
                benchmark::DoNotOptimize(sqlite3_column_text(st, col));
            else
                benchmark::DoNotOptimize(sqlite3_column_double(st, col));
        }
        ++rows;
    }
    if (!kept)
        sqlite3_finalize(st);
    return rows;
}

struct Operation {
    const char* name;
    int classId;
    const char* system;
    const char* property;
    const char* query;
    std::function<void(TdmDataModule&)> run;
};

const QList<Operation>& operations()
{
    static const QList<Operation> list = {
        {"OpenSystems", 2, "Ag-Sn", "Density", "qrTabUkl", [](TdmDataModule& dm) { dm.OpenSystems(); }},
        {"OpenAxisLabel", 2, "Ag-Sn", "Density", "qrX", [](TdmDataModule& dm) { dm.OpenAxisLabel(); }},
        {"OpenElements", 2, "Ag-Sn", "Density", "qrPierwiastki", [](TdmDataModule& dm) { dm.OpenElements(); }},
        {"OpenPublications", 2, "Ag-Sn", "Density", "qrAutor", [](TdmDataModule& dm) { dm.OpenPublications(); }},
        {"OpenEutectics", 5, "Ag-Bi-Cu-Sb-Sn", "Density", "qrEut", [](TdmDataModule& dm) { dm.OpenEutectics(); }},
        {"OpenEquations", 2, "Ag-Sn", "Density", "qrRownania", [](TdmDataModule& dm) { dm.OpenEquations(); }},
        {"OpenSectionEquations", 5, "Ag-Bi-Cu-Sb-Sn", "Density", "qrDane45",
         [](TdmDataModule& dm) { dm.OpenSectionEquations(); }},
        {"OpenIsothermValues(2)", 2, "Ag-Sn", "Density", "qrPunkty2", [](TdmDataModule& dm) { dm.OpenIsothermValues(2); }},
        {"OpenSectionValues(1)", 5, "Ag-Bi-Cu-Sb-Sn", "Density", "qrWyniki45",
         [](TdmDataModule& dm) { dm.OpenSectionValues(1); }},
        {"OpenEndPoints(1)", 2, "Ag-Sn", "Density", "qrMinMax1", [](TdmDataModule& dm) { dm.OpenEndPoints(1); }},
        {"OpenViscosityResults(1)", 2, "Ag-Sn", "Viscosity", "qrExp",
         [](TdmDataModule& dm) { dm.OpenViscosityResults(1); }},
        {"OpenDTA", 2, "Ag-Sn", "Density", "qrDTA",
         [](TdmDataModule& dm) { dm.query(QStringLiteral("qrDTA"))->close(); dm.OpenDTA(); }},
    };
    return list;
}

void BM_Operation(benchmark::State& state, const Operation* op)
{
    choose(op->classId, QString::fromLatin1(op->system), QString::fromLatin1(op->property));
    Query* q = g_program->dm->query(QString::fromLatin1(op->query));
    for (auto _ : state)
        op->run(*g_program->dm);
    state.counters["rows"] = q->rowCount();
    if (!q->isOpen())
        state.SkipWithError(qPrintable(QStringLiteral("the query did not open: ") + q->lastError()));
}

void BM_SqliteFloor(benchmark::State& state, const Operation* op, bool keep)
{
    choose(op->classId, QString::fromLatin1(op->system), QString::fromLatin1(op->property));
    Query* q = g_program->dm->query(QString::fromLatin1(op->query));
    op->run(*g_program->dm);
    sqlite3* db = nullptr;
    sqlite3_open_v2(g_file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* kept = nullptr;
    if (keep) {
        const QByteArray sql = q->sql().toUtf8();
        sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &kept, nullptr);
    }
    int rows = 0;
    for (auto _ : state)
        rows = runDirect(db, q, kept);
    sqlite3_finalize(kept);
    sqlite3_close(db);
    state.counters["rows"] = rows;
    if (rows != q->rowCount())
        state.SkipWithError("the direct statement read another number of rows");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString source = QStringLiteral(KORVEL_SHIPPED_DB);
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1String("--db=")))
            source = arg.mid(5);
        else
            rest.push_back(argv[i]);
    }
    if (!QFile::exists(source)) {
        std::fprintf(stderr, "no database at %s (build the target korvel_shipped_database)\n", qPrintable(source));
        return 1;
    }
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Database"));
    QDir(dir.path()).mkpath(QStringLiteral("Save"));
    g_file = dir.filePath(QStringLiteral("Database/korvel3.sqlite"));
    QFile::copy(source, g_file);
    QFile(g_file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    dirs::overrideApplicationDir(dir.path());
    test::ScriptedUi ui;
    Program program;
    program.dm.reset(new TdmDataModule);
    program.dm->setChartInputs(&program.inputs);
    g_program = &program;
    // Viscosity results need the computed table filled once.
    choose(2, QStringLiteral("Ag-Sn"), QStringLiteral("Viscosity"));
    try {
        program.dm->FillViscosityTable(1);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "refill: %s\n", e.what());
    }
    for (const Operation& op : operations()) {
        benchmark::RegisterBenchmark((std::string(op.name) + "/data module").c_str(), BM_Operation, &op)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string(op.name) + "/SQLite C API").c_str(), BM_SqliteFloor, &op, false)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string(op.name) + "/SQLite C API, kept statement").c_str(), BM_SqliteFloor, &op, true)
            ->Unit(benchmark::kMicrosecond);
    }
    int count = int(rest.size());
    benchmark::Initialize(&count, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    program.dm.reset();
    dirs::overrideApplicationDir(QString());
    return 0;
}
