#pragma once
// The data module: owns every query of the catalogue, its data sources and the
// four computed viscosity tables for the whole run, and offers the operations
// through which the windows use them. Each opening operation reads the user's
// choices from current rows (and from the chart window's texts through
// ChartInputs), closes its query, binds, sets display formats and opens it.
// Failures are swallowed except where an operation reports them.
#include "ViscosityTableWriter.h"
#include "core/Numbers.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
class QSqlDatabase;
class QSqlError;

namespace korvel {

class StartupHealthCheck;
class Query;
class DataSource;

// Two end points of a composition line of a temperature dependence.
struct LineRecord {
    int t1 = 0;
    FixedPoint4 value1;
    int t2 = 0;
    FixedPoint4 value2;
    friend bool operator==(const LineRecord&, const LineRecord&) = default;
};

// The chart window's texts and fields that the operations read.
class ChartInputs {
public:
    virtual ~ChartInputs() = default;
    virtual QString temperatureText(int slot) const = 0; // edT1 .. edT4 (slot 1..4)
    virtual QString publicationText(int page) const = 0; // 0: dblAutor, 1: dblAutor2, 2: dblAutor3
    virtual int selectedEutectic() const = 0;            // SelectedEutectic
    virtual FixedPoint4 lineComposition() const = 0;     // LineComposition
};

class TdmDataModule : public QObject {
    Q_OBJECT
public:
    static constexpr double R = 8.314472;

    // DataModuleCreate: ComputeDatabaseDir, then BindDatabase. The first module
    // created is the program's dmDataModule.
    explicit TdmDataModule(QObject* parent = nullptr);
    ~TdmDataModule() override; // DataModuleDestroy: CloseAll

    static TdmDataModule* instance();

    QString databaseDir() const { return m_databaseDir; }
    QString ComputeDatabaseDir();
    // Points the catalogue at the database in DatabaseDir, names the computed
    // tables and opens the class and property lists.
    void BindDatabase();
    void CloseAll();
    // What could not be opened at start (missing folder, file, table, a column a
    // statement of the catalogue needs, pages SQLite's quick check finds damaged),
    // in words; empty when all is well. The start window tells the user once.
    QString startupProblem() const;
    // Why the computed tables cannot be written (a damaged file is never written
    // to); empty when they can.
    QString writeRefusal() const;
    QString databaseFile() const;
    // How long a write waits for another program (a second instance) holding the
    // database before it gives up with a message.
    static constexpr int BusyTimeoutMs = ViscosityTableWriter::BusyTimeoutMs;
    // How often a file found busy at start is tried again.
    static constexpr int RetryMs = 1000;

    Query* query(const QString& name) const;
    DataSource* dataSource(const QString& name) const;

    void setChartInputs(ChartInputs* inputs) { m_chart = inputs; }
    ChartInputs* chartInputs() const { return m_chart; }

    // Current choices.
    QVariant chosenClass() const;    // ID_SELECT of qrSelect
    QVariant chosenSystem() const;   // ID_TAB_UKL of qrTabUkl
    int systemClass() const;         // ID_SELECT of qrTabUkl (0 when none)
    QVariant chosenProperty() const; // ID_WLASCIWOSCI of qrWlasnosci

    // Lists and choices.
    void OpenClasses();
    void OpenProperties();
    void OpenSystems();
    void OpenAxisLabel();
    bool OpenElements();             // "Blad w Pierwiastkach"
    void OpenPublications();
    void OpenPublications2();
    void OpenChosenPublications(const QString& commaText);
    void OpenEutectics();
    void OpenDTA();

    // Equations and values. Temperature texts that are not integers throw
    // NumberFormatError before the query is touched.
    void OpenEquations();
    void OpenEquations2();
    void OpenSectionEquations();
    void OpenSectionEquations2();
    Query* OpenIsothermValues(int n);
    Query* OpenSectionValues(int n);
    // className: the class name of the start window; systemName picks the
    // quaternary statements of slots 2..4. Returns the query of the slot.
    Query* OpenMolarVolume(const QString& className, const QString& systemName, int n);
    static QString molarVolumeQueryName(const QString& className, const QString& systemName, int n);
    Query* OpenViscosityResults(int n);
    Query* OpenEndPoints(int n);
    Query* OpenMolarEndPoints(int n);

    // Temperature lines and points.
    void ReadLineEnds1(LineRecord& record);
    void ReadLineEnds2(LineRecord& record);
    void ReadSectionLineEnds1(LineRecord& record);
    void ReadSectionLineEnds2(LineRecord& record);
    bool OpenPointSources();         // "Blad w PunktyDos"
    void OpenPoints();
    void OpenSectionPoints();

    // Browsers.
    void OpenFigures(const QString& publicationKey);
    bool OpenMeniscusSources();      // "Blad w AutorMenisk"
    bool OpenMeniscusMeasurements(); // "Blad w Menisk"
    bool OpenMeniscusPictures();     // "Blad w MeniskFig"
    void OpenMeniscusFigureKinds();

    // Computed viscosity tables (slot 1..4).
    void AppendViscosity(int n, const QString& label, double value, double x);
    // Empties the table of slot n and refills it from the current equations at the
    // slot's temperature, in one transaction; binds nothing to grids. Every value
    // is computed before anything is written. Throws NumberFormatError for a bad
    // temperature text and std::runtime_error with a message in words when the
    // equations cannot be read, the temperature gives no finite viscosity (0 K
    // among them), or the table cannot be written; the table is then unchanged.
    void FillViscosityTable(int n);
    // Throws std::runtime_error (in words) when the computed table of slot n is
    // missing or the database cannot be written, so a caller can check every
    // slot before refilling any.
    void checkViscosityTable(int n) const;

    QString connectionName() const { return m_connection; }

private:
    void add(const QString& queryName, const QString& sourceName, const QStringList& lines);
    QVariant temperature(int n) const;
    // Marks each value of the query computed outside the range of its equation
    // (the equations of the property for the chosen system and publication).
    void markExtrapolated(Query* q, const QString& valueColumn, int property, int n);
    QString publicationText(int page) const;
    int molarProperty() const;
    bool openSilently(Query* q);
    bool openReported(Query* q, const QString& message);
    void readLineEnds(const QString& queryName, int page, bool section, LineRecord& record);
    void detectStartupProblem();
    // Runs the checks start-up left for a large or busy file, before the first
    // values are read or written; tells the user what they find.
    void finishHealthCheck();
    ViscosityTableWriter writer() const;
    void retryBusyFile();
    void shadowViscosityTables(QSqlDatabase& db);
    QString catalogueMismatch() const;
    [[noreturn]] void throwWriteFailure(const QSqlError& error) const;

    QString m_databaseDir;
    QString m_connection;
    std::unique_ptr<StartupHealthCheck> m_health;
    bool m_binding = false; // the lists opened by BindDatabase itself
    QTimer m_retry;
    QHash<QString, Query*> m_queries;
    QHash<QString, DataSource*> m_sources;
    ChartInputs* m_chart = nullptr;
};

} // namespace korvel
