// The catalog operations over whole catalog files.
#include "catalog/catalog_files.h"

#include <optional>

#include "catalog/catalog_listing.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/text.h"
#include "output/note_file.h"
#include "settings/working_folder_rules.h"

namespace ocelot::catalog {

namespace {
using Bytes = std::vector<std::uint8_t>;

// The catalog's bytes, or nothing when it is missing or cannot be read. Only regular
// files are opened, so a folder or device named like a catalog is never read.
std::optional<Bytes> TryReadCatalog(const std::string& path) {
  if (!FileExists(path)) return std::nullopt;
  try {
    return ReadFileBytes(path);
  } catch (const Error&) {
    return std::nullopt;
  }
}

// Writes the new content through the temporary catalog file; false leaves the old whole.
// A rename may replace a read-only file where an open for writing would fail; the
// catalog is refused as that open would refuse it.
bool TryReplaceCatalog(const std::string& catalogs_folder, const std::string& path, std::span<const std::uint8_t> bytes) {
  if (IsReadOnlyFile(path)) return false;
  try {
    ReplaceFileContents(path, JoinPath(catalogs_folder, kTempCatalogFileName), bytes);
    return true;
  } catch (const Error&) {
    return false;
  }
}

bool HoldsPathIgnoringCase(std::span<const std::uint8_t> bytes, std::string_view path) {
  const std::string_view cut = CutToField(path);
  for (std::size_t i = 0, n = WholeRecordCount(bytes.size()); i < n; ++i)
    if (EqualsIgnoreCase(RecordPath(RecordAt(bytes, i)), cut)) return true;
  return false;
}

bool CatalogHolds(const std::string& path_of_catalog, std::string_view path) {
  const auto bytes = TryReadCatalog(path_of_catalog);
  return bytes && HoldsPathIgnoringCase(*bytes, path);
}
}  // namespace

std::string CatalogsFolderOf(std::string_view working_folder) {
  return JoinPath(working_folder, settings::kCatalogsFolderName);
}

std::string CatalogFileName(std::string_view name) { return std::string(name) + kCatalogExtension; }

std::string CatalogNameOf(std::string_view file_name) { return std::string(file_name.substr(0, file_name.find('.'))); }

bool AddCatalogRecord(const std::string& catalogs_folder, const std::string& name, const CatalogRecord& record,
                      const std::vector<std::string>& note_lines) {
  // An empty path would end every reader's scan and hide the records after it.
  if (record.path.empty()) return false;
  const std::string path = JoinPath(catalogs_folder, CatalogFileName(name));
  Bytes bytes;
  if (FileExists(path)) {
    auto old = TryReadCatalog(path);
    if (!old) return false;
    bytes = std::move(*old);
  }
  const std::size_t whole = WholeRecordCount(bytes.size());
  const std::string_view new_path = CutToField(record.path);
  bool already_there = false;
  for (std::size_t i = 0; i < whole; ++i) {
    const std::string_view held = RecordPath(RecordAt(bytes, i));
    if (held.empty()) break;
    if (held == new_path) {
      already_there = true;
      break;
    }
  }
  if (!already_there) {
    // Appending after a torn tail would shift every later record; the tail is no record.
    bytes.resize(whole * kRecordSize);
    const RecordBytes added = EncodeRecord(record);
    bytes.insert(bytes.end(), added.begin(), added.end());
    if (!TryReplaceCatalog(catalogs_folder, path, bytes)) return false;
  }
  if (!note_lines.empty()) output::WriteNoteLines(output::NotePathFor(record.path), note_lines);
  return true;
}

bool RemoveCatalogRecord(const std::string& catalogs_folder, const std::string& image_path,
                         const std::string& catalog_file_name) {
  const std::string path = JoinPath(catalogs_folder, catalog_file_name);
  const auto bytes = TryReadCatalog(path);
  if (!bytes || bytes->empty()) return false;
  const std::size_t whole = WholeRecordCount(bytes->size());
  const std::string_view removed = CutToField(image_path);
  Bytes kept;
  kept.reserve(whole * kRecordSize);
  for (std::size_t i = 0; i < whole; ++i) {
    const auto rec = RecordAt(*bytes, i);
    if (RecordPath(rec) != removed) kept.insert(kept.end(), rec.begin(), rec.end());
  }
  if (kept.size() == whole * kRecordSize) return false;
  return TryReplaceCatalog(catalogs_folder, path, kept);
}

std::string FindCatalogOf(const std::string& catalogs_folder, const std::string& path) {
  for (const auto& file_name : ListCatalogFiles(catalogs_folder))
    if (CatalogHolds(JoinPath(catalogs_folder, file_name), path)) return file_name;
  return {};
}

bool IsInAnyCatalog(const std::string& catalogs_folder, const std::string& path) {
  return !FindCatalogOf(catalogs_folder, path).empty();
}

std::size_t CountCatalogRecords(const std::string& catalogs_folder, const std::string& name) {
  const auto bytes = TryReadCatalog(JoinPath(catalogs_folder, CatalogFileName(name)));
  if (!bytes) return 0;
  const std::size_t whole = WholeRecordCount(bytes->size());
  for (std::size_t i = 0; i < whole; ++i)
    if (RecordPath(RecordAt(*bytes, i)).empty()) return 0;
  return whole;
}

std::vector<std::string> ListCatalogs(const std::string& catalogs_folder) {
  std::vector<std::string> names;
  for (const auto& file_name : ListCatalogFiles(catalogs_folder)) names.push_back(CatalogNameOf(file_name));
  return names;
}

bool IsInOpenCatalog(const std::string& catalogs_folder, const OpenCatalog& catalog, const std::string& path) {
  return catalog.open && CatalogHolds(JoinPath(catalogs_folder, CatalogFileName(catalog.name)), path);
}

LoadedCatalog LoadOpenCatalog(const std::string& catalogs_folder, const std::string& name,
                              const std::function<bool(const std::string& path)>& in_session) {
  LoadedCatalog loaded;
  const std::string file_name = CatalogFileName(name);
  const auto bytes = TryReadCatalog(JoinPath(catalogs_folder, file_name));
  if (!bytes) return loaded;
  std::vector<std::string> missing;
  const std::size_t whole = WholeRecordCount(bytes->size());
  for (std::size_t i = 0; i < whole; ++i) {
    ++loaded.record_count;
    CatalogRecord record = DecodeRecord(RecordAt(*bytes, i));
    if (record.path.empty()) break;
    const auto& p = record.path;
    bool skip = in_session(p);
    for (const auto& e : loaded.entries) skip = skip || EqualsIgnoreCase(e.path, p);
    if (skip) continue;
    if (FileExists(p))
      loaded.entries.push_back(std::move(record));
    else
      missing.push_back(p);
  }
  for (const auto& p : missing) {
    RemoveCatalogRecord(catalogs_folder, p, file_name);
    --loaded.record_count;
  }
  return loaded;
}

std::string NoImagesInCatalogMessage(std::string_view name) {
  return "There are no images in the catalog " + std::string(name) + ".";
}

std::vector<std::size_t> SessionIndexesInOpenCatalog(const std::string& catalogs_folder, const OpenCatalog& catalog,
                                                     const std::vector<std::string>& session_paths) {
  std::vector<std::size_t> held;
  if (!catalog.open) return held;
  const auto bytes = TryReadCatalog(JoinPath(catalogs_folder, CatalogFileName(catalog.name)));
  if (!bytes) return held;
  for (std::size_t i = 0; i < session_paths.size(); ++i)
    if (HoldsPathIgnoringCase(*bytes, session_paths[i])) held.push_back(i);
  return held;
}

}  // namespace ocelot::catalog
