#pragma once
// The references window: the publications of the current system and property
// (qrAutor, ordered by year). Opened from the scan window's "References";
// created at start-up and reused.
#include <QDialog>

class QPushButton;

namespace korvel {

class DbGrid;

class TfmReferences : public QDialog {
    Q_OBJECT
public:
    explicit TfmReferences(QWidget* parent = nullptr);
    DbGrid* grid() const { return m_DBGrid1; }

private:
    DbGrid* m_DBGrid1;
    QPushButton* m_sbOK;
};

} // namespace korvel
