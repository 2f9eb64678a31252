#pragma once
// The program's windows by their instance names ("fmStart", "fmSelect",
// "fmBadania3", ...). Windows that live for the whole run are created once, in
// a fixed order, starting with createWindows(); transient ones (selection, chart, DTA,
// eutectic, meniscographic) are created by the command that opens them, shown
// modally and released afterwards, so each opening starts from a fresh window.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace korvel {
class TfmStart;
}

namespace korvel::forms {

QWidget* window(const QString& name);
template <typename T> T* get(const QString& name) { return qobject_cast<T*>(window(name)); }
void setWindow(const QString& name, QWidget* window);
// The window of that name; when its variable is empty, a new T is created and registered under it.
template <typename T> T* obtain(const QString& name)
{
    if (T* existing = get<T>(name))
        return existing;
    auto* created = new T;
    created->setObjectName(name);
    setWindow(name, created);
    return created;
}
// Deletes the window and empties its variable.
void release(const QString& name);

// Creates the start window; every other window that lives for the whole run is
// made when it is first reached through window(), together with the windows
// before it in the program's creation order, so they always come into being in
// that order. The start window is returned (it is the main window).
TfmStart* createWindows();
// Makes every start-up window not made yet, in order.
void createAllWindows();
// The names of the start-up windows made so far, in the order they were made.
QStringList createdWindows();
void destroyWindows();
TfmStart* fmStart();

// Shows a window created at start-up modally (description windows).
void showModal(const QString& name);

// Creates the transient window `name` with `create` when its variable is empty,
// lets `prepare` run on it, shows it modally and releases it afterwards.
void showTransient(const QString& name, const std::function<QWidget*()>& create,
                   const std::function<void(QWidget*)>& prepare = {});

} // namespace korvel::forms
