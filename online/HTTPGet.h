#pragma once
// THTTPGet: a non-visual component that fetches one HTTP or HTTPS resource on a worker thread,
// into a file (GetFile) or a string (GetString), and reports through events on the thread that
// owns it: OnProgress after every block, then exactly one of OnDoneFile, OnDoneString, OnError.
// Only a "200 OK" succeeds, into a file only with a non-empty body of its announced length.
// Redirects are followed on the same host only, never down from https, so no server can send a
// request elsewhere; a transfer that stalls or exceeds MaxSize fails.
#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class THTTPGetThread;

class THTTPGet : public QObject
{
    Q_OBJECT

public:
    // Sender of OnProgress is the worker thread object, of the other events the component.
    using TOnProgressEvent = std::function<void(QObject *Sender, qint32 TotalSize, qint32 Readed)>;
    using TOnDoneFileEvent = std::function<void(QObject *Sender, const QString &FileName, qint32 FileSize)>;
    using TOnDoneStringEvent = std::function<void(QObject *Sender, const QByteArray &Result)>;
    using TNotifyEvent = std::function<void(QObject *Sender)>;

    explicit THTTPGet(QObject *owner = nullptr);
    // Stops a running transfer and waits for its worker, whose completion never arrives.
    ~THTTPGet() override;

    // Start a transfer, unless one is running (then they do nothing). With WaitThread, GetFile
    // returns once the transfer has ended and its event has run; GetString only handles the
    // events waiting now and returns.
    void GetFile();
    void GetString();
    // Asks a running transfer to stop; it then ends in OnError.
    void Abort();
    // Stops a running transfer and waits for its worker (a moment: it is woken); no event follows.
    void Cancel();
    bool Running() const { return m_worker != nullptr; }
    // The SHA-256 of the body of the last transfer that succeeded; set when its event runs.
    QByteArray Sha256() const { return m_sha256; }

    // Published properties: read when a transfer starts, so changing them while one runs
    // affects only the next.
    QString AcceptTypes = QStringLiteral("*/*");
    QString Agent = QStringLiteral("Vorlix HTTPGet");   // empty: no User-Agent
    bool BinaryData = false;   // a response without a content length is then not read and fails
    QString URL;               // [http:// or https://]host[:port]/path
    bool UseCache = false;     // false sends "Pragma: no-cache"
    QString FileName;
    QString UserName;   // with Password: basic authentication when either is set
    QString Password;
    QString PostQuery;   // a form body; not empty makes the request a POST
    QString Referer;
    bool WaitThread = false;
    qint64 MaxSize = 0;      // a body larger (or announced larger) fails the transfer; 0: no limit
    int StallTimeout = 30;   // seconds without a transfer worth the name (a few bytes a second) fail it
    TOnProgressEvent OnProgress;
    TOnDoneFileEvent OnDoneFile;
    TOnDoneStringEvent OnDoneString;
    TNotifyEvent OnError;

private:
    bool Start(bool toFile);
    void ThreadDone();

    std::unique_ptr<THTTPGetThread> m_worker;   // the running transfer, until its completion returned
    bool m_success = false;                     // outcome of the last transfer
    QByteArray m_sha256;
    quint64 m_generation = 0;   // a completion queued by a cancelled worker is not the running one's
};

// Prepares libcurl for the program. main calls it once, before the first window is created;
// a transfer that starts first calls it as well.
void InitHTTPTransfers();

// Tests: trust the certificates of this PEM file over TLS instead of the system's.
void SetHTTPCertificateAuthorities(const QString &pemFile);
