#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/dataset.h"
#include "inventory/packed_records.h"

namespace mvx {

// The inventory's data file (docs/data-file.md): a header with magic, format
// version, field count, record count and body length; the field list; the
// records in index order; a CRC-32 of everything before it. Files of version
// 1 (one-byte string lengths, a tile flag) are read too; every save writes
// version 2.
inline constexpr std::uint16_t kDataFileVersion = 2;
// The first save over a file of version 1 keeps that file beside it under
// its name and this ending, for an older Murovex to read.
inline constexpr std::string_view kVersion1CopySuffix = ".v1";

enum class DataFileProblem {
  None,
  BadMagic,
  UnsupportedVersion,
  Truncated,
  ChecksumMismatch,
  BadLength,
  BadFieldList,
  BadValue,
  BadKey
};

struct DataFileContents {
  DataFileProblem problem = DataFileProblem::None;
  std::string reason;         // what is wrong, in words the user may read
  std::uint16_t version = 0;  // of the file read
  std::vector<InventoryEntry> records;
  bool ok() const { return problem == DataFileProblem::None; }
};

// A file of version 2. A record the reader would refuse (a key that does not
// match its name, a folder that is not absolute, a path too long) is refused
// here too (AppError), so that every file written can be read again.
std::string EncodeDataFile(const std::vector<InventoryEntry>& records);
// Every record of the table the position is over, in index order.
std::string EncodeDataFile(const TClientDataSet& data);
// Never reads outside bytes; a file with anything wrong gives no records.
// The records of a file of version 1 come as version 2 holds them.
DataFileContents DecodeDataFile(std::string_view bytes);

// The same check, keeping the records packed in the bytes as they were read
// (a file of version 1: packed anew in memory of their own).
struct PackedDataFile {
  DataFileProblem problem = DataFileProblem::None;
  std::string reason;
  std::uint16_t version = 0;
  PackedRecords records;
  bool ok() const { return problem == DataFileProblem::None; }
};
PackedDataFile DecodePackedDataFile(ByteBlock bytes);

}  // namespace mvx
