#pragma once
#include <string>
#include <vector>

namespace mvx::testing {

// The test program starts copies of itself to play a second process; this
// first argument tells such a copy what to do instead of running the tests.
inline constexpr const char* kChildFlag = "--murovex-child";

// Runs the test program with kChildFlag and args, waits for it and returns
// its exit code (-1 when it could not be started or did not end in time).
int RunChild(const std::vector<std::string>& args);
// The child's side: argv as main received it.
int ChildMain(int argc, char** argv);

}  // namespace mvx::testing
