#pragma once
// The phase-diagram window: the diagram of a system at 1:1, zoomed by the wheel,
// Ctrl++ and Ctrl+- (Ctrl+0 fits it to the window, Ctrl+1 shows it 1:1 again)
// and panned by dragging; below it the list of its references, and "Exit" and
// "Print". The selection window's "Ph Diag" loads the picture and the
// references and then shows it modally.
#include "ZoomPictureView.h"

#include <QDialog>
#include <QImage>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace korvel {

class TfmDiagram : public QDialog {
    Q_OBJECT
public:
    explicit TfmDiagram(QWidget* parent = nullptr);

    // The whole diagram; it is shown at once.
    void setPicture(const QImage& image);
    // The picture shown (the whole diagram or its solder corner), which "Print" prints.
    QImage picture() const;
    // A second picture, the corner of a section that matters for solders; "Solder
    // corner" (sbCorner) switches between the two and is shown only when there is one.
    void setCornerPicture(const QImage& image);
    bool showingCorner() const { return m_showingCorner; }
    void setReferences(const QStringList& references);
    QStringList references() const;

    ZoomPictureView* image() const { return m_Image1; }
    QListWidget* referenceList() const { return m_ListBox1; }
    QPushButton* printButton() const { return m_sbPrint; }

    // Prints the diagram under its heading on the default printer.
    void sbPrintClick();

private:
    void showZoom(double zoom);
    void sbCornerClick();

    ZoomPictureView* m_Image1;
    QLabel* m_lblZoom;
    QPushButton* m_sbCorner;
    QImage m_whole;
    QImage m_corner;
    bool m_showingCorner = false;
    QListWidget* m_ListBox1;
    QPushButton* m_sbExit;
    QPushButton* m_sbPrint;
};

} // namespace korvel
