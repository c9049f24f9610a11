// The picture adapter under Wine: each accepted format decodes to its size,
// and broken, empty, misnamed or impossibly large files are refused without
// a crash or a hang.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shared/bitmap_bytes.h"
#include "shared/picture_bytes.h"
#include "shared/wic_encode.h"
#include "win32/adapters/win32_picture.h"
#include "win32/adapters/win32_ports.h"

namespace mvx::testing {
namespace {

std::string FreshFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  static int made = 0;
  const std::string folder =
      std::string(temp) + "murovex-decode-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

// A picture of one colour written by the system's own encoder of a format.
std::string Encoded(const GUID& container, const std::string& path, int width, int height) {
  const bool ok = EncodePicture(container, path, width, height, [](int, int) {
    return Rgb{kBitmapRed, kBitmapGreen, kBitmapBlue};
  });
  EXPECT_TRUE(ok) << "the system could not encode " << path;
  return ReadBytes(path);
}

struct Outcome {
  bool loaded = false;
  int width = 0, height = 0;
};

Outcome Decode(const std::string& path) {
  win32::Win32Pictures pictures;
  const std::shared_ptr<const LoadedPicture> picture = pictures.Load(path);
  if (!picture) return {};
  return {true, picture->Size().width, picture->Size().height};
}

// The colour of the middle pixel of a decoded picture, as the window draws it.
COLORREF MiddleColour(const std::string& path) {
  const std::shared_ptr<const win32::Win32Picture> picture = win32::DecodePictureFile(path);
  if (!picture) return CLR_INVALID;
  BITMAP info{};
  GetObjectA(picture->Bitmap(), sizeof info, &info);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, picture->Bitmap());
  const COLORREF colour = GetPixel(dc, info.bmWidth / 2, std::abs(info.bmHeight) / 2);
  SelectObject(dc, old);
  DeleteDC(dc);
  return colour;
}

bool Near(COLORREF a, COLORREF b) {
  auto close = [](int x, int y) { return x - y < 12 && y - x < 12; };  // JPEG is not exact
  return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) && close(GetBValue(a), GetBValue(b));
}

class PictureDecode : public ::testing::Test {
 protected:
  ~PictureDecode() override {
    for (const std::string& path : made) DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
  }
  std::string Put(const std::string& name, const std::string& bytes) {
    const std::string path = folder + "\\" + name;
    WriteBytes(path, bytes);
    made.push_back(path);
    return path;
  }
  std::string Encode(const GUID& container, const std::string& name, int width, int height) {
    const std::string path = folder + "\\" + name;
    made.push_back(path);
    return Encoded(container, path, width, height);
  }
  std::string folder = FreshFolder();
  std::vector<std::string> made;
};

TEST_F(PictureDecode, JpegPngGifTiffAndBitmapFilesDecodeToTheirSizeAndColour) {
  const struct {
    std::string name;
    std::string bytes;
    int width, height;
  } cases[] = {
      {"harbour.jpg", Encode(GUID_ContainerFormatJpeg, "enc.jpg", 64, 40), 64, 40},
      {"scan.tif", Encode(GUID_ContainerFormatTiff, "enc.tif", 33, 17), 33, 17},
      {"map.png", PngBytes(21, 13, kBitmapRed, kBitmapGreen, kBitmapBlue), 21, 13},
      {"spin.gif", GifBytes(9, 30, kBitmapRed, kBitmapGreen, kBitmapBlue), 9, 30},
      {"sea.bmp", BitmapBytes(12, 5), 12, 5},
      {"misnamed.jpg", PngBytes(7, 3, kBitmapRed, kBitmapGreen, kBitmapBlue), 7, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_FALSE(c.bytes.empty());
    const std::string path = Put(c.name, c.bytes);
    const Outcome got = Decode(path);
    ASSERT_TRUE(got.loaded);
    EXPECT_EQ(got.width, c.width);
    EXPECT_EQ(got.height, c.height);
    const COLORREF colour = MiddleColour(path);
    EXPECT_TRUE(Near(colour, RGB(kBitmapRed, kBitmapGreen, kBitmapBlue))) << std::hex << colour;
  }
}

TEST_F(PictureDecode, ALargePictureIsHeldScaledDownButTellsItsNaturalSize) {
  const std::string path = Put("wide.png", PngBytes(5000, 40, 10, 20, 30));
  const std::shared_ptr<const win32::Win32Picture> picture = win32::DecodePictureFile(path);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Size().width, 5000);
  EXPECT_EQ(picture->Size().height, 40);
  BITMAP info{};
  ASSERT_NE(GetObjectA(picture->Bitmap(), sizeof info, &info), 0);
  EXPECT_EQ(info.bmWidth, win32::Win32Picture::kMaxHeldSide);
  EXPECT_EQ(std::abs(info.bmHeight), 16);
}

TEST_F(PictureDecode, BrokenEmptyZeroSizedHugeAndMisnamedFilesAreRefused) {
  const std::string jpeg = Encode(GUID_ContainerFormatJpeg, "whole.jpg", 40, 30);
  const std::string png = PngBytes(40, 30, 1, 2, 3);
  std::string hugeBmp = BitmapBytes(1, 1);
  hugeBmp.replace(18, 8, std::string("\x30\x75\x00\x00\x30\x75\x00\x00", 8));  // 30000 x 30000, no pixels
  const std::string hugePng = PngHeader(100000, 100000) + png.substr(png.find("IDAT") - 4);
  // Screen and image of 65535 x 65535 pixels, with the codes of four.
  std::string hugeGif = GifBytes(2, 2, 1, 2, 3);
  hugeGif.replace(6, 4, std::string(4, '\xFF'));
  hugeGif.replace(24, 4, std::string(4, '\xFF'));
  std::string zeroBmp = BitmapBytes(1, 1);
  zeroBmp[18] = '\0';
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty.jpg", ""},
      {"words.png", "these are words, not pixels"},
      {"words.jpg", "GIF89a and then nothing a picture needs"},
      {"head.jpg", jpeg.substr(0, 20)},
      {"half.png", png.substr(0, png.size() / 2)},
      {"signature.png", png.substr(0, 8)},
      {"zero.png", PngBytes(0, 30, 1, 2, 3)},
      {"zero.bmp", zeroBmp},
      {"huge.png", hugePng},
      {"huge.bmp", hugeBmp},
      {"huge.gif", hugeGif},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome got = Decode(Put(c.name, c.bytes));
    EXPECT_FALSE(got.loaded) << got.width << " x " << got.height;
  }
  EXPECT_FALSE(Decode(folder + "\\missing.png").loaded);
  EXPECT_FALSE(Decode(folder).loaded) << "a folder";
}

// A corpus made from whole files of each format: cut short at many places
// and with bytes of the first 200 changed at places chosen by a fixed
// sequence. None may crash or hang the decoder; whatever still decodes has
// a size within the loader's limit.
TEST_F(PictureDecode, DamagedFilesOfEveryFormatNeverCrashAndWhatDecodesHasASaneSize) {
  const struct {
    const char* ext;
    std::string bytes;
  } wholes[] = {
      {".jpg", Encode(GUID_ContainerFormatJpeg, "c.jpg", 48, 32)},
      {".tif", Encode(GUID_ContainerFormatTiff, "c.tif", 48, 32)},
      {".png", PngBytes(48, 32, 200, 100, 50)},
      {".gif", GifBytes(48, 32, 200, 100, 50)},
      {".bmp", BitmapBytes(48, 32)},
  };
  std::uint32_t seed = 0x2545F491;
  auto next = [&seed] {
    seed ^= seed << 13;
    seed ^= seed >> 17;
    seed ^= seed << 5;
    return seed;
  };
  int files = 0, refused = 0;
  for (const auto& whole : wholes) {
    ASSERT_FALSE(whole.bytes.empty()) << whole.ext;
    std::vector<std::string> damaged;
    const std::size_t size = whole.bytes.size();
    for (std::size_t cut : {std::size_t{1}, std::size_t{7}, std::size_t{14}, std::size_t{30}, size / 8, size / 3,
                            size / 2, size - size / 4, size - 2}) {
      damaged.push_back(whole.bytes.substr(0, cut));
    }
    for (int i = 0; i < 24; ++i) {
      std::string bytes = whole.bytes;
      const int changes = 1 + static_cast<int>(next() % 4);
      for (int k = 0; k < changes; ++k) bytes[next() % std::min<std::size_t>(size, 200)] = static_cast<char>(next());
      damaged.push_back(bytes);
    }
    for (std::size_t i = 0; i < damaged.size(); ++i) {
      std::string name = "d";
      name += std::to_string(files++);
      name += whole.ext;
      const Outcome got = Decode(Put(name, damaged[i]));
      if (!got.loaded) {
        ++refused;
        continue;
      }
      EXPECT_GT(got.width, 0) << name;
      EXPECT_GT(got.height, 0) << name;
      EXPECT_LE(std::uint64_t(got.width) * std::uint64_t(got.height), win32::kMaxPixels) << name;
    }
  }
  EXPECT_GT(refused, files / 4) << "most damage is found";
}

// The loader that decodes off the window's thread: its answers come from the
// message loop, one for the latest request only, and it reads a file that
// another program holds open for writing.
class PictureLoadLater : public PictureDecode {
 protected:
  struct Answer {
    std::string name;
    PictureLoadFault fault;
    int width;
  };
  void Ask(const std::string& name) {
    pictures.LoadLater(folder + "\\" + name, [this, name](PictureLoad loaded) {
      answers.push_back({name, loaded.fault, loaded.picture ? loaded.picture->Size().width : 0});
    });
  }
  // Runs the message loop until `count` answers came, or `ms` passed.
  void PumpFor(std::size_t count, DWORD ms = 10000) {
    const DWORD until = GetTickCount() + ms;
    while (answers.size() < count && GetTickCount() < until) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_APP + 7) answers.push_back({"posted", PictureLoadFault::None, 0});
        DispatchMessageA(&msg);
      }
    }
  }
  win32::Win32Pictures pictures;
  std::vector<Answer> answers;
};

TEST_F(PictureLoadLater, EachFileGetsItsAnswerFromTheMessageLoopAndFilesOthersHoldForWritingAreRead) {
  Put("plain.bmp", BitmapBytes(6, 4));
  const std::string held = Put("held.bmp", BitmapBytes(7, 4));
  const std::string locked = Put("locked.bmp", BitmapBytes(8, 4));
  Put("words.bmp", "not a picture");
  HANDLE writer = CreateFileA(held.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE exclusive = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
  const struct {
    const char* name;
    PictureLoadFault fault;
    int width;
  } cases[] = {
      {"plain.bmp", PictureLoadFault::None, 6},     {"held.bmp", PictureLoadFault::None, 7},
      {"locked.bmp", PictureLoadFault::NotOpened, 0}, {"words.bmp", PictureLoadFault::NotDecoded, 0},
      {"gone.bmp", PictureLoadFault::NotOpened, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    answers.clear();
    Ask(c.name);
    EXPECT_TRUE(answers.empty()) << "never answered while asked";
    PumpFor(1);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].fault, c.fault);
    EXPECT_EQ(answers[0].width, c.width);
  }
  CloseHandle(writer);
  CloseHandle(exclusive);
}

TEST_F(PictureLoadLater, TheWindowAnswersWhileALargePictureDecodesAndOnlyTheLatestRequestIsAnswered) {
  Encode(GUID_ContainerFormatPng, "large.png", 3000, 3000);
  Put("small.bmp", BitmapBytes(5, 3));
  Ask("large.png");
  PostThreadMessageA(GetCurrentThreadId(), WM_APP + 7, 0, 0);
  PumpFor(2);
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_EQ(answers[0].name, "posted") << "the message loop ran while the picture was decoded";
  EXPECT_EQ(answers[1].name, "large.png");
  EXPECT_EQ(answers[1].width, 3000) << "the natural size, whatever size is held";
  answers.clear();
  Ask("large.png");
  Ask("small.bmp");
  PumpFor(2, 4000);  // more than the large picture's decoding takes
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].name, "small.bmp");
  answers.clear();
  Ask("small.bmp");
  pictures.CancelLoad();
  PumpFor(1, 1000);
  EXPECT_TRUE(answers.empty()) << "a cancelled request is never answered";
}

}  // namespace
}  // namespace mvx::testing
