#include "online/HTTPUrl.h"

#include <QUrl>

#include <algorithm>

namespace {
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool isNameChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u'.'
           || c == u'_';
}

// A host name of letters, digits, '-', '.', '_', or an IPv6 literal in brackets: nothing that
// curl would read as credentials, a query or another host.
bool isHost(const QString &host)
{
    if (host.isEmpty()) return false;
    if (host.startsWith(u'[')) {
        if (host.size() < 3 || !host.endsWith(u']')) return false;
        for (QChar c : QStringView(host).mid(1, host.size() - 2))
            if (!(c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f') || c == u':' || c == u'.')) return false;
        return true;
    }
    for (QChar c : host)
        if (!isNameChar(c)) return false;
    return true;
}
}

THTTPTarget SplitURL(const QString &url)
{
    THTTPTarget t;
    QString rest = url;
    if (rest.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)) {
        rest.remove(0, 7);
    } else if (rest.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)) {
        rest.remove(0, 8);
        t.Tls = true;
        t.Port = 443;
    }
    const qsizetype slash = rest.indexOf(u'/');
    if (slash < 0) {
        t.Path = rest;
        return t;
    }
    t.Host = rest.left(slash);
    t.Path = rest.mid(slash);
    bool portOk = true;
    const qsizetype colon = t.Host.lastIndexOf(u':');
    if (colon >= 0 && !t.Host.endsWith(u']')) {
        const QString digits = t.Host.mid(colon + 1);
        portOk = !digits.isEmpty() && digits.size() <= 5 && std::all_of(digits.begin(), digits.end(), isDigit);
        const uint port = digits.toUInt();
        portOk = portOk && port >= 1 && port <= 65535;
        t.Port = quint16(port);
        t.Host.truncate(colon);
    }
    t.Valid = portOk && isHost(t.Host);
    return t;
}

QByteArray CurlURL(const THTTPTarget &target)
{
    if (!target.Valid) return {};
    QByteArray url = target.Tls ? "https://" : "http://";
    url += target.Host.toLatin1() + ':' + QByteArray::number(target.Port);
    for (const char c : target.Path.toUtf8()) {
        const auto b = static_cast<unsigned char>(c);
        if (b > 0x20 && b < 0x7F)
            url += c;
        else
            url += '%' + QByteArray::number(b, 16).toUpper().rightJustified(2, '0');
    }
    return url;
}

bool RedirectAllowed(const QByteArray &from, const QByteArray &to)
{
    const QUrl a(QString::fromLatin1(from)), b(QString::fromUtf8(to), QUrl::StrictMode);
    if (!a.isValid() || !b.isValid() || !b.userInfo().isEmpty()) return false;
    if (b.host().compare(a.host(), Qt::CaseInsensitive) != 0 || b.host().isEmpty()) return false;
    const QString up = a.scheme().toLower(), down = b.scheme().toLower();
    const int port = up == u"https" ? 443 : 80;
    if (up == down) return (up == u"http" || up == u"https") && a.port(port) == b.port(port);
    return up == u"http" && down == u"https";   // over TLS the certificate vouches for the host, whatever the port
}

QString JoinURL(const QString &base, const QString &path)
{
    QStringView b(base), p(path);
    while (b.endsWith(u'/')) b.chop(1);
    while (p.startsWith(u'/')) p = p.mid(1);
    QString url = b.toString();
    url += u'/';
    url += p;
    return url;
}
