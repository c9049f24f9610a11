#include "e2e/picture_files.h"

#include <windows.h>

#include <cstring>

#include "app/date_time.h"
#include "app/paths.h"
#include "e2e/app_folder.h"
#include "inventory/data_file.h"

namespace mvx::e2e {

namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The entry the program keeps for a picture file `size` bytes long.
InventoryEntry EntryFor(const std::string& folder, const Picture& picture, std::int32_t size) {
  InventoryEntry entry;
  entry.Enabled = picture.enabled;
  entry.Display = picture.mode;
  entry.FileName = picture.name;
  entry.Location = folder;
  entry.Size = size;
  entry.Timestamp = EncodeDateTime(2024, 5, 1, 12, 0, 0);
  entry.LCLocation = LowerAZ(folder);
  entry.LCFilename = LowerAZ(picture.name);
  return entry;
}

}  // namespace

std::string SmallBitmap(std::uint8_t grey) {
  constexpr std::uint32_t kSide = 2;
  constexpr std::uint32_t kRowBytes = 8;  // 2 pixels of 3 bytes, padded to 4
  constexpr std::uint32_t kHeaderBytes = 14 + 40;
  std::string bmp = "BM";
  PutLittleEndian(bmp, kHeaderBytes + kSide * kRowBytes, 4);
  PutLittleEndian(bmp, 0, 4);
  PutLittleEndian(bmp, kHeaderBytes, 4);
  PutLittleEndian(bmp, 40, 4);  // BITMAPINFOHEADER
  PutLittleEndian(bmp, kSide, 4);
  PutLittleEndian(bmp, kSide, 4);
  PutLittleEndian(bmp, 1, 2);   // planes
  PutLittleEndian(bmp, 24, 2);  // bits per pixel
  PutLittleEndian(bmp, 0, 4);   // no compression
  PutLittleEndian(bmp, kSide * kRowBytes, 4);
  for (int i = 0; i < 4; ++i) PutLittleEndian(bmp, 0, 4);  // resolution and palette
  for (std::uint32_t row = 0; row < kSide; ++row) {
    bmp.append(kSide * 3, static_cast<char>(grey));
    bmp.append(kRowBytes - kSide * 3, '\0');
  }
  return bmp;
}

void PutPictures(const std::string& imagesFolder, const std::vector<Picture>& pictures) {
  PutPictures(imagesFolder, pictures, "", {});
}

void PutPictures(const std::string& imagesFolder, const std::vector<Picture>& pictures, const std::string& awayFolder,
                 const std::vector<Picture>& away) {
  CreateDirectoryA(imagesFolder.c_str(), nullptr);
  std::vector<InventoryEntry> entries;
  std::uint8_t grey = 40;
  for (const Picture& picture : pictures) {
    const std::string bytes = SmallBitmap(grey);
    grey = static_cast<std::uint8_t>(grey + 60);
    WriteWholeFile(imagesFolder + "\\" + picture.name, bytes);
    entries.push_back(EntryFor(imagesFolder, picture, static_cast<std::int32_t>(bytes.size())));
  }
  for (const Picture& picture : away) entries.push_back(EntryFor(awayFolder, picture, 1000));
  WriteWholeFile(imagesFolder + "\\GDB.CDS", EncodeDataFile(entries));
}

std::string SlidePath(const std::string& imagesFolder, const std::string& name) {
  return LowerAZ(imagesFolder + "\\" + name);
}

bool CopyPictureToClipboard(int side, std::uint8_t grey) {
  const auto bytes = static_cast<std::size_t>(side) * static_cast<std::size_t>(side) * 4;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + bytes);
  if (memory == nullptr) return false;
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(memory));
  *header = BITMAPINFOHEADER{};
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = side;
  header->biHeight = side;
  header->biPlanes = 1;
  header->biBitCount = 32;
  header->biCompression = BI_RGB;
  std::memset(header + 1, grey, bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool put = SetClipboardData(CF_DIB, memory) != nullptr;
  CloseClipboard();
  if (!put) GlobalFree(memory);
  return put;
}

}  // namespace mvx::e2e
