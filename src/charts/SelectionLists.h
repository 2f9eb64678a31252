#pragma once
// What the chart window has put on the chart: the publications shown, the
// composition lines drawn on the two temperature pages, and the line ends
// still waiting to be drawn.
#include "database/DataModule.h" // LineRecord

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

namespace korvel {

class PlotWidget;

// An ordered list of texts without repetitions (case-insensitive comparison).
class UniqueTextList {
public:
    // Appends the text unless it occurs already; true when it was appended.
    bool Add(const QString& text);
    bool Contains(const QString& text) const;
    void Clear() { m_items.clear(); }
    // The texts joined by "," without blanks; empty for an empty list.
    QString CommaText() const;
    int Count() const { return int(m_items.size()); }
    QStringList items() const { return m_items; }

private:
    QStringList m_items;
};

// Publications whose data have been shown (decimal texts of ID_PUBLIKACJI).
class TListaWybranychPublikacji : public UniqueTextList {};

// Composition lines already drawn on a temperature page (decimal texts of
// ID_DANE_WLA_T). Adding a new identifier draws the page's pending lines.
class TListaWybranychLini : public UniqueTextList {
public:
    void setDrawPending(std::function<void()> draw) { m_draw = std::move(draw); }
    void Add(const QString& text)
    {
        if (UniqueTextList::Add(text) && m_draw)
            m_draw();
    }

private:
    std::function<void()> m_draw;
};

class TListaWybranychLini2 : public TListaWybranychLini {};

// What drawing the pending lines of a page needs from the chart window.
class LineDrawHost {
public:
    virtual ~LineDrawHost() = default;
    virtual int lineColourIndex(int page) const = 0;           // LineColourIndex1 / LineColourIndex2
    virtual void setLineColourIndex(int page, int index) = 0;
    virtual QVariant lineGridComposition(int page) const = 0;  // X of the current row of dbgTemp1 / dbgTemp2
    virtual QString linePublicationText(int page) const = 0;   // dblAutor2 / dblAutor3
    virtual PlotWidget* lineChart() = 0;                        // DBChart1
};

// Line ends waiting to be drawn on a temperature page (1 or 2).
class TemperaturePointList {
public:
    explicit TemperaturePointList(int page) : m_page(page) {}
    int page() const { return m_page; }
    // Appends a copy of the record; returns its position from 0.
    int Add(const LineRecord& record);
    void Clear() { m_records.clear(); }
    int Count() const { return int(m_records.size()); }
    const QList<LineRecord>& records() const { return m_records; }
    // Draws every record as a line series of the host's chart, each in the next
    // colour of SeriesColours, all titled with the page's publication key and
    // the current composition, then empties the list.
    void Draw(LineDrawHost& host);

    // Title of a drawn line: key, three blanks, "X=" and the shortest form of X.
    static QString lineTitle(const QString& key, double x, const QLocale& locale);

private:
    int m_page;
    QList<LineRecord> m_records;
};

class TListaWybranychPunktTemp1 : public TemperaturePointList {
public:
    TListaWybranychPunktTemp1() : TemperaturePointList(1) {}
};

class TListaWybranychPunktTemp2 : public TemperaturePointList {
public:
    TListaWybranychPunktTemp2() : TemperaturePointList(2) {}
};

// The program-wide lists beside the chart window.
namespace selection {
TListaWybranychPublikacji* SelectedPublications(); // nullptr while absent
TListaWybranychPublikacji* ensureSelectedPublications();
void releaseSelectedPublications();
TListaWybranychLini& SelectedLines1();
TListaWybranychLini2& SelectedLines2();
} // namespace selection

} // namespace korvel
