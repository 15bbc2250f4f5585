#pragma once
// The usage graph: the cost per day of a month as one thin black bar per day 1..31 over a
// horizontal axis, with a vertical axis on the left; no labels.
#include "core/MonatsLog.h"

#include <QImage>
#include <QPainter>
#include <QSize>
#include <array>
#include <span>
#include <vector>

// The sums per day (index 0 is day 1), in stored order: a record dated before the latest day seen
// so far (another month, a clock set back) counts on that latest day. Each record adds its
// CountedCost, so a damaged record's cost that is no number draws no bar.
std::array<double, 31> DailySums(const std::vector<TVerbindung> &records);

// White ground, the two axes and one bar per sum, bar i (from 1) at x = (Wc - 30) / n * i: the
// graph of a month with its 31 days, of a year with its 12 months. Throws on failure.
void DrawBarChart(QPainter &painter, const QSize &client, std::span<const double> sums);

// Draws onto the painter's device, client being the drawing area from (0, 0). Any failure (an inactive
// painter, memory) stops the drawing and is reported as
// E_UnknownErrorAt + "ZeichneGrafik"; what was drawn so far stays.
void ZeichneGrafik(QPainter &painter, const QSize &client, const std::vector<TVerbindung> &records);

// The graph as a picture of that size (for minutrix-cli and the benchmarks).
QImage GrafikImage(const std::vector<TVerbindung> &records, const QSize &size);
