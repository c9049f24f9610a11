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
// records in index order; a CRC-32 of everything before it.
inline constexpr std::uint16_t kDataFileVersion = 1;

enum class DataFileProblem {
  None,
  BadMagic,
  UnsupportedVersion,
  Truncated,
  ChecksumMismatch,
  BadLength,
  BadFieldList,
  BadValue
};

struct DataFileContents {
  DataFileProblem problem = DataFileProblem::None;
  std::string reason;  // what is wrong, in words the user may read
  std::vector<InventoryEntry> records;
  bool ok() const { return problem == DataFileProblem::None; }
};

// Strings longer than their field are cut as a posted record is.
std::string EncodeDataFile(const std::vector<InventoryEntry>& records);
// Every record of the table the position is over, in index order.
std::string EncodeDataFile(const TClientDataSet& data);
// Never reads outside bytes; a file with anything wrong gives no records.
DataFileContents DecodeDataFile(std::string_view bytes);

// The same check, keeping the records packed in the bytes as they were read.
struct PackedDataFile {
  DataFileProblem problem = DataFileProblem::None;
  std::string reason;
  PackedRecords records;
  bool ok() const { return problem == DataFileProblem::None; }
};
PackedDataFile DecodePackedDataFile(ByteBlock bytes);

}  // namespace mvx
