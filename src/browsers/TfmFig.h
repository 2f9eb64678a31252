#pragma once
// The section chooser: for a system of three to five components, the figures
// of the system, property and publication (qrFig), listed by their labels.
// "OK" records the chosen label and closes. Created at start-up and reused.
#include <QDialog>

class QLabel;
class QPushButton;

namespace korvel {

class DbLookupList;

class TfmFig : public QDialog {
    Q_OBJECT
public:
    explicit TfmFig(QWidget* parent = nullptr);

    // Heads the window with the system name and forgets the last choice.
    void prepare(const QString& systemName);
    // The label recorded by the last "OK"; empty when the window was closed otherwise.
    QString chosenText() const { return m_chosen; }

    DbLookupList* list() const { return m_dblFig; }
    void sbOKClick();

private:
    QLabel* m_heading;
    DbLookupList* m_dblFig;
    QPushButton* m_sbOK;
    QString m_chosen;
};

} // namespace korvel
