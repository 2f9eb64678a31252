#pragma once
// The eutectic chooser: the eutectic sections of the current system (qrEut);
// "OK" hands the section identifier (ID_EUTEKTYKI) of the row the list stands
// on to the chart window and closes.
#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace korvel {

class DbLookupList;

class TfmEut : public QDialog {
    Q_OBJECT
public:
    using StoreSection = std::function<void(int)>;
    TfmEut(const QString& systemName, StoreSection store, QWidget* parent = nullptr);

    DbLookupList* list() const { return m_dblEut; }
    void sbOKClick();

private:
    QLabel* m_heading;
    DbLookupList* m_dblEut;
    QPushButton* m_sbOK;
    StoreSection m_store;
};

} // namespace korvel
