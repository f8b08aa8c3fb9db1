// Catalog files: named lists of image paths and their source URLs that outlive the run,
// one ".alb" file of 512-byte records per catalog in the Catalogs folder. The operations
// take that folder explicitly; none of them depends on the session list.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalog_record.h"

namespace ocelot::catalog {

// Built beside a catalog while it is rewritten, then renamed over it.
inline constexpr char kTempCatalogFileName[] = "lynxtemp.alb";

// The Catalogs folder of a working folder.
std::string CatalogsFolderOf(std::string_view working_folder);
// A catalog's file name: name + ".alb".
std::string CatalogFileName(std::string_view name);
// A catalog's name: its file name up to the first ".".
std::string CatalogNameOf(std::string_view file_name);

// Lookups compare paths ignoring case, with the looked-up path cut to 255 characters as a
// record would hold it. A catalog that cannot be read counts as holding nothing and is
// left as it is.

// Adds the record unless a record before the first empty path holds exactly the same
// path (same case); creates the catalog when missing. The catalog is rebuilt beside itself
// and replaced only once complete, so a failure leaves it whole; a trailing piece shorter
// than a record is dropped. False when the catalog cannot be read or written (then no note
// is written), and when the record's path is empty: such a record would end every
// reader's scan. Non-empty note_lines then replace the image's note file, also when the
// path was already there; a note that cannot be written throws Error.
bool AddCatalogRecord(const std::string& catalogs_folder, const std::string& name, const CatalogRecord& record,
                      const std::vector<std::string>& note_lines);

// Drops every whole record whose path is exactly image_path (same case, cut to 255
// characters as a record holds it), keeping the others in order. True when the catalog
// was rewritten; false when it is missing, empty, unreadable, read-only, holds no such
// record, or the rewrite failed (it then stays whole).
bool RemoveCatalogRecord(const std::string& catalogs_folder, const std::string& image_path,
                         const std::string& catalog_file_name);

// The file name of the first catalog, in folder order, with a record for the path (every
// record is read; an empty path does not end the search); "" when none has one.
std::string FindCatalogOf(const std::string& catalogs_folder, const std::string& path);
bool IsInAnyCatalog(const std::string& catalogs_folder, const std::string& path);

// The number of whole records; 0 when one of them has an empty path, or when the catalog
// is missing or unreadable.
std::size_t CountCatalogRecords(const std::string& catalogs_folder, const std::string& name);

// The catalog names, in folder order.
std::vector<std::string> ListCatalogs(const std::string& catalogs_folder);

// The catalog whose images are in the session list, held by the main window for the run.
struct OpenCatalog {
  std::string name;
  bool open = false;

  void Open(std::string catalog_name) {
    name = std::move(catalog_name);
    open = true;
  }
  void Close() {
    name.clear();
    open = false;
  }
  // The status label's text: "Catalog: " + name while open, "" otherwise.
  std::string StatusText() const { return open ? "Catalog: " + name : std::string(); }
};

// Whether the open catalog has a record for the path (false when none is open).
bool IsInOpenCatalog(const std::string& catalogs_folder, const OpenCatalog& catalog, const std::string& path);

// What opening a catalog adds to the session.
struct LoadedCatalog {
  std::vector<CatalogRecord> entries;  // to append with the catalog glyph, in catalog order
  std::size_t record_count = 0;        // records read, less those whose file was missing
  bool IsEmpty() const { return record_count == 0; }
};

// Reads the catalog's whole records up to and including the first one with an empty path.
// A path already in the session (or earlier in entries) is skipped; a path whose file no
// longer exists is removed from the catalog. When the result IsEmpty the caller shows
// NoImagesInCatalogMessage.
LoadedCatalog LoadOpenCatalog(const std::string& catalogs_folder, const std::string& name,
                              const std::function<bool(const std::string& path)>& in_session);

std::string NoImagesInCatalogMessage(std::string_view name);

// For Close: the indexes, ascending, of the session paths the open catalog holds.
std::vector<std::size_t> SessionIndexesInOpenCatalog(const std::string& catalogs_folder, const OpenCatalog& catalog,
                                                     const std::vector<std::string>& session_paths);

}  // namespace ocelot::catalog
