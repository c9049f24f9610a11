#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "e2e/desktop_registry.h"
#include "e2e/driver.h"

namespace mvx::e2e {

// Gives each test its own driver and keeps the app folder of a failed test
// for a look at its settings, data files and screenshots. The desktop values
// the program writes at exit are put back, since tests share a Wine prefix.
class E2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (auto& [name, value] : desktop_) value = ReadDesktopValue(name);
  }

  Driver& Prepare(const AppSetup& setup = {}) {
    driver_.reset();
    EXPECT_FALSE(InstanceRunning()) << "another Murovex instance runs in this Wine prefix";
    return driver_.emplace(setup);
  }

  void TearDown() override {
    if (driver_) Report(*driver_);
    driver_.reset();
    for (const auto& [name, value] : desktop_) {
      if (value) {
        WriteDesktopValue(name, *value);
      } else {
        DeleteDesktopValue(name);
      }
    }
  }

 private:
  void Report(Driver& driver) {
    EXPECT_EQ(driver.Traces().Rejected(), 0u) << "blocks that were not trace records arrived";
    if (!HasFailure()) return;
    driver.Folder().Keep();
    std::printf("app folder kept: %s\n", driver.Folder().Path().c_str());
    for (const auto& text : driver.Traces().Texts()) std::printf("  trace: %s\n", text.c_str());
  }

  std::pair<std::string, std::optional<std::string>> desktop_[2] = {{"Wallpaper", {}}, {"TileWallpaper", {}}};
  std::optional<Driver> driver_;  // replaced by each Prepare, which ends the previous one
};

}  // namespace mvx::e2e
