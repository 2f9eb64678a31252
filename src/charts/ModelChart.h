#pragma once
// Series built from point records: the abstract record source over a chart,
// its text source (the user's data, one point per line) and its query source
// (measured points of a composition line).
#include "models/UserData.h"

#include <QColor>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace korvel {

class PlotSeries;
class PlotWidget;
class Query;

class TAbstractModelChart2 {
public:
    TAbstractModelChart2(QChar separator, QChar decimal, PlotWidget* chart)
        : m_separator(separator), m_decimal(decimal), m_chart(chart) {}
    virtual ~TAbstractModelChart2() = default;
    TAbstractModelChart2(const TAbstractModelChart2&) = delete;
    TAbstractModelChart2& operator=(const TAbstractModelChart2&) = delete;

    // Fills the record from the next item of the source; false when the item
    // yields no record. Advances the read index and sets the end flag when the
    // source is exhausted.
    virtual bool ReadRecord(PointRecord& record) = 0;

    // Reads every record of the source into the point list (an unreadable item
    // ends the loading with its error).
    void LoadPoints();
    // One point series (circle markers, pen width 2) in SeriesColours[pointColourIndex];
    // the index moves on (wrapping after the twentieth colour). Points: value 0, value 1.
    PlotSeries* ShowAsPoints(const QString& title, int& pointColourIndex);
    // One line series per composition (at most 20; width 3, SeriesColours[k], titled
    // "ButlerX= " and the composition's shortest form): points value 0, value k + 1.
    QList<PlotSeries*> ShowAsLines(const QList<double>& compositions);

    const TPointList& points() const { return m_points; }
    int readIndex() const { return m_readIndex; }
    bool atEnd() const { return m_end; }
    QString numberCharacters() const { return QStringLiteral("0123456789") + m_decimal; }

protected:
    int m_readIndex = 0;
    bool m_end = false;
    QChar m_separator;
    QChar m_decimal;
    PlotWidget* m_chart;
    TPointList m_points;
};

// Records from the lines of a text buffer in the user-data format.
class TModelChart2 : public TAbstractModelChart2 {
public:
    TModelChart2(QStringList lines, QChar separator, QChar decimal, PlotWidget* chart);
    bool ReadRecord(PointRecord& record) override; // throws UserDataError for an unreadable line

private:
    QStringList m_lines;
    UserDataLineParser m_parser;
};

// Records from the rows of a measured-points query: value 0 = T, value 1 = Y.
class TDBChartFromQuery : public TAbstractModelChart2 {
public:
    TDBChartFromQuery(Query* query, PlotWidget* chart);
    bool ReadRecord(PointRecord& record) override; // a row with NULL T or Y yields no record
    // A square-marker series without legend entry in SeriesColours[pointColourIndex];
    // the index moves on.
    PlotSeries* ShowMeasuredPoints(int& pointColourIndex);

private:
    Query* m_query;
    int m_row = 0;
};

// "ButlerX= " and the composition rounded to four decimals without trailing zeros.
QString userLineTitle(double x, const QLocale& locale);

} // namespace korvel
