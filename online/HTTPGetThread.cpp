#include "HTTPGetThread.h"

#include "CurlLibrary.h"
#include "HTTPUrl.h"

#include <QPointer>

#include <algorithm>
#include <limits>
#include <memory>
#include <set>

namespace {
struct EasyFree
{
    void operator()(CURL *h) const { CurlLibrary()->easy_cleanup(h); }
};
struct MultiFree
{
    void operator()(CURLM *h) const { CurlLibrary()->multi_cleanup(h); }
};
struct ListFree
{
    void operator()(curl_slist *l) const { CurlLibrary()->slist_free_all(l); }
};

std::mutex &registryMutex()
{
    static std::mutex m;
    return m;
}

std::set<THTTPGetThread *> &registry()
{
    static std::set<THTTPGetThread *> workers;
    return workers;
}

// A header value with a line break would end the header and start another one.
bool fitsOneHeader(const QByteArray &value)
{
    return !value.contains('\r') && !value.contains('\n') && !value.contains('\0');
}
}

THTTPGetThread::THTTPGetThread(THTTPRequest request) : m_request(std::move(request))
{
    std::lock_guard lock(registryMutex());
    registry().insert(this);
}

THTTPGetThread::~THTTPGetThread()
{
    RequestStop();
    wait();
    std::lock_guard lock(registryMutex());
    registry().erase(this);
}

void THTTPGetThread::StopAll()
{
    std::set<THTTPGetThread *> workers;
    {
        std::lock_guard lock(registryMutex());
        workers = registry();
    }
    for (THTTPGetThread *w : workers) w->RequestStop();
    for (THTTPGetThread *w : workers) w->wait();
}

void THTTPGetThread::RequestStop()
{
    std::lock_guard lock(m_mutex);
    m_stop = true;
    if (m_multi) CurlLibrary()->multi_wakeup(m_multi);
    m_wake.notify_all();
}

void THTTPGetThread::run()
{
    const int code = m_stop ? int(CURLE_ABORTED_BY_CALLBACK) : Perform();
    if (m_file.isOpen()) {
        if (!m_file.flush()) m_refused = true;   // the last bytes did not reach the disk
        m_file.close();
    }
    if (m_refused || m_stop || !m_prepared) return;
    if (m_request.ToFile) {
        m_success = m_haveLength && m_total == m_contentLength;
    } else {
        // A body cut short is no answer: the announced length must arrive, or curl must see a proper end.
        m_success = m_total != 0 && (m_haveLength ? m_total == m_contentLength : code == CURLE_OK);
    }
}

int THTTPGetThread::Perform()
{
    const QByteArray url = CurlURL(SplitURL(m_request.URL));
    const QByteArray accept = m_request.AcceptTypes.toUtf8(), agent = m_request.Agent.toUtf8(),
                     referer = m_request.Referer.toUtf8(), user = m_request.UserName.toUtf8(),
                     password = m_request.Password.toUtf8(), body = m_request.PostQuery.toUtf8();
    for (const QByteArray *v : {&accept, &agent, &referer, &user, &password}) {
        if (!fitsOneHeader(*v)) {
            Refuse();
            return CURLE_BAD_FUNCTION_ARGUMENT;
        }
    }
    if (url.isEmpty()) {   // nothing to connect to: the same as a server that cannot be reached
        Prepare();
        return CURLE_URL_MALFORMAT;
    }
    const TCurlLibrary *curl = CurlLibrary();
    if (!curl) {   // no libcurl on this machine: no transfer can be made
        Refuse();
        return CURLE_FAILED_INIT;
    }
    const std::unique_ptr<CURL, EasyFree> easy(curl->easy_init());
    const std::unique_ptr<CURLM, MultiFree> multi(curl->multi_init());
    std::unique_ptr<curl_slist, ListFree> headers;
    const auto addHeader = [&headers, curl](const QByteArray &h) {
        if (curl_slist *l = curl->slist_append(headers.get(), h.constData())) {
            (void)headers.release();
            headers.reset(l);
        }
    };
    if (!easy || !multi) {
        Refuse();
        return CURLE_OUT_OF_MEMORY;
    }
    CURL *h = easy.get();
    m_easy = h;
    addHeader(accept.isEmpty() ? QByteArray("Accept;") : "Accept: " + accept);   // "Accept;" sends it empty
    if (!m_request.UseCache) addHeader("Pragma: no-cache");
    if (!body.isEmpty()) addHeader("Content-Type: application/x-www-form-urlencoded");

    curl->easy_setopt(h, CURLOPT_URL, url.constData());
    curl->easy_setopt(h, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    curl->easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl->easy_setopt(h, CURLOPT_PATH_AS_IS, 1L);
    curl->easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl->easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl->easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);   // as the platform's HTTP functions did
    curl->easy_setopt(h, CURLOPT_MAXREDIRS, 5L);
    // A server that stops answering ends the transfer after two minutes instead of holding it.
    curl->easy_setopt(h, CURLOPT_CONNECTTIMEOUT, 30L);
    curl->easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl->easy_setopt(h, CURLOPT_LOW_SPEED_TIME, 120L);
    curl->easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    if (!agent.isEmpty()) curl->easy_setopt(h, CURLOPT_USERAGENT, agent.constData());
    if (!referer.isEmpty()) curl->easy_setopt(h, CURLOPT_REFERER, referer.constData());
    if (!body.isEmpty()) {
        curl->easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(body.size()));
        curl->easy_setopt(h, CURLOPT_POSTFIELDS, body.constData());
    }
    if (!user.isEmpty() || !password.isEmpty()) {
        curl->easy_setopt(h, CURLOPT_HTTPAUTH, long(CURLAUTH_BASIC));
        curl->easy_setopt(h, CURLOPT_USERNAME, user.constData());
        curl->easy_setopt(h, CURLOPT_PASSWORD, password.constData());
    }
    if (!m_request.CertificateAuthorities.isEmpty())
        curl->easy_setopt(h, CURLOPT_CAINFO, QFile::encodeName(m_request.CertificateAuthorities).constData());
    curl->easy_setopt(h, CURLOPT_HEADERFUNCTION, &THTTPGetThread::OnHeader);
    curl->easy_setopt(h, CURLOPT_HEADERDATA, this);
    curl->easy_setopt(h, CURLOPT_WRITEFUNCTION, &THTTPGetThread::OnBody);
    curl->easy_setopt(h, CURLOPT_WRITEDATA, this);

    curl->multi_add_handle(multi.get(), h);
    {
        std::lock_guard lock(m_mutex);
        m_multi = multi.get();
    }
    int running = 1;
    while (running && !m_stop) {
        if (curl->multi_perform(multi.get(), &running) != CURLM_OK) break;
        if (running) curl->multi_poll(multi.get(), nullptr, 0, 1000, nullptr);
    }
    int code = CURLE_ABORTED_BY_CALLBACK;
    int left = 0;
    while (CURLMsg *msg = curl->multi_info_read(multi.get(), &left))
        if (msg->msg == CURLMSG_DONE) code = msg->data.result;
    // No body came: the target is made all the same, unless curl found the response malformed
    // (a content length that is no number, for one), which is refused like one that is read.
    if (!m_prepared && code == CURLE_WEIRD_SERVER_REPLY)
        Refuse();
    else if (!m_prepared)
        Prepare();
    {
        std::lock_guard lock(m_mutex);
        m_multi = nullptr;
    }
    curl->multi_remove_handle(multi.get(), h);
    m_easy = nullptr;
    return code;
}

size_t THTTPGetThread::OnHeader(char *data, size_t size, size_t count, void *self)
{
    auto *t = static_cast<THTTPGetThread *>(self);
    const QByteArray line = QByteArray(data, qsizetype(size * count)).trimmed();
    if (line.startsWith("HTTP/"))
        t->m_lengthHeader.reset();   // a new response, after a redirect
    else if (line.size() >= 15 && line.left(15).toLower() == "content-length:")
        t->m_lengthHeader = line.mid(15).trimmed();
    return size * count;
}

// One read of curl's, in blocks of at most BlockSize bytes. Their progress goes to the main thread
// in one hand-off, a handler call per block, so a big download costs a few hundred thread
// switches rather than one per block.
size_t THTTPGetThread::OnBody(char *data, size_t size, size_t count, void *self)
{
    auto *t = static_cast<THTTPGetThread *>(self);
    const auto n = qsizetype(size * count);
    if (!t->m_prepared && !t->Prepare()) return CURL_WRITEFUNC_ERROR;
    t->m_readeds.clear();
    for (qsizetype at = 0; at < n; at += BlockSize)
        if (!t->TakeBlock(data + at, std::min(BlockSize, n - at))) return CURL_WRITEFUNC_ERROR;
    if (t->m_request.OnProgress && !t->HandOffProgress()) return CURL_WRITEFUNC_ERROR;
    return size * count;
}

// Runs once, when the body begins or the transfer ended without one: decides whether the response
// is read at all and makes the target ready.
bool THTTPGetThread::Prepare()
{
    m_prepared = true;
    if (m_stop) return Refuse();
    long status = 0;
    if (m_easy) CurlLibrary()->easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
    // An error page is not the resource: a "404 Not Found" must never be saved as the file asked for.
    if (status != 0 && (status < 200 || status > 299)) return Refuse();
    if (!m_lengthHeader && m_request.BinaryData) return Refuse();
    if (m_lengthHeader) {
        bool ok = false;
        m_contentLength = m_lengthHeader->toInt(&ok);
        if (!ok) return Refuse();
        m_haveLength = true;
    }
    m_total = 0;
    if (!m_request.ToFile) {
        m_result.clear();
        return true;
    }
    m_file.setFileName(m_request.FileName);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate) || Refuse();
}

bool THTTPGetThread::TakeBlock(const char *data, qsizetype size)
{
    if (m_stop) return false;
    if (m_request.ToFile) {
        if (m_file.write(data, size) != size) return Refuse();
    } else {
        m_result.append(data, size);
    }
    m_total += size;
    if (m_total > std::numeric_limits<qint32>::max()) return Refuse();   // the counts are 32-bit
    m_readeds.push_back(qint32(m_total));
    return true;
}

bool THTTPGetThread::HandOffProgress()
{
    std::unique_lock lock(m_mutex);
    if (m_stop) return false;
    m_progressPending = true;
    QMetaObject::invokeMethod(this, &THTTPGetThread::RunProgress, Qt::QueuedConnection);
    m_wake.wait(lock, [this] { return !m_progressPending || m_stop; });
    return !m_stop;
}

// On the main thread, while the worker waits. A handler may destroy the component and with it
// this worker, so it runs from a copy and nothing here is touched after it once that happened.
void THTTPGetThread::RunProgress()
{
    const QPointer<THTTPGetThread> alive(this);
    const auto handler = m_request.OnProgress;
    const qint32 total = m_haveLength ? m_contentLength : 0;
    for (const qint32 readed : m_readeds) {
        if (m_stop) break;
        handler(this, total, readed);
        if (!alive) return;
    }
    std::lock_guard lock(m_mutex);
    m_progressPending = false;
    m_wake.notify_all();
}

bool THTTPGetThread::Refuse()
{
    m_refused = true;
    return false;
}
