#pragma once
// A page control whose pages may lose their tab while staying its active page:
// the active page is shown whether or not its tab is visible; hiding the tab of
// the active page hands the control over to the next page with a visible tab.
#include <QList>
#include <QString>
#include <QWidget>

class QHBoxLayout;
class QStackedWidget;
class QToolButton;

namespace korvel {

class PageControl : public QWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    // Adds a page (its objectName names it) with a tab caption.
    void addPage(QWidget* page, const QString& caption);
    QList<QWidget*> pages() const { return m_pages; }
    QWidget* page(const QString& name) const;

    void setActivePage(QWidget* page);
    QWidget* activePage() const { return m_active; }
    void setTabVisible(QWidget* page, bool visible);
    bool isTabVisible(QWidget* page) const;
    void setCaption(QWidget* page, const QString& caption);
    QString caption(QWidget* page) const;
    // Names of the pages whose tabs are visible, in order.
    QStringList visibleTabs() const;
    // The tab button of a page (for tests that click tabs).
    QToolButton* tabButton(QWidget* page) const;

signals:
    void activePageChanged(QWidget* page);

private:
    void refresh();
    static void fitTab(QToolButton* button);

    QHBoxLayout* m_tabs;
    QStackedWidget* m_stack;
    QList<QWidget*> m_pages;
    QList<QToolButton*> m_buttons;
    QList<bool> m_visible;
    QWidget* m_active = nullptr;
};

} // namespace korvel
