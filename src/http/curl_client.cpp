#include "http/curl_client.hpp"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace pemu::http {
namespace {

const std::string kProtocols(kAllowedSchemes);

void InitialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Options both requests share: direct, http(s) only, a few redirects, no signals (threads).
void CommonOptions(CURL* easy, const char* url, const char* agent, long connectTimeoutMs) {
    curl_easy_setopt(easy, CURLOPT_URL, url);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, agent);
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, connectTimeoutMs);
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, static_cast<long>(kMaxRedirects));
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, kProtocols.c_str());
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, kProtocols.c_str());
}

struct Body {
    std::string text;
    std::size_t limit = 0;
};

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* target) {
    auto* body = static_cast<Body*>(target);
    const std::size_t n = size * count;
    return AppendWithin(body->text, data, n, body->limit) ? n : 0;  // 0 ends it as a failure
}

}  // namespace

// ---- CurlGetter -----------------------------------------------------------------------

CurlGetter::CurlGetter(GetLimits limits) : limits_(limits) {
    InitialiseOnce();
}

std::optional<std::string> CurlGetter::Get(const update::GetRequest& request) {
    CURL* easy = curl_easy_init();
    if (!easy) return std::nullopt;
    const std::string accept = "Accept: " + request.accept;
    curl_slist* headers = curl_slist_append(nullptr, accept.c_str());
    Body body{{}, limits_.maxBodyBytes};
    CommonOptions(easy, request.url.c_str(), request.userAgent.c_str(), limits_.connectTimeoutMs);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, limits_.totalTimeoutMs);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, AppendBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
    const CURLcode result = curl_easy_perform(easy);
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(easy);
    curl_slist_free_all(headers);
    if (result != CURLE_OK || !IsSuccessStatus(status)) return std::nullopt;
    return std::move(body.text);
}

// ---- CurlDownload ---------------------------------------------------------------------

struct CurlDownload::Handles {
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    curl_slist* headers = nullptr;
    bool added = false;
    std::string agent;

    ~Handles() {
        if (added) curl_multi_remove_handle(multi, easy);
        if (easy) curl_easy_cleanup(easy);
        if (multi) curl_multi_cleanup(multi);
        curl_slist_free_all(headers);
    }
};

CurlDownload::CurlDownload(DownloadLimits limits) : limits_(limits) {
    InitialiseOnce();
}

CurlDownload::~CurlDownload() = default;

bool CurlDownload::Begin(std::string_view agent, const update::AbortFlag& abort) {
    End();
    abort_ = &abort;
    handles_ = std::make_unique<Handles>();
    handles_->easy = curl_easy_init();
    handles_->multi = curl_multi_init();
    handles_->agent = std::string(agent);
    return handles_->easy && handles_->multi;
}

bool CurlDownload::OpenAddress(const std::string& address) {
    if (!handles_ || handles_->added) return false;
    CURL* easy = handles_->easy;
    // Always from the server itself, never from a cache on the way.
    handles_->headers = curl_slist_append(handles_->headers, "Cache-Control: no-cache");
    handles_->headers = curl_slist_append(handles_->headers, "Pragma: no-cache");
    CommonOptions(easy, address.c_str(), handles_->agent.c_str(), limits_.connectTimeoutMs);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, handles_->headers);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, limits_.stallSeconds);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    if (curl_multi_add_handle(handles_->multi, easy) != CURLM_OK) return false;
    handles_->added = true;
    // The head is in when the first byte of the body arrives or the transfer ends.
    while (!bodyStarted_ && !Aborted() && Pump()) {
    }
    return !Aborted() && StatusCode().has_value();
}

std::optional<long> CurlDownload::StatusCode() {
    long status = 0;
    if (!handles_ ||
        curl_easy_getinfo(handles_->easy, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK ||
        status == 0)
        return std::nullopt;
    return status;
}

std::optional<std::int64_t> CurlDownload::ContentLength() {
    curl_off_t length = -1;
    if (!handles_ ||
        curl_easy_getinfo(handles_->easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) !=
            CURLE_OK ||
        length < 0)
        return std::nullopt;
    return static_cast<std::int64_t>(length);
}

std::size_t CurlDownload::Read(char* buffer, std::size_t size) {
    if (!handles_) return 0;
    while (pending_.size() - taken_ < size && !Aborted() && Pump()) {
    }
    if (Aborted()) return 0;
    const std::size_t n = std::min(size, pending_.size() - taken_);
    std::memcpy(buffer, pending_.data() + taken_, n);
    taken_ += n;
    // What was read goes, now and then, so the buffer stays small.
    if (taken_ == pending_.size() || taken_ > 64 * 1024) {
        pending_.erase(0, taken_);
        taken_ = 0;
    }
    return n;
}

void CurlDownload::End() {
    handles_.reset();
    pending_.clear();
    taken_ = 0;
    bodyStarted_ = false;
    done_ = false;
}

bool CurlDownload::Aborted() const {
    return abort_ && abort_->load() > update::kAbortNone;
}

bool CurlDownload::Pump() {
    if (done_) return false;
    int running = 0;
    if (curl_multi_perform(handles_->multi, &running) != CURLM_OK) running = 0;
    if (running == 0) {
        // Finished, well or not: a short body shows as a wrong length, a lost connection
        // before the head as an address that could not be opened.
        done_ = true;
        return false;
    }
    curl_multi_poll(handles_->multi, nullptr, 0, kWaitSliceMs, nullptr);
    return true;
}

std::size_t CurlDownload::OnBody(char* data, std::size_t size, std::size_t count, void* self) {
    auto* download = static_cast<CurlDownload*>(self);
    const std::size_t n = size * count;
    download->bodyStarted_ = true;
    download->pending_.append(data, n);
    return n;
}

std::unique_ptr<update::HttpGetter> NewVersionGetter(GetLimits limits) {
    return std::make_unique<CurlGetter>(limits);
}

std::unique_ptr<update::DownloadTransport> NewDownloadTransport(DownloadLimits limits) {
    return std::make_unique<CurlDownload>(limits);
}

}  // namespace pemu::http
