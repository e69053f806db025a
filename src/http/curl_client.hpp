#pragma once
// The update check's HTTP client over libcurl: one GET of the version record into memory,
// and the download transport that hands the body over block by block. Always direct (no
// proxy from the environment), with the schemes, redirects and bounds of transfer_rules.hpp.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "http/transfer_rules.hpp"
#include "update/download.hpp"
#include "update/version_fetch.hpp"

namespace pemu::http {

class CurlGetter : public update::HttpGetter {
  public:
    explicit CurlGetter(GetLimits limits = {});
    // Fails on a connection error, a time-out, a status outside 200..299 or a longer body.
    std::optional<std::string> Get(const update::GetRequest& request) override;

  private:
    GetLimits limits_;
};

// Pulls the body through libcurl's multi interface in the caller's thread, waiting at most
// 100 ms at a time so that the abort flag is seen promptly.
class CurlDownload : public update::DownloadTransport {
  public:
    explicit CurlDownload(DownloadLimits limits = {});
    ~CurlDownload() override;
    CurlDownload(const CurlDownload&) = delete;
    CurlDownload& operator=(const CurlDownload&) = delete;

    bool Begin(std::string_view agent, const update::AbortFlag& abort) override;
    bool OpenAddress(const std::string& address) override;
    std::optional<long> StatusCode() override;
    std::optional<std::int64_t> ContentLength() override;
    std::size_t Read(char* buffer, std::size_t size) override;
    void End() override;

  private:
    struct Handles;
    bool Aborted() const;
    // One round of the transfer; false once it has ended.
    bool Pump();
    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self);

    DownloadLimits limits_;
    std::unique_ptr<Handles> handles_;
    const update::AbortFlag* abort_ = nullptr;
    std::string pending_;  // received, not read yet (from taken_ on)
    std::size_t taken_ = 0;
    bool bodyStarted_ = false;
    bool done_ = false;
};

}  // namespace pemu::http
