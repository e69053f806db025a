#pragma once
// The update check's HTTP client over WinINet: one GET of the version record into memory,
// and the download transport that hands the body over block by block. Always direct (no
// proxy, no cache), with the schemes, redirects and bounds of transfer_rules.hpp. WinINet
// runs asynchronously underneath, so that every wait ends at its bound or at the abort flag.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "http/transfer_rules.hpp"
#include "update/download.hpp"
#include "update/version_fetch.hpp"

namespace pemu::http {

class InternetSession;

class WinInetGetter : public update::HttpGetter {
  public:
    explicit WinInetGetter(GetLimits limits = {});
    // Fails on a connection error, a time-out, a status outside 200..299 or a longer body.
    std::optional<std::string> Get(const update::GetRequest& request) override;

  private:
    GetLimits limits_;
};

class WinInetDownload : public update::DownloadTransport {
  public:
    explicit WinInetDownload(DownloadLimits limits = {});
    ~WinInetDownload() override;
    WinInetDownload(const WinInetDownload&) = delete;
    WinInetDownload& operator=(const WinInetDownload&) = delete;

    bool Begin(std::string_view agent, const update::AbortFlag& abort) override;
    bool OpenAddress(const std::string& address) override;
    std::optional<long> StatusCode() override;
    std::optional<std::int64_t> ContentLength() override;
    std::size_t Read(char* buffer, std::size_t size) override;
    void End() override;

  private:
    DownloadLimits limits_;
    std::unique_ptr<InternetSession> session_;
    const update::AbortFlag* abort_ = nullptr;
};

}  // namespace pemu::http
