#pragma once
// The start window: the main window of the program. It lists the system
// classes, leads to the selection window, holds the path fields that later
// windows share and offers the shared document operations.
#include <QMainWindow>

class QPushButton;
class QTimer;

namespace korvel {

class DbLookupList;
struct MainMenuActions;

class TfmStart : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmStart(QWidget* parent = nullptr);

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

    // Path fields.
    QString SaveDir() const { return m_saveDir; }
    void setSaveDir(const QString& v) { m_saveDir = v; }
    QString ChosenPicture() const { return m_chosenPicture; }
    void setChosenPicture(const QString& v) { m_chosenPicture = v; }
    QString FigureDir() const { return m_figureDir; }
    void setFigureDir(const QString& v) { m_figureDir = v; }
    QString FigureListDir() const { return m_figureListDir; }
    void setFigureListDir(const QString& v) { m_figureListDir = v; }
    QString MeniscusDir() const { return m_meniscusDir; }
    void setMeniscusDir(const QString& v) { m_meniscusDir = v; }

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
    // The folder DatabaseDir/<kind>/<class>/<system>/ with a trailing separator.
    QString documentFolder(const QString& kind, const QString& systemName) const;

    DbLookupList* m_dblSelectSystem;
    QPushButton* m_sbOK;
    QPushButton* m_sbExit;
    QTimer* m_timer;
    QString m_saveDir, m_chosenPicture, m_figureDir, m_figureListDir, m_meniscusDir;
    bool m_startupReported = false;
};

// The first JPEG in name order (case ignored) in a folder, or an empty text when it holds none.
QString firstJpegIn(const QString& folder);

} // namespace korvel
