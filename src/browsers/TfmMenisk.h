#pragma once
// The meniscographic browser: the measurements of the current system as a
// table, or one picture of a recorded curve chosen by source, kind and
// picture. "Table" and "Figer" act as a pair of radio buttons. It is a
// transient window: "Menisc" of the selection window creates it, shows it
// modally and destroys it.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace korvel {

class DbLookupList;

class TfmMenisk : public QDialog {
    Q_OBJECT
public:
    explicit TfmMenisk(QWidget* parent = nullptr);

    DbLookupList* sourceList() const { return m_dblAutor; }
    DbLookupList* kindList() const { return m_dblSelectMeniskFig; }
    DbLookupList* pictureList() const { return m_dblMeniskFig; }
    QCheckBox* tableBox() const { return m_chbTable; }
    QCheckBox* figureBox() const { return m_chbFig; }
    QPushButton* showButton() const { return m_sbFig; }
    // The file "Show" looks for in picture mode, from the current selections.
    QString pictureFile() const;

    void chbTableClick();
    void chbFigClick();
    void dblAutorClick();
    void dblSelectMeniskFigClick();
    void dblMeniskFigClick();
    void sbFigClick();
    void SpeedButton2Click(); // "All Data"
    void SpeedButton1Click(); // "Exit"
    void sbHelpClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void enterTableMode();
    void enterPictureMode(bool byCheckingFiger);
    bool pictureMode() const;
    void showPicture(const QString& path);

    QLabel* m_noData;
    QCheckBox* m_chbTable;
    QCheckBox* m_chbFig;
    DbLookupList* m_dblAutor;
    DbLookupList* m_dblSelectMeniskFig;
    DbLookupList* m_dblMeniskFig;
    QPushButton* m_sbFig;
    QPushButton* m_SpeedButton2;
    QPushButton* m_SpeedButton1;
    QPushButton* m_sbHelp;
};

} // namespace korvel
