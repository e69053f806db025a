#pragma once
// The update check's HTTP client as the rest of the program asks for it: the version request
// and the download transport of this system (libcurl on Linux, WinINet on Windows; the build
// chooses the file that defines these).
#include <memory>

#include "http/transfer_rules.hpp"
#include "update/download.hpp"
#include "update/version_fetch.hpp"

namespace pemu::http {

std::unique_ptr<update::HttpGetter> NewVersionGetter(GetLimits limits = {});
std::unique_ptr<update::DownloadTransport> NewDownloadTransport(DownloadLimits limits = {});

}  // namespace pemu::http
