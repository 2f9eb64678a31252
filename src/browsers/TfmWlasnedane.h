#pragma once
// The user-data window: the user types or loads measurements of their own,
// one point per line, and "OK" draws them over the chart window's chart.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace korvel {

class TfmWlasnedane : public QDialog {
    Q_OBJECT
public:
    explicit TfmWlasnedane(QWidget* parent = nullptr);

    QPlainTextEdit* memo() const { return m_memo1; }
    QLineEdit* temperatureField() const { return m_edWlasneT; }
    QLineEdit* authorField() const { return m_edAuthor; }

    // Handlers.
    void FormShow();
    void sbLoadClick();
    void sbSaveClick();
    void sbOKClick();
    void sbBackClick();
    void sbExitClick();
    void sbHelpClick();
    // "OK" only while the data, the temperature and the author are all filled.
    void updateOkButton();

    static QString fileFilter();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* m_memo1;
    QLineEdit* m_edWlasneT;
    QLineEdit* m_edAuthor;
    QPushButton* m_sbLoad;
    QPushButton* m_sbSave;
    QPushButton* m_sbOK;
    QPushButton* m_sbBack;
    QPushButton* m_sbExit;
    QPushButton* m_sbHelp;
};

} // namespace korvel
