#include "core/DateTime.h"

#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {
constexpr qint64 MSecsPerDay = 86400000;
const qint64 JulianDayOfZero = QDate(1899, 12, 30).toJulianDay();

std::function<TDateTime()> &clockOverride()
{
    static std::function<TDateTime()> c;
    return c;
}

TDateTime systemNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QTime t = now.time();
    return double(now.date().toJulianDay() - JulianDayOfZero) + t.msecsSinceStartOfDay() / double(MSecsPerDay);
}

// Whole milliseconds since the epoch day, split into days and time as the original runtime did.
void split(TDateTime dt, qint64 &days, qint64 &msecOfDay)
{
    if (!std::isfinite(dt) || std::fabs(dt) > 2958466.0 + 693594.0) {
        days = 0;
        msecOfDay = 0;
        return;
    }
    const qint64 total = std::llround(dt * double(MSecsPerDay));
    days = total / MSecsPerDay;   // toward zero, as the original did
    msecOfDay = std::llabs(total) % MSecsPerDay;
}

QDate toQDate(TDateTime dt)
{
    qint64 days, ms;
    split(dt, days, ms);
    return QDate::fromJulianDay(days + JulianDayOfZero);
}

// Before the epoch the whole part is negative while the fraction still counts forward from the
// date (-1.25 is 29 Dec 1899, 6:00), so the time is subtracted there.
TDateTime composeDateTime(TDateTime date, TDateTime time) { return date < 0 ? date - time : date + time; }
}

TDateTime Now() { return clockOverride() ? clockOverride()() : systemNow(); }
void SetClock(std::function<TDateTime()> c) { clockOverride() = std::move(c); }
void ResetClock() { clockOverride() = nullptr; }

namespace {
std::function<double()> &monotonicOverride()
{
    static std::function<double()> c;
    return c;
}
}

double MonotonicSeconds()
{
    if (monotonicOverride()) return monotonicOverride()();
#ifdef CLOCK_BOOTTIME
    // Counts a suspend too: the line may have stayed up and is billed for it.
    timespec ts{};
    if (clock_gettime(CLOCK_BOOTTIME, &ts) == 0) return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
#endif
    static const QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return double(started.nsecsElapsed()) / 1e9;
}
void SetMonotonicClock(std::function<double()> c) { monotonicOverride() = std::move(c); }
void ResetMonotonicClock() { monotonicOverride() = nullptr; }

bool TryEncodeDate(int year, int month, int day, TDateTime &result)
{
    if (year < 1 || year > 9999 || !QDate::isValid(year, month, day)) return false;
    result = double(QDate(year, month, day).toJulianDay() - JulianDayOfZero);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime r = 0;
    return TryEncodeDate(year, month, day, r) ? r : 0;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / double(MSecsPerDay);
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec)
{
    return composeDateTime(EncodeDate(year, month, day), EncodeTime(hour, minute, second, msec));
}

void DecodeDate(TDateTime dt, int &year, int &month, int &day)
{
    const QDate d = toQDate(dt);
    if (!d.isValid()) {
        year = month = day = 0;
        return;
    }
    d.getDate(&year, &month, &day);
}

void DecodeTime(TDateTime dt, int &hour, int &minute, int &second, int &msec)
{
    qint64 days, ms;
    split(dt, days, ms);
    hour = int(ms / 3600000);
    minute = int(ms / 60000 % 60);
    second = int(ms / 1000 % 60);
    msec = int(ms % 1000);
}

int DatePart(TDateTime dt)
{
    qint64 days, ms;
    split(dt, days, ms);
    return int(days);
}

int YearOf(TDateTime dt)
{
    int y, m, d;
    DecodeDate(dt, y, m, d);
    return y;
}

int DayOfTheWeek(TDateTime dt)
{
    const QDate d = toQDate(dt);
    return d.isValid() ? d.dayOfWeek() : 0;
}

QString FormatShortDate(TDateTime dt) { return QLocale::system().toString(toQDate(dt), QLocale::ShortFormat); }

QString FormatLongTime(TDateTime dt)
{
    // The long time format without its time-zone part ("HH:mm:ss t" becomes "HH:mm:ss").
    static const QString format = [] {
        QString f = QLocale::system().timeFormat(QLocale::LongFormat);
        f.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
        return f.trimmed();
    }();
    int h, m, s, ms;
    DecodeTime(dt, h, m, s, ms);
    return QLocale::system().toString(QTime(h, m, s, ms), format);
}

QString FloatToStrGeneral(double value)
{
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", value);
    QString s = QString::fromLatin1(buf);
    // "1E+20" / "1E-05" read as "1E20" / "1E-5", as the original runtime wrote them.
    const int e = s.indexOf(QLatin1Char('E'));
    if (e >= 0) {
        QString mant = s.left(e), exp = s.mid(e + 1);
        const bool neg = exp.startsWith(QLatin1Char('-'));
        exp.remove(0, 1);
        while (exp.size() > 1 && exp.startsWith(QLatin1Char('0'))) exp.remove(0, 1);
        s = mant + QLatin1Char('E') + (neg ? QStringLiteral("-") : QString()) + exp;
    }
    s.replace(QLatin1Char('.'), QLocale::system().decimalPoint());
    return s;
}

QString ToIsoDate(TDateTime dt)
{
    int y, mo, d;
    DecodeDate(dt, y, mo, d);
    return QString::asprintf("%04d-%02d-%02d", y, mo, d);
}

QString ToIsoDateTime(TDateTime dt)
{
    int h, mi, s, ms;
    DecodeTime(dt, h, mi, s, ms);
    return ToIsoDate(dt) + QString::asprintf("T%02d:%02d:%02d", h, mi, s);
}

bool FromIsoDateTime(const QString &text, TDateTime &result)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}):(\\d{2}):(\\d{2})$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return false;
    TDateTime date;
    if (!TryEncodeDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), date)) return false;
    const int h = m.captured(4).toInt(), mi = m.captured(5).toInt(), s = m.captured(6).toInt();
    if (h > 23 || mi > 59 || s > 59) return false;
    result = composeDateTime(date, EncodeTime(h, mi, s, 0));
    return true;
}
