#pragma once
// The scripted HTTP server on a thread of its own, so that the main thread's event loop, whose
// stalls a benchmark measures, serves only the client.
#include "tests/support/http/HttpTestServer.h"

#include <QThread>

class ServerThread
{
public:
    ServerThread()
    {
        m_thread.start();
        m_context.moveToThread(&m_thread);
        run([this] { m_server = new HttpTestServer; });
    }
    ~ServerThread()
    {
        run([this] { delete m_server; });
        m_thread.quit();
        m_thread.wait();
    }
    ServerThread(const ServerThread &) = delete;
    ServerThread &operator=(const ServerThread &) = delete;

    QString url(const QString &path) const { return m_server->url(path); }
    void answer(const QByteArray &response)
    {
        run([this, &response] { m_server->answer(response); });
    }

private:
    template <typename F>
    void run(F f)
    {
        QMetaObject::invokeMethod(&m_context, f, Qt::BlockingQueuedConnection);
    }
    QThread m_thread;
    QObject m_context;
    HttpTestServer *m_server = nullptr;
};
