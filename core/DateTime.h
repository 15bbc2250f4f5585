#pragma once
// Date-times are day counts since 1899-12-30 in local time; the fraction is the time of day.
#include <QString>
#include <functional>

using TDateTime = double;

// The current local date-time. Tests replace the clock with SetClock and undo it with ResetClock.
TDateTime Now();
void SetClock(std::function<TDateTime()> clock);
void ResetClock();

// Seconds on a clock that only moves forward at the real rate, whatever the local clock does
// (changes of summer time, the clock set by hand). Tests replace it beside the local clock.
double MonotonicSeconds();
void SetMonotonicClock(std::function<double()> clock);
void ResetMonotonicClock();

bool TryEncodeDate(int year, int month, int day, TDateTime &result);
TDateTime EncodeDate(int year, int month, int day);   // 0 for an invalid date
TDateTime EncodeTime(int hour, int minute, int second, int msec);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec = 0);

// Decoding rounds to whole milliseconds first, so 10:00:59.9999 reads as 10:01:00.000.
void DecodeDate(TDateTime dt, int &year, int &month, int &day);
void DecodeTime(TDateTime dt, int &hour, int &minute, int &second, int &msec);
int DatePart(TDateTime dt);   // whole days after rounding to milliseconds
int YearOf(TDateTime dt);
int DayOfTheWeek(TDateTime dt);   // Monday 1 .. Sunday 7

// Texts in the system's regional settings.
QString FormatShortDate(TDateTime dt);
QString FormatLongTime(TDateTime dt);      // "00:05:23" under German settings
QString FloatToStrGeneral(double value);   // 15 significant digits, no trailing zeros: "37,5", "145"

// Machine-readable form for the command-line tool: YYYY-MM-DDTHH:MM:SS.
QString ToIsoDateTime(TDateTime dt);
QString ToIsoDate(TDateTime dt);
bool FromIsoDateTime(const QString &text, TDateTime &result);
