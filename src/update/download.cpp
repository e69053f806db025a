#include "update/download.hpp"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/codec.hpp"
#include "platform/file_system.hpp"

namespace pemu::update {
namespace {

// Ends the transport however the download leaves.
class TransportSession {
  public:
    explicit TransportSession(DownloadTransport& transport) : transport_(transport) {}
    ~TransportSession() { transport_.End(); }
    TransportSession(const TransportSession&) = delete;
    TransportSession& operator=(const TransportSession&) = delete;

  private:
    DownloadTransport& transport_;
};

struct WrittenFile {
    bool created = false;   // the target is ours: it did not exist before
    bool complete = false;  // every byte read was written and the file closed cleanly
    std::int64_t bytes = 0;
};

// Writes the body into a target created here: an existing file or link is never written
// through.
WrittenFile WriteBody(DownloadTransport& transport, const std::string& target, std::int64_t length,
                      const AbortFlag& abort, const ProgressSink& progress,
                      const std::function<void()>& pump) {
    WrittenFile out;
    std::FILE* file = platform::OpenNewFile(target);
    if (!file) return out;
    out.created = true;
    std::array<char, kBlockSize> block{};
    std::int64_t received = 0;
    bool ok = true;
    while (const std::size_t n = transport.Read(block.data(), block.size())) {
        ok = ok && std::fwrite(block.data(), 1, n, file) == n;
        out.bytes += static_cast<std::int64_t>(n);
        if (pump) pump();
        if (abort.load() > kAbortNone) break;
        received += static_cast<std::int64_t>(kBlockSize);
        if (progress) progress(received, length);
    }
    out.complete = std::fclose(file) == 0 && ok;
    return out;
}

}  // namespace

std::string DownloadStatusText(int code) {
    switch (code) {
        case kDownloadComplete:
            return platform::Sjis("正常終了");
        case kDownloadStopped:
            return platform::Sjis("接続の中断");
        case kDownloadNoConnection:
        case kDownloadOpenFailed:
            return platform::Sjis("接続の失敗");
        case kDownloadNoStatus:
        case kDownloadBadStatus:
        case kDownloadNoLength:
            return platform::Sjis("ファイル取得失敗");
        case kDownloadWrongLength:
            return platform::Sjis("ダウンロードに失敗");
        default:
            return {};
    }
}

int Download(DownloadTransport& transport, const std::string& target, const std::string& address,
             const AbortFlag& abort, const ProgressSink& progress,
             const std::function<void()>& pump) {
    if (pump) pump();
    if (!transport.Begin(kDownloadAgent, abort)) return kDownloadNoConnection;
    const TransportSession session(transport);
    if (!transport.OpenAddress(address))
        return abort.load() > kAbortNone ? kDownloadStopped : kDownloadOpenFailed;
    const std::optional<long> status = transport.StatusCode();
    if (!status) return kDownloadNoStatus;
    if (*status < 200 || *status > 299) return kDownloadBadStatus;
    const std::optional<std::int64_t> length = transport.ContentLength();
    if (!length) return kDownloadNoLength;

    const WrittenFile file = WriteBody(transport, target, *length, abort, progress, pump);
    if (file.complete && file.bytes == *length) return kDownloadComplete;
    if (file.created) platform::RemoveFile(target);
    return abort.load() > kAbortNone ? kDownloadStopped : kDownloadWrongLength;
}

DownloadProgress::Report DownloadProgress::Next(std::int64_t received, std::int64_t length) {
    const bool last = received >= length;
    if (last) received = length;
    // Counts the reports; a count still below 1000 bytes starts it again.
    blocks_ = received < 1000 ? 0 : blocks_ + 1;
    Report report;
    if (blocks_ % 100 == 0 || last) {
        char text[96];
        std::snprintf(text, sizeof text, "%7.1f |%7.1f KB  Step:%s",
                      static_cast<double>(received) / 1000.0, static_cast<double>(length) / 1000.0,
                      step_.c_str());
        report.sizeCell = text;
    }
    report.percent = length > 0 ? static_cast<int>(received * 100 / length) : 100;
    return report;
}

std::string AddressCell(std::string_view address) {
    std::size_t end = address.size();
    std::size_t slashes = 0;
    for (std::size_t i = 0; i < address.size(); ++i) {
        if (address[i] == '/' && ++slashes == 3) {
            end = i + 1;
            break;
        }
    }
    return std::string(address.substr(0, std::min<std::size_t>(end, 280)));
}

}  // namespace pemu::update
