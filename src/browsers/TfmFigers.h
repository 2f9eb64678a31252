#pragma once
// The figure list: the figures that exist when the expected file is missing.
// In publication-figure mode it offers the kinds of figure of one publication
// (key_system_<code><axis><ending>); in meniscographic mode the kinds of
// picture of one source. "Show" opens the selected one in the scan window.
// The window that needs it creates it for each use and destroys it afterwards.
#include "core/Choices.h"

#include <QDialog>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

namespace korvel {

class TfmFigers : public QDialog {
    Q_OBJECT
public:
    enum class Mode { PublicationFigures, MeniscusPictures };

    // The list works from the session's choice as it is when the list is made.
    explicit TfmFigers(Mode mode, QWidget* parent = nullptr);

    // Publication-figure mode: FigureListDir := figure folder + key + "_" + system + "_".
    void preparePublicationFigures(const QString& publicationKey);
    // Meniscographic mode: MeniscusDir := the meniscographic folder of the system.
    void prepareMeniscusPictures(const QString& source);

    Mode mode() const { return m_mode; }
    QStringList offeredTexts() const;
    bool offersNothing() const { return offeredTexts().isEmpty(); }
    QListWidget* kindList() const { return m_list; }

    void sbShowClick();
    void SpeedButton1Click(); // "All data"
    void sbHelpClick();

private:
    // The file that "Show" opens for the selected kind; empty when none is selected.
    QString chosenFile() const;

    Mode m_mode;
    Choices m_choices;
    QString m_figureFolder;
    QString m_meniscusFolder;
    QString m_prefix; // publication mode: the figure-file prefix
    QString m_source; // meniscographic mode: the chosen source
    QStringList m_suffixes;
    QLabel* m_key;
    QListWidget* m_list;
    QPushButton* m_sbShow;
    QPushButton* m_sbClose;
    QPushButton* m_sbHelp;
    QPushButton* m_SpeedButton1;
};

// Creates the figure list in the given mode, lets `prepare` fill it and, when
// it offers something, shows it modally; it is destroyed afterwards. Returns
// false (without showing it) when it offers nothing.
bool showFigureList(TfmFigers::Mode mode, const std::function<void(TfmFigers*)>& prepare);

} // namespace korvel
