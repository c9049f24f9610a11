#include <gtest/gtest.h>

#include <cstring>

#include "win32/child_process.h"

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], mvx::testing::kChildFlag) == 0) return mvx::testing::ChildMain(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
