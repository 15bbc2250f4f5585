#include "core/Convert.h"

#include "core/DateTime.h"
#include "core/Exception.h"

#include <QLocale>
#include <cmath>

namespace {
QChar decimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}
}

bool TryStrToFloat(const QString &text, double &value)
{
    const QString s = text.trimmed();
    const QChar sep = decimalSeparator();
    // Sign, digits, an optional separator with digits, an optional exponent; at least one digit.
    QByteArray plain;
    int i = 0, digits = 0;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) plain += char(s[i++].unicode());
    for (; i < s.size() && s[i].isDigit() && s[i].unicode() < 128; ++i, ++digits) plain += char(s[i].unicode());
    if (i < s.size() && s[i] == sep) {
        plain += '.';
        for (++i; i < s.size() && s[i].isDigit() && s[i].unicode() < 128; ++i, ++digits) plain += char(s[i].unicode());
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        plain += 'e';
        ++i;
        if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) plain += char(s[i++].unicode());
        int expDigits = 0;
        for (; i < s.size() && s[i].isDigit() && s[i].unicode() < 128; ++i, ++expDigits) plain += char(s[i].unicode());
        if (expDigits == 0) return false;
    }
    if (i != s.size()) return false;
    // The plain form is locale-free; QLocale::c() reads it whatever setlocale says.
    bool ok = false;
    const double v = QLocale::c().toDouble(QString::fromLatin1(plain), &ok);
    if (!ok || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool TryStrToInt(const QString &text, int &value)
{
    // A sign and ASCII digits only: QLocale would also take group separators ("1,000" as 1000).
    const QString s = text.trimmed();
    qsizetype i = s.startsWith(QLatin1Char('+')) || s.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (i == s.size()) return false;
    for (qsizetype k = i; k < s.size(); ++k)
        if (s[k] < QLatin1Char('0') || s[k] > QLatin1Char('9')) return false;
    bool ok = false;
    const int v = s.toInt(&ok, 10);
    if (!ok) return false;
    value = v;
    return true;
}

double StrToFloat(const QString &text)
{
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw Exception(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

QString LocalAmount(const QString &commaText)
{
    QString s = commaText;
    s.replace(QLatin1Char(','), decimalSeparator());
    return s;
}

namespace {
// Reads back as the very same double: -0 is told apart from 0.
bool readsBackAs(const QString &text, double value)
{
    double back = 0;
    return TryStrToFloat(text, back) && back == value && std::signbit(back) == std::signbit(value);
}
}

QString AmountText(double value)
{
    const QString twoDecimals = QLocale::c().toString(value, 'f', 2).replace(QLatin1Char('.'), decimalSeparator());
    if (readsBackAs(twoDecimals, value)) return twoDecimals;
    // 15 digits as the program shows numbers; a value typed with more needs its shortest exact form.
    const QString general = FloatToStrGeneral(value);
    if (!std::isfinite(value) || readsBackAs(general, value)) return general;
    return QLocale::c()
        .toString(value, 'g', QLocale::FloatingPointShortest)
        .replace(QLatin1Char('.'), decimalSeparator());
}
