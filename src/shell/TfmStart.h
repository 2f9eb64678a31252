#pragma once
// The start window: the main window of the program. It lists the system
// classes (the session's class follows its choice) and leads to the selection
// window. The path fields and document operations it offers are the
// session's and the shared commands'.
#include <QMainWindow>

class QPushButton;
class QTimer;

namespace korvel {

class DbLookupList;

class TfmStart : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmStart(QWidget* parent = nullptr);
    ~TfmStart() override;

    // The chosen class, as the text of the class list.
    QString className() const;
    DbLookupList* classList() const { return m_dblSelectSystem; }

    // Shared operations.
    static void OpenHelp();
    static void RunOlderProgram();
    void ResetSaveDir();
    void OpenFirstFigure(const QString& systemName);
    void OpenFirstMeniscusPicture(const QString& systemName);
    void AccessPathOfDatabase();

    // Path fields (kept by the session).
    QString SaveDir() const;
    void setSaveDir(const QString& v);
    QString ChosenPicture() const;
    void setChosenPicture(const QString& v);
    QString FigureDir() const;
    QString FigureListDir() const;
    QString MeniscusDir() const;

    // Handlers.
    void sbOKClick();
    void sbExitClick();
    void Timer1Timer();
    QTimer* timer() const { return m_timer; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void colourOk(bool chosen);

    DbLookupList* m_dblSelectSystem;
    QPushButton* m_sbOK;
    QPushButton* m_sbExit;
    QTimer* m_timer;
    bool m_startupReported = false;
};

} // namespace korvel
