#pragma once
// A picture scaled smoothly to the largest size that fits the widget while
// keeping its aspect ratio, centred on a white ground. Resizing the window
// rescales it; it is never distorted.
#include <QImage>
#include <QWidget>

namespace korvel {

class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);
    void setPicture(const QImage& image);
    QImage picture() const { return m_image; }
    // Where the picture is drawn in the widget's current size.
    QRect pictureRect() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

// A window size that shows the picture at its own size where the screen has
// room, otherwise scaled down to fit; `extra` is the room the window's other
// controls take.
QSize windowSizeForPicture(const QSize& picture, const QSize& extra, const QSize& available);

} // namespace korvel
