#pragma once
// A page control as the windows use it: pages that are switched by the program or by a row of
// tabs, where each page's tab can be hidden on its own and the active page stays shown even
// when its tab (or every tab) is hidden. Pages are laid out by hand, all of them at every
// resize, so their sizes are known before they are first shown.
//
// Ctrl+Tab and Ctrl+PageDown go to the next tab shown, Ctrl+Shift+Tab and Ctrl+PageUp to the
// previous one, round the end, as the user's click would: the page control holding the focus
// (the innermost one with two tabs or more shown), or, when the focus is in none, the outermost
// one of the window.
#include <QWidget>
#include <functional>

class QTabBar;

class TPageControl : public QWidget
{
    Q_OBJECT
public:
    explicit TPageControl(QWidget *parent = nullptr);

    QWidget *AddPage(const QString &objectName, const QString &caption);
    int PageCount() const { return int(m_pages.size()); }
    QWidget *Page(int index) const { return m_pages.at(size_t(index)).widget; }

    void SetTabVisible(int index, bool visible);
    bool TabVisible(int index) const { return m_pages.at(size_t(index)).tabVisible; }
    void SetCaption(int index, const QString &caption);
    QString Caption(int index) const { return m_pages.at(size_t(index)).caption; }
    void SetActivePage(int index);
    void SetActivePage(QWidget *page);
    int ActivePageIndex() const { return m_active; }
    QWidget *ActivePage() const { return m_active < 0 ? nullptr : Page(m_active); }
    QTabBar *TabBar() const { return m_tabs; }
    // Buttons style with no frame (the wizard's pages), instead of tabs over a framed page.
    void SetFlat(bool flat);

    // The rectangle the pages fill, in this control's coordinates.
    QRect PageRect() const;
    // Places the tabs and pages at once; a hidden control's own resize comes only when it is shown.
    void LayoutPages();

    std::function<void(int)> OnChange;   // the user chose a page by its tab (or its keys)

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Page_
    {
        QWidget *widget;
        QString caption;
        bool tabVisible;
    };
    void rebuildTabs();
    bool switchable() const;
    void stepTab(int step);
    static void stepTabsOfFocus(QWidget *window, int step);
    std::vector<Page_> m_pages;
    std::vector<int> m_tabPages;   // page index of each tab shown
    QTabBar *m_tabs;
    int m_active = -1;
    bool m_flat = false;
};
