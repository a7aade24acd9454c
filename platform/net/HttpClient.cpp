#include "platform/net/HttpClient.h"

#include <chrono>
#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace cf::net {

namespace {

constexpr std::size_t MaxBody = 64u * 1024 * 1024;

void GlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
    std::string body;
    std::string statusLine;
    bool tooLarge = false;
    std::size_t limit = 0;  // cut here instead of failing
    bool cut = false;
    int readTimeoutMs = 0;
    std::chrono::steady_clock::time_point lastActivity;
    curl_off_t lastCount = -1;
    bool idle = false;
};

size_t OnBody(char* ptr, size_t size, size_t nmemb, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    size_t n = size * nmemb;
    if (t->limit != 0 && t->body.size() + n >= t->limit) {
        t->body.append(ptr, t->limit - t->body.size());
        t->cut = true;
        return 0;  // ends the transfer; what was read is the answer
    }
    if (t->body.size() + n > MaxBody) {
        t->tooLarge = true;
        return 0;
    }
    t->body.append(ptr, n);
    t->lastActivity = std::chrono::steady_clock::now();
    return n;
}

size_t OnHeader(char* ptr, size_t size, size_t nmemb, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    size_t n = size * nmemb;
    std::string line(ptr, n);
    // A new status line starts each response (after a 100 Continue too).
    if (line.rfind("HTTP/", 0) == 0) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        t->statusLine = line;
    }
    t->lastActivity = std::chrono::steady_clock::now();
    return n;
}

// Fails the transfer once nothing has moved for the read time-out. Before the
// connection stands, CURLOPT_CONNECTTIMEOUT_MS governs instead.
int OnProgress(void* user, curl_off_t dltotal, curl_off_t dlnow, curl_off_t ultotal, curl_off_t ulnow)
{
    (void)dltotal;
    (void)ultotal;
    auto* t = static_cast<Transfer*>(user);
    curl_off_t count = dlnow + ulnow;
    auto now = std::chrono::steady_clock::now();
    if (count != t->lastCount) {
        t->lastCount = count;
        if (count != 0)
            t->lastActivity = now;
    }
    if (now - t->lastActivity > std::chrono::milliseconds(t->readTimeoutMs)) {
        t->idle = true;
        return 1;
    }
    return 0;
}

} // namespace

std::string TIdHTTP::Get(const std::string& url)
{
    GlobalInit();
    responseCode_ = 0;
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        throw EIdHTTPError(0, "HTTP client could not be created");
    Transfer t;
    t.readTimeoutMs = ReadTimeout;
    t.limit = BodyLimit;
    char errbuf[CURL_ERROR_SIZE] = {};
    std::string accept = "Accept: " + Accept;
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(
        curl_slist_append(nullptr, accept.c_str()), curl_slist_free_all);

    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    const std::string agent =
        UserAgent.empty() ? std::string("libcurl/") + curl_version_info(CURLVERSION_NOW)->version : UserAgent;
    curl_easy_setopt(c, CURLOPT_USERAGENT, agent.c_str());
    if (TotalTimeout > 0)
        curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(TotalTimeout));
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(ConnectTimeout));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errbuf);
    // No proxy from the environment: the receiver is on the local network.
    curl_easy_setopt(c, CURLOPT_NOPROXY, "*");
    if (BasicAuthentication) {
        curl_easy_setopt(c, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
        curl_easy_setopt(c, CURLOPT_USERNAME, Username.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, Password.c_str());
    }
    // The idle clock starts once connected; until then the connect time-out
    // applies, so it starts late enough not to cut connecting short.
    t.lastActivity = std::chrono::steady_clock::now() + std::chrono::milliseconds(ConnectTimeout);

    CURLcode rc = curl_easy_perform(c);
    long code = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &code);
    responseCode_ = static_cast<int>(code);
    if (rc == CURLE_WRITE_ERROR && t.cut)
        rc = CURLE_OK;
    if (rc != CURLE_OK) {
        std::string msg;
        if (t.idle)
            msg = "Read timed out.";
        else if (t.tooLarge)
            msg = "Reply too large";
        else
            msg = errbuf[0] ? errbuf : curl_easy_strerror(rc);
        throw EIdHTTPError(0, msg);
    }
    if (code < 200 || code > 299)
        throw EIdHTTPError(static_cast<int>(code),
                           t.statusLine.empty() ? "HTTP error " + std::to_string(code) : t.statusLine);
    return std::move(t.body);
}

} // namespace cf::net
