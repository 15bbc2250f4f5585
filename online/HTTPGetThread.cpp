#include "online/HTTPGetThread.h"

#include "online/CurlLibrary.h"
#include "online/HTTPUrl.h"

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
        m_success = m_haveLength && m_total > 0 && m_total == m_contentLength;   // an empty setup is none
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
    for (const QByteArray *v : {&accept, &agent, &referer, &user, &password})
        if (!fitsOneHeader(*v)) return Failed(CURLE_BAD_FUNCTION_ARGUMENT);
    if (url.isEmpty()) {   // nothing to connect to: the same as a server that cannot be reached
        Prepare();
        return CURLE_URL_MALFORMAT;
    }
    const TCurlLibrary *curl = CurlLibrary();
    if (!curl) return Failed(CURLE_FAILED_INIT);   // no libcurl on this machine: no transfer can be made
    const std::unique_ptr<CURL, EasyFree> easy(curl->easy_init());
    const std::unique_ptr<CURLM, MultiFree> multi(curl->multi_init());
    std::unique_ptr<curl_slist, ListFree> headers;
    const auto addHeader = [&headers, curl](const QByteArray &h) {
        if (curl_slist *l = curl->slist_append(headers.get(), h.constData())) {
            (void)headers.release();
            headers.reset(l);
        }
    };
    if (!easy || !multi) return Failed(CURLE_OUT_OF_MEMORY);
    CURL *h = easy.get();
    m_easy = h;
    addHeader(accept.isEmpty() ? QByteArray("Accept;") : "Accept: " + accept);   // "Accept;" sends it empty
    if (!m_request.UseCache) addHeader("Pragma: no-cache");
    if (!body.isEmpty()) addHeader("Content-Type: application/x-www-form-urlencoded");

    // Every option counts: one libcurl did not take (a limit it does not know) fails the transfer
    // before anything is sent.
    bool set = true;
    const auto option = [&set, curl, h](CURLoption o, auto value) {
        set = curl->easy_setopt(h, o, value) == CURLE_OK && set;
    };
    option(CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    option(CURLOPT_NOSIGNAL, 1L);
    option(CURLOPT_PATH_AS_IS, 1L);
    if (curl->ProtocolStrings) {
        option(CURLOPT_PROTOCOLS_STR, "http,https");
        option(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    } else {
        option(CURLOPT_PROTOCOLS, long(CURLPROTO_HTTP | CURLPROTO_HTTPS));
        option(CURLOPT_REDIR_PROTOCOLS, long(CURLPROTO_HTTP | CURLPROTO_HTTPS));
    }
    option(CURLOPT_FOLLOWLOCATION, 0L);   // redirects are followed here, each one checked first
    // A server that stops answering, or sends next to nothing, ends the transfer instead of holding it.
    option(CURLOPT_CONNECTTIMEOUT, 30L);
    option(CURLOPT_LOW_SPEED_LIMIT, 16L);
    option(CURLOPT_LOW_SPEED_TIME, long(m_request.StallTimeout));
    if (m_request.MaxSize > 0) option(CURLOPT_MAXFILESIZE_LARGE, curl_off_t(m_request.MaxSize));
    option(CURLOPT_HTTPHEADER, headers.get());
    if (!agent.isEmpty()) option(CURLOPT_USERAGENT, agent.constData());
    if (!referer.isEmpty()) option(CURLOPT_REFERER, referer.constData());
    if (!body.isEmpty()) {
        option(CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(body.size()));
        option(CURLOPT_POSTFIELDS, body.constData());
    }
    if (!user.isEmpty() || !password.isEmpty()) {
        option(CURLOPT_HTTPAUTH, long(CURLAUTH_BASIC));
        option(CURLOPT_USERNAME, user.constData());
        option(CURLOPT_PASSWORD, password.constData());
    }
    const QByteArray authorities = QFile::encodeName(m_request.CertificateAuthorities);
    if (!authorities.isEmpty()) option(CURLOPT_CAINFO, authorities.constData());
    option(CURLOPT_HEADERFUNCTION, &THTTPGetThread::OnHeader);
    option(CURLOPT_HEADERDATA, this);
    option(CURLOPT_WRITEFUNCTION, &THTTPGetThread::OnBody);
    option(CURLOPT_WRITEDATA, this);
    if (!set) return Failed(CURLE_FAILED_INIT);
    {
        std::lock_guard lock(m_mutex);
        m_multi = multi.get();
    }
    const int code = Follow(multi.get(), url);
    {
        std::lock_guard lock(m_mutex);
        m_multi = nullptr;
    }
    m_easy = nullptr;
    return code;
}

// The request and the redirects it is allowed to follow, at most five.
int THTTPGetThread::Follow(void *multi, QByteArray url)
{
    const TCurlLibrary *curl = CurlLibrary();
    for (int redirects = 0;; ++redirects) {
        if (curl->easy_setopt(m_easy, CURLOPT_URL, url.constData()) != CURLE_OK) return Failed(CURLE_FAILED_INIT);
        const int code = RunOnce(multi);
        if (code != CURLE_OK || m_prepared || !IsRedirect()) {
            // No body came: the target is made all the same, unless curl found the response
            // malformed (a content length that is no number, for one) or too large.
            if (!m_prepared && (code == CURLE_WEIRD_SERVER_REPLY || code == CURLE_FILESIZE_EXCEEDED))
                Refuse();
            else if (!m_prepared)
                Prepare();
            return code;
        }
        char *location = nullptr;
        curl->easy_getinfo(m_easy, CURLINFO_REDIRECT_URL, &location);
        if (redirects == 5 || !location || !RedirectAllowed(url, location)) return Failed(CURLE_TOO_MANY_REDIRECTS);
        long status = 0;
        curl->easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
        // As browsers do: a 303, and a 301 or 302 after a POST, fetch the new address with GET.
        if ((status == 303 || ((status == 301 || status == 302) && !m_request.PostQuery.isEmpty()))
            && curl->easy_setopt(m_easy, CURLOPT_HTTPGET, 1L) != CURLE_OK)
            return Failed(CURLE_FAILED_INIT);
        url = location;
        m_lengthHeader.reset();
    }
}

int THTTPGetThread::RunOnce(void *multiHandle)
{
    const TCurlLibrary *curl = CurlLibrary();
    auto *multi = static_cast<CURLM *>(multiHandle);
    curl->multi_add_handle(multi, m_easy);
    int running = 1;
    while (running && !m_stop) {
        if (curl->multi_perform(multi, &running) != CURLM_OK) break;
        if (running) curl->multi_poll(multi, nullptr, 0, 1000, nullptr);
    }
    int code = CURLE_ABORTED_BY_CALLBACK;
    int left = 0;
    while (CURLMsg *msg = curl->multi_info_read(multi, &left))
        if (msg->msg == CURLMSG_DONE) code = msg->data.result;
    curl->multi_remove_handle(multi, m_easy);
    return m_stop ? int(CURLE_ABORTED_BY_CALLBACK) : code;
}

// A 3xx answer with a Location: its body is not the resource, the address it names may be.
bool THTTPGetThread::IsRedirect() const
{
    long status = 0;
    char *location = nullptr;
    CurlLibrary()->easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
    CurlLibrary()->easy_getinfo(m_easy, CURLINFO_REDIRECT_URL, &location);
    return status >= 300 && status <= 399 && location;
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
    if (!t->m_prepared && t->IsRedirect()) return (t->m_skipped += n) > 65536 ? CURL_WRITEFUNC_ERROR : size * count;
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
    // Only a "200 OK" carries the resource: a "404 Not Found" must never be saved as the file asked
    // for, nor a "206 Partial Content" taken for the whole.
    if (status != 0 && status != 200) return Refuse();
    if (!m_lengthHeader && m_request.BinaryData) return Refuse();
    if (m_lengthHeader) {
        bool ok = false;
        m_contentLength = m_lengthHeader->toInt(&ok);
        if (!ok) return Refuse();
        m_haveLength = true;
        if (m_request.MaxSize > 0 && m_contentLength > m_request.MaxSize) return Refuse();
    }
    m_total = 0;
    m_hash.reset();
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
    if (m_request.MaxSize > 0 && m_total + size > m_request.MaxSize) return Refuse();
    if (m_request.ToFile) {
        if (m_file.write(data, size) != size) return Refuse();
    } else {
        m_result.append(data, size);
    }
    m_hash.addData(QByteArrayView(data, size));
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

int THTTPGetThread::Failed(int code)
{
    Refuse();
    return code;
}
