#pragma once
// The chart window's exports and printing: the "Save data" items (equations,
// calculated values, viscosity model, graph bitmap), "Print", and the items
// beside them ("Export chart…", "Export data as CSV…", "Print preview…") and
// Copy on the chart and on every grid. It reads the window's controls by their
// names and hands plain values to the export library.
#include "export/CsvExport.h"
#include "export/TextExport.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

class QAction;
class QMenu;

namespace korvel {

class DbGrid;
class PlotWidget;
class TfmWykres;

class ChartExportActions : public QObject {
    Q_OBJECT
public:
    // Connects the window's menu items and "Print" and adds the extra items.
    explicit ChartExportActions(TfmWykres* window);
    ~ChartExportActions() override;

    void Equations1Click();
    void Calculatedvalue1Click();
    void Modelofviscosity1Click();
    void SaveGraphClick();
    void sbPrintClick();
    void ExportChartClick();
    void ExportCsvClick();
    void PrintPreviewClick();
    void copyChart();
    void copyGrid(DbGrid* grid);
    // Every drawn point as tab-separated text under a header line.
    void copyValues();

    QAction* exportChartAction() const { return m_exportChart; }
    QAction* exportCsvAction() const { return m_exportCsv; }
    QAction* printPreviewAction() const { return m_printPreview; }

    // The lines MemoRownania holds after the last export.
    QStringList lastLines() const;

private:
    exports::ExportHeading heading() const;
    exports::PublicationReference shownPublication() const;
    QString publicationKey() const;
    bool highClass() const;
    QString axisLabel() const;
    QString leftAxisTitle() const;
    DbGrid* equationGrid() const;
    QList<exports::EquationRow> equationRows(DbGrid* grid) const;
    QList<exports::IsothermBlock> calculatedBlocks() const;
    QString saveDir() const;
    void writeBuffer(const QString& fileName, const QStringList& lines);
    void installCopy(QWidget* target, std::function<void()> copy);
    // "Saved <file>" in the window's status bar after a "Save data" export.
    void showSaved(const QString& path);

    TfmWykres* m_window;
    PlotWidget* m_chart;
    QAction* m_exportChart = nullptr;
    QAction* m_exportCsv = nullptr;
    QAction* m_printPreview = nullptr;
};

} // namespace korvel
