#include "SelectionLists.h"

#include "PlotWidget.h"
#include "SeriesColours.h"

#include <QLocale>
#include <memory>

namespace korvel {

bool UniqueTextList::Add(const QString& text)
{
    if (Contains(text))
        return false;
    m_items.append(text);
    return true;
}

bool UniqueTextList::Contains(const QString& text) const { return m_items.contains(text, Qt::CaseInsensitive); }

QString UniqueTextList::CommaText() const { return m_items.join(QLatin1Char(',')); }

int TemperaturePointList::Add(const LineRecord& record)
{
    m_records.append(record);
    return int(m_records.size()) - 1;
}

QString TemperaturePointList::lineTitle(const QString& key, double x, const QLocale& locale)
{
    const QString separator = locale.decimalPoint();
    const QString xText = FixedPoint4::fromDouble(x).shortestText(separator.isEmpty() ? QLatin1Char('.') : separator.at(0));
    return key + QStringLiteral("  ") + QStringLiteral(" ") + QStringLiteral("X=") + xText;
}

void TemperaturePointList::Draw(LineDrawHost& host)
{
    for (const LineRecord& record : std::as_const(m_records)) {
        const int index = host.lineColourIndex(m_page);
        const double x = FixedPoint4::fromDouble(host.lineGridComposition(m_page).toDouble()).toDouble();
        const bool page1 = m_page == 1;
        PlotSeries* series = host.lineChart()->addLineSeries(
            lineTitle(host.linePublicationText(m_page), x, QLocale()), SeriesColours::at(index), page1 ? 2 : 1,
            page1 ? Qt::SolidLine : Qt::DashDotDotLine);
        series->setOrigin(QStringLiteral("temperature equation"), host.linePublicationText(m_page));
        series->addPoint(record.t1, record.value1.toDouble());
        series->addPoint(record.t2, record.value2.toDouble());
        host.setLineColourIndex(m_page, index + 1);
    }
    m_records.clear();
}

namespace selection {
namespace {
std::unique_ptr<TListaWybranychPublikacji>& publications()
{
    static std::unique_ptr<TListaWybranychPublikacji> list;
    return list;
}
} // namespace

TListaWybranychPublikacji* SelectedPublications() { return publications().get(); }

TListaWybranychPublikacji* ensureSelectedPublications()
{
    if (!publications())
        publications() = std::make_unique<TListaWybranychPublikacji>();
    return publications().get();
}

void releaseSelectedPublications() { publications().reset(); }

TListaWybranychLini& SelectedLines1()
{
    static TListaWybranychLini list;
    return list;
}

TListaWybranychLini2& SelectedLines2()
{
    static TListaWybranychLini2 list;
    return list;
}
} // namespace selection

} // namespace korvel
