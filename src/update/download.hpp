#pragma once
// The download of the update program: the transport it needs (status, length, body in
// blocks), the loop that writes the blocks into the target file, its result codes and their
// status texts. No window: the caller shows progress and sets the abort flag.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pemu::update {

// Result codes of Download.
inline constexpr int kDownloadComplete = 0;
inline constexpr int kDownloadStopped = 1;
inline constexpr int kDownloadNoConnection = 3;
inline constexpr int kDownloadOpenFailed = 4;
inline constexpr int kDownloadNoStatus = 5;
inline constexpr int kDownloadBadStatus = 6;
inline constexpr int kDownloadNoLength = 7;
inline constexpr int kDownloadWrongLength = 8;  // also: the target could not be created

// The status text of a result code, CP932 (empty for a code that is none).
std::string DownloadStatusText(int code);

// 0 while a download may run; Esc in the dialog sets 2, closing the dialog or the main
// window sets 1. Read by the loop after every block, from any thread.
using AbortFlag = std::atomic<int>;
inline constexpr int kAbortNone = 0;
inline constexpr int kAbortClosed = 1;
inline constexpr int kAbortEscape = 2;

inline constexpr std::size_t kBlockSize = 1024;
inline constexpr std::string_view kDownloadAgent = "MyApp";

// What the download needs of the network, step by step.
class DownloadTransport {
  public:
    virtual ~DownloadTransport() = default;
    // A connection handle for `agent`, direct (no proxy), connect time-out 1000 ms. A
    // transport that waits stops waiting once `abort` is above 0.
    virtual bool Begin(std::string_view agent, const AbortFlag& abort) = 0;
    // Requests the address, always from the server (no cache), until the answer's head is in.
    virtual bool OpenAddress(const std::string& address) = 0;
    virtual std::optional<long> StatusCode() = 0;
    virtual std::optional<std::int64_t> ContentLength() = 0;
    // Up to `size` bytes of the body; 0 at its end, on a failure, or once aborted.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
    virtual void End() = 0;
};

// Told after every block with the bytes counted so far (1024 per block) and the announced
// length; not called while the abort flag is set.
using ProgressSink = std::function<void(std::int64_t received, std::int64_t length)>;

// Creates `target` (never replacing anything already there), writes the body into it in
// 1024-byte blocks, and checks its length against the announced one. Any result but 0
// leaves no file at `target`. `pump`, when given, runs after every block (a download on the
// window's own thread lets pending window messages run there). The caller sets the abort
// flag to 0 before the download starts.
int Download(DownloadTransport& transport, const std::string& target, const std::string& address,
             const AbortFlag& abort, const ProgressSink& progress,
             const std::function<void()>& pump = {});

// The progress shown while downloading: the size cell every 100 blocks and at the last one,
// the bar after every block.
class DownloadProgress {
  public:
    explicit DownloadProgress(std::string stepText) : step_(std::move(stepText)) {}

    struct Report {
        std::optional<std::string> sizeCell;  // "%7.1f |%7.1f KB  Step:%s"
        int percent = 0;                      // received / length x 100, truncated
    };
    Report Next(std::int64_t received, std::int64_t length);

  private:
    std::string step_;
    int blocks_ = 0;
};

// The address as the connection cell shows it: up to and including its third "/" (all of
// it when it has fewer), at most 280 bytes.
std::string AddressCell(std::string_view address);

}  // namespace pemu::update
