#include "Banner.h"

#include "core/Captions.h"
#include "core/CommandLine.h"

#include <QGridLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

namespace korvel {

Banner::Banner(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Banner"));
    setMinimumHeight(104);
    auto label = [this](const QString& name, const QString& text, int pointSize, bool bold, const char* colour) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        QFont f = l->font();
        f.setPointSize(pointSize);
        f.setBold(bold);
        l->setFont(f);
        l->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(QLatin1String(colour)));
        return l;
    };
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 8, 14, 8);
    grid->setVerticalSpacing(2);
    grid->addWidget(label(QStringLiteral("lblHalvoren"), QStringLiteral("HALVOREN"), 9, true, "#e8f2e8"), 0, 0, Qt::AlignLeft);
    grid->addWidget(label(QStringLiteral("lblVestmark"), QStringLiteral("VESTMARK"), 9, true, "#e8f2e8"), 0, 2, Qt::AlignRight);
    grid->addWidget(label(QStringLiteral("lblTitle"), captions::title(), 22, true, "#ffffff"), 1, 1, Qt::AlignHCenter);
    grid->addWidget(label(QStringLiteral("lblSubtitle"), captions::subtitle(), 11, false, "#ffffff"), 2, 1, Qt::AlignHCenter);
    grid->addWidget(label(QStringLiteral("lblPatron"), QStringLiteral("For research on lead-free soldering materials"), 8, false, "#d8ead8"), 3, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(label(QStringLiteral("lblAuthors"), captions::authors(), 8, false, "#d8ead8"), 3, 1, 1, 2, Qt::AlignRight);
    grid->addWidget(label(QStringLiteral("lblVersion"), captions::versionCaption(), 8, false, "#d8ead8"), 4, 1, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
}

void Banner::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(rect().topLeft(), rect().bottomRight());
    g.setColorAt(0.0, QColor(0x1f, 0x4e, 0x3d));
    g.setColorAt(1.0, QColor(0x3f, 0x7f, 0x5f));
    p.fillRect(rect(), g);
    // A liquid-metal droplet on each side: the decorative pictures.
    for (int side = 0; side < 2; ++side) {
        const QPointF c(side == 0 ? 44 : width() - 44, height() / 2.0 + 4);
        QRadialGradient drop(c + QPointF(-6, -8), 30);
        drop.setColorAt(0.0, QColor(0xf4, 0xf6, 0xf8));
        drop.setColorAt(0.6, QColor(0xa8, 0xb2, 0xbc));
        drop.setColorAt(1.0, QColor(0x5c, 0x66, 0x70));
        p.setBrush(drop);
        p.setPen(Qt::NoPen);
        p.drawEllipse(c, 24, 18);
    }
}

} // namespace korvel
