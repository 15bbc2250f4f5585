#pragma once
// The printout of a month: a header line and one line per connection in stored order, continued on
// further pages; no title, page number, total or ruling.
//
// Positions are in 0.1 mm with y growing upwards from the top-left corner of the printable area,
// so every line has a negative y; a text's top edge stands at its y.
#include "core/MonatsLog.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <array>
#include <vector>

constexpr int PrintMarginLeft = 250;
constexpr int PrintMarginTop = 250;
constexpr int MinPrintWidth = 2000;   // a narrower printable area prints nothing
constexpr std::array<int, 5> PrintColumnX{PrintMarginLeft, PrintMarginLeft + 300, PrintMarginLeft + 600,
                                          PrintMarginLeft + 900, PrintMarginLeft + 1500};

// "Arial" 11 points, sized in 0.1 mm units.
QFont PrintFont();
// The font's height (ascent plus descent) in whole 0.1 mm: the step from one line to the next.
int PrintLineStep(const QFont &font);

struct TPrintLine
{
    int page = 0;   // from 0
    int y = 0;      // top edge, negative
};
// Line 0 is the header, line i the i-th connection. A line starts a new page (at the top margin)
// when it would start more than pageHeight - 2 * PrintMarginTop below the top; the header is not
// repeated.
std::vector<TPrintLine> PrintLineLayout(int pageHeight, int lineStep, size_t records);

// The printable width and height in whole millimetres, times 10.
QSize PrintableSize(const QPagedPaintDevice &device);

// Prints copies times all pages onto the device (the device itself prints each page once).
// False, with nothing printed, when the printable width is under MinPrintWidth. Throws Exception
// when the device cannot start printing or begin a page.
bool PrintMonth(QPagedPaintDevice &device, const std::vector<TVerbindung> &records, int copies = 1);
