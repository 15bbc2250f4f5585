#pragma once
// Public holidays (and the further special days) of a German federal state, one table per year.
#include "core/DateTime.h"

#include <array>
#include <cstdint>

// Indexed by day of the year 1..366; entry 0 is never marked. 0 = ordinary day, else the day's code.
extern std::array<std::uint8_t, 367> Feiertage;

TDateTime GetOstersonntag(int year);   // 0 when the computed day is no valid date
void BuildFeiertage(int year, int state);
bool IsFeiertag(TDateTime date);   // for the settings value Bundesland
int DayOfYear(TDateTime date);     // 1..366, 0 when the date cannot be converted
