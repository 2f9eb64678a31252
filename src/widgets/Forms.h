#pragma once
// The window registry: the program's windows by their instance names
// ("fmStart", "fmSelect", "fmBadania3", ...). Windows that live for the whole
// run are made once, in the order of the start-up list the composition root
// installs; transient ones (selection, chart, DTA, eutectic, meniscographic)
// are created by the command that opens them, shown modally and released
// afterwards, so each opening starts from a fresh window.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace korvel::forms {

// One window of the start-up list.
struct WindowFactory {
    QString name;                   // instance name, e.g. "fmBadania3"
    std::function<QWidget*()> create;
};

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

// Starts a set of start-up windows (a set made before is destroyed first).
// None is made yet: a window is made when it is first reached through
// window(), together with the windows before it in the list, so they always
// come into being in the list's order.
void beginWindows(const QList<WindowFactory>& startupList);
// Makes every start-up window not made yet, in order.
void createAllWindows();
// The names of the start-up windows made so far, in the order they were made.
QStringList createdWindows();
void destroyWindows();

// Shows a window created at start-up modally (description windows).
void showModal(const QString& name);

// Creates the transient window `name` with `create` when its variable is empty,
// lets `prepare` run on it, shows it modally and releases it afterwards.
void showTransient(const QString& name, const std::function<QWidget*()>& create,
                   const std::function<void(QWidget*)>& prepare = {});

} // namespace korvel::forms
