#pragma once
// What each system's listener gives the shared part of LocalListener.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/local_socket.hpp"

namespace pemu::platform::local_socket {

ReadyHandle Readiness(const LocalListener::State& state);
std::size_t AcceptedConnections(const LocalListener::State& state);
std::size_t OpenConnections(const LocalListener::State& state);
// Accepts, reads and drops as LocalListener::TakeMessages says; clears the readiness.
std::vector<std::string> Take(LocalListener::State& state);
// Returns when the readiness handle is ready or after `timeoutMs`.
void WaitReady(LocalListener::State& state, int timeoutMs);

}  // namespace pemu::platform::local_socket
