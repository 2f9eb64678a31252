#include "PageControl.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvel {

PageControl::PageControl(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs = new QHBoxLayout;
    m_tabs->setSpacing(1);
    m_tabs->addStretch();
    layout->addLayout(m_tabs);
    m_stack = new QStackedWidget(this);
    m_stack->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(m_stack, 1);
}

void PageControl::addPage(QWidget* page, const QString& caption)
{
    auto* button = new QToolButton(this);
    button->setText(caption);
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setObjectName(page->objectName() + QStringLiteral("_tab"));
    fitTab(button);
    m_tabs->insertWidget(m_tabs->count() - 1, button);
    connect(button, &QToolButton::clicked, this, [this, page] { setActivePage(page); });
    m_pages.append(page);
    m_buttons.append(button);
    m_visible.append(true);
    m_stack->addWidget(page);
    if (!m_active)
        m_active = page;
    refresh();
}

QWidget* PageControl::page(const QString& name) const
{
    for (QWidget* p : m_pages) {
        if (p->objectName() == name)
            return p;
    }
    return nullptr;
}

void PageControl::setActivePage(QWidget* page)
{
    if (!m_pages.contains(page) || page == m_active)
        return;
    m_active = page;
    refresh();
    emit activePageChanged(page);
}

void PageControl::setTabVisible(QWidget* page, bool visible)
{
    const int i = int(m_pages.indexOf(page));
    if (i < 0 || m_visible[i] == visible)
        return;
    m_visible[i] = visible;
    if (!visible && page == m_active) {
        for (int step = 1; step < m_pages.size(); ++step) {
            const int j = (i + step) % int(m_pages.size());
            if (m_visible[j]) {
                m_active = m_pages[j];
                break;
            }
        }
    }
    refresh();
}

bool PageControl::isTabVisible(QWidget* page) const
{
    const int i = int(m_pages.indexOf(page));
    return i >= 0 && m_visible[i];
}

void PageControl::setCaption(QWidget* page, const QString& caption)
{
    const int i = int(m_pages.indexOf(page));
    if (i < 0)
        return;
    m_buttons[i]->setText(caption);
    fitTab(m_buttons[i]);
}

void PageControl::fitTab(QToolButton* button)
{
    // A tab shows its whole caption when there is room and shrinks (its tooltip
    // keeps the caption) when many tabs share a narrow control.
    const int full = button->fontMetrics().horizontalAdvance(button->text()) + 16;
    button->setMinimumWidth(std::min(full, 44));
    button->setToolTip(button->text());
}

QString PageControl::caption(QWidget* page) const
{
    const int i = int(m_pages.indexOf(page));
    return i >= 0 ? m_buttons[i]->text() : QString();
}

QStringList PageControl::visibleTabs() const
{
    QStringList names;
    for (int i = 0; i < m_pages.size(); ++i) {
        if (m_visible[i])
            names << m_pages[i]->objectName();
    }
    return names;
}

QToolButton* PageControl::tabButton(QWidget* page) const
{
    const int i = int(m_pages.indexOf(page));
    return i >= 0 ? m_buttons[i] : nullptr;
}

void PageControl::refresh()
{
    for (int i = 0; i < m_pages.size(); ++i) {
        m_buttons[i]->setVisible(m_visible[i]);
        m_buttons[i]->setChecked(m_pages[i] == m_active);
    }
    if (m_active)
        m_stack->setCurrentWidget(m_active);
}

} // namespace korvel
