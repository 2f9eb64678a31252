#pragma once
// "Alloy properties": an alloy (mass % or mole fractions) and temperatures (°C or K) in; a table
// of every property by every method with its unit, source and flags (the method cell's tooltip
// gives the method's deviation from the database's measurements), the melting range and a
// chart of each property against temperature with the liquidus marked; copy and CSV export.
// The numbers come from the engine (src/alloy); this window only wires widgets to it.
#include "AlloyCalculator.h"
#include "MethodDeviations.h"
#include "DatabaseDatasets.h"

#include <QWidget>

#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace korvel::calculator {

class AlloyChart;

class AlloyWindow : public QWidget {
    Q_OBJECT
public:
    // dataDir: the calculator's inputs (Database/Thermo beside the program); databaseFile: the
    // property database whose measured and calculated rows are methods too.
    AlloyWindow(QString dataDir, QString databaseFile, QWidget *parent = nullptr);
    ~AlloyWindow() override;

    // Shows the one window of the program, creating it on first use.
    static AlloyWindow *open();
    // The folder of the calculator's inputs: Thermo in the database folder in use, else beside
    // the program.
    static QString defaultDataDir();
    // The property database in use: korvel3.sqlite of the same database folder.
    static QString defaultDatabaseFile();

    // Calculates what the fields ask; a refused input is reported and leaves the table empty.
    bool calculate();
    void copyToClipboard() const;
    bool exportCsv(); // asks for the file through the UI services
    const std::optional<alloy::AlloyResult> &result() const { return m_result; }

private:
    void fillTable();
    alloy::TemperatureUnit unit() const;
    const alloy::AlloyCalculator *calculator();

    QString m_dataDir, m_databaseFile;
    std::unique_ptr<alloy::AlloyData> m_data;
    std::unique_ptr<alloy::DatabaseDatasets> m_database;
    std::unique_ptr<alloy::AlloyCalculator> m_calculator;
    alloy::MethodDeviations m_deviations;
    std::optional<alloy::AlloyResult> m_result;

    QLineEdit *m_alloy = nullptr;        // edAlloy
    QComboBox *m_basis = nullptr;        // cbBasis
    QLineEdit *m_temperatures = nullptr; // edTemperatures
    QComboBox *m_unit = nullptr;         // cbUnit
    QPushButton *m_calculate = nullptr;  // sbCalculate
    QPushButton *m_copy = nullptr;       // sbCopy
    QPushButton *m_export = nullptr;     // sbExport
    QLabel *m_melting = nullptr;         // lblMelting
    QLabel *m_notes = nullptr;           // lblNotes
    QTableWidget *m_table = nullptr;     // dbgAlloy
    AlloyChart *m_chart = nullptr;
};

} // namespace korvel::calculator
