#pragma once
// The state the windows share for one run: the user's choices, the publication
// picked in the chart window and the shared paths (SaveDir, DatabaseDir, the
// chosen picture and the folders the browsers last worked in). The start and
// selection windows write the choices, the chart window writes the
// publication; the charts and browsers read them here instead of reading
// another window's controls. Each change is announced.
#include "Choices.h"

#include <QObject>
#include <QString>
#include <optional>

namespace korvel {

class Session : public QObject {
    Q_OBJECT
public:
    explicit Session(QObject* parent = nullptr);

    // ---- choices -------------------------------------------------------------------
    const Choices& choices() const { return m_choices; }
    void setChoices(const Choices& choices);
    void setClassName(const QString& name);
    void setSystemName(const QString& name);
    void setPropertyName(const QString& name);
    void setIsothermMode(bool on);
    void setTemperatureMode(bool on);
    void setModelChecked(bool on);
    void setIsosurfaceChecked(bool on);
    // The selection window has gone: system, property and mode return to their
    // defaults; the class stays.
    void resetSelection();

    // The publication list of the open chart window (its shown text); nothing
    // while no chart window is open.
    std::optional<QString> publication() const { return m_publication; }
    void setPublication(std::optional<QString> publication);

    // ---- shared paths ----------------------------------------------------------------
    // DatabaseDir: the Database folder beside the program or the one the
    // command line names.
    QString databaseDir() const;
    QString saveDir() const { return m_saveDir; }
    void setSaveDir(const QString& dir);
    QString chosenPicture() const { return m_chosenPicture; }
    void setChosenPicture(const QString& path);
    QString figureDir() const { return m_figureDir; }
    void setFigureDir(const QString& dir);
    QString figureListDir() const { return m_figureListDir; }
    void setFigureListDir(const QString& prefix);
    QString meniscusDir() const { return m_meniscusDir; }
    void setMeniscusDir(const QString& dir);

signals:
    void choicesChanged();
    void publicationChanged();
    void pathsChanged();

private:
    template <typename T> void change(T& field, const T& value, void (Session::*signal)());

    Choices m_choices;
    std::optional<QString> m_publication;
    QString m_saveDir, m_chosenPicture, m_figureDir, m_figureListDir, m_meniscusDir;
};

// The session in force. The program installs its own; until then (and in
// tests that install none) a session of the run's own is used.
Session& session();
void setSession(Session* session);

} // namespace korvel
