#include "AlloyWindow.h"

#include "AlloyChart.h"
#include "CalculatorOutput.h"
#include "core/Directories.h"
#include "core/UiServices.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>

#include <stdexcept>

namespace korvel::calculator {

namespace {

QString text(const std::string &s) { return QString::fromStdString(s); }

constexpr const char *kColumns[] = {"Temperature", "Property", "Method", "Value", "Unit", "Source", "Flags"};

} // namespace

AlloyWindow::AlloyWindow(QString dataDir, QString databaseFile, QWidget *parent)
    : QWidget(parent), m_dataDir(std::move(dataDir)), m_databaseFile(std::move(databaseFile))
{
    setObjectName(QStringLiteral("fmAlloy"));
    setWindowTitle(QStringLiteral("Alloy properties"));
    auto *grid = new QGridLayout(this);

    m_alloy = new QLineEdit(QStringLiteral("Sn-3Ag-0.5Cu"), this);
    m_alloy->setObjectName(QStringLiteral("edAlloy"));
    m_basis = new QComboBox(this);
    m_basis->setObjectName(QStringLiteral("cbBasis"));
    m_basis->addItems({QStringLiteral("mass %"), QStringLiteral("mole fractions")});
    m_temperatures = new QLineEdit(QStringLiteral("250"), this);
    m_temperatures->setObjectName(QStringLiteral("edTemperatures"));
    m_temperatures->setToolTip(QStringLiteral("One value, a list (250, 300) or from:to:step (200:400:10)"));
    m_unit = new QComboBox(this);
    m_unit->setObjectName(QStringLiteral("cbUnit"));
    m_unit->addItems({QStringLiteral("\u00B0C"), QStringLiteral("K")});
    m_calculate = new QPushButton(QStringLiteral("Calculate"), this);
    m_calculate->setObjectName(QStringLiteral("sbCalculate"));
    m_calculate->setDefault(true);
    m_copy = new QPushButton(QStringLiteral("Copy"), this);
    m_copy->setObjectName(QStringLiteral("sbCopy"));
    m_export = new QPushButton(QStringLiteral("Export CSV..."), this);
    m_export->setObjectName(QStringLiteral("sbExport"));
    m_copy->setEnabled(false);
    m_export->setEnabled(false);

    grid->addWidget(new QLabel(QStringLiteral("Alloy"), this), 0, 0);
    grid->addWidget(m_alloy, 0, 1);
    grid->addWidget(m_basis, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Temperatures"), this), 0, 3);
    grid->addWidget(m_temperatures, 0, 4);
    grid->addWidget(m_unit, 0, 5);
    grid->addWidget(m_calculate, 0, 6);
    grid->addWidget(m_copy, 0, 7);
    grid->addWidget(m_export, 0, 8);

    m_melting = new QLabel(this);
    m_melting->setObjectName(QStringLiteral("lblMelting"));
    m_melting->setWordWrap(true);
    m_notes = new QLabel(this);
    m_notes->setObjectName(QStringLiteral("lblNotes"));
    m_notes->setWordWrap(true);
    grid->addWidget(m_melting, 1, 0, 1, 9);
    grid->addWidget(m_notes, 2, 0, 1, 9);

    m_table = new QTableWidget(0, static_cast<int>(std::size(kColumns)), this);
    m_table->setObjectName(QStringLiteral("dbgAlloy"));
    QStringList headers;
    for (const char *c : kColumns)
        headers << QString::fromLatin1(c);
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_chart = new AlloyChart(this);
    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_table);
    split->addWidget(m_chart);
    grid->addWidget(split, 3, 0, 1, 9);
    grid->setRowStretch(3, 1);
    resize(1000, 720);

    connect(m_calculate, &QPushButton::clicked, this, [this] { calculate(); });
    connect(m_alloy, &QLineEdit::returnPressed, this, [this] { calculate(); });
    connect(m_temperatures, &QLineEdit::returnPressed, this, [this] { calculate(); });
    connect(m_copy, &QPushButton::clicked, this, [this] { copyToClipboard(); });
    connect(m_export, &QPushButton::clicked, this, [this] { exportCsv(); });
}

AlloyWindow::~AlloyWindow() = default;

QString AlloyWindow::defaultDataDir()
{
    const QString override = dirs::databaseDirOverride();
    if (!override.isEmpty() && QDir(dirs::join(override, QStringLiteral("Thermo"))).exists())
        return dirs::join(override, QStringLiteral("Thermo"));
    return dirs::join(dirs::databaseDirFor(dirs::applicationDir()), QStringLiteral("Thermo"));
}

QString AlloyWindow::defaultDatabaseFile()
{
    // The folder the Thermo inputs come from holds the database too.
    return QDir::cleanPath(dirs::join(defaultDataDir(), QStringLiteral("../korvel3.sqlite")));
}

AlloyWindow *AlloyWindow::open()
{
    static QPointer<AlloyWindow> window;
    if (!window) {
        window = new AlloyWindow(defaultDataDir(), defaultDatabaseFile());
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

const alloy::AlloyCalculator *AlloyWindow::calculator()
{
    if (!m_calculator) {
        try {
            m_data = std::make_unique<alloy::AlloyData>(alloy::AlloyData::read(m_dataDir.toStdString()));
            if (!QFileInfo(m_databaseFile).isFile())
                throw std::runtime_error(m_databaseFile.toStdString() + ": no such database file");
            m_database = std::make_unique<alloy::DatabaseDatasets>(alloy::DatabaseDatasets::read(m_databaseFile.toStdString()));
            m_calculator = std::make_unique<alloy::AlloyCalculator>(*m_data, m_database.get());
        } catch (const std::exception &e) {
            ui().error(QStringLiteral("The inputs of the alloy calculator cannot be read: %1").arg(text(e.what())));
            return nullptr;
        }
        try {
            m_deviations = alloy::MethodDeviations::read(alloy::MethodDeviations::fileFor(m_dataDir.toStdString()));
        } catch (const std::exception &e) {
            ui().error(QStringLiteral("The methods' deviations from measurement cannot be read, so the table gives the methods "
                                      "without them: %1").arg(text(e.what())));
        }
    }
    return m_calculator.get();
}

alloy::TemperatureUnit AlloyWindow::unit() const
{
    return m_unit->currentIndex() == 0 ? alloy::TemperatureUnit::Celsius : alloy::TemperatureUnit::Kelvin;
}

bool AlloyWindow::calculate()
{
    m_result.reset();
    m_table->setRowCount(0);
    m_chart->clear();
    m_melting->clear();
    m_notes->clear();
    m_copy->setEnabled(false);
    m_export->setEnabled(false);
    const alloy::AlloyCalculator *calc = calculator();
    if (!calc)
        return false;
    try {
        const alloy::Composition composition = alloy::parseAlloy(
            m_alloy->text().toStdString(), m_basis->currentIndex() == 0 ? alloy::Basis::Mass : alloy::Basis::Mole, calc->molarMasses());
        const std::vector<double> temperatures = alloy::parseTemperatureField(m_temperatures->text().toStdString(), unit());
        m_result = calc->compute(composition, temperatures);
    } catch (const alloy::InputError &e) {
        ui().error(text(e.what()));
        return false;
    }
    fillTable();
    m_chart->show(*m_result, unit());
    m_copy->setEnabled(true);
    m_export->setEnabled(true);
    return true;
}

void AlloyWindow::fillTable()
{
    const alloy::AlloyResult &r = *m_result;
    const QString tUnit = unit() == alloy::TemperatureUnit::Celsius ? QStringLiteral("\u00B0C") : QStringLiteral("K");
    m_table->setRowCount(static_cast<int>(r.values.size() + r.melting.size()));
    int row = 0;
    auto put = [&](int column, const QString &s, const QString &tip = QString()) {
        auto *item = new QTableWidgetItem(s);
        item->setToolTip(tip.isEmpty() ? s : tip);
        m_table->setItem(row, column, item);
    };
    // The method cell's tooltip: its deviation from measurement, where the report holds it.
    auto putMethod = [&](const std::string &property, const std::string &method) {
        put(2, text(method), text(m_deviations.describe(property, method)));
    };
    for (const alloy::PropertyValue &v : r.values) {
        put(0, QStringLiteral("%1 %2").arg(alloy::inUnit(v.T, unit()), 0, 'f', 2).arg(tUnit));
        put(1, text(v.property));
        putMethod(v.property, v.method);
        put(3, text(alloy::valueText(v.value)));
        put(4, text(v.unit));
        put(5, text(v.source));
        put(6, text(v.flags));
        ++row;
    }
    QStringList melting;
    for (const alloy::MeltingValue &m : r.melting) {
        put(0, QString());
        put(1, text(m.property));
        putMethod(m.property, m.method);
        put(3, m.value ? QString::number(*m.value, 'f', 2) : QString());
        put(4, QStringLiteral("K"));
        put(5, text(m.source));
        put(6, text(m.flags));
        ++row;
        QString entry = m.value ? QStringLiteral("%1 %2 K (%3 \u00B0C)")
                                      .arg(text(m.property))
                                      .arg(*m.value, 0, 'f', 2)
                                      .arg(*m.value - alloy::kCelsiusZero, 0, 'f', 2)
                                : QStringLiteral("%1 %2").arg(text(m.property), text(m.flags));
        if (m.method == "measured")
            entry += QStringLiteral(" measured, %1").arg(text(m.source));
        else if (m.value && !m.flags.empty())
            entry += QStringLiteral(" [%1]").arg(text(m.flags)); // the difference from measurement, beside the number
        melting << entry;
    }
    m_melting->setText(text(r.composition.designation) + QStringLiteral(": ") + melting.join(QStringLiteral(", ")));
    QStringList notes;
    for (const std::string &n : r.notes)
        notes << QStringLiteral("Not computed: ") + text(n);
    m_notes->setText(notes.join(QLatin1Char('\n')));
    m_table->resizeColumnsToContents();
}

void AlloyWindow::copyToClipboard() const
{
    if (m_result)
        QApplication::clipboard()->setText(text(alloy::resultTabbed(*m_result)));
}

bool AlloyWindow::exportCsv()
{
    if (!m_result)
        return false;
    const QString path = ui().saveFileName(this, QStringLiteral("Export CSV"), dirs::saveDirFor(dirs::applicationDir()),
                                           QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return false;
    QFile f(path);
    const std::string csv = alloy::resultCsv(*m_result);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size())) {
        ui().error(QStringLiteral("Cannot write %1").arg(path));
        return false;
    }
    return true;
}

} // namespace korvel::calculator
