#include "online/HTTPGet.h"

#include "online/HTTPGetThread.h"

#include "online/CurlLibrary.h"
#include <QCoreApplication>
#include <QPointer>

#include <mutex>

namespace {
QString &certificateAuthorities()
{
    static QString file;
    return file;
}
}

void InitHTTPTransfers()
{
    static std::once_flag once;
    std::call_once(once, [] {
        CurlLibrary();   // loaded and initialised here, on the main thread
        // A transfer still running when the application object goes is stopped and joined then,
        // so the program ends even while a server never answers.
        qAddPostRoutine(&THTTPGetThread::StopAll);
    });
}

void SetHTTPCertificateAuthorities(const QString &pemFile) { certificateAuthorities() = pemFile; }

THTTPGet::THTTPGet(QObject *owner) : QObject(owner) {}

THTTPGet::~THTTPGet()
{
    Abort();
    m_worker.reset();   // joins; the queued completion goes with this object
}

void THTTPGet::GetFile()
{
    if (!Start(true) || !WaitThread) return;
    const QPointer<THTTPGet> alive(this);
    while (alive && m_worker) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void THTTPGet::GetString()
{
    if (Start(false) && WaitThread) QCoreApplication::processEvents();
}

void THTTPGet::Abort()
{
    if (m_worker) m_worker->RequestStop();
}

void THTTPGet::Cancel()
{
    Abort();
    m_worker.reset();   // joins
    ++m_generation;     // its completion, queued already, is ignored
}

bool THTTPGet::Start(bool toFile)
{
    if (m_worker) return false;
    InitHTTPTransfers();
    m_worker = std::make_unique<THTTPGetThread>(THTTPRequest{AcceptTypes, Agent, URL, FileName, UserName, Password,
                                                             PostQuery, Referer, certificateAuthorities(), BinaryData,
                                                             UseCache, toFile, MaxSize, StallTimeout, OnProgress});
    connect(
        m_worker.get(), &QThread::finished, this,
        [this, generation = ++m_generation] {
            if (generation == m_generation) ThreadDone();
        },
        Qt::QueuedConnection);
    m_worker->start();
    return true;
}

// The worker's end, on the main thread. The component counts as running until the event has
// returned, so a start from inside it is ignored; the handler may destroy the component.
void THTTPGet::ThreadDone()
{
    const QPointer<THTTPGet> alive(this);
    m_worker->wait();
    m_success = m_worker->Succeeded();
    m_sha256 = m_success ? m_worker->Sha256() : QByteArray();
    // Copies: a handler that destroys the component destroys the worker with it.
    const bool toFile = m_worker->Request().ToFile;
    const QString fileName = m_worker->Request().FileName;
    const QByteArray result = m_worker->Result();
    if (m_success && toFile) {
        if (const auto handler = OnDoneFile) handler(this, fileName, m_worker->ContentLength());
    } else if (m_success) {
        if (const auto handler = OnDoneString) handler(this, result);
    } else if (const auto handler = OnError) {
        handler(this);
    }
    if (alive) m_worker.reset();
}
