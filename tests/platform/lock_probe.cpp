// A second process for the lock tests: takes a lock, says what it got on standard output,
// then waits for a line on standard input: "release" lets go and ends, anything else (or the
// end of the input) ends at once without letting go, as a crash would.
//   lock-probe instance NAME      the instance mutex
//   lock-probe file PATH          the file lock (no wait)
//   lock-probe pid                prints its process id, then waits as above
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "platform/console.hpp"
#include "platform/file_lock.hpp"
#include "platform/file_system.hpp"
#include "platform/instance_lock.hpp"

int main(int argc, char** argv) {
    using namespace pemu::platform;
    // As UTF-8 also on Windows: the paths of the tests are Japanese.
    const std::vector<std::string> args = CommandLineArguments(argc, argv);
    const std::string what = args.empty() ? "" : args[0];
    InstanceLock instance;
    FileLock file;
    if (what == "instance" && args.size() == 2) {
        instance = InstanceLock::TryAcquire(RuntimeFolder(), args[1]);
        std::cout << (instance.held() ? "primary" : "child") << std::endl;
    } else if (what == "file" && args.size() == 2) {
        file = FileLock::Acquire(args[1], 0);
        std::cout << (file.held() ? "held" : "busy") << std::endl;
    } else if (what == "pid" && args.size() == 1) {
        std::cout << CurrentProcessId() << std::endl;
    } else {
        std::cerr << "usage: lock-probe instance NAME | file PATH | pid\n";
        return 2;
    }
    std::string order;
    std::getline(std::cin, order);
    if (order != "release") std::_Exit(0);  // no destructor runs: the system cleans up
    instance.Release();
    file.Release();
    std::cout << "released" << std::endl;
    return 0;
}
