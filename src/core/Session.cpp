#include "Session.h"

#include "Directories.h"

namespace korvel {

Session::Session(QObject* parent) : QObject(parent) {}

template <typename T> void Session::change(T& field, const T& value, void (Session::*signal)())
{
    if (field == value)
        return;
    field = value;
    emit(this->*signal)();
}

void Session::setChoices(const Choices& choices) { change(m_choices, choices, &Session::choicesChanged); }
void Session::setClassName(const QString& name) { change(m_choices.className, name, &Session::choicesChanged); }
void Session::setSystemName(const QString& name) { change(m_choices.systemName, name, &Session::choicesChanged); }
void Session::setPropertyName(const QString& name) { change(m_choices.propertyName, name, &Session::choicesChanged); }
void Session::setIsothermMode(bool on) { change(m_choices.isothermMode, on, &Session::choicesChanged); }
void Session::setTemperatureMode(bool on) { change(m_choices.temperatureMode, on, &Session::choicesChanged); }
void Session::setModelChecked(bool on) { change(m_choices.modelChecked, on, &Session::choicesChanged); }
void Session::setIsosurfaceChecked(bool on) { change(m_choices.isosurfaceChecked, on, &Session::choicesChanged); }

void Session::resetSelection()
{
    Choices fresh;
    fresh.className = m_choices.className;
    setChoices(fresh);
}

void Session::setPublication(std::optional<QString> publication)
{
    change(m_publication, publication, &Session::publicationChanged);
}

QString Session::databaseDir() const { return dirs::databaseDirFor(dirs::applicationDir()); }

void Session::setSaveDir(const QString& dir) { change(m_saveDir, dir, &Session::pathsChanged); }
void Session::setChosenPicture(const QString& path) { change(m_chosenPicture, path, &Session::pathsChanged); }
void Session::setFigureDir(const QString& dir) { change(m_figureDir, dir, &Session::pathsChanged); }
void Session::setFigureListDir(const QString& prefix) { change(m_figureListDir, prefix, &Session::pathsChanged); }
void Session::setMeniscusDir(const QString& dir) { change(m_meniscusDir, dir, &Session::pathsChanged); }

namespace {
Session* g_session = nullptr;
}

Session& session()
{
    if (!g_session) {
        static Session own;
        return own;
    }
    return *g_session;
}

void setSession(Session* s) { g_session = s; }

} // namespace korvel
