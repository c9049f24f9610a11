#pragma once
#include <gtest/gtest.h>

#include <optional>

#include "e2e/driver.h"

namespace mvx::e2e {

// Gives each test its own driver and keeps the app folder of a failed test
// for a look at its settings, data files and screenshots.
class E2eTest : public ::testing::Test {
 protected:
  Driver& Prepare(const AppSetup& setup = {}) {
    driver_.reset();
    EXPECT_FALSE(InstanceRunning()) << "another Murovex instance runs in this Wine prefix";
    return driver_.emplace(setup);
  }

  void TearDown() override {
    if (!driver_) return;
    EXPECT_EQ(driver_->Traces().Rejected(), 0u) << "blocks that were not trace records arrived";
    if (HasFailure()) {
      driver_->Folder().Keep();
      std::printf("app folder kept: %s\n", driver_->Folder().Path().c_str());
      for (const auto& text : driver_->Traces().Texts()) std::printf("  trace: %s\n", text.c_str());
    }
    driver_.reset();
  }

 private:
  std::optional<Driver> driver_;  // replaced by each Prepare, which ends the previous one
};

}  // namespace mvx::e2e
