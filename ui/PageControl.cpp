#include "ui/PageControl.h"

#include <QApplication>
#include <QPainter>
#include <QShortcut>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

TPageControl::TPageControl(QWidget *parent) : QWidget(parent), m_tabs(new QTabBar(this))
{
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    m_tabs->hide();
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int tab) {
        if (tab < 0 || size_t(tab) >= m_tabPages.size()) return;
        const int page = m_tabPages[size_t(tab)];
        if (page == m_active) return;
        SetActivePage(page);
        if (OnChange) OnChange(page);
    });
    // One pair of shortcuts per control; whichever of a window's fires (with several the match is
    // ambiguous to Qt), the control the focus is in takes the step. Enabled while two tabs are shown.
    const std::pair<int, QList<QKeySequence>> keys[] = {
        {1, {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}},
        {-1,
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
          QKeySequence(Qt::CTRL | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)}},
    };
    for (const auto &[step, sequences] : keys) {
        auto *shortcut = new QShortcut(this);
        shortcut->setKeys(sequences);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setEnabled(false);
        for (auto signal : {&QShortcut::activated, &QShortcut::activatedAmbiguously})
            connect(shortcut, signal, this, [this, step = step] { stepTabsOfFocus(window(), step); });
    }
}

bool TPageControl::switchable() const { return m_tabPages.size() > 1 && isVisible() && isEnabled(); }

void TPageControl::stepTab(int step)
{
    const int count = m_tabs->count();
    m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + count) % count);   // as if its tab was clicked
}

void TPageControl::stepTabsOfFocus(QWidget *window, int step)
{
    for (QWidget *w = QApplication::focusWidget(); w && w->window() == window; w = w->parentWidget())
        if (auto *control = qobject_cast<TPageControl *>(w); control && control->switchable())
            return control->stepTab(step);
    for (TPageControl *control : window->findChildren<TPageControl *>())   // parents before their children
        if (control->switchable()) return control->stepTab(step);
}

QWidget *TPageControl::AddPage(const QString &objectName, const QString &caption)
{
    auto *page = new QWidget(this);
    page->setObjectName(objectName);
    page->hide();
    m_pages.push_back({page, caption, true});
    if (m_active < 0) m_active = 0;
    rebuildTabs();
    LayoutPages();
    Page(m_active)->show();
    return page;
}

void TPageControl::SetTabVisible(int index, bool visible)
{
    if (m_pages.at(size_t(index)).tabVisible == visible) return;
    m_pages[size_t(index)].tabVisible = visible;
    rebuildTabs();
    LayoutPages();
}

void TPageControl::SetCaption(int index, const QString &caption)
{
    m_pages.at(size_t(index)).caption = caption;
    rebuildTabs();
    LayoutPages();
}

void TPageControl::SetActivePage(int index)
{
    if (index < 0 || index >= PageCount()) return;
    if (index != m_active) {
        QWidget *old = ActivePage();
        m_active = index;
        Page(index)->show();
        if (old) old->hide();
    }
    rebuildTabs();
}

void TPageControl::SetActivePage(QWidget *page)
{
    for (int i = 0; i < PageCount(); ++i)
        if (Page(i) == page) SetActivePage(i);
}

void TPageControl::SetFlat(bool flat)
{
    m_flat = flat;
    LayoutPages();
    update();
}

void TPageControl::rebuildTabs()
{
    const QSignalBlocker block(m_tabs);
    while (m_tabs->count()) m_tabs->removeTab(m_tabs->count() - 1);
    m_tabPages.clear();
    for (int i = 0; i < PageCount(); ++i) {
        if (!m_pages[size_t(i)].tabVisible) continue;
        m_tabs->addTab(m_pages[size_t(i)].caption);
        m_tabPages.push_back(i);
        if (i == m_active) m_tabs->setCurrentIndex(m_tabs->count() - 1);
    }
    m_tabs->setVisible(!m_tabPages.empty());
    // Keys that switch nothing here stay with the focused control (Ctrl+PageDown in a list).
    for (QShortcut *shortcut : findChildren<QShortcut *>(QString(), Qt::FindDirectChildrenOnly))
        shortcut->setEnabled(m_tabPages.size() > 1);
}

QRect TPageControl::PageRect() const
{
    // A flat control keeps a margin of 4 pixels (6 below), a framed one its frame and the tabs.
    if (m_flat) return rect().adjusted(4, 4, -4, -6);
    const int top = m_tabPages.empty() ? 0 : m_tabs->sizeHint().height() - 2;
    return rect().adjusted(4, top + 4, -4, -4);
}

void TPageControl::LayoutPages()
{
    if (!m_tabPages.empty()) m_tabs->setGeometry(2, 0, width() - 4, m_tabs->sizeHint().height());
    const QRect r = PageRect();
    for (const Page_ &p : m_pages) p.widget->setGeometry(r);
    update();
}

void TPageControl::resizeEvent(QResizeEvent *) { LayoutPages(); }

void TPageControl::paintEvent(QPaintEvent *)
{
    if (m_flat) return;
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const int top = m_tabPages.empty() ? 0 : m_tabs->sizeHint().height() - 2;
    frame.rect = rect().adjusted(0, top, 0, 0);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}
