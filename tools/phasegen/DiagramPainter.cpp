#include "DiagramPainter.h"

#include "PainterStyle.h"
#include "PhaseNames.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace korvel::phasegen {

using thermo::phase::BinaryDiagram;
using thermo::phase::Region;
using thermo::phase::Section;

namespace {

using style::elementName;
using style::kBottom;
using style::kLeft;
using style::kRight;
using style::kTop;
using style::drawFrame;
using style::niceStep;
constexpr double kJump = 0.08; // a boundary point further than this from the last one starts a new line

// A field crossed by the isotherms: which phases, and the how-manieth of its kind from the left.
using FieldKey = std::tuple<int, int, bool, int>;

std::vector<std::pair<FieldKey, const Region *>> keyed(const Section &s)
{
    std::vector<std::pair<FieldKey, const Region *>> out;
    std::map<std::tuple<int, int, bool>, int> seen;
    for (const Region &r : s.regions) {
        const int n = seen[{r.left, r.right, r.twoPhase}]++;
        out.push_back({{r.left, r.right, r.twoPhase, n}, &r});
    }
    return out;
}

} // namespace

QString DiagramPainter::phaseLabel(const std::string &name)
{
    if (name.rfind("LIQ", 0) == 0)
        return QStringLiteral("L");
    return QString::fromStdString(name);
}

std::vector<std::pair<std::string, QString>> DiagramPainter::phaseNamesUsed(const BinaryDiagram &d)
{
    std::vector<std::pair<std::string, QString>> used;
    const std::vector<std::string> elements{d.first, d.second};
    for (const Section &s : d.sections)
        for (const Region &r : s.regions) {
            const std::string &left = d.phaseNames[static_cast<std::size_t>(r.left)];
            const std::string &right = d.phaseNames[static_cast<std::size_t>(r.right)];
            if (r.twoPhase) {
                used.push_back({left, conventionalPhaseName(left, elements, {r.xLeft, r.xLeft})});
                used.push_back({right, conventionalPhaseName(right, elements, {r.xRight, r.xRight})});
            } else {
                used.push_back({left, conventionalPhaseName(left, elements, {r.xLeft, r.xRight})});
            }
        }
    return used;
}

QImage DiagramPainter::paint(const thermo::phase::SystemDiagram &sd) const
{
    const BinaryDiagram &d = sd.diagram;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    const QRectF plot(kLeft, kTop, kWidth - kLeft - kRight, kHeight - kTop - kBottom);
    auto px = [&](double x) { return plot.left() + x * plot.width(); };
    auto py = [&](double T) { return plot.bottom() - (T - d.tMin) / (d.tMax - d.tMin) * plot.height(); };

    QFont titleFont(QStringLiteral("DejaVu Sans"), 15, QFont::Bold);
    QFont axisFont(QStringLiteral("DejaVu Sans"), 11);
    QFont labelFont(QStringLiteral("DejaVu Sans"), 10);
    QFont smallFont(QStringLiteral("DejaVu Sans"), 9);
    const QString a = elementName(d.first), b = elementName(d.second);

    // Title, axes, ticks and grid; the element at each end of the composition axis.
    drawFrame(p, plot, kWidth, d.tMin, d.tMax, QStringLiteral("%1 phase diagram (computed)").arg(QString::fromStdString(sd.system)),
              QStringLiteral("Mole fraction of %1, x(%1)").arg(b), titleFont, axisFont);
    p.drawText(QRectF(plot.left() - 20, plot.bottom() + 28, 60, 22), Qt::AlignLeft | Qt::AlignVCenter, a);
    p.drawText(QRectF(plot.right() - 40, plot.bottom() + 28, 60, 22), Qt::AlignRight | Qt::AlignVCenter, b);

    // Phase boundaries: the ends of every tie line, followed from isotherm to isotherm.
    p.save();
    p.setClipRect(plot);
    p.setPen(QPen(QColor(20, 40, 140), 1.6));
    std::map<std::pair<FieldKey, int>, QPointF> last;
    std::map<std::pair<FieldKey, int>, double> lastX;
    std::map<std::pair<FieldKey, int>, double> lastT;
    std::vector<QLineF> lines; // every boundary and invariant line, which field labels keep clear of
    for (const Section &s : d.sections) {
        std::map<std::pair<FieldKey, int>, QPointF> now;
        for (const auto &[key, r] : keyed(s)) {
            if (!r->twoPhase)
                continue;
            for (int side = 0; side < 2; ++side) {
                const double x = side == 0 ? r->xLeft : r->xRight;
                const QPointF pt(px(x), py(s.T));
                const auto k = std::make_pair(key, side);
                const auto it = last.find(k);
                if (it != last.end() && std::fabs(lastX[k] - x) < kJump) {
                    p.drawLine(it->second, pt);
                    lines.emplace_back(it->second, pt);
                }
                now[k] = pt;
                lastX[k] = x;
                lastT[k] = s.T;
            }
        }
        last = now;
    }

    // Invariant lines with their temperatures (beside the line's right end, else its left end).
    std::vector<QRectF> placed; // texts already drawn, which field labels keep clear of
    p.setFont(smallFont);
    // Every invariant line first, so that no label lands on one drawn after it.
    p.setPen(QPen(QColor(170, 20, 20), 2.0));
    for (const auto &inv : d.invariants) {
        const double y = py(inv.T);
        p.drawLine(QPointF(px(inv.xMin()), y), QPointF(px(inv.xMax()), y));
        lines.emplace_back(QPointF(px(inv.xMin()), y), QPointF(px(inv.xMax()), y));
    }
    for (const auto &inv : d.invariants) {
        const double y = py(inv.T);
        const QString text = QStringLiteral("%1 K").arg(inv.T, 0, 'f', 1);
        const double right = px(inv.xMax());
        const bool atRight = right + 78 < plot.right();
        const QRectF wanted(atRight ? right + 4 : px(inv.xMin()) - 74, y - 16, 70, 15);
        // Invariants a few kelvin apart would print their temperatures over each other:
        // the later label moves to the nearest free place, with a thin leader to its line.
        // First choice: clear of other labels and of every line; else clear of labels at least.
        auto clearOfLines = [&](const QRectF &c) {
            return std::none_of(lines.begin(), lines.end(), [&](const QLineF &l) { return style::crosses(c, l); });
        };
        QRectF box = style::freeSpot(wanted, placed, plot);
        if (!clearOfLines(box))
            for (int step = 0; step <= 6; ++step) {
                bool found = false;
                for (int sign : {-1, 1}) {
                    const QRectF c = wanted.translated(0, sign * step * (wanted.height() + 1));
                    if (plot.contains(c) && clearOfLines(c) &&
                        std::none_of(placed.begin(), placed.end(), [&](const QRectF &o) { return o.intersects(c); })) {
                        box = c;
                        found = true;
                        break;
                    }
                }
                if (found)
                    break;
            }
        if (box != wanted) {
            p.setPen(QPen(QColor(170, 20, 20), 0.8));
            const QPointF end(atRight ? right : px(inv.xMin()), y);
            p.drawLine(end, QPointF(atRight ? box.left() : box.right(), box.center().y()));
        }
        p.setPen(QPen(QColor(170, 20, 20), 2.0));
        p.drawText(box, (atRight ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, text);
        placed.push_back(box);
    }
    p.restore();

    // Field labels: at the widest isotherm of each field.
    struct Widest {
        double width = -1, T = 0, x = 0;
        double tLow = 1e300, tHigh = -1e300;
        bool twoPhase = false;
        int left = 0, right = 0;
        double xLeft = 0, xRight = 0; // at the widest isotherm
    };
    std::map<FieldKey, Widest> fields;
    for (const Section &s : d.sections)
        for (const auto &[key, r] : keyed(s)) {
            Widest &w = fields[key];
            w.tLow = std::min(w.tLow, s.T);
            w.tHigh = std::max(w.tHigh, s.T);
            w.twoPhase = r->twoPhase;
            w.left = r->left;
            w.right = r->right;
            const double width = r->xRight - r->xLeft;
            if (width > w.width) {
                w.width = width;
                w.T = s.T;
                w.x = 0.5 * (r->xLeft + r->xRight);
                w.xLeft = r->xLeft;
                w.xRight = r->xRight;
            }
        }
    p.setFont(labelFont);
    const QFontMetrics fm(labelFont);
    for (const auto &[key, w] : fields) {
        const std::vector<std::string> elements{d.first, d.second};
        auto named = [&](int phase, FieldSpan span) {
            return conventionalPhaseName(d.phaseNames[static_cast<std::size_t>(phase)], elements, span);
        };
        const QString text = w.twoPhase ? named(w.left, {w.xLeft, w.xLeft}) + QStringLiteral(" + ") + named(w.right, {w.xRight, w.xRight})
                                        : named(w.left, {w.xLeft, w.xRight});
        const double height = py(w.tLow) - py(w.tHigh);
        const double widthPx = w.width * plot.width();
        const QRectF box = fm.boundingRect(text).adjusted(-2, -1, 2, 1);
        if (widthPx >= box.width() && height >= box.height()) {
            // Middle of the field's temperature span, at its widest composition there.
            const double T = 0.5 * (w.tLow + w.tHigh);
            double x = w.x, best = -1;
            for (const Section &s : d.sections) {
                if (std::fabs(s.T - T) > (d.tMax - d.tMin) / 100)
                    continue;
                for (const auto &[k2, r] : keyed(s))
                    if (k2 == key && r->xRight - r->xLeft > best) {
                        best = r->xRight - r->xLeft;
                        x = 0.5 * (r->xLeft + r->xRight);
                    }
            }
            const double useT = best * plot.width() >= box.width() ? T : w.T;
            if (best * plot.width() < box.width())
                x = w.x;
            QRectF r = box;
            r.moveCenter(QPointF(px(x), py(useT)));
            // A label on a line is moved up or down within its field's span until it sits clear.
            auto clear = [&](const QRectF &c) {
                return std::none_of(placed.begin(), placed.end(), [&](const QRectF &o) { return o.intersects(c); }) &&
                       std::none_of(lines.begin(), lines.end(), [&](const QLineF &l) { return style::crosses(c, l); });
            };
            const QRectF span(plot.left(), py(w.tHigh), plot.width(), py(w.tLow) - py(w.tHigh));
            for (int step = 1; step <= 12 && !clear(r); ++step)
                for (int sign : {-1, 1}) {
                    QRectF moved = box;
                    moved.moveCenter(QPointF(px(x), py(useT) + sign * step * box.height() / 2));
                    if (span.contains(moved) && clear(moved)) {
                        r = moved;
                        break;
                    }
                }
            if (clear(r)) {
                p.setPen(Qt::black);
                p.drawText(r, Qt::AlignCenter, text);
                placed.push_back(r);
            }
        } else if (!w.twoPhase && w.width < 0.01 && height > 3 * fm.horizontalAdvance(text)) {
            // A compound of (almost) fixed composition: its name along its line.
            p.save();
            p.setPen(QColor(20, 40, 140));
            p.translate(px(w.x) - 4, py(0.5 * (w.tLow + w.tHigh)));
            p.rotate(-90);
            p.drawText(QRectF(-fm.horizontalAdvance(text) / 2.0 - 2, -fm.height(), fm.horizontalAdvance(text) + 4, fm.height()),
                       Qt::AlignCenter, text);
            p.restore();
        }
    }

    // Frame and caption.
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    p.setFont(smallFont);
    const QString caption =
        QStringLiteral("Computed by minimising the Gibbs energy of the phases (1 atm) with the parameters of %1 (%2). "
                       "Red lines: invariant reactions.")
            .arg(QString::fromStdString(sd.source.file), QString::fromStdString(sd.source.caption)) +
        QLatin1Char('\n') + QString::fromStdString(phaseNamesLine(phaseNamesUsed(d))) + QLatin1Char('.');
    QFont captionFont = smallFont;
    captionFont.setPointSize(8);
    p.setFont(captionFont);
    p.drawText(QRectF(20, plot.bottom() + 52, kWidth - 40, kHeight - plot.bottom() - 56), Qt::AlignCenter | Qt::TextWordWrap,
               caption);
    p.end();
    return image;
}

} // namespace korvel::phasegen
