#pragma once
// The test's own HTTP server on the loopback address (loopback_server.py, started and
// stopped here), and a socket that takes connections but never answers. The POSIX and the
// Windows build each have their own file behind this.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace pemu::testing_support {

class LoopbackServer {
  public:
    // Starts the server on a free port with `root` (created) as its folder.
    explicit LoopbackServer(std::filesystem::path root);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    bool Running() const { return port_ > 0; }
    // "http://127.0.0.1:PORT" + path.
    std::string Url(std::string_view path) const;
    // The version record's body, and its status.
    void SetRecord(std::string_view body, int status = 200);
    // A record announcing `version`, downloadable from /files/ as `fileName`.
    void SetRecordFor(std::string_view version, std::string_view fileName);
    void AddFile(std::string_view name, std::string_view bytes);
    // Every request head received so far (request line and headers, CR LF).
    std::string RequestLog() const;

  private:
    struct Child;
    std::filesystem::path root_;
    std::unique_ptr<Child> child_;
    int port_ = 0;
};

// Listens on the loopback address and never accepts: a connection is made and then
// nothing is ever answered, like a server that hangs.
class SilentServer {
  public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    std::string Url(std::string_view path) const;

  private:
    std::intptr_t socket_ = -1;
    int port_ = 0;
};

// A loopback address where nothing listens (the connection is refused at once).
std::string ClosedPortUrl(std::string_view path);

}  // namespace pemu::testing_support
