#pragma once
// The phase-diagram window: the diagram of a system stretched to fill the
// window, below it the list of its references, and "Exit" and "Print". The
// selection window's "Ph Diag" loads the picture and the references and then
// shows it modally.
#include <QDialog>
#include <QImage>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace korvel {

// Paints its picture stretched over its whole area.
class StretchedPicture : public QWidget {
    Q_OBJECT
public:
    explicit StretchedPicture(QWidget* parent = nullptr);
    void setPicture(const QImage& image);
    QImage picture() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

class TfmDiagram : public QDialog {
    Q_OBJECT
public:
    explicit TfmDiagram(QWidget* parent = nullptr);

    void setPicture(const QImage& image);
    QImage picture() const;
    void setReferences(const QStringList& references);
    QStringList references() const;

    StretchedPicture* image() const { return m_Image1; }
    QListWidget* referenceList() const { return m_ListBox1; }
    QPushButton* printButton() const { return m_sbPrint; }

    // Prints the diagram under its heading on the default printer.
    void sbPrintClick();

private:
    StretchedPicture* m_Image1;
    QListWidget* m_ListBox1;
    QPushButton* m_sbExit;
    QPushButton* m_sbPrint;
};

} // namespace korvel
