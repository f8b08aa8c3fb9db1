// The ".alb" record: 512 bytes holding an image's full path and its source URL, each as
// a length byte followed by a 255-byte field of ANSI characters.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ocelot::catalog {

inline constexpr std::size_t kRecordSize = 512;
inline constexpr std::size_t kFieldSize = 255;
inline constexpr std::size_t kPathOffset = 0;
inline constexpr std::size_t kUrlOffset = 256;

// Each field fits its length byte's whole range, so a decoded length never reaches past
// its field, whatever the file holds.
static_assert(kUrlOffset == kPathOffset + 1 + kFieldSize && kUrlOffset + 1 + kFieldSize == kRecordSize);

struct CatalogRecord {
  std::string path;
  std::string url;  // "" when the image came from no web page
  bool operator==(const CatalogRecord&) const = default;
};

using RecordBytes = std::array<std::uint8_t, kRecordSize>;

// The form a path or URL takes in a record: its first 255 characters.
std::string_view CutToField(std::string_view text);

// The record's bytes; longer strings are cut to 255, the bytes after each string are 0.
RecordBytes EncodeRecord(const CatalogRecord& record);
CatalogRecord DecodeRecord(std::span<const std::uint8_t, kRecordSize> bytes);

// Only the path, for scans that need nothing else.
std::string_view RecordPath(std::span<const std::uint8_t, kRecordSize> bytes);

// The number of whole records in a file of this size; a shorter tail does not count.
inline std::size_t WholeRecordCount(std::size_t file_size) { return file_size / kRecordSize; }

// Record i of a file's bytes; i below WholeRecordCount(bytes.size()).
inline std::span<const std::uint8_t, kRecordSize> RecordAt(std::span<const std::uint8_t> bytes, std::size_t i) {
  return bytes.subspan(i * kRecordSize).first<kRecordSize>();
}

// Every whole record of a file's bytes, in file order; a trailing shorter piece is ignored.
std::vector<CatalogRecord> ParseRecords(std::span<const std::uint8_t> bytes);

}  // namespace ocelot::catalog
