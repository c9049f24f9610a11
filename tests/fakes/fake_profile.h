#pragma once
#include <string>
#include <vector>

#include "fakes/fake_files.h"
#include "platform/profile_port.h"

namespace mvx::fakes {

// The profile-file functions over the fake file system, with the system's
// rules: names without regard to case, blanks around values trimmed,
// matching quotes stripped, the first of duplicate sections and keys wins,
// the file made on the first write, a missing folder fails the write.
class FakeProfile : public ProfilePort {
 public:
  explicit FakeProfile(FakeFiles& files) : files_(files) {}
  std::string GetString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& def) override;
  std::string GetSection(const std::string& file, const std::string& section) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
  int writes = 0;
  int reads = 0;
  // Every write fails, as for a file the user has no right to change.
  bool refuseWrites = false;

 private:
  FakeFiles& files_;
};

}  // namespace mvx::fakes
