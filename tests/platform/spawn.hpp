#pragma once
// Test support: another program started beside this test's executable, waited for with a
// bound and killed when the test ends before it does.
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pemu::testing {

class Spawned {
  public:
    // `program` is a file name in this test executable's folder (".exe" added on Windows).
    static Spawned Start(const std::string& program, const std::vector<std::string>& args);

    Spawned();
    Spawned(Spawned&&) noexcept;
    Spawned& operator=(Spawned&&) noexcept;
    ~Spawned();  // kills the program when it still runs

    bool started() const;
    // Its exit code; nullopt when it still runs after `timeoutMs`.
    std::optional<int> WaitForExit(int timeoutMs);

    struct Process;

  private:
    std::unique_ptr<Process> process_;
};

}  // namespace pemu::testing
