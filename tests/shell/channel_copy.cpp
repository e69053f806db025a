// A second running copy for the channel tests, on every system: it starts its channel in
// the folder it is given, under the number it is given as its process id, and waits for
// the primary's close order. Exit 0: it was a child and was told to close.
#include <cstdlib>
#include <string>

#include "shell/instance_channel.hpp"

int main(int argc, char** argv) {
    if (argc != 3) return 2;  // usage: channel-copy <runtime folder> <pid>
    using pemu::shell::InstanceChannel;
    using pemu::shell::InstanceMessage;
    InstanceChannel channel = InstanceChannel::Start(argv[1], std::atoi(argv[2]));
    if (channel.role() != pemu::shell::InstanceRole::kChild) return 3;
    for (int round = 0; round < 40; ++round) {  // twenty seconds at most
        for (InstanceMessage message : channel.WaitForMessages(500)) {
            if (message == InstanceMessage::kClose) return 0;
        }
    }
    return 4;
}
