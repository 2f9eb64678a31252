#include "Forms.h"

#include "TfmStart.h"
#include "WindowCatalogue.h"
#include "core/UiServices.h"

#include <QHash>

namespace korvel::forms {
namespace {
QHash<QString, QPointer<QWidget>>& windows()
{
    static QHash<QString, QPointer<QWidget>> table;
    return table;
}
QStringList& creationOrder()
{
    static QStringList order;
    return order;
}
} // namespace

QWidget* window(const QString& name) { return windows().value(name).data(); }

void setWindow(const QString& name, QWidget* w) { windows().insert(name, w); }

void release(const QString& name)
{
    QPointer<QWidget> w = windows().take(name);
    delete w.data();
}

TfmStart* fmStart() { return get<TfmStart>(QStringLiteral("fmStart")); }

TfmStart* createWindows()
{
    creationOrder().clear();
    for (const WindowFactory& factory : windowFactories()) {
        QWidget* w = factory.create();
        if (!w)
            continue;
        w->setObjectName(factory.name);
        setWindow(factory.name, w);
        creationOrder() << factory.name;
    }
    return fmStart();
}

QStringList createdWindows() { return creationOrder(); }

void destroyWindows()
{
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
