#pragma once
// The two display windows of the meniscographic browser, both created at
// start-up and reused: the measurement table (TfmMeniskFig) and one picture
// of a recorded curve (TfmMeniskFig1). Below either, the sources of the
// system's meniscographic data.
#include <QDialog>
#include <QImage>

class QPushButton;

namespace korvel {

class DbGrid;
class PictureView;

class TfmMeniskFig : public QDialog {
    Q_OBJECT
public:
    explicit TfmMeniskFig(QWidget* parent = nullptr);
    DbGrid* measurementGrid() const { return m_DBGrid1; }
    DbGrid* sourceGrid() const { return m_DBGrid2; }

private:
    DbGrid* m_DBGrid1;
    DbGrid* m_DBGrid2;
};

class TfmMeniskFig1 : public QDialog {
    Q_OBJECT
public:
    explicit TfmMeniskFig1(QWidget* parent = nullptr);
    void setPicture(const QImage& image);
    QImage picture() const;
    PictureView* image() const { return m_Image1; }
    DbGrid* sourceGrid() const { return m_DBGrid1; }

private:
    PictureView* m_Image1;
    DbGrid* m_DBGrid1;
};

} // namespace korvel
