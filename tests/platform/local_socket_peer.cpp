// The other running copy for the channel tests: listens on its own path, greets the test's
// listener, answers the first message it gets and ends. Every wait is bounded.
#include <string>

#include "platform/local_socket.hpp"

int main(int argc, char** argv) {
    if (argc != 3) return 2;  // usage: local-socket-peer <test's path> <own path>
    const std::string test = argv[1];
    pemu::platform::LocalListener own = pemu::platform::LocalListener::Listen(argv[2]);
    if (!own.listening()) return 3;
    if (!pemu::platform::SendLocalMessage(test, "hello")) return 4;
    std::vector<std::string> got = own.WaitForMessages(20000);
    if (got.empty()) return 5;
    return pemu::platform::SendLocalMessage(test, "got " + got.front()) ? 0 : 6;
}
