#include "adding/own_names.h"

#include "app/paths.h"

namespace mvx {

namespace {

constexpr std::string_view kPrefix = "v";
constexpr std::string_view kJoin = " of ";

}  // namespace

std::string UniqueNameCandidate(std::int64_t n, std::string_view fileName) {
  return std::string(kPrefix) + std::to_string(n) + std::string(kJoin) + std::string(fileName);
}

bool IsUniqueNameOf(std::string_view name, std::string_view fileName) {
  if (name.size() <= kPrefix.size() + kJoin.size() + fileName.size()) return false;
  if (!SameTextAZ(name.substr(0, kPrefix.size()), kPrefix)) return false;
  if (!SameTextAZ(name.substr(name.size() - fileName.size()), fileName)) return false;
  const std::string_view middle = name.substr(kPrefix.size(), name.size() - kPrefix.size() - fileName.size());
  const std::string_view digits = middle.substr(0, middle.size() - kJoin.size());
  if (!SameTextAZ(middle.substr(digits.size()), kJoin) || digits[0] == '0') return false;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace mvx
