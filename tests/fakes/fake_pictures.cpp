#include "fakes/fake_pictures.h"

#include <cstdint>
#include <cstdlib>

namespace mvx::fakes {

namespace {

std::int32_t Le32(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + i])) << (8 * i);
  return static_cast<std::int32_t>(v);
}

}  // namespace

std::optional<PictureSize> FakePictures::Measure(const std::string& path) {
  measured.push_back(path);
  if (onMeasure) onMeasure();
  std::string bytes;
  if (!files_.ReadAll(path, bytes)) return std::nullopt;
  constexpr std::size_t kHeaders = 14 + 40;
  if (bytes.size() < kHeaders || bytes.compare(0, 2, "BM") != 0) return std::nullopt;
  const std::int32_t width = Le32(bytes, 18), height = Le32(bytes, 22);
  if (width <= 0 || height == 0) return std::nullopt;
  return PictureSize{width, std::abs(height)};
}

}  // namespace mvx::fakes
