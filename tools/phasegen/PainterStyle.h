#pragma once
// What the drawings of binary diagrams and ternary sections share: the plot margins, the axis
// steps and how element names are written.
#include <QPainter>
#include <QLineF>
#include <QRectF>
#include <QString>

#include <cmath>
#include <string>
#include <vector>

namespace korvel::phasegen::style {

constexpr int kLeft = 95, kRight = 35, kTop = 70, kBottom = 120;

// "AG" -> "Ag".
inline QString elementName(const std::string &upper)
{
    QString s = QString::fromStdString(upper).toLower();
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

// A round axis step giving about `wanted` intervals over range.
inline double niceStep(double range, int wanted)
{
    const double raw = range / wanted;
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (m * p >= raw)
            return m * p;
    return 10 * p;
}

// Whether a line segment runs through a box (an end inside it or crossing an edge).
inline bool crosses(const QRectF &box, const QLineF &segment)
{
    if (box.contains(segment.p1()) || box.contains(segment.p2()))
        return true;
    const QLineF edges[] = {{box.topLeft(), box.topRight()},
                            {box.topRight(), box.bottomRight()},
                            {box.bottomRight(), box.bottomLeft()},
                            {box.bottomLeft(), box.topLeft()}};
    for (const QLineF &e : edges)
        if (segment.intersects(e, nullptr) == QLineF::BoundedIntersection)
            return true;
    return false;
}

// The nearest place for a label box, moving it up or down in steps of its own
// height, where it overlaps none of the texts already placed and stays inside
// `bounds`; the box itself when it is free or no free place is near.
inline QRectF freeSpot(const QRectF &box, const std::vector<QRectF> &placed, const QRectF &bounds)
{
    auto free = [&](const QRectF &r) {
        if (!bounds.contains(r))
            return false;
        for (const QRectF &o : placed)
            if (o.intersects(r))
                return false;
        return true;
    };
    for (int step = 0; step <= 8; ++step)
        for (int sign : {-1, 1}) {
            const QRectF r = box.translated(0, sign * step * (box.height() + 1));
            if (free(r))
                return r;
            if (step == 0)
                break;
        }
    return box;
}

// The frame of a drawing: title, temperature grid and ticks (K, a round step over
// tMin..tMax), composition grid and ticks (0..xMax in tenths), the composition axis's
// title and the rotated temperature axis's title. The plot spans `plot`; fonts are
// the title's and the axes'.
inline void drawFrame(QPainter &p, const QRectF &plot, int width, double tMin, double tMax, const QString &title,
                      const QString &xTitle, const QFont &titleFont, const QFont &axisFont, double xMax = 1.0)
{
    auto px = [&](double x) { return plot.left() + x / xMax * plot.width(); };
    auto py = [&](double T) { return plot.bottom() - (T - tMin) / (tMax - tMin) * plot.height(); };
    p.setFont(titleFont);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 12, width, 34), Qt::AlignCenter, title);
    p.setFont(axisFont);
    const double tStep = niceStep(tMax - tMin, 10);
    for (double T = std::ceil(tMin / tStep) * tStep; T <= tMax + 1e-9; T += tStep) {
        p.setPen(QPen(QColor(225, 225, 225), 1));
        p.drawLine(QPointF(plot.left(), py(T)), QPointF(plot.right(), py(T)));
        p.setPen(Qt::black);
        p.drawLine(QPointF(plot.left() - 5, py(T)), QPointF(plot.left(), py(T)));
        p.drawText(QRectF(0, py(T) - 10, kLeft - 10, 20), Qt::AlignRight | Qt::AlignVCenter, QString::number(T, 'f', 0));
    }
    for (int i = 0; i <= 10; ++i) {
        const double x = i * xMax / 10.0;
        p.setPen(QPen(QColor(225, 225, 225), 1));
        p.drawLine(QPointF(px(x), plot.top()), QPointF(px(x), plot.bottom()));
        p.setPen(Qt::black);
        p.drawLine(QPointF(px(x), plot.bottom()), QPointF(px(x), plot.bottom() + 5));
        p.drawText(QRectF(px(x) - 30, plot.bottom() + 7, 60, 20), Qt::AlignCenter, QString::number(x, 'f', xMax < 1 ? 2 : 1));
    }
    p.drawText(QRectF(plot.left(), plot.bottom() + 28, plot.width(), 22), Qt::AlignCenter, xTitle);
    p.save();
    p.translate(22, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-150, -12, 300, 24), Qt::AlignCenter, QStringLiteral("Temperature, K"));
    p.restore();
}

} // namespace korvel::phasegen::style
