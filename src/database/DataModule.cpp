#include "DataModule.h"

#include "ValidRanges.h"
#include "StartupHealthCheck.h"

#include "DataSource.h"
#include "Query.h"
#include "QueryCatalogue.h"
#include "core/Directories.h"
#include "core/UiServices.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QRegularExpression>
#include <cmath>
#include <stdexcept>

namespace korvel {
namespace {

TdmDataModule* g_instance = nullptr;
int g_connectionCounter = 0;


const char* kDatabaseFile = "korvel3.sqlite";

QString slotSuffix(const char* base, int n)
{
    return n == 1 ? QString::fromLatin1(base) : QString::fromLatin1(base) + QString::number(n);
}

} // namespace

TdmDataModule::TdmDataModule(QObject* parent)
    : QObject(parent), m_connection(QStringLiteral("korvel-%1").arg(++g_connectionCounter))
{
    setObjectName(QStringLiteral("dmDataModule"));
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &TdmDataModule::retryBusyFile);
    if (!g_instance)
        g_instance = this;
    for (const CatalogueEntry& entry : catalogue::entries())
        add(entry.query, entry.dataSource, entry.lines);
    ComputeDatabaseDir();
    BindDatabase();
}

TdmDataModule::~TdmDataModule()
{
    CloseAll();
    for (Query* q : std::as_const(m_queries)) {
        q->disconnect();
        q->releaseStatement();
    }
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    if (g_instance == this)
        g_instance = nullptr;
}

TdmDataModule* TdmDataModule::instance() { return g_instance; }

void TdmDataModule::add(const QString& queryName, const QString& sourceName, const QStringList& lines)
{
    auto* q = new Query(queryName, lines, m_connection, this);
    m_queries.insert(queryName, q);
    m_sources.insert(sourceName, new DataSource(sourceName, q, this));
}

Query* TdmDataModule::query(const QString& name) const { return m_queries.value(name); }
DataSource* TdmDataModule::dataSource(const QString& name) const { return m_sources.value(name); }

QString TdmDataModule::ComputeDatabaseDir()
{
    m_databaseDir = dirs::databaseDirFor(dirs::applicationDir());
    return m_databaseDir;
}

void TdmDataModule::BindDatabase()
{
    m_retry.stop();
    CloseAll();
    // Compiled statements belong to the connection about to be closed.
    for (Query* q : std::as_const(m_queries))
        q->releaseStatement();
    {
        QSqlDatabase old = QSqlDatabase::database(m_connection, false);
        if (old.isValid())
            old.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    const QString file = dirs::join(m_databaseDir, QString::fromLatin1(kDatabaseFile));
    // The program never creates the database: open the file only when it exists.
    if (QFileInfo(m_databaseDir).isDir() && QFileInfo(file).isFile()) {
        db.setDatabaseName(file);
        // A second instance writing at the same moment is waited for, then reported.
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs);
        const bool installed = dirs::isInstalledDatabase(m_databaseDir);
        if (installed)
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        if (db.open() && installed)
            shadowViscosityTables(db);
    }
    detectStartupProblem();
    // A file another program holds is not waited for again list by list: it is
    // tried every RetryMs without waiting, and the lists are read once it answers.
    if (m_health->busy()) {
        m_retry.start(RetryMs);
        return;
    }
    m_binding = true;
    OpenClasses();
    OpenProperties();
    m_binding = false;
}

// The installed database is shared and read-only: the four computed viscosity
// tables get a copy of the connection's own (SQLite's temp schema, kept in
// memory), which the unqualified table names reach before the shipped ones.
void TdmDataModule::shadowViscosityTables(QSqlDatabase& db)
{
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA temp_store = MEMORY"));
    for (int n = 1; n <= 4; ++n) {
        const QString table = catalogue::viscosityTable(n);
        QSqlQuery schema(db);
        schema.prepare(QStringLiteral("SELECT sql FROM main.sqlite_master WHERE type = 'table' AND name = ?"));
        schema.addBindValue(table);
        if (!schema.exec() || !schema.next())
            continue; // a missing table is reported when it is first used
        QString create = schema.value(0).toString();
        create.replace(QRegularExpression(QStringLiteral("^\\s*CREATE\\s+TABLE\\s+"),
                                          QRegularExpression::CaseInsensitiveOption),
                       QStringLiteral("CREATE TEMP TABLE "));
        QSqlQuery(db).exec(create);
        QSqlQuery(db).exec(QStringLiteral("INSERT INTO temp.%1 SELECT * FROM main.%1").arg(table));
    }
}

QString TdmDataModule::databaseFile() const { return dirs::join(m_databaseDir, QString::fromLatin1(kDatabaseFile)); }

void TdmDataModule::detectStartupProblem()
{
    m_health = std::make_unique<StartupHealthCheck>(m_databaseDir, databaseFile(), m_connection);
    m_health->run();
}

QString TdmDataModule::startupProblem() const { return m_health ? m_health->problem() : QString(); }

QString TdmDataModule::writeRefusal() const { return m_health ? m_health->writeRefusal() : QString(); }

void TdmDataModule::finishHealthCheck()
{
    if (m_binding || !m_health || !m_health->deferred())
        return;
    m_retry.stop();
    const bool wasBusy = m_health->busy();
    const QString problem = m_health->finishDeferred();
    if (!problem.isEmpty() && !(wasBusy && m_health->busy()))
        ui().error(problem);
    // A file busy at start gave no lists; they are read now that it answers.
    if (!m_health->busy()) {
        OpenClasses();
        OpenProperties();
    }
}

void TdmDataModule::retryBusyFile()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery(db).exec(QStringLiteral("PRAGMA busy_timeout = 0"));
    finishHealthCheck();
    QSqlQuery(db).exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(BusyTimeoutMs));
    if (m_health && m_health->busy())
        m_retry.start(RetryMs);
}

void TdmDataModule::CloseAll()
{
    for (Query* q : std::as_const(m_queries))
        q->close();
}

// ---- choices ---------------------------------------------------------------

QVariant TdmDataModule::chosenClass() const { return query(QStringLiteral("qrSelect"))->field(QStringLiteral("ID_SELECT")); }
QVariant TdmDataModule::chosenSystem() const { return query(QStringLiteral("qrTabUkl"))->field(QStringLiteral("ID_TAB_UKL")); }
int TdmDataModule::systemClass() const { return query(QStringLiteral("qrTabUkl"))->field(QStringLiteral("ID_SELECT")).toInt(); }
QVariant TdmDataModule::chosenProperty() const { return query(QStringLiteral("qrWlasnosci"))->field(QStringLiteral("ID_WLASCIWOSCI")); }

int TdmDataModule::molarProperty() const
{
    const int property = chosenProperty().toInt();
    return property == 3 ? 1 : property;
}

QVariant TdmDataModule::temperature(int n) const
{
    const QString text = m_chart ? m_chart->temperatureText(n) : QString();
    if (text.isEmpty())
        return QVariant(QMetaType::fromType<int>());
    return integerFromText(text);
}

void TdmDataModule::markExtrapolated(Query* q, const QString& valueColumn, int property, int n)
{
    const QVariant t = temperature(n);
    if (!q || !q->isOpen() || t.isNull())
        return;
    const int xColumn = q->columnIndex(QStringLiteral("X"));
    const int valueIndex = q->columnIndex(valueColumn);
    if (xColumn < 0 || valueIndex < 0)
        return;
    const ValidRanges ranges = ValidRanges::read(QSqlDatabase::database(m_connection, false), property, chosenSystem().toInt(),
                                                 query(QStringLiteral("qrAutor"))->field(QStringLiteral("ID_PUBLIKACJI")).toInt());
    if (ranges.isEmpty())
        return;
    Query::CellMarks marks;
    for (int row = 0; row < q->rowCount(); ++row) {
        const QVariant x = q->value(row, xColumn);
        if (!x.isNull() && ranges.isExtrapolated(t.toDouble(), x.toDouble()))
            marks.insert({row, valueIndex}, kExtrapolatedMark);
    }
    if (!marks.isEmpty())
        q->setCellMarks(marks);
}

QString TdmDataModule::publicationText(int page) const { return m_chart ? m_chart->publicationText(page) : QString(); }

bool TdmDataModule::openSilently(Query* q)
{
    finishHealthCheck();
    return q->open();
}

bool TdmDataModule::openReported(Query* q, const QString& message)
{
    finishHealthCheck();
    if (q->open())
        return true;
    ui().error(message);
    return false;
}

// ---- lists -------------------------------------------------------------------

void TdmDataModule::OpenClasses()
{
    Query* q = query(QStringLiteral("qrSelect"));
    if (!q->isOpen())
        openSilently(q);
}

void TdmDataModule::OpenProperties()
{
    Query* q = query(QStringLiteral("qrWlasnosci"));
    if (!q->isOpen())
        openSilently(q);
}

void TdmDataModule::OpenSystems()
{
    Query* q = query(QStringLiteral("qrTabUkl"));
    q->close();
    q->bind(QStringLiteral("lIdUkladu"), chosenClass());
    openSilently(q);
}

void TdmDataModule::OpenAxisLabel()
{
    Query* q = query(QStringLiteral("qrX"));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    openSilently(q);
}

bool TdmDataModule::OpenElements()
{
    Query* q = query(QStringLiteral("qrPierwiastki"));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    return openReported(q, QStringLiteral("Blad w Pierwiastkach"));
}

void TdmDataModule::OpenPublications()
{
    Query* q = query(QStringLiteral("qrAutor"));
    q->close();
    q->bind(QStringLiteral("lWlasciwosc"), chosenProperty());
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    openSilently(q);
}

void TdmDataModule::OpenPublications2()
{
    Query* q = query(QStringLiteral("qrAutor1"));
    q->close();
    q->bind(QStringLiteral("lWlasciwosc"), chosenProperty());
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    openSilently(q);
}

void TdmDataModule::OpenChosenPublications(const QString& commaText)
{
    Query* q = query(QStringLiteral("qrPublikacje"));
    q->close();
    q->setLines(catalogue::chosenPublicationsStatement(commaText));
    openSilently(q);
}

void TdmDataModule::OpenEutectics()
{
    Query* q = query(QStringLiteral("qrEut"));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    openSilently(q);
}

void TdmDataModule::OpenDTA()
{
    Query* q = query(QStringLiteral("qrDTA"));
    if (!q->isOpen())
        openSilently(q);
}

// ---- equations and values ----------------------------------------------------

void TdmDataModule::OpenEquations()
{
    Query* q = query(QStringLiteral("qrRownania"));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    const QString page1 = publicationText(1);
    q->bind(QStringLiteral("lPublikacja"), !page1.isEmpty() ? page1 : publicationText(0));
    q->bind(QStringLiteral("lWlasciwosc"), chosenProperty());
    openSilently(q);
}

void TdmDataModule::OpenEquations2()
{
    Query* q = query(QStringLiteral("qrRownania2"));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    const QString page2 = publicationText(2);
    q->bind(QStringLiteral("lPublikacja"), !page2.isEmpty() ? page2 : publicationText(0));
    q->bind(QStringLiteral("lWlasciwosc"), chosenProperty());
    openSilently(q);
}

void TdmDataModule::OpenSectionEquations()
{
    Query* q = query(QStringLiteral("qrDane45"));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    q->bind(QStringLiteral("lPublikacja"), query(QStringLiteral("qrAutor"))->field(QStringLiteral("ID_PUBLIKACJI")));
    q->bind(QStringLiteral("lWlasciwosc"), chosenProperty());
    q->bind(QStringLiteral("lEut"), query(QStringLiteral("qrEut"))->field(QStringLiteral("ID_EUTEKTYKI")));
    openSilently(q);
}

void TdmDataModule::OpenSectionEquations2()
{
    Query* q = query(QStringLiteral("qrDane452"));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    q->bind(QStringLiteral("lPublikacja"), query(QStringLiteral("qrAutor1"))->field(QStringLiteral("ID_PUBLIKACJI")));
    q->bind(QStringLiteral("lWlasciwosc"), chosenProperty());
    q->bind(QStringLiteral("lEut"), query(QStringLiteral("qrEut"))->field(QStringLiteral("ID_EUTEKTYKI")));
    openSilently(q);
}

Query* TdmDataModule::OpenIsothermValues(int n)
{
    const QVariant t = temperature(n);
    Query* q = query(QStringLiteral("qrPunkty%1").arg(n));
    q->close();
    if (n == 1)
        q->setLines(catalogue::punkty1Statement());
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    q->bind(QStringLiteral("lPublikacja"), query(QStringLiteral("qrAutor"))->field(QStringLiteral("ID_PUBLIKACJI")));
    q->bind(QStringLiteral("lWlasciwosc"), chosenProperty());
    q->bind(QStringLiteral("t%1").arg(n), t);
    q->setDisplayFormat(QStringLiteral("DensityT%1").arg(n), QStringLiteral("#.##"));
    openSilently(q);
    markExtrapolated(q, QStringLiteral("DensityT%1").arg(n), chosenProperty().toInt(), n);
    return q;
}

Query* TdmDataModule::OpenSectionValues(int n)
{
    const QVariant t = temperature(n);
    Query* q = query(slotSuffix("qrWyniki45", n));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    q->bind(QStringLiteral("lPublikacja"), query(QStringLiteral("qrAutor"))->field(QStringLiteral("ID_PUBLIKACJI")));
    q->bind(QStringLiteral("lWlasciwosc"), chosenProperty());
    q->bind(QStringLiteral("lEut"), query(QStringLiteral("qrEut"))->field(QStringLiteral("ID_EUTEKTYKI")));
    q->bind(QStringLiteral("t%1").arg(n), t);
    q->setDisplayFormat(QStringLiteral("DensityT%1").arg(n), QStringLiteral("#.##"));
    openSilently(q);
    markExtrapolated(q, QStringLiteral("DensityT%1").arg(n), chosenProperty().toInt(), n);
    return q;
}

QString TdmDataModule::molarVolumeQueryName(const QString& className, const QString& systemName, int n)
{
    if (className == QLatin1String("Pure metals"))
        return QStringLiteral("qrUkl1%1").arg(n);
    if (className == QLatin1String("Binary systems"))
        return QStringLiteral("qrUkl2%1").arg(n);
    if (className == QLatin1String("Ternary systems"))
        return QStringLiteral("qrUkl3%1").arg(n);
    if (className == QLatin1String("Quaternary systems")) {
        if (n == 1 || systemName == QLatin1String("Ag-Bi-Cu-Sn"))
            return QStringLiteral("qrUkl454%1").arg(n);
        return QStringLiteral("qrUkl4%1").arg(n);
    }
    if (className == QLatin1String("Quinary systems"))
        return QStringLiteral("qrUkl5%1").arg(n);
    return {};
}

Query* TdmDataModule::OpenMolarVolume(const QString& className, const QString& systemName, int n)
{
    const QString name = molarVolumeQueryName(className, systemName, n);
    Query* q = query(name);
    if (!q)
        return nullptr;
    const QVariant t = temperature(n);
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    q->bind(QStringLiteral("lPublikacja"), query(QStringLiteral("qrAutor"))->field(QStringLiteral("ID_PUBLIKACJI")));
    q->bind(QStringLiteral("lWlasciwosc"), molarProperty());
    q->bind(QStringLiteral("t%1").arg(n), t);
    if (!name.startsWith(QLatin1String("qrUkl1")) && !name.startsWith(QLatin1String("qrUkl2")))
        q->bind(QStringLiteral("lEut"), query(QStringLiteral("qrEut"))->field(QStringLiteral("ID_EUTEKTYKI")));
    q->setDisplayFormat(QStringLiteral("VT%1").arg(n), QStringLiteral("#.##"));
    openSilently(q);
    markExtrapolated(q, QStringLiteral("VT%1").arg(n), molarProperty(), n);
    return q;
}

Query* TdmDataModule::OpenViscosityResults(int n)
{
    Query* q = query(slotSuffix("qrExp", n));
    q->close();
    q->setDisplayFormat(QStringLiteral("Visco"), QStringLiteral("#.##"));
    openSilently(q);
    markExtrapolated(q, QStringLiteral("Visco"), chosenProperty().toInt(), n);
    return q;
}

Query* TdmDataModule::OpenEndPoints(int n)
{
    const QVariant t = temperature(n);
    Query* q = query(QStringLiteral("qrMinMax%1").arg(n));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    q->bind(QStringLiteral("lPublikacja"), query(QStringLiteral("qrAutor"))->field(QStringLiteral("ID_PUBLIKACJI")));
    q->bind(QStringLiteral("lWlasciwosc"), chosenProperty());
    q->bind(QStringLiteral("t%1").arg(n), t);
    openSilently(q);
    return q;
}

Query* TdmDataModule::OpenMolarEndPoints(int n)
{
    const QVariant t = temperature(n);
    Query* q = query(QStringLiteral("qrMinMax%1M").arg(n));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    q->bind(QStringLiteral("lPublikacja"), query(QStringLiteral("qrAutor"))->field(QStringLiteral("ID_PUBLIKACJI")));
    q->bind(QStringLiteral("lWlasciwosc"), molarProperty());
    q->bind(QStringLiteral("t%1").arg(n), t);
    openSilently(q);
    return q;
}

// ---- temperature lines and points ----------------------------------------------

void TdmDataModule::readLineEnds(const QString& queryName, int page, bool section, LineRecord& record)
{
    const QVariant system = chosenSystem();
    const QString key = publicationText(page);
    const QVariant property = chosenProperty();
    // The page's equation grid shows qrRownania/qrRownania2 for pure metals and
    // binary systems and qrDane45/qrDane452 for the multicomponent ones.
    const QString equationsName = section ? (page == 1 ? QStringLiteral("qrDane45") : QStringLiteral("qrDane452"))
                                          : (page == 1 ? QStringLiteral("qrRownania") : QStringLiteral("qrRownania2"));
    const QVariant x = query(equationsName)->field(QStringLiteral("X"));
    if (x.isNull())
        return;
    Query* q = query(queryName);
    q->close();
    // Page 1 asks viscosity lines for A*exp(B/(R*T)); the others use A + B*T.
    const bool viscosityLog = page == 1 && !section && property.toInt() == 4;
    q->setLines(catalogue::lineEndsStatement(page, section, viscosityLog));
    if (viscosityLog)
        q->bind(QStringLiteral("lR"), R);
    q->bind(QStringLiteral("lUklad"), system);
    q->bind(QStringLiteral("lPublikacja"), key);
    q->bind(QStringLiteral("lWlasciwosc"), property);
    q->bind(page == 1 ? QStringLiteral("lx1") : QStringLiteral("lx2"), x.toDouble());
    if (section) {
        q->bind(QStringLiteral("lEut"), m_chart ? m_chart->selectedEutectic() : 0);
        q->bind(QStringLiteral("Nr"), query(equationsName)->field(QStringLiteral("Nr")));
    }
    if (!openSilently(q))
        return;
    q->setCurrentRow(q->rowCount() - 1); // the last row, whatever the count
    if (q->rowCount() != 2)
        return;
    record.t1 = q->value(0, QStringLiteral("T")).toInt();
    record.value1 = FixedPoint4::fromDouble(q->value(0, QStringLiteral("DensityT1")).toDouble());
    record.t2 = q->value(1, QStringLiteral("T")).toInt();
    record.value2 = FixedPoint4::fromDouble(q->value(1, QStringLiteral("DensityT1")).toDouble());
}

void TdmDataModule::ReadLineEnds1(LineRecord& record) { readLineEnds(QStringLiteral("qrPunktyTemp"), 1, false, record); }
void TdmDataModule::ReadLineEnds2(LineRecord& record) { readLineEnds(QStringLiteral("qrPunktyTemp2"), 2, false, record); }
void TdmDataModule::ReadSectionLineEnds1(LineRecord& record) { readLineEnds(QStringLiteral("qrPunktyTemp451"), 1, true, record); }
void TdmDataModule::ReadSectionLineEnds2(LineRecord& record) { readLineEnds(QStringLiteral("qrPunktyTemp452"), 2, true, record); }

bool TdmDataModule::OpenPointSources()
{
    Query* q = query(QStringLiteral("qrPunktyDos"));
    q->close();
    q->bind(QStringLiteral("lPublikacja"), publicationText(1));
    return openReported(q, QStringLiteral("Blad w PunktyDos"));
}

void TdmDataModule::OpenPoints()
{
    Query* q = query(QStringLiteral("qrPunktyD"));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    const QVariant id = query(QStringLiteral("qrPunktyDos"))->value(query(QStringLiteral("qrPunktyDos"))->currentRow(), 0);
    q->bind(QStringLiteral("lPublikacja"), id.isNull() ? QVariant() : QVariant(id.toString()));
    q->bind(QStringLiteral("lWlasciwosc"), chosenProperty());
    q->bind(QStringLiteral("X"), m_chart ? m_chart->lineComposition().toDouble() : 0.0);
    openSilently(q);
}

void TdmDataModule::OpenSectionPoints()
{
    Query* q = query(QStringLiteral("qrPunkty45"));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    QVariant publication = query(QStringLiteral("qrPunktyDos"))->field(QStringLiteral("ID_PUBLIKACJI"));
    if (publication.isNull())
        publication = query(QStringLiteral("qrAutor"))->field(QStringLiteral("ID_PUBLIKACJI"));
    q->bind(QStringLiteral("lPublikacja"), publication);
    q->bind(QStringLiteral("lWlasciwosc"), chosenProperty());
    q->bind(QStringLiteral("lEut"), m_chart ? m_chart->selectedEutectic() : 0);
    q->bind(QStringLiteral("X"), m_chart ? m_chart->lineComposition().toDouble() : 0.0);
    q->bind(QStringLiteral("Nr"), query(QStringLiteral("qrDane45"))->field(QStringLiteral("Nr")));
    openSilently(q);
}

// ---- browsers -------------------------------------------------------------------

void TdmDataModule::OpenFigures(const QString& publicationKey)
{
    Query* q = query(QStringLiteral("qrFig"));
    q->close();
    q->bind(QStringLiteral("lWlasciwosc"), chosenProperty());
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    q->bind(QStringLiteral("lPublikacja"), publicationKey);
    openSilently(q);
}

bool TdmDataModule::OpenMeniscusSources()
{
    Query* q = query(QStringLiteral("qrAutorMenisk"));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    return openReported(q, QStringLiteral("Blad w AutorMenisk"));
}

bool TdmDataModule::OpenMeniscusMeasurements()
{
    Query* q = query(QStringLiteral("qrMenisk"));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    return openReported(q, QStringLiteral("Blad w Menisk"));
}

bool TdmDataModule::OpenMeniscusPictures()
{
    Query* q = query(QStringLiteral("qrMeniskFig"));
    q->close();
    q->bind(QStringLiteral("lUklad"), chosenSystem());
    q->bind(QStringLiteral("lPublikacja"), query(QStringLiteral("qrAutorMenisk"))->field(QStringLiteral("ID_AUTOR_MENISK")));
    return openReported(q, QStringLiteral("Blad w MeniskFig"));
}

void TdmDataModule::OpenMeniscusFigureKinds()
{
    Query* q = query(QStringLiteral("qrSelectMeniskFig"));
    if (!q->isOpen())
        openSilently(q);
}

// ---- computed viscosity tables -----------------------------------------------------

void TdmDataModule::AppendViscosity(int n, const QString& label, double value, double x)
{
    writer().append(n, {label, value, x});
}

ViscosityTableWriter TdmDataModule::writer() const { return ViscosityTableWriter(m_connection, databaseFile()); }

void TdmDataModule::checkViscosityTable(int n) const
{
    const_cast<TdmDataModule*>(this)->finishHealthCheck();
    writer().check(n, writeRefusal());
}

void TdmDataModule::FillViscosityTable(int n)
{
    const int t = integerFromText(m_chart ? m_chart->temperatureText(n) : QString());
    checkViscosityTable(n);
    if (t <= 0)
        throw std::runtime_error(QStringLiteral("The viscosity cannot be calculated at T%1 = %2 K: the temperature "
                                                "must be above 0 K.").arg(n).arg(t).toStdString());
    OpenEquations();
    const bool section = systemClass() >= 3;
    if (section)
        OpenSectionEquations();
    Query* equations = query(section ? QStringLiteral("qrDane45") : QStringLiteral("qrRownania"));
    if (!equations->isOpen())
        throw std::runtime_error(QStringLiteral("The viscosity equations cannot be read from %1, so the calculated "
                                                "values of T%2 were left as they were: %3")
                                     .arg(QDir::toNativeSeparators(databaseFile())).arg(n).arg(equations->lastError())
                                     .toStdString());

    // Every value is computed before the table is touched.
    QList<ViscosityTableWriter::Row> rows;
    rows.reserve(equations->rowCount());
    for (int row = 0; row < equations->rowCount(); ++row) {
        const double a = equations->value(row, QStringLiteral("A")).toDouble();
        const double b = equations->value(row, QStringLiteral("B")).toDouble();
        const double x = equations->value(row, QStringLiteral("X")).toDouble();
        const double value = a * std::exp(b / (R * t));
        if (!std::isfinite(value))
            throw std::runtime_error(QStringLiteral("The viscosity at T%1 = %2 K is not a finite number for X = %3 "
                                                    "(A = %4, B = %5); nothing was calculated.")
                                         .arg(n).arg(t).arg(generalFloatText(x), generalFloatText(a), generalFloatText(b))
                                         .toStdString());
        rows.append({section ? equations->value(row, QStringLiteral("UKLAD")).toString() : QString(), value, x});
    }

    // The result query keeps its rows until the new ones are written, and reads
    // them inside the same transaction: what it shows is what this program
    // wrote, even when another copy refills the same table right after.
    writer().replace(n, rows, [this, n] { OpenViscosityResults(n); }, [this, n] { OpenViscosityResults(n); });
}

} // namespace korvel
