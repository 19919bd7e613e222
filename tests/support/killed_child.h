// A write run in a child process that a test may kill at a chosen step: its wait status.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>

namespace gw::testing {

// Runs `body` in a child process and gives the child's wait status: exit 0 when `body` returns,
// exit 3 when it throws, or the signal that killed it (the body's own hook kills it mid-write).
inline int status_of_child(const std::function<void()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    try {
      body();
    } catch (...) {
      _exit(3);
    }
    _exit(0);
  }
  int status = 0;
  EXPECT_EQ(waitpid(child, &status, 0), child);
  return status;
}

}  // namespace gw::testing
