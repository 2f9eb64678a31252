#include "ZoomPictureView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace korvel {

ZoomPictureView::ZoomPictureView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setMinimumSize(200, 150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFrameShape(QFrame::NoFrame);
    viewport()->setCursor(Qt::OpenHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void ZoomPictureView::setPicture(const QImage& image)
{
    m_image = image;
    m_zoom = 1.0;
    updateScrollBars();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    updateGeometry();
    viewport()->update();
    emit zoomChanged(m_zoom);
}

QSizeF ZoomPictureView::scaledSize() const { return QSizeF(m_image.size()) * m_zoom; }

QSize ZoomPictureView::sizeHint() const { return m_image.isNull() ? QSize(640, 480) : m_image.size(); }

double ZoomPictureView::fitZoom() const
{
    if (m_image.isNull())
        return 1.0;
    const QSize room = viewport()->size();
    return std::clamp(std::min(double(room.width()) / m_image.width(), double(room.height()) / m_image.height()), MinZoom,
                      MaxZoom);
}

QRectF ZoomPictureView::pictureRect() const
{
    if (m_image.isNull())
        return {};
    const QSizeF s = scaledSize();
    const QSize room = viewport()->size();
    // Centred where it is smaller than the view, scrolled where it is larger.
    const double x = s.width() <= room.width() ? (room.width() - s.width()) / 2 : -horizontalScrollBar()->value();
    const double y = s.height() <= room.height() ? (room.height() - s.height()) / 2 : -verticalScrollBar()->value();
    return QRectF(QPointF(x, y), s);
}

void ZoomPictureView::updateScrollBars()
{
    const QSizeF s = scaledSize();
    const QSize room = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, int(std::ceil(s.width())) - room.width()));
    verticalScrollBar()->setRange(0, std::max(0, int(std::ceil(s.height())) - room.height()));
    horizontalScrollBar()->setPageStep(room.width());
    verticalScrollBar()->setPageStep(room.height());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
}

void ZoomPictureView::setZoom(double zoom, QPointF anchor)
{
    zoom = std::clamp(zoom, MinZoom, MaxZoom);
    if (m_image.isNull() || zoom == m_zoom)
        return;
    if (anchor.x() < 0 || anchor.y() < 0)
        anchor = QPointF(viewport()->width() / 2.0, viewport()->height() / 2.0);
    // The picture point under the anchor, in picture pixels.
    const QRectF before = pictureRect();
    const QPointF picturePoint = (anchor - before.topLeft()) / m_zoom;
    m_zoom = zoom;
    updateScrollBars();
    const QPointF wantedTopLeft = anchor - picturePoint * m_zoom;
    horizontalScrollBar()->setValue(int(std::lround(-wantedTopLeft.x())));
    verticalScrollBar()->setValue(int(std::lround(-wantedTopLeft.y())));
    viewport()->update();
    emit zoomChanged(m_zoom);
}

void ZoomPictureView::zoomIn() { setZoom(m_zoom * ZoomStep); }
void ZoomPictureView::zoomOut() { setZoom(m_zoom / ZoomStep); }
void ZoomPictureView::fitToWindow() { setZoom(fitZoom()); }
void ZoomPictureView::actualSize() { setZoom(1.0); }

void ZoomPictureView::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::white);
    if (m_image.isNull())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform, m_zoom < 1.0);
    p.drawImage(pictureRect(), m_image);
}

void ZoomPictureView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ZoomPictureView::scrollContentsBy(int, int) { viewport()->update(); }

void ZoomPictureView::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0 || m_image.isNull()) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    setZoom(m_zoom * std::pow(ZoomStep, steps), event->position());
    event->accept();
}

void ZoomPictureView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_panning = true;
        m_panFrom = event->position().toPoint();
        viewport()->setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void ZoomPictureView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_panning) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    const QPoint now = event->position().toPoint();
    const QPoint d = now - m_panFrom;
    m_panFrom = now;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - d.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - d.y());
    event->accept();
}

void ZoomPictureView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_panning) {
        m_panning = false;
        viewport()->setCursor(Qt::OpenHandCursor);
        event->accept();
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

} // namespace korvel
