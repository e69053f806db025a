#include "http/wininet_client.hpp"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstring>

namespace pemu::http {
namespace {

using Clock = std::chrono::steady_clock;

// Never from a cache, never a dialog, no cookies; redirects are ours to decide.
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES |
                                INTERNET_FLAG_NO_AUTO_REDIRECT;

std::wstring Wide(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(std::max(n, 0)), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), n);
    return out;
}

std::string Narrow(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(std::max(n, 0)), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

// What WinINet's own threads report back. It is the context value of every handle of one
// session and must outlive all of them: the callback itself frees it when the session's
// first handle closes, which WinINet does only after every handle below it has closed.
struct Completion {
    HANDLE done = CreateEventW(nullptr, FALSE, FALSE, nullptr);  // the pending call ended
    HINTERNET root = nullptr;
    DWORD_PTR result = 0;  // written before `done` is set, read after the wait
    DWORD error = 0;
    DWORD count = 0;
    char buffer[16 * 1024];

    ~Completion() {
        if (done) CloseHandle(done);
    }
};

void CALLBACK OnStatus(HINTERNET handle, DWORD_PTR context, DWORD status, LPVOID info, DWORD) {
    auto* c = reinterpret_cast<Completion*>(context);
    if (!c) return;
    if (status == INTERNET_STATUS_REQUEST_COMPLETE && info) {
        const auto* result = static_cast<const INTERNET_ASYNC_RESULT*>(info);
        c->result = result->dwResult;
        c->error = result->dwError;
        SetEvent(c->done);
    } else if (status == INTERNET_STATUS_HANDLE_CLOSING && handle == c->root) {
        delete c;
    }
}

std::optional<std::wstring> QueryText(HINTERNET request, DWORD what) {
    wchar_t text[2048];
    DWORD size = sizeof text;
    if (!HttpQueryInfoW(request, what, text, &size, nullptr)) return std::nullopt;
    return std::wstring(text, size / sizeof(wchar_t));
}

}  // namespace

// One WinINet session in asynchronous mode with at most one open address. Every call waits
// for its completion in slices, and gives up at its deadline or once the abort flag is up.
class InternetSession {
  public:
    InternetSession(std::string_view agent, long connectTimeoutMs, long receiveTimeoutMs,
                    const update::AbortFlag* abort)
        : abort_(abort), c_(new Completion) {
        const std::wstring name = Wide(agent);
        c_->root = InternetOpenW(name.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr,
                                 INTERNET_FLAG_ASYNC);
        auto context = reinterpret_cast<DWORD_PTR>(c_);
        if (!c_->done || !c_->root ||
            InternetSetStatusCallbackW(c_->root, OnStatus) == INTERNET_INVALID_STATUS_CALLBACK ||
            !InternetSetOptionW(c_->root, INTERNET_OPTION_CONTEXT_VALUE, &context,
                                sizeof context)) {
            if (c_->root) InternetCloseHandle(c_->root);
            c_->root = nullptr;
            return;
        }
        DWORD connect = static_cast<DWORD>(connectTimeoutMs);
        DWORD receive = static_cast<DWORD>(receiveTimeoutMs);
        DWORD once = 1;
        InternetSetOptionW(c_->root, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
        InternetSetOptionW(c_->root, INTERNET_OPTION_CONNECT_RETRIES, &once, sizeof once);
        InternetSetOptionW(c_->root, INTERNET_OPTION_SEND_TIMEOUT, &receive, sizeof receive);
        InternetSetOptionW(c_->root, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof receive);
        ready_ = true;
    }

    ~InternetSession() {
        if (!ready_) {
            // No handle carries the context: nothing can call back.
            if (c_->root) InternetCloseHandle(c_->root);
            delete c_;
            return;
        }
        // A call still pending may end after this, on WinINet's threads; the completion lives
        // on until the session's last handle has gone, and is freed there.
        const HINTERNET root = c_->root;
        if (request_) InternetCloseHandle(request_);
        InternetCloseHandle(root);
    }

    InternetSession(const InternetSession&) = delete;
    InternetSession& operator=(const InternetSession&) = delete;

    bool ready() const { return ready_; }

    // Opens `address` and follows its redirects by the shared rules; a redirect that may not
    // be followed is the answer. False when no answer came (failure, abort, deadline).
    bool Open(const std::string& address, const std::wstring& headers, Clock::time_point deadline) {
        if (!ready_) return false;
        std::string at = address;
        for (int followed = 0;; ++followed) {
            if (!IsAllowedAddress(at)) return false;
            CloseRequest();
            const std::wstring url = Wide(at);
            ResetEvent(c_->done);
            HINTERNET request = InternetOpenUrlW(
                c_->root, url.c_str(), headers.empty() ? nullptr : headers.c_str(),
                static_cast<DWORD>(-1), kRequestFlags, reinterpret_cast<DWORD_PTR>(c_));
            if (!request) {
                if (GetLastError() != ERROR_IO_PENDING || !Wait(deadline)) return false;
                if (c_->error != ERROR_SUCCESS || c_->result == 0) return false;
                request = reinterpret_cast<HINTERNET>(c_->result);
            }
            request_ = request;
            const std::optional<long> status = Status();
            if (!status || !IsRedirectStatus(*status)) return true;
            const std::optional<std::wstring> location = QueryText(request_, HTTP_QUERY_LOCATION);
            if (!location) return true;
            const std::optional<std::string> next = NextAddress(at, Narrow(*location), followed);
            if (!next) return true;
            at = *next;
        }
    }

    std::optional<long> Status() const {
        DWORD status = 0;
        DWORD size = sizeof status;
        if (!request_ ||
            !HttpQueryInfoW(request_, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                            &size, nullptr) ||
            status == 0)
            return std::nullopt;
        return static_cast<long>(status);
    }

    std::optional<std::int64_t> Length() const {
        if (!request_) return std::nullopt;
        const std::optional<std::wstring> text = QueryText(request_, HTTP_QUERY_CONTENT_LENGTH);
        if (!text || text->empty()) return std::nullopt;
        const std::string digits = Narrow(*text);
        std::int64_t length = -1;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), length);
        if (error != std::errc() || end != digits.data() + digits.size() || length < 0)
            return std::nullopt;
        return length;
    }

    // Up to `size` bytes of the body: 0 at its end, nothing on a failure, an abort or when no
    // byte came before `deadline`.
    std::optional<std::size_t> Read(char* out, std::size_t size, Clock::time_point deadline) {
        if (!request_) return std::nullopt;
        const DWORD want = static_cast<DWORD>(std::min(size, sizeof c_->buffer));
        c_->count = 0;
        ResetEvent(c_->done);
        if (!InternetReadFile(request_, c_->buffer, want, &c_->count)) {
            if (GetLastError() != ERROR_IO_PENDING || !Wait(deadline)) return std::nullopt;
            if (c_->error != ERROR_SUCCESS) return std::nullopt;
        }
        const std::size_t n = std::min<std::size_t>(c_->count, want);
        std::memcpy(out, c_->buffer, n);
        return n;
    }

  private:
    bool Aborted() const { return abort_ && abort_->load() > update::kAbortNone; }

    // True once the pending call has completed; false at the deadline or on an abort.
    bool Wait(Clock::time_point deadline) {
        for (;;) {
            if (Aborted()) return false;
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) return false;
            const DWORD slice = static_cast<DWORD>(std::min<long long>(left.count(), kWaitSliceMs));
            if (WaitForSingleObject(c_->done, slice) == WAIT_OBJECT_0) return !Aborted();
        }
    }

    void CloseRequest() {
        if (request_) InternetCloseHandle(request_);
        request_ = nullptr;
    }

    const update::AbortFlag* abort_;
    Completion* c_;
    HINTERNET request_ = nullptr;
    bool ready_ = false;
};

// ---- WinInetGetter --------------------------------------------------------------------

WinInetGetter::WinInetGetter(GetLimits limits) : limits_(limits) {}

std::optional<std::string> WinInetGetter::Get(const update::GetRequest& request) {
    const Clock::time_point deadline =
        Clock::now() + std::chrono::milliseconds(limits_.totalTimeoutMs);
    InternetSession session(request.userAgent, limits_.connectTimeoutMs, limits_.totalTimeoutMs,
                            nullptr);
    const std::wstring headers = L"Accept: " + Wide(request.accept) + L"\r\n";
    if (!session.Open(request.url, headers, deadline)) return std::nullopt;
    const std::optional<long> status = session.Status();
    if (!status || !IsSuccessStatus(*status)) return std::nullopt;
    std::string body;
    char chunk[4096];
    for (;;) {
        const std::optional<std::size_t> n = session.Read(chunk, sizeof chunk, deadline);
        if (!n) return std::nullopt;
        if (*n == 0) break;
        if (!AppendWithin(body, chunk, *n, limits_.maxBodyBytes)) return std::nullopt;
    }
    // A body cut short of its announced length is a failed read, not a shorter record.
    const std::optional<std::int64_t> length = session.Length();
    if (length && *length != static_cast<std::int64_t>(body.size())) return std::nullopt;
    return body;
}

// ---- WinInetDownload ------------------------------------------------------------------

WinInetDownload::WinInetDownload(DownloadLimits limits) : limits_(limits) {}

WinInetDownload::~WinInetDownload() = default;

bool WinInetDownload::Begin(std::string_view agent, const update::AbortFlag& abort) {
    End();
    abort_ = &abort;
    session_ = std::make_unique<InternetSession>(agent, limits_.connectTimeoutMs,
                                                 limits_.stallSeconds * 1000, abort_);
    return session_->ready();
}

bool WinInetDownload::OpenAddress(const std::string& address) {
    if (!session_) return false;
    // Waiting for the head counts as a stall like waiting for the body.
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(limits_.stallSeconds);
    return session_->Open(address, L"Cache-Control: no-cache\r\nPragma: no-cache\r\n", deadline) &&
           StatusCode().has_value();
}

std::optional<long> WinInetDownload::StatusCode() {
    return session_ ? session_->Status() : std::nullopt;
}

std::optional<std::int64_t> WinInetDownload::ContentLength() {
    return session_ ? session_->Length() : std::nullopt;
}

std::size_t WinInetDownload::Read(char* buffer, std::size_t size) {
    if (!session_) return 0;
    // A whole block unless the body ends: the caller counts blocks.
    std::size_t filled = 0;
    while (filled < size) {
        const Clock::time_point stall = Clock::now() + std::chrono::seconds(limits_.stallSeconds);
        const std::optional<std::size_t> n = session_->Read(buffer + filled, size - filled, stall);
        if (!n || *n == 0) break;
        filled += *n;
    }
    if (abort_ && abort_->load() > update::kAbortNone) return 0;
    return filled;
}

void WinInetDownload::End() {
    session_.reset();
}

std::unique_ptr<update::HttpGetter> NewVersionGetter(GetLimits limits) {
    return std::make_unique<WinInetGetter>(limits);
}

std::unique_ptr<update::DownloadTransport> NewDownloadTransport(DownloadLimits limits) {
    return std::make_unique<WinInetDownload>(limits);
}

}  // namespace pemu::http
