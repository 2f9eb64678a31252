#pragma once
// The property figure browser: the user picks a publication of the current
// system and property (and, for electrical and mechanical properties, a
// sub-property); "OK" shows that publication's figure in the scan window, or
// the figure list of what exists, or says that there is none. "All data"
// opens the first figure of the system with the desktop's viewer. Created at
// start-up and reused; the selection window and the chart window also run
// its "OK" without showing it.
#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace korvel {

class DbLookupList;

class TfmAutorFig : public QDialog {
    Q_OBJECT
public:
    explicit TfmAutorFig(QWidget* parent = nullptr);

    DbLookupList* publicationList() const { return m_dblAutor; }
    QComboBox* subPropertyList() const { return m_cbWlasciwosc; }

    void FormShow();
    void dblAutorClick();
    void cbWlasciwoscChange();
    Q_INVOKABLE void sbOKClick();
    void sbAllDataClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool needsSubProperty() const;
    void evaluateOk();
    // The publication whose figures are looked for: the chart window's when it
    // is open (it runs this command in place of missing values), else this window's.
    QString publicationKey() const;
    void showFigures();

    DbLookupList* m_dblAutor;
    QComboBox* m_cbWlasciwosc;
    QPushButton* m_sbOK;
    QPushButton* m_sbAllData;
    QString m_property; // the property the window was shown for
};

} // namespace korvel
