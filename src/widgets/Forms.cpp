#include "Forms.h"

#include "core/UiServices.h"

#include <QHash>

namespace korvel::forms {
namespace {
QHash<QString, QPointer<QWidget>>& windows()
{
    static QHash<QString, QPointer<QWidget>> table;
    return table;
}
QList<WindowFactory>& startupList()
{
    static QList<WindowFactory> list;
    return list;
}
QStringList& creationOrder()
{
    static QStringList order;
    return order;
}
// Start-up windows not made yet, in creation order. A window nobody sees until
// asked for is made when it is first reached, together with every window before
// it in the list, so windows still come into being in the program's order.
QStringList& pendingWindows()
{
    static QStringList pending;
    return pending;
}

void createUpTo(const QString& name)
{
    const qsizetype last = pendingWindows().indexOf(name);
    if (last < 0)
        return;
    const QStringList due = pendingWindows().mid(0, last + 1);
    pendingWindows().remove(0, last + 1);
    const QList<WindowFactory> factories = startupList();
    for (const WindowFactory& factory : factories) {
        if (!due.contains(factory.name))
            continue;
        QWidget* w = factory.create();
        if (!w)
            continue;
        w->setObjectName(factory.name);
        setWindow(factory.name, w);
        creationOrder() << factory.name;
    }
}
} // namespace

QWidget* window(const QString& name)
{
    if (!pendingWindows().isEmpty())
        createUpTo(name);
    return windows().value(name).data();
}

void setWindow(const QString& name, QWidget* w)
{
    // A window set by hand takes the place of the one the list would make.
    pendingWindows().removeAll(name);
    windows().insert(name, w);
}

void release(const QString& name)
{
    // Releasing a window not made yet is the same as making and deleting it.
    pendingWindows().removeAll(name);
    QPointer<QWidget> w = windows().take(name);
    delete w.data();
}

void beginWindows(const QList<WindowFactory>& list)
{
    // A second set replaces the first: the registry owns its windows, and
    // windows left over from the first set would never be released.
    if (!windows().isEmpty())
        destroyWindows();
    creationOrder().clear();
    pendingWindows().clear();
    startupList() = list;
    for (const WindowFactory& factory : list)
        pendingWindows() << factory.name;
}

void createAllWindows()
{
    if (!pendingWindows().isEmpty())
        createUpTo(pendingWindows().last());
}

QStringList createdWindows() { return creationOrder(); }

void destroyWindows()
{
    pendingWindows().clear();
    // Release in reverse creation order; the start window goes last.
    const QStringList order = creationOrder();
    for (auto it = order.crbegin(); it != order.crend(); ++it)
        release(*it);
    const QStringList rest = windows().keys();
    for (const QString& name : rest)
        release(name);
    creationOrder().clear();
}

void showModal(const QString& name)
{
    if (QWidget* w = window(name))
        ui().showModal(w);
}

void showTransient(const QString& name, const std::function<QWidget*()>& create,
                   const std::function<void(QWidget*)>& prepare)
{
    if (!window(name)) {
        QWidget* w = create();
        w->setObjectName(name);
        setWindow(name, w);
    }
    QPointer<QWidget> w = window(name);
    if (prepare)
        prepare(w);
    if (w)
        ui().showModal(w);
    release(name);
}

} // namespace korvel::forms
