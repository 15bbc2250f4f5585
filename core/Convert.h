#pragma once
// Text to number as the windows convert what the user typed: the system's decimal separator, no
// thousands separators, surrounding spaces allowed. StrToFloat throws the framework's message.
#include <QString>

bool TryStrToFloat(const QString &text, double &value);
bool TryStrToInt(const QString &text, int &value);
// Throws Exception("'<text>' is not a valid floating point value").
double StrToFloat(const QString &text);

// An amount text written with a comma ("0,00") in the system's decimal separator.
QString LocalAmount(const QString &commaText);
// An amount as the windows show it: two decimals when that is exact ("100,00", "75,50"),
// otherwise every digit it needs, so that showing and storing again changes nothing.
QString AmountText(double value);
