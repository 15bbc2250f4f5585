#pragma once
// An HTTP server on 127.0.0.1 for the transfer tests. It keeps the raw bytes each connection sent
// and answers each complete request with the next scripted response: all at once and closed, in
// slow pieces, or only partly and then held open. A request with no script left is never answered.
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class QTcpServer;
class QTcpSocket;

struct TScriptedResponse
{
    QByteArray Bytes;           // status line, headers, blank line and body, exactly as sent
    qsizetype HoldAfter = -1;   // send only this many bytes, then keep the connection open
    qsizetype PieceSize = 0;    // when set, sent in pieces of this size ...
    int PieceDelayMs = 0;       // ... this far apart
    qsizetype PiecesFrom = 0;   // the bytes before it go at once, before the pieces
};

// "HTTP/1.0 <status>", a Content-Length header unless told otherwise, a blank line, the body.
QByteArray HttpResponse(const QByteArray &status, const QByteArray &body, bool withLength = true);
// "HTTP/1.1 200 OK" with the body in chunks of 1000 bytes.
QByteArray ChunkedResponse(const QByteArray &body);

class HttpTestServer : public QObject
{
    Q_OBJECT

public:
    // With tls, connections are served over TLS with certificateFile()'s self-signed certificate.
    explicit HttpTestServer(bool tls = false);
    ~HttpTestServer() override;

    quint16 port() const;
    QString url(const QString &path) const { return QStringLiteral("127.0.0.1:%1%2").arg(port()).arg(path); }
    void answer(TScriptedResponse response) { m_script.append(std::move(response)); }
    void answer(const QByteArray &bytes) { answer(TScriptedResponse{bytes}); }

    static QString certificateFile();

    QList<QByteArray> received;   // what each connection sent, in the order they came
    int disconnected = 0;         // connections closed by either side

private:
    void accept();
    void respond(QTcpSocket *socket);

    QTcpServer *m_server;
    QList<TScriptedResponse> m_script;
};
