#include "app/registry_path.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"

namespace mvx {
namespace {

// The fake registry, counting the keys opened.
class CountingRegistry : public fakes::FakeRegistry {
 public:
  std::optional<RegKey> OpenKey(RegKey parent, const std::string& subKey) override {
    ++opened;
    return FakeRegistry::OpenKey(parent, subKey);
  }
  int opened = 0;
};

TEST(RegistryPath, AValueAtAPathIsReadWithOneOpeningAndEveryKeyClosed) {
  struct Case {
    const char* what;
    std::initializer_list<std::string> levels;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"whole path", {"Software", "Vendor", "Shell Folders"}, "C:\\Start"},
      {"levels in other letters", {"SOFTWARE", "vendor", "SHELL FOLDERS"}, "C:\\Start"},
      {"an empty level is the key above it", {"Software", "", "Vendor", "Shell Folders"}, "C:\\Start"},
      {"a missing level", {"Software", "Other", "Shell Folders"}, std::nullopt},
      {"a missing last level", {"Software", "Vendor", "Missing"}, std::nullopt},
      {"a key without the value", {"Software", "Vendor"}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CountingRegistry registry;
    registry.Put("HKCU\\Software\\Vendor\\Shell Folders", "Startup", {kRegSz, "C:\\Start"});
    registry.Put("HKCU\\Software\\Other2", "Startup", {kRegSz, "C:\\Wrong"});
    EXPECT_EQ(ReadStringAtPath(registry, kHkeyCurrentUser, c.levels, "Startup"), c.value);
    EXPECT_EQ(registry.opened, 1);
    EXPECT_EQ(registry.OpenHandles(), 0u);
  }
}

TEST(RegistryPath, ADeniedKeyCannotBeOpened) {
  fakes::FakeRegistry registry;
  registry.Put("HKLM\\SOFTWARE\\Classes\\.html", "", {kRegSz, "htmlfile"});
  registry.Deny("HKLM\\SOFTWARE\\Classes\\.html");
  EXPECT_EQ(OpenKeyPath(registry, kHkeyLocalMachine, {"SOFTWARE", "Classes", ".html"}), std::nullopt);
  EXPECT_EQ(OpenKeyPath(registry, kHkeyLocalMachine, {}), std::nullopt);
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

}  // namespace
}  // namespace mvx
