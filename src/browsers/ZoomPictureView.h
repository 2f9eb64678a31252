#pragma once
// A picture shown at a chosen scale, 1:1 to start with: the wheel zooms about
// the pointer, dragging with the mouse pans, and zoomIn/zoomOut/fitToWindow/
// actualSize serve the window's buttons and shortcuts. A picture smaller than
// the view sits centred on a white ground; a larger one scrolls.
#include <QAbstractScrollArea>
#include <QImage>

namespace korvel {

class ZoomPictureView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr double MinZoom = 0.1;
    static constexpr double MaxZoom = 8.0;
    static constexpr double ZoomStep = 1.25;

    explicit ZoomPictureView(QWidget* parent = nullptr);

    // Shows the picture at 1:1, scrolled to its top left corner.
    void setPicture(const QImage& image);
    QImage picture() const { return m_image; }

    double zoom() const { return m_zoom; }
    // Sets the scale (clamped to MinZoom..MaxZoom), keeping the picture point
    // under `anchor` (viewport coordinates; default: the view's centre) in place.
    void setZoom(double zoom, QPointF anchor = QPointF(-1, -1));
    void zoomIn();
    void zoomOut();
    // The largest scale at which the whole picture fits the view.
    void fitToWindow();
    void actualSize();
    double fitZoom() const;

    // Where the picture is drawn, in viewport coordinates.
    QRectF pictureRect() const;
    QSize sizeHint() const override;

signals:
    void zoomChanged(double zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSizeF scaledSize() const;
    void updateScrollBars();

    QImage m_image;
    double m_zoom = 1.0;
    bool m_panning = false;
    QPoint m_panFrom;
};

} // namespace korvel
