#pragma once
// Where a transfer goes: the component's URL split into scheme, host, port and path.
#include <QByteArray>
#include <QString>

struct THTTPTarget
{
    bool Tls = false;     // the URL began with "https://"
    QString Host;         // everything before the first "/", without a ":port"; empty without any "/"
    quint16 Port = 80;    // 443 over TLS unless the host names one
    QString Path;         // from the first "/" to the end (the whole rest when there is none)
    bool Valid = false;   // a host curl can be given as it stands and a port from 1 to 65535
};

// A case-insensitive "http://" (or "https://") prefix is removed; the host ends at the first "/".
THTTPTarget SplitURL(const QString &url);

// The URL handed to libcurl with the port written out and every path byte outside printable
// ASCII percent-encoded, so no value can break the request line. Empty for an invalid target.
QByteArray CurlURL(const THTTPTarget &target);

// Whether a transfer to `from` (as CurlURL made it) may follow a redirect to the absolute URL `to`:
// only to the same host, keeping the scheme and port or going up from http to https, and never
// with credentials in the address. Anything else would let the server send the request elsewhere.
bool RedirectAllowed(const QByteArray &from, const QByteArray &to);

// A base address and a path joined with exactly one "/", whether or not the base ends with one.
QString JoinURL(const QString &base, const QString &path);
