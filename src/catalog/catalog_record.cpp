// The ".alb" record layout.
#include "catalog/catalog_record.h"

#include <algorithm>

namespace ocelot::catalog {

namespace {
void PutField(RecordBytes& out, std::size_t offset, std::string_view text) {
  const std::string_view cut = CutToField(text);
  out[offset] = static_cast<std::uint8_t>(cut.size());
  std::copy(cut.begin(), cut.end(), out.begin() + static_cast<std::ptrdiff_t>(offset + 1));
}

std::string_view GetField(std::span<const std::uint8_t, kRecordSize> bytes, std::size_t offset) {
  const std::size_t n = bytes[offset];
  return {reinterpret_cast<const char*>(bytes.data() + offset + 1), n};
}
}  // namespace

std::string_view CutToField(std::string_view text) { return text.substr(0, kFieldSize); }

RecordBytes EncodeRecord(const CatalogRecord& record) {
  RecordBytes out{};
  PutField(out, kPathOffset, record.path);
  PutField(out, kUrlOffset, record.url);
  return out;
}

CatalogRecord DecodeRecord(std::span<const std::uint8_t, kRecordSize> bytes) {
  return {std::string(GetField(bytes, kPathOffset)), std::string(GetField(bytes, kUrlOffset))};
}

std::string_view RecordPath(std::span<const std::uint8_t, kRecordSize> bytes) { return GetField(bytes, kPathOffset); }

std::vector<CatalogRecord> ParseRecords(std::span<const std::uint8_t> bytes) {
  std::vector<CatalogRecord> records;
  const std::size_t count = WholeRecordCount(bytes.size());
  records.reserve(count);
  for (std::size_t i = 0; i < count; ++i) records.push_back(DecodeRecord(RecordAt(bytes, i)));
  return records;
}

}  // namespace ocelot::catalog
