#pragma once
// The worker of one THTTPGet transfer. It runs the request with libcurl on its own thread from a
// private copy of the component's properties, and hands each block's progress to the thread
// that created it (the main thread), waiting until the handler has returned.
#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QString>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

// What a transfer needs, copied from the component when it starts.
struct THTTPRequest
{
    QString AcceptTypes, Agent, URL, FileName, UserName, Password, PostQuery, Referer;
    QString CertificateAuthorities;   // a PEM file trusted instead of the system's, when set
    bool BinaryData = false;
    bool UseCache = false;
    bool ToFile = false;
    qint64 MaxSize = 0;      // a body larger than this fails the transfer; 0: no limit
    int StallTimeout = 30;   // seconds slower than a few bytes a second that fail the transfer
    std::function<void(QObject *Sender, qint32 TotalSize, qint32 Readed)> OnProgress;
};

class THTTPGetThread : public QThread
{
    Q_OBJECT

public:
    // Bodies are written and reported in blocks of at most this many bytes.
    static constexpr qsizetype BlockSize = 1025;

    explicit THTTPGetThread(THTTPRequest request);
    ~THTTPGetThread() override;

    // Any thread: stop at the next check. Wakes the worker from a wait on the network or on a
    // progress handler, so a stopped worker ends promptly.
    void RequestStop();

    // Valid once the thread has finished. A stopped transfer never succeeded.
    bool Succeeded() const { return m_success && !m_stop; }
    qint32 ContentLength() const { return m_contentLength; }
    const QByteArray &Result() const { return m_result; }
    const THTTPRequest &Request() const { return m_request; }
    QByteArray Sha256() const { return m_hash.result(); }   // of the body received

    // At the end of the application every worker still running is stopped and joined, so none
    // outlives the event loop it reports to.
    static void StopAll();

protected:
    void run() override;

private:
    static size_t OnHeader(char *data, size_t size, size_t count, void *self);
    static size_t OnBody(char *data, size_t size, size_t count, void *self);
    int Perform();
    int Follow(void *multi, QByteArray url);
    int RunOnce(void *multi);
    bool IsRedirect() const;
    bool Prepare();
    bool TakeBlock(const char *data, qsizetype size);
    bool HandOffProgress();
    void RunProgress();
    bool Refuse();
    int Failed(int code);   // refused, with curl's code

    const THTTPRequest m_request;

    std::mutex m_mutex;   // guards m_multi and m_progressPending, pairs with m_wake
    std::condition_variable m_wake;
    std::atomic<bool> m_stop{false};
    void *m_multi = nullptr;   // the multi handle while a transfer runs, for the wake-up
    bool m_progressPending = false;
    std::vector<qint32> m_readeds;   // Readed after each block of the read being handed on

    void *m_easy = nullptr;
    bool m_prepared = false;                    // the target was made ready (or refused) for the response
    bool m_refused = false;                     // the response is not read: the transfer has failed
    std::optional<QByteArray> m_lengthHeader;   // of the last response header block
    bool m_haveLength = false;
    qint32 m_contentLength = 0;
    qint64 m_total = 0;
    qint64 m_skipped = 0;   // body bytes of redirect responses, which are not kept
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
    QFile m_file;
    QByteArray m_result;
    bool m_success = false;
};
