// A stand-in for the calculator window, for the tests of running copies: it starts as the
// program does (PEMU_DATA_ROOT, PEMU_RUNTIME_DIR), runs the start-up and the final save, prints
// what happens and follows commands on stdin ("quit", "crash", "move", "note <text>").
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "platform/codec.hpp"
#include "platform/file_system.hpp"
#include "shell/instance_channel.hpp"
#include "shell/shell_session.hpp"

namespace {

using namespace pemu::shell;

class Host : public ActivationHost, public FinalSaveHost {
  public:
    void ShowPerTypeMessage(const std::string&) override {}
    void ReadSettings(const SettingsStore&) override {}
    void BecomeChildWindow(const std::string& caption, const std::string&) override {
        caption_ = caption;
    }
    void OpenWindow(char) override {}
    void KeyTableLoaded(const KeyTable&) override {}
    void RemoveTrayIcon() override {}
    void WriteSettings(SettingsStore&) override {}
    void FlushSettingNotes() override {}
    std::string ClearedText() override { return {}; }
    std::string TapeText() override { return tape; }

    std::string caption_ = "Pemu";
    std::string tape;
};

void Say(const std::string& line) {
    std::cout << line << std::endl;  // flushed: the test reads line by line
}

int Finish(ShellSession& session, Host& host) {
    FinalSaveReport report = session.FinalSave(host);
    std::string closed;
    for (int pid : report.closedChildren)
        closed += (closed.empty() ? "" : ",") + std::to_string(pid);
    Say(std::string("saved ") + (report.failed() ? "failed" : "ok") + " closed=" + closed);
    return 0;
}

}  // namespace

int main(int argc, char**) {
    if (argc != 1) {
        std::cerr << "usage: instance-helper (data root from PEMU_DATA_ROOT, runtime folder from "
                     "PEMU_RUNTIME_DIR)\n";
        return 2;
    }
    const int pid = pemu::platform::CurrentProcessId();
    const DataRootChoice dataRoot = ChooseDataRoot();
    if (dataRoot.root.empty()) {
        std::cerr << "instance-helper: " << dataRoot.problem << "\n";
        return 1;
    }
    std::unique_ptr<ShellSession> started = ShellSession::StartForThisProcess(dataRoot.root);
    ShellSession& session = *started;
    Host host;
    session.Construct();
    session.FirstActivate(host);
    Say(std::string(session.role() == InstanceRole::kPrimary ? "role primary" : "role child") +
        " pid " + std::to_string(pid) + " caption " + pemu::platform::Cp932ToUtf8(host.caption_));

    std::string pending;
    for (;;) {
        pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0},
                         {static_cast<int>(session.channel()->readiness()), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) continue;
        if (fds[1].revents & POLLIN) {
            for (InstanceMessage message : session.channel()->TakeMessages()) {
                Say(std::string("message ") + MessageText(message));
                if (message == InstanceMessage::kClose) return Finish(session, host);
            }
        }
        if (!(fds[0].revents & (POLLIN | POLLHUP))) continue;
        char buffer[256];
        ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) return Finish(session, host);
        pending.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t lf; (lf = pending.find('\n')) != std::string::npos;) {
            std::string command = pending.substr(0, lf);
            pending.erase(0, lf + 1);
            if (command == "quit") return Finish(session, host);
            if (command == "crash") ::_exit(3);  // no clean-up at all
            if (command == "move") {
                Say(std::string("sent ") +
                    (session.channel()->SendToPrimary(InstanceMessage::kMoveToOrigin) ? "1" : "0"));
            } else if (command.rfind("note ", 0) == 0) {
                host.tape += " \r\n" + command.substr(5) + "\r\n";
                Say("noted");
            }
        }
    }
}
