#include "tests/support/http/HttpTestServer.h"

#include <QFile>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>
#include <QTimer>

namespace {
QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
    return f.readAll();
}

// Headers ended, and as many body bytes as they announce.
bool isCompleteRequest(const QByteArray &bytes)
{
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    if (end < 0) return false;
    qsizetype length = 0;
    for (const QByteArray &line : bytes.left(end).split('\n'))
        if (line.toLower().startsWith("content-length:")) length = line.mid(15).trimmed().toLongLong();
    return bytes.size() >= end + 4 + length;
}
}

QByteArray HttpResponse(const QByteArray &status, const QByteArray &body, bool withLength)
{
    QByteArray r = "HTTP/1.0 " + status + "\r\n";
    if (withLength) r += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    return r + "\r\n" + body;
}

QByteArray ChunkedResponse(const QByteArray &body)
{
    QByteArray r = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    for (qsizetype at = 0; at < body.size(); at += 1000) {
        const QByteArray chunk = body.mid(at, 1000);
        r += QByteArray::number(chunk.size(), 16) + "\r\n" + chunk + "\r\n";
    }
    return r + "0\r\n\r\n";
}

QString HttpTestServer::certificateFile() { return QStringLiteral(MINUTRIX_HTTP_TEST_CERTS "/loopback-cert.pem"); }

HttpTestServer::HttpTestServer(bool tls)
{
    // The tests talk to 127.0.0.1 directly, whatever proxy the machine is set up with.
    for (const char *v : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) qunsetenv(v);
    if (tls) {
        auto *s = new QSslServer(this);
        QSslConfiguration c = QSslConfiguration::defaultConfiguration();
        c.setLocalCertificate(QSslCertificate(readFile(certificateFile())));
        c.setPrivateKey(QSslKey(readFile(QStringLiteral(MINUTRIX_HTTP_TEST_CERTS "/loopback-key.pem")), QSsl::Ec));
        s->setSslConfiguration(c);
        m_server = s;
    } else {
        m_server = new QTcpServer(this);
    }
    connect(m_server, &QTcpServer::pendingConnectionAvailable, this, &HttpTestServer::accept);
    if (!m_server->listen(QHostAddress::LocalHost)) qFatal("cannot listen on 127.0.0.1");
}

HttpTestServer::~HttpTestServer() = default;

quint16 HttpTestServer::port() const { return m_server->serverPort(); }

void HttpTestServer::accept()
{
    while (QTcpSocket *s = m_server->nextPendingConnection()) {
        const qsizetype index = received.size();
        received.append(QByteArray());
        const auto read = [this, s, index] {
            const bool wasComplete = isCompleteRequest(received[index]);
            received[index] += s->readAll();
            if (!wasComplete && isCompleteRequest(received[index])) respond(s);
        };
        connect(s, &QTcpSocket::readyRead, this, read);
        connect(s, &QTcpSocket::disconnected, this, [this, s] {
            ++disconnected;
            s->deleteLater();
        });
        read();
    }
}

void HttpTestServer::respond(QTcpSocket *s)
{
    if (m_script.isEmpty()) return;
    const TScriptedResponse r = m_script.takeFirst();
    const bool hold = r.HoldAfter >= 0;
    const QByteArray bytes = hold ? r.Bytes.left(r.HoldAfter) : r.Bytes;
    const qsizetype piece = r.PieceSize > 0 ? r.PieceSize : bytes.size();
    s->write(bytes.left(r.PiecesFrom));
    auto *timer = new QTimer(s);
    connect(timer, &QTimer::timeout, s, [s, timer, bytes, piece, hold, at = r.PiecesFrom]() mutable {
        s->write(bytes.mid(at, piece));
        at += piece;
        if (at < bytes.size()) return;
        timer->stop();
        if (!hold) s->disconnectFromHost();
    });
    timer->start(r.PieceDelayMs);
}
