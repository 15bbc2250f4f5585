#pragma once
// The time-slot panels of one window (the tariff editor and the setup wizard each hold their own):
// the weekday page control, a list of panels per weekday page and the common number of slots.
#include "tariffs/TariffInput.h"

#include <QList>
#include <array>

class QComboBox;
class QWidget;
class THourPanel;
class TPageControl;

class TSlotPages
{
public:
    // Creates the weekday page control PageControl2 on parent, every tab hidden.
    explicit TSlotPages(QWidget *parent);
    ~TSlotPages();
    TSlotPages(const TSlotPages &) = delete;
    TSlotPages &operator=(const TSlotPages &) = delete;

    TPageControl *PageControl2;
    std::array<QList<THourPanel *>, 7> DayPanels;   // Montag .. Sonntag; a list owns its panels
    int SlotsPerDay = 0;

    // n fresh panels per page at left 5, top 5 (the caller arranges them when n > 1).
    void RebuildSlots(int n);
    // Panels added at the end or removed from the end of every page until each holds n; arranged.
    void ResizeSlots(int n);
    // Columns as high as whole panels fit into the page control's height, filled top to bottom.
    void ArrangeSlots();
    // The tabs of a tariff model: 0 none, 1 Montag and Sonntag, 2 all seven.
    void ShowModelPages(int model);
    // Frees every panel, last first (the window's destruction).
    void FreePanels();

    TPageSlots Texts() const;
    // As many panels per page as the fullest page has, filled with the texts (a page with fewer
    // keeps its last panels at the initial texts), arranged.
    void SetTexts(const TPageSlots &pages);

private:
    THourPanel *newPanel(int page, int top);
};

// One connection item "number||entry" per dial-up entry the source lists (none without a source);
// nothing selected afterwards.
void FillConnectionList(QComboBox *combo, const TConnectionSource &connections);
