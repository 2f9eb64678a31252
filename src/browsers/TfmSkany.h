#pragma once
// The scan window: one picture of the document tree (a figure of a
// publication or a meniscographic curve), scaled to the window; "References"
// lists the publications of the current system and property, "Print" prints
// the picture, "Exit" closes. Created at start-up and reused.
#include <QDialog>
#include <QImage>
#include <functional>

class QPushButton;

namespace korvel {

class PictureView;

class TfmSkany : public QDialog {
    Q_OBJECT
public:
    explicit TfmSkany(QWidget* parent = nullptr);

    // Shows the picture and sizes the window to it (within the screen).
    void setPicture(const QImage& image);
    QImage picture() const;

    PictureView* image() const { return m_Image1; }
    QPushButton* printButton() const { return m_sbPrint; }

    void sbReferencesClick();
    // Prints the picture under its heading on the default printer.
    void sbPrintClick();

private:
    PictureView* m_Image1;
    QPushButton* m_sbExit;
    QPushButton* m_sbReferences;
    QPushButton* m_sbPrint;
};

} // namespace korvel
