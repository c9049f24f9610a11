#include "fakes/fake_pictures.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

namespace mvx::fakes {

namespace {

std::uint32_t Le(const std::string& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + i])) << (8 * i);
  return v;
}

std::uint32_t Be32(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
  return v;
}

std::optional<PictureSize> Positive(std::int64_t width, std::int64_t height) {
  if (width <= 0 || height <= 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return std::nullopt;
  return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

std::optional<PictureSize> BitmapSize(const std::string& b) {
  if (b.size() < 14 + 40 || b.compare(0, 2, "BM") != 0) return std::nullopt;
  const auto height = static_cast<std::int32_t>(Le(b, 22, 4));
  return Positive(static_cast<std::int32_t>(Le(b, 18, 4)), std::abs(static_cast<std::int64_t>(height)));
}

std::optional<PictureSize> PngSize(const std::string& b) {
  static const std::string kSignature = "\x89PNG\r\n\x1A\n";
  static const std::string kEnd = std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
  if (b.size() < 8 + 25 + kEnd.size() || b.compare(0, 8, kSignature) != 0 || b.compare(12, 4, "IHDR") != 0) {
    return std::nullopt;
  }
  if (b.compare(b.size() - kEnd.size(), kEnd.size(), kEnd) != 0) return std::nullopt;
  return Positive(Be32(b, 16), Be32(b, 20));
}

std::optional<PictureSize> GifSize(const std::string& b) {
  if (b.size() < 14 || (b.compare(0, 6, "GIF87a") != 0 && b.compare(0, 6, "GIF89a") != 0) || b.back() != ';') {
    return std::nullopt;
  }
  return Positive(Le(b, 6, 2), Le(b, 8, 2));
}

class FakePicture : public LoadedPicture {
 public:
  FakePicture(PictureSize size, std::shared_ptr<int> counter) : size_(size), counter_(std::move(counter)) {}
  PictureSize Size() const override { return size_; }

 private:
  PictureSize size_;
  std::shared_ptr<int> counter_;
};

}  // namespace

PictureLoad FakePictures::Decode(const std::string& path) {
  std::string bytes;
  if (!files_.ReadAll(path, bytes)) return {nullptr, PictureLoadFault::NotOpened};
  std::optional<PictureSize> size = BitmapSize(bytes);
  if (!size) size = PngSize(bytes);
  if (!size) size = GifSize(bytes);
  if (!size) return {nullptr, PictureLoadFault::NotDecoded};
  if (std::int64_t{size->width} * size->height > maxPixels) return {nullptr, PictureLoadFault::TooLarge};
  return {std::make_shared<FakePicture>(*size, held_), PictureLoadFault::None};
}

std::shared_ptr<const LoadedPicture> FakePictures::Load(const std::string& path) {
  loaded.push_back(path);
  if (onLoad) onLoad();
  return Decode(path).picture;
}

void FakePictures::LoadLater(const std::string& path, LoadDone done) {
  loaded.push_back(path);
  if (onLoad) onLoad();
  pending_.emplace(path, std::move(done));
}

bool FakePictures::Deliver() {
  if (!pending_) return false;
  auto [path, done] = std::move(*pending_);
  pending_.reset();
  done(Decode(path));
  return true;
}

}  // namespace mvx::fakes
