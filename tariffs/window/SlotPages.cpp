#include "tariffs/window/SlotPages.h"

#include "tariffs/window/HourPanel.h"
#include "ui/PageControl.h"

#include <QComboBox>
#include <QCoreApplication>

namespace {
const char *const pageNames[7] = {"TMontag",  "TDienstag", "TMittwoch", "TDonnerstag",
                                  "TFreitag", "TSamstag",  "TSonntag"};
const char *const pageCaptions[7] = {
    QT_TRANSLATE_NOOP("TSlotPages", "Montag"),   QT_TRANSLATE_NOOP("TSlotPages", "Dienstag"),
    QT_TRANSLATE_NOOP("TSlotPages", "Mittwoch"), QT_TRANSLATE_NOOP("TSlotPages", "Donnerstag"),
    QT_TRANSLATE_NOOP("TSlotPages", "Freitag"),  QT_TRANSLATE_NOOP("TSlotPages", "Samstag"),
    QT_TRANSLATE_NOOP("TSlotPages", "Sonntag")};
}

TSlotPages::TSlotPages(QWidget *parent) : PageControl2(new TPageControl(parent))
{
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    for (int i = 0; i < 7; ++i) {
        PageControl2->AddPage(QLatin1String(pageNames[i]), QCoreApplication::translate("TSlotPages", pageCaptions[i]));
        PageControl2->SetTabVisible(i, false);
    }
}

TSlotPages::~TSlotPages() { FreePanels(); }

THourPanel *TSlotPages::newPanel(int page, int top)
{
    auto *panel = new THourPanel(PageControl2->Page(page));
    panel->move(5, top);
    panel->show();
    return panel;
}

void TSlotPages::FreePanels()
{
    for (auto &list : DayPanels)
        while (!list.isEmpty()) delete list.takeLast();
}

void TSlotPages::RebuildSlots(int n)
{
    SlotsPerDay = n;
    for (int p = 0; p < 7; ++p) {
        QList<THourPanel *> &list = DayPanels[size_t(p)];
        while (!list.isEmpty()) delete list.takeLast();
        for (int j = 0; j < n; ++j) list.append(newPanel(p, 5));
    }
}

void TSlotPages::ResizeSlots(int n)
{
    n = std::max(0, n);
    for (int p = 0; p < 7; ++p) {
        QList<THourPanel *> &list = DayPanels[size_t(p)];
        for (int j = SlotsPerDay + 1; j <= n; ++j) list.append(newPanel(p, 5 + (j - 1) * 100));
        for (int j = n; j < SlotsPerDay; ++j) delete list.takeLast();
    }
    SlotsPerDay = n;
    ArrangeSlots();
}

void TSlotPages::ArrangeSlots()
{
    // A page control lower than one panel still shows them, as one row.
    const int rows = std::max(1, PageControl2->height() / 100);
    for (const auto &list : DayPanels)
        for (int i = 1; i <= int(list.size()); ++i) {
            const int c = (i + rows - 1) / rows;
            const int r = i - (c - 1) * rows;
            list[i - 1]->move(5 + (c - 1) * 175, 5 + (r - 1) * 100);
        }
}

void TSlotPages::ShowModelPages(int model)
{
    for (int i = 0; i < 7; ++i) {
        const bool visible = model == ModelEachDay || (model == ModelWorkdaysSunday && (i == 0 || i == 6));
        PageControl2->SetTabVisible(i, visible);
    }
    if (model != ModelEachDay) PageControl2->SetActivePage(0);
}

TPageSlots TSlotPages::Texts() const
{
    TPageSlots pages;
    for (size_t p = 0; p < 7; ++p)
        for (const THourPanel *panel : DayPanels[p]) pages[p].push_back(panel->Texts());
    return pages;
}

void TSlotPages::SetTexts(const TPageSlots &pages)
{
    size_t n = 1;
    for (const auto &page : pages) n = std::max(n, page.size());
    RebuildSlots(int(n));
    for (size_t p = 0; p < 7; ++p)
        for (size_t i = 0; i < pages[p].size(); ++i) DayPanels[p][qsizetype(i)]->SetTexts(pages[p][i]);
    ArrangeSlots();
}

void FillConnectionList(QComboBox *combo, const TConnectionSource &connections)
{
    combo->clear();
    if (connections) {
        const TConnectionLists lists = connections();
        for (int i = 0; i < lists.Entries.size(); ++i)
            combo->addItem(ConnectionItem(lists.Numbers.value(i), lists.Entries[i]));
    }
    combo->setCurrentIndex(-1);
}
