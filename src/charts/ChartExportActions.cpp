#include "ChartExportActions.h"

#include "PlotWidget.h"
#include "SeriesValues.h"
#include "SeriesValuesPane.h"
#include "TfmWykres.h"
#include "core/Directories.h"
#include "core/Captions.h"
#include "core/Session.h"
#include "core/UiServices.h"
#include "database/DataModule.h"
#include "database/DataSource.h"
#include "database/Query.h"
#include "export/ChartOutput.h"
#include "export/ExportFile.h"
#include "export/Printers.h"
#include "export/TableText.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupList.h"

#include <QAction>
#include <QDir>
#include <QStatusBar>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace korvel {

namespace {

// The chart window's plot wrapper as the export library sees a chart.
class PlotCanvas : public exports::ChartCanvas {
public:
    explicit PlotCanvas(PlotWidget* chart) : m_chart(chart) {}
    QCustomPlot* plot() const override { return m_chart->plot(); }
    QString title() const override { return m_chart->title(); }
    void setTitle(const QString& text) override { m_chart->setTitle(text); }
    QColor legendColour() const override { return m_chart->legendColour(); }
    void setLegendColour(const QColor& colour) override { m_chart->setLegendColour(colour); }
    QColor panelColour() const override { return m_chart->panelColour(); }
    void setPanelColour(const QColor& colour) override { m_chart->setPanelColour(colour); }

private:
    PlotWidget* m_chart;
};

Query* dataQuery(const char* name)
{
    TdmDataModule* dm = TdmDataModule::instance();
    return dm ? dm->query(QString::fromLatin1(name)) : nullptr;
}

QVariant currentField(const char* query, const char* field)
{
    Query* q = dataQuery(query);
    if (!q || !q->isOpen() || q->currentRow() < 0)
        return {};
    return q->field(QString::fromLatin1(field));
}

Query* gridQuery(DbGrid* grid)
{
    if (!grid || !grid->dataSource())
        return nullptr;
    return grid->dataSource()->query();
}

QString fieldOfColumn(DbGrid* grid, int column)
{
    const QList<GridColumn> cols = grid->columns();
    return column < cols.size() ? cols[column].field : QString();
}

} // namespace

ChartExportActions::ChartExportActions(TfmWykres* window)
    : QObject(window), m_window(window), m_chart(window->chart())
{
    setObjectName(QStringLiteral("ChartExportActions"));
    auto hook = [this](QAction* action, void (ChartExportActions::*handler)()) {
        if (action)
            connect(action, &QAction::triggered, this, handler);
    };
    hook(window->equationsAction(), &ChartExportActions::Equations1Click);
    hook(window->calculatedValueAction(), &ChartExportActions::Calculatedvalue1Click);
    hook(window->viscosityModelAction(), &ChartExportActions::Modelofviscosity1Click);
    if (QAction* saveGraph = window->saveGraphAction()) {
        hook(saveGraph, &ChartExportActions::SaveGraphClick);
        QMenu* menu = nullptr;
        for (QObject* o : saveGraph->associatedObjects())
            if ((menu = qobject_cast<QMenu*>(o)))
                break;
        if (menu) {
            menu->setToolTipsVisible(true);
            menu->addSeparator();
            m_exportChart = menu->addAction(QStringLiteral("Export chart…"));
            m_exportChart->setObjectName(QStringLiteral("ExportChart"));
            m_exportChart->setToolTip(QStringLiteral("Save the chart as a PNG image, an SVG drawing or a PDF document"));
            m_exportCsv = menu->addAction(QStringLiteral("Export data as CSV…"));
            m_exportCsv->setObjectName(QStringLiteral("ExportCsv"));
            m_exportCsv->setToolTip(QStringLiteral("Save the calculated values, or the equations, as comma-separated values"));
            m_printPreview = menu->addAction(QStringLiteral("Print preview…"));
            m_printPreview->setObjectName(QStringLiteral("PrintPreview"));
            m_exportChart->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
            m_exportChart->setShortcutContext(Qt::WindowShortcut);
            hook(m_exportChart, &ChartExportActions::ExportChartClick);
            hook(m_exportCsv, &ChartExportActions::ExportCsvClick);
            hook(m_printPreview, &ChartExportActions::PrintPreviewClick);
        }
    }
    if (auto* print = window->findChild<QPushButton*>(QStringLiteral("sbPrint"))) {
        connect(print, &QPushButton::clicked, this, &ChartExportActions::sbPrintClick);
        auto* shortcut = new QAction(QStringLiteral("Print"), window);
        shortcut->setObjectName(QStringLiteral("PrintShortcut"));
        shortcut->setShortcut(QKeySequence::Print);
        shortcut->setShortcutContext(Qt::WindowShortcut);
        connect(shortcut, &QAction::triggered, print, &QPushButton::click);
        window->addAction(shortcut);
    }
    // Right-click menus: Copy, on the chart also Copy values, then the exports.
    installCopy(m_chart, [this] { copyChart(); });
    auto* copyValues = new QAction(QStringLiteral("Copy values"), m_chart);
    copyValues->setObjectName(QStringLiteral("CopyValues"));
    copyValues->setToolTip(QStringLiteral("Copy the values of every curve as tab-separated text"));
    connect(copyValues, &QAction::triggered, this, &ChartExportActions::copyValues);
    m_chart->addAction(copyValues);
    QList<QWidget*> withMenus{m_chart};
    for (DbGrid* grid : window->findChildren<DbGrid*>()) {
        installCopy(grid, [this, grid] { copyGrid(grid); });
        withMenus << grid;
    }
    if (SeriesValuesPane* pane = window->valuesPane()) {
        pane->addMenuAction(copyValues);
        for (QAction* a : {m_exportChart, m_exportCsv})
            if (a)
                pane->addMenuAction(a);
    }
    for (QWidget* w : withMenus) {
        auto* separator = new QAction(w);
        separator->setSeparator(true);
        w->addAction(separator);
        for (QAction* a : {m_exportChart, m_exportCsv})
            if (a)
                w->addAction(a);
        w->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}

void ChartExportActions::copyValues()
{
    if (SeriesValuesPane* pane = m_window->valuesPane()) {
        pane->clearSelection();
        pane->valuesModel()->refresh();
        pane->copy();
    }
}

void ChartExportActions::showSaved(const QString& path)
{
    if (auto* bar = m_window->findChild<QStatusBar*>(QStringLiteral("StatusBar")))
        bar->showMessage(QStringLiteral("Saved %1").arg(QDir::toNativeSeparators(path)), 10000);
}

ChartExportActions::~ChartExportActions() = default;

void ChartExportActions::installCopy(QWidget* target, std::function<void()> copy)
{
    if (!target)
        return;
    auto* action = new QAction(QStringLiteral("Copy"), target);
    action->setObjectName(QStringLiteral("Copy"));
    action->setShortcut(QKeySequence::Copy);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, std::move(copy));
    target->addAction(action);
}

// ---- what the exports read -------------------------------------------------------------

bool ChartExportActions::highClass() const { return currentField("qrTabUkl", "ID_SELECT").toInt() >= 3; }

QString ChartExportActions::axisLabel() const { return currentField("qrX", "XP").toString(); }

QString ChartExportActions::leftAxisTitle() const { return m_chart->axisTitle(PlotWidget::Axis::Left); }

QString ChartExportActions::publicationKey() const
{
    auto* selector = m_window->findChild<DbLookupList*>(QStringLiteral("dblAutor"));
    return selector ? selector->text() : QString();
}

exports::PublicationReference ChartExportActions::shownPublication() const
{
    // The publication whose data are shown (the selector's key) when the list
    // holds it; otherwise the row that is current in the list.
    Query* q = dataQuery("qrPublikacje");
    if (!q || !q->isOpen() || q->rowCount() == 0)
        return {};
    int row = q->currentRow();
    const QString key = publicationKey();
    for (int r = 0; r < q->rowCount(); ++r) {
        if (q->value(r, QStringLiteral("OZNACZENIE")).toString() == key) {
            row = r;
            break;
        }
    }
    if (row < 0)
        row = 0;
    return exports::PublicationReference::fromColumns([&](const QString& column) -> QVariant {
        return q->columnIndex(column) < 0 ? QVariant() : q->value(row, column);
    });
}

exports::ExportHeading ChartExportActions::heading() const
{
    const Choices c = m_window->choices();
    exports::ExportHeading h;
    h.banner = {captions::title(), captions::subtitle(), captions::authors()};
    h.propertyName = c.propertyName;
    h.systemName = c.systemName;
    h.axisLabel = axisLabel();
    h.highClass = highClass();
    h.reference = shownPublication();
    return h;
}

DbGrid* ChartExportActions::equationGrid() const
{
    return m_window->findChild<DbGrid*>(highClass() ? QStringLiteral("dbgDane45") : QStringLiteral("dbgRownania"));
}

QList<exports::EquationRow> ChartExportActions::equationRows(DbGrid* grid) const
{
    QList<exports::EquationRow> rows;
    Query* q = gridQuery(grid);
    if (!q)
        return rows;
    for (int r = 0; r < q->rowCount(); ++r)
        rows.push_back({q->value(r, QStringLiteral("X")).toDouble(), q->value(r, QStringLiteral("A")).toDouble(),
                        q->value(r, QStringLiteral("B")).toDouble(), q->value(r, QStringLiteral("UKLAD")).toString()});
    return rows;
}

QList<exports::IsothermBlock> ChartExportActions::calculatedBlocks() const
{
    QList<exports::IsothermBlock> blocks;
    const bool high = highClass();
    const bool viscosity = m_window->choices().propertyName == QLatin1String("Viscosity");
    for (int n = 1; n <= 4; ++n) {
        const QString temperature = m_window->temperatureField(n)->text();
        if (temperature.isEmpty() || !m_window->IsothermCalculated(n))
            continue;
        exports::IsothermBlock block{temperature, {}};
        DbGrid* grid = m_window->resultGrid(n, high);
        if (Query* q = gridQuery(grid)) {
            QString valueField = viscosity ? QStringLiteral("VISCO") : fieldOfColumn(grid, 1);
            if (q->columnIndex(valueField) < 0)
                valueField = fieldOfColumn(grid, 1);
            QString systemField = fieldOfColumn(grid, 2);
            if (q->columnIndex(systemField) < 0)
                systemField = QStringLiteral("UKLAD");
            const int valueColumn = q->columnIndex(valueField);
            for (int r = 0; r < q->rowCount(); ++r)
                block.rows.push_back({q->value(r, QStringLiteral("X")).toDouble(), q->value(r, valueField).toDouble(),
                                      q->value(r, systemField).toString(), q->cellMark(r, valueColumn)});
        }
        blocks.push_back(block);
    }
    return blocks;
}

QString ChartExportActions::saveDir() const
{
    const QString dir = !session().saveDir().isEmpty() ? session().saveDir() : dirs::saveDirFor(dirs::applicationDir());
    // An installed program's export folder is the user's own, made on first use.
    dirs::prepareSaveDir(dir);
    return dir;
}

QStringList ChartExportActions::lastLines() const
{
    auto* memo = m_window->findChild<QPlainTextEdit*>(QStringLiteral("MemoRownania"));
    return memo ? exports::bufferLines(memo->toPlainText()) : QStringList();
}

void ChartExportActions::writeBuffer(const QString& fileName, const QStringList& lines)
{
    // MemoRownania keeps the assembled lines until the next export.
    if (auto* memo = m_window->findChild<QPlainTextEdit*>(QStringLiteral("MemoRownania")))
        memo->setPlainText(lines.join(QLatin1Char('\n')));
    const QString path = dirs::join(saveDir(), fileName);
    const exports::WriteOutcome w = exports::writeTextFile(path, lines);
    if (!w.ok)
        ui().error(w.message);
    else
        showSaved(path);
}

// ---- "Save data" ------------------------------------------------------------------------

void ChartExportActions::Equations1Click()
{
    DbGrid* grid = equationGrid();
    if (!gridQuery(grid)) {
        ui().message(exports::equationsNotShownMessage());
        return;
    }
    const exports::ExportHeading h = heading();
    writeBuffer(exports::equationsFileName(publicationKey(), h.propertyName),
                exports::equationsLines(h, equationRows(grid)));
}

void ChartExportActions::Calculatedvalue1Click()
{
    const exports::ExportHeading h = heading();
    writeBuffer(exports::calculatedValueFileName(publicationKey(), h.propertyName),
                exports::calculatedValueLines(h, leftAxisTitle(), calculatedBlocks()));
}

void ChartExportActions::Modelofviscosity1Click()
{
    auto* memo = m_window->findChild<QPlainTextEdit*>(QStringLiteral("MemoViscoModel"));
    const QStringList buffer = memo ? exports::bufferLines(memo->toPlainText()) : QStringList();
    const exports::ExportHeading h = heading();
    writeBuffer(exports::viscosityModelFileName(h.systemName), exports::viscosityModelLines(h.banner, buffer));
    if (memo)
        memo->clear();
}

void ChartExportActions::SaveGraphClick()
{
    const Choices c = m_window->choices();
    PlotCanvas canvas(m_chart);
    const QString path = dirs::join(saveDir(), exports::savedGraphFileName(c.propertyName, c.systemName));
    const exports::WriteOutcome w = exports::saveGraphBitmap(canvas, path, c.systemName);
    if (!w.ok)
        ui().error(w.message);
    else
        showSaved(path);
}

// ---- printing ---------------------------------------------------------------------------

namespace {
// The default printer for the chart, or nothing after telling the user there is none.
std::unique_ptr<QPrinter> chartPrinter()
{
    std::unique_ptr<QPrinter> printer = exports::defaultPrinter(QPrinter::ScreenResolution);
    if (!printer)
        ui().message(exports::noPrinterMessage());
    return printer;
}
} // namespace

void ChartExportActions::sbPrintClick()
{
    std::unique_ptr<QPrinter> printer = chartPrinter();
    if (!printer)
        return;
    PlotCanvas canvas(m_chart);
    if (!exports::printChart(canvas, printer.get()))
        ui().error(exports::printFailedMessage(*printer));
}

void ChartExportActions::PrintPreviewClick()
{
    PlotCanvas canvas(m_chart);
    std::unique_ptr<QPrinter> printer = exports::defaultPrinter(QPrinter::ScreenResolution);
    if (!printer) {
        // Without a printer the preview still shows the page and prints it to a PDF file.
        const Choices c = m_window->choices();
        exports::previewChartToPdf(canvas, m_window,
                                   dirs::join(saveDir(), exports::safeFileName(c.propertyName + QStringLiteral(" of ") +
                                                                                  c.systemName + QStringLiteral(".pdf"))));
        return;
    }
    exports::previewChart(canvas, printer.get(), m_window);
}

// ---- further exports --------------------------------------------------------------------

void ChartExportActions::ExportChartClick()
{
    const Choices c = m_window->choices();
    const QString suggested =
        dirs::join(saveDir(), exports::safeFileName(c.propertyName + QStringLiteral(" of ") + c.systemName + QStringLiteral(".png")));
    const QString path =
        ui().saveFileName(m_window, QStringLiteral("Export chart"), suggested, exports::chartImageFilter());
    if (path.isEmpty())
        return;
    const std::optional<exports::ChartImageFormat> format = exports::chartImageFormatOf(path);
    if (!format) {
        ui().error(QStringLiteral("Choose a file name ending in .png, .svg or .pdf."));
        return;
    }
    int dpi = exports::kDefaultPngDpi;
    if (*format == exports::ChartImageFormat::Png) {
        const std::optional<QString> answer = ui().inputBox(
            QStringLiteral("Export chart"), QStringLiteral("Resolution of the image [dpi]:"),
            QString::number(exports::kDefaultPngDpi));
        if (!answer)
            return;
        bool ok = false;
        dpi = answer->trimmed().toInt(&ok);
        if (!ok || dpi < 30 || dpi > 2400) {
            ui().error(QStringLiteral("The resolution must be a whole number of dots per inch from 30 to 2400."));
            return;
        }
    }
    PlotCanvas canvas(m_chart);
    const exports::WriteOutcome w = exports::exportChartImage(canvas, path, *format, dpi);
    if (!w.ok)
        ui().error(w.message);
}

void ChartExportActions::ExportCsvClick()
{
    const exports::ExportHeading h = heading();
    exports::CsvTable table;
    QString stem;
    if (!seriesValueRows(*m_chart).isEmpty()) {
        // Every drawn series, model and Butler curves included, each point with its origin.
        table = exports::seriesValuesCsv(h, m_chart->axisTitle(PlotWidget::Axis::Bottom), leftAxisTitle(),
                                         seriesValueRows(*m_chart));
        stem = h.propertyName + QStringLiteral(" of ") + h.systemName;
    } else if (DbGrid* grid = equationGrid(); gridQuery(grid)) {
        table = exports::equationsCsv(h, leftAxisTitle(), equationRows(grid));
        stem = publicationKey() + QLatin1Char('_') + h.propertyName;
    } else {
        ui().message(QStringLiteral("There are no values to export yet: draw a curve first (\"Show\", \"Graph\", a model or \"Butler\")."));
        return;
    }
    const QString path = ui().saveFileName(m_window, QStringLiteral("Export data as CSV"),
                                           dirs::join(saveDir(), exports::safeFileName(stem + QStringLiteral(".csv"))),
                                           QStringLiteral("Comma-separated values (*.csv)"));
    if (path.isEmpty())
        return;
    const exports::WriteOutcome w = exports::writeFile(path, table.bytes());
    if (!w.ok)
        ui().error(w.message);
}

void ChartExportActions::copyChart() { m_chart->copyToClipboard(); }

void ChartExportActions::copyGrid(DbGrid* grid)
{
    if (!grid || !grid->model())
        return;
    QList<int> rows = grid->selectedRowsInOrder();
    if (rows.isEmpty() && grid->currentIndex().isValid())
        rows << grid->currentIndex().row();
    if (rows.isEmpty())
        return;
    QList<int> columns;
    const QHeaderView* header = grid->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            columns << logical;
    }
    QApplication::clipboard()->setText(exports::tabSeparatedRows(*grid->model(), columns, rows, DbGrid::FullTextRole));
}

} // namespace korvel
