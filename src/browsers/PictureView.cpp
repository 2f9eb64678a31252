#include "PictureView.h"

#include <QPainter>

namespace korvel {

PictureView::PictureView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(200, 150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PictureView::setPicture(const QImage& image)
{
    m_image = image;
    updateGeometry();
    update();
}

QRect PictureView::pictureRect() const
{
    if (m_image.isNull())
        return {};
    const QSize scaled = m_image.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
}

QSize PictureView::sizeHint() const { return m_image.isNull() ? QSize(640, 480) : m_image.size(); }

void PictureView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (m_image.isNull())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(pictureRect(), m_image);
}

QSize windowSizeForPicture(const QSize& picture, const QSize& extra, const QSize& available)
{
    const QSize room = (available - extra).expandedTo(QSize(200, 150));
    QSize shown = picture.isEmpty() ? QSize(640, 480) : picture;
    if (shown.width() > room.width() || shown.height() > room.height())
        shown = shown.scaled(room, Qt::KeepAspectRatio);
    return (shown + extra).expandedTo(QSize(320, 240));
}

} // namespace korvel
