#include "SectionPainter.h"

#include "DiagramPainter.h"
#include "PainterStyle.h"
#include "PhaseNames.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace korvel::phasegen {

using thermo::phase::SectionField;
using thermo::phase::SectionIsotherm;
using thermo::phase::VerticalSection;

namespace {

using namespace style;
constexpr double kJump = 0.08; // a boundary point further than this from the last one starts a new line

// A field of an isotherm: its phases and the how-manieth field of those phases from the left.
using FieldKey = std::pair<std::vector<int>, int>;
// A boundary: the fields on its two sides and the how-manieth of its kind.
using BoundaryKey = std::tuple<std::vector<int>, std::vector<int>, int>;

std::vector<std::pair<FieldKey, const SectionField *>> keyed(const SectionIsotherm &iso)
{
    std::vector<std::pair<FieldKey, const SectionField *>> out;
    std::map<std::vector<int>, int> seen;
    for (const SectionField &f : iso.fields)
        out.push_back({{f.phases, seen[f.phases]++}, &f});
    return out;
}

} // namespace

std::vector<std::string> SectionPainter::elementsOf(const std::string &system)
{
    std::vector<std::string> elements;
    for (const QString &e : QString::fromStdString(system).split(QLatin1Char('-')))
        elements.push_back(e.toUpper().toStdString());
    return elements;
}

QString SectionPainter::fieldLabel(const std::vector<std::string> &names, const std::vector<int> &phases,
                                   const std::vector<std::string> &elements)
{
    QStringList parts;
    for (int p : phases)
        parts << conventionalPhaseName(names[static_cast<std::size_t>(p)], elements);
    std::stable_sort(parts.begin(), parts.end(), [](const QString &a, const QString &b) {
        return (a == QStringLiteral("L")) > (b == QStringLiteral("L"));
    });
    return parts.join(QLatin1Char('+'));
}

QImage SectionPainter::paint(const thermo::phase::SystemSection &ss, double xMax) const
{
    const VerticalSection &d = ss.section;
    const auto &names = d.phaseNames;
    constexpr int width = DiagramPainter::kWidth, height = DiagramPainter::kHeight;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    const QRectF plot(kLeft, kTop, width - kLeft - kRight, height - kTop - kBottom);
    const double scale = plot.width() / xMax; // pixels per unit of the section's mole fraction
    auto px = [&](double s) { return plot.left() + s * scale; };
    // The corner's temperature axis ends a little above the highest boundary inside it.
    const double tMin = d.tMin;
    double tMax = d.tMax;
    if (xMax < 1) {
        double top = tMin;
        for (const SectionIsotherm &iso : d.isotherms)
            for (std::size_t i = 0; i + 1 < iso.fields.size(); ++i)
                if (iso.fields[i].sRight > 0 && iso.fields[i].sRight < xMax)
                    top = std::max(top, iso.T);
        if (top > tMin)
            tMax = std::min(d.tMax, std::ceil((top + 0.15 * (top - tMin)) / 50) * 50);
    }
    auto py = [&](double T) { return plot.bottom() - (T - tMin) / (tMax - tMin) * plot.height(); };
    // A field's part inside the picture.
    auto shownWidth = [&](const SectionField &f) { return std::min(f.sRight, xMax) - f.sLeft; };
    auto shownMiddle = [&](const SectionField &f) { return 0.5 * (f.sLeft + std::min(f.sRight, xMax)); };

    QFont titleFont(QStringLiteral("DejaVu Sans"), 15, QFont::Bold);
    QFont axisFont(QStringLiteral("DejaVu Sans"), 11);
    QFont labelFont(QStringLiteral("DejaVu Sans"), 9);
    QFont smallFont(QStringLiteral("DejaVu Sans"), 9);
    const QString xName = QString::fromStdString(ss.definition.xElement);
    const QString label = QString::fromStdString(ss.definition.label);
    const QString start = label.section(QStringLiteral(" - "), 0, 0), end = label.section(QStringLiteral(" - "), 1);

    drawFrame(p, plot, width, tMin, tMax,
              xMax < 1 ? QStringLiteral("%1 section %2, solder corner (computed)").arg(QString::fromStdString(ss.definition.system), label)
                       : QStringLiteral("%1 vertical section %2 (computed)").arg(QString::fromStdString(ss.definition.system), label),
              QStringLiteral("Mole fraction of %1, x(%1)").arg(xName), titleFont, axisFont, xMax);
    p.drawText(QRectF(plot.left() - 40, plot.bottom() + 28, 160, 22), Qt::AlignLeft | Qt::AlignVCenter, start);
    if (xMax >= 1)
        p.drawText(QRectF(plot.right() - 120, plot.bottom() + 28, 140, 22), Qt::AlignRight | Qt::AlignVCenter, end);

    // Field boundaries, followed from isotherm to isotherm.
    p.save();
    p.setClipRect(plot);
    p.setPen(QPen(QColor(20, 40, 140), 1.4));
    // Between two isotherms of the same sequence of fields the boundaries correspond one to one,
    // however far one moves (a nearly flat boundary); across a change only those of the same
    // fields that stay close.
    std::map<BoundaryKey, std::pair<double, QPointF>> last;
    std::string lastSignature;
    for (const SectionIsotherm &iso : d.isotherms) {
        const std::string signature = iso.signature(names);
        std::map<BoundaryKey, std::pair<double, QPointF>> now;
        std::map<std::pair<std::vector<int>, std::vector<int>>, int> seen;
        for (std::size_t i = 0; i + 1 < iso.fields.size(); ++i) {
            const auto &a = iso.fields[i].phases, &b = iso.fields[i + 1].phases;
            const BoundaryKey key{a, b, seen[{a, b}]++};
            const double s = iso.fields[i].sRight;
            const QPointF pt(px(s), py(iso.T));
            const auto it = last.find(key);
            if (it != last.end() && (signature == lastSignature || std::fabs(it->second.first - s) < kJump))
                p.drawLine(it->second.second, pt);
            now[key] = {s, pt};
        }
        last = now;
        lastSignature = signature;
    }

    // Boundaries that run flat between two isotherms: where the fields change at one temperature.
    for (const auto &c : d.changes)
        p.drawLine(QPointF(px(c.sMin), py(c.T)), QPointF(px(c.sMax), py(c.T)));

    // Four-phase invariant lines with their temperatures.
    std::vector<QRectF> placed;
    p.setFont(smallFont);
    for (const auto &inv : d.invariants) {
        const double y = py(inv.T);
        p.setPen(QPen(QColor(170, 20, 20), 2.0));
        p.drawLine(QPointF(px(inv.sMin), y), QPointF(px(inv.sMax), y));
        const QString text = QStringLiteral("%1 K").arg(inv.T, 0, 'f', 1);
        // Beside the line's right end, else its left end, else above its middle; left out when
        // every place is taken by the text of a neighbouring line.
        const QRectF candidates[] = {QRectF(px(inv.sMax) + 4, y - 8, 62, 15), QRectF(px(inv.sMin) - 66, y - 8, 62, 15),
                                     QRectF(0.5 * (px(inv.sMin) + px(inv.sMax)) - 31, y - 16, 62, 15)};
        for (const QRectF &box : candidates) {
            if (box.left() < plot.left() || box.right() > plot.right() ||
                std::any_of(placed.begin(), placed.end(), [&](const QRectF &o) { return o.intersects(box); }))
                continue;
            p.drawText(box, Qt::AlignCenter, text);
            placed.push_back(box);
            break;
        }
    }
    p.restore();

    // Field labels: in the middle of each field's temperature span where it is wide enough,
    // else at its widest isotherm.
    struct Extent {
        double width = -1, T = 0, s = 0;
        double tLow = 1e300, tHigh = -1e300;
    };
    std::map<FieldKey, Extent> fields;
    for (const SectionIsotherm &iso : d.isotherms)
        for (const auto &[key, f] : keyed(iso)) {
            Extent &e = fields[key];
            if (shownWidth(*f) <= 0 || iso.T > tMax)
                continue; // not in the picture here
            e.tLow = std::min(e.tLow, iso.T);
            e.tHigh = std::max(e.tHigh, iso.T);
            if (shownWidth(*f) > e.width) {
                e.width = shownWidth(*f);
                e.T = iso.T;
                e.s = shownMiddle(*f);
            }
        }
    p.setFont(labelFont);
    const QFontMetrics fm(labelFont);
    std::vector<std::pair<FieldKey, Extent>> order(fields.begin(), fields.end());
    std::sort(order.begin(), order.end(), [](const auto &a, const auto &b) {
        return (a.second.tHigh - a.second.tLow) * a.second.width > (b.second.tHigh - b.second.tLow) * b.second.width;
    });
    for (const auto &[key, e] : order) {
        const QString text = fieldLabel(names, key.first, elementsOf(ss.definition.system));
        const QRectF box = fm.boundingRect(text).adjusted(-2, -1, 2, 1);
        if (py(e.tLow) - py(e.tHigh) < box.height())
            continue;
        const double T = 0.5 * (e.tLow + e.tHigh);
        double s = e.s, best = -1;
        for (const SectionIsotherm &iso : d.isotherms) {
            if (std::fabs(iso.T - T) > (tMax - tMin) / 100)
                continue;
            for (const auto &[k2, f] : keyed(iso))
                if (k2 == key && shownWidth(*f) > best) {
                    best = shownWidth(*f);
                    s = shownMiddle(*f);
                }
        }
        double useT = T;
        if (best * scale < box.width()) {
            s = e.s;
            useT = e.T;
            if (e.width * scale < box.width())
                continue;
        }
        if (s > xMax)
            continue; // beyond the corner drawn
        QRectF r = box;
        r.moveCenter(QPointF(px(s), py(useT)));
        if (r.left() < plot.left() + 2)
            r.moveLeft(plot.left() + 2);
        if (r.right() > plot.right() - 2)
            r.moveRight(plot.right() - 2);
        if (std::none_of(placed.begin(), placed.end(), [&](const QRectF &o) { return o.intersects(r); })) {
            p.setPen(Qt::black);
            p.drawText(r, Qt::AlignCenter, text);
            placed.push_back(r);
        }
    }

    // Frame and caption.
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    p.setFont(smallFont);
    QString eutectic;
    for (const auto &inv : d.invariants)
        if (inv.kind == "ternary eutectic")
            eutectic = QStringLiteral(" Ternary eutectic %1 at %2 K.")
                           .arg(QString::fromStdString(inv.reaction).replace(QStringLiteral("LIQUID"), QStringLiteral("L")))
                           .arg(inv.T, 0, 'f', 1);
    const QString caption =
        QStringLiteral("Vertical section %1, computed by minimising the Gibbs energy of the phases (1 atm) with the "
                       "parameters of %2 (%3). Red lines: invariant reactions of four phases and changes of form of a compound.%4")
            .arg(label, QString::fromStdString(ss.source.file), QString::fromStdString(ss.source.caption), eutectic);
    // The names on the picture with the parameter file's names they stand for.
    std::vector<std::pair<std::string, QString>> used;
    const std::vector<std::string> elements = elementsOf(ss.definition.system);
    for (const SectionIsotherm &iso : d.isotherms)
        for (const SectionField &f : iso.fields)
            for (int phase : f.phases)
                used.push_back({names[static_cast<std::size_t>(phase)],
                                conventionalPhaseName(names[static_cast<std::size_t>(phase)], elements)});
    QFont captionFont = smallFont;
    captionFont.setPointSize(8);
    p.setFont(captionFont);
    p.drawText(QRectF(20, plot.bottom() + 52, width - 40, height - plot.bottom() - 56), Qt::AlignCenter | Qt::TextWordWrap,
               caption + QLatin1Char('\n') + QString::fromStdString(phaseNamesLine(used)) + QLatin1Char('.'));
    p.end();
    return image;
}

} // namespace korvel::phasegen
