// The wizard's step 4 and the editor's spin field at their largest: 24 panels on each of the seven
// weekday pages (168 panels, 1344 controls) built and arranged.
#include "bench/GuiBenchMain.h"
#include "tariffs/window/SlotPages.h"
#include "ui/PageControl.h"

#include <QApplication>
#include <QWidget>

static void RebuildAndArrange24(benchmark::State &state)
{
    QWidget page;
    page.resize(613, 331);
    TSlotPages slots(&page);
    slots.PageControl2->setGeometry(0, 0, 613, 331);
    page.show();
    for (auto _ : state) {
        slots.RebuildSlots(24);
        slots.ArrangeSlots();
        QCoreApplication::processEvents();   // what the window does before it shows them
    }
}
BENCHMARK(RebuildAndArrange24)->Unit(benchmark::kMillisecond);

static void ResizeOneUpOneDown(benchmark::State &state)
{
    QWidget page;
    TSlotPages slots(&page);
    slots.PageControl2->setGeometry(0, 0, 613, 331);
    slots.RebuildSlots(12);
    page.show();
    for (auto _ : state) {
        slots.ResizeSlots(13);
        slots.ResizeSlots(12);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(ResizeOneUpOneDown)->Unit(benchmark::kMillisecond);

MINUTRIX_GUI_BENCHMARK_MAIN()
