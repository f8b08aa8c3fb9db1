// The window-free rules of Save As and Quick Save.
#include "output/save_rules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <cstdint>
#include <span>

#include "common/error.h"
#include "common/file_io.h"
#include "common/text.h"
#include "output/image_formats.h"

namespace ocelot::output {

namespace {

std::string WithTrailingSeparator(std::string_view folder) {
  std::string s(WithoutTrailingSeparator(folder));
  s += '\\';
  return s;
}

// Whether the lower-cased text contains the lower-cased folder (taken with a trailing
// backslash); an empty folder, one the system could not name, matches nothing.
bool ContainsFolder(std::string_view text, std::string_view folder) {
  if (text.empty() || WithoutTrailingSeparator(folder).empty()) return false;
  return ToLower(text).find(ToLower(WithTrailingSeparator(folder))) != std::string::npos;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::span<const std::uint8_t> Bytes(const std::string& s) {
  return std::span(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

std::optional<std::string> FirstLineOf(const std::string& path) {
  if (!FileExists(path)) return std::nullopt;
  try {
    const auto bytes = ReadFileBytes(path);
    const auto lines = SplitLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (lines.empty()) return std::string();
    return lines.front();
  } catch (const Error&) {
    return std::nullopt;
  }
}

}  // namespace

const std::string& SaveDialogFilter() {
  static const std::string filter = [] {
    std::string f;
    for (const auto& format : ImageFormats()) {
      const std::string& ext = LowerExtensionOf(format.format);
      if (!f.empty()) f += '|';
      f += std::string(format.save_type_name) + " (*" + ext + ")|*" + ext;
    }
    return f;
  }();
  return filter;
}

std::string SaveDialogFilterForDialog() {
  std::string s = SaveDialogFilter();
  std::replace(s.begin(), s.end(), '|', '\0');
  s.push_back('\0');
  s.push_back('\0');
  return s;
}

int SaveTypeOf(settings::ImageFormat format) { return settings::StoredValue(format) + 1; }

std::optional<settings::ImageFormat> ImageFormatOfSaveType(int type) { return settings::ImageFormatOf(type - 1); }

const char* SaveTypeExtension(int type) {
  const auto format = ImageFormatOfSaveType(type);
  return format ? LowerExtensionOf(*format).c_str() : "";
}

int SaveTypeOfPath(std::string_view path) {
  const auto format = ImageFormatOfExtension(LowerExtension(path));
  return format ? SaveTypeOf(*format) : 0;
}

std::string WithTypeExtension(std::string_view file_name, int type) {
  const std::string_view name = FileNameOfPath(file_name);
  const auto dot = name.rfind('.');
  const std::size_t keep = file_name.size() - name.size() + (dot == std::string_view::npos ? name.size() : dot);
  return std::string(file_name.substr(0, keep)) + SaveTypeExtension(type);
}

std::string_view FileNameOfPath(std::string_view path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view FolderOfPath(std::string_view path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

std::string LowerExtension(std::string_view path) {
  const std::string_view name = FileNameOfPath(path);
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos || dot + 1 == name.size()) return {};
  return ToLower(name.substr(dot));
}

SaveWriter WriterForSavePath(std::string_view path) {
  const std::string ext = LowerExtension(path);
  if (ext.empty()) return SaveWriter::MissingExtension;
  const auto format = ImageFormatOfExtension(ext);
  if (!format) return SaveWriter::UnknownExtension;
  switch (Describe(*format).colour_handling) {
    case ColourHandling::GifPalette: return SaveWriter::Gif;
    case ColourHandling::TrueColour: return SaveWriter::Jpeg;
    case ColourHandling::ReduceColours: break;
  }
  return SaveWriter::ByExtension;
}

bool IsReservedSaveTarget(const ReservedFolders& reserved, std::string_view chosen, std::string_view chosen_short) {
  return ContainsFolder(chosen, reserved.program_folder) || ContainsFolder(chosen_short, reserved.program_folder_short) ||
         ContainsFolder(chosen, reserved.working_folder) || ContainsFolder(chosen_short, reserved.working_folder_short);
}

bool IsReservedQuickSaveFolder(std::string_view chosen_folder, std::string_view working_folder,
                               bool holds_program_file) {
  return holds_program_file || ContainsFolder(WithTrailingSeparator(chosen_folder), working_folder);
}

std::string_view WithoutTrailingSeparator(std::string_view folder) {
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.remove_suffix(1);
  return folder;
}

bool SameFolder(std::string_view a, std::string_view b) {
  return EqualsIgnoreCase(WithoutTrailingSeparator(a), WithoutTrailingSeparator(b));
}

std::optional<std::size_t> EntryOverwrittenBySave(const std::vector<std::string>& session_paths, std::size_t saved,
                                                  std::string_view chosen) {
  if (saved < session_paths.size() && EqualsIgnoreCase(session_paths[saved], chosen)) return std::nullopt;
  for (std::size_t i = 0; i < session_paths.size(); ++i)
    if (i != saved && EqualsIgnoreCase(session_paths[i], chosen)) return i;
  return std::nullopt;
}

std::vector<std::size_t> RemovalOrder(std::vector<std::size_t> indexes) {
  std::sort(indexes.begin(), indexes.end(), std::greater<>());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  return indexes;
}

std::string CatalogHeldMessage(CatalogMessageForm form, std::string_view file_name, std::string_view catalog_name) {
  std::string s(file_name);
  s += form == CatalogMessageForm::A ? " is already in catalog " : " is already in the ";
  s += catalog_name;
  s += form == CatalogMessageForm::A ? "." : " catalog.";
  s += "\rPlease save using a different file name.";
  return s;
}

CatalogCheckMessage CatalogCheck(bool catalog_mode, bool viewer_open, std::string_view file_name,
                                 std::string_view holding_catalog, std::string_view open_catalog_name,
                                 bool catalog_open) {
  if (catalog_mode) {
    const bool open_one = catalog_open && EqualsIgnoreCase(holding_catalog, open_catalog_name);
    return {CatalogHeldMessage(open_one ? CatalogMessageForm::B : CatalogMessageForm::A, file_name, holding_catalog),
            true, false};
  }
  if (viewer_open) return {CatalogHeldMessage(CatalogMessageForm::B, file_name, holding_catalog), true, true};
  return {CatalogHeldMessage(CatalogMessageForm::A, file_name, holding_catalog), false, false};
}

std::string NoteQuestion(std::string_view file_name, std::string_view catalog_name) {
  return std::string(file_name) + " is linked to a URL and is being recorded in " + std::string(catalog_name) +
         ".\rWould you like to add a note?";
}

JpegSettings ParseJpegConfig(std::string_view text) {
  const auto lines = SplitLines(text);
  if (lines.empty()) return {};
  const std::string_view number = Trim(lines[0]);
  int quality = -1;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), quality);
  if (number.empty() || ec != std::errc() || end != number.data() + number.size() || quality < 0 || quality > 100)
    return {};
  return JpegSettings{quality, lines.size() > 1 && lines[1] == "1"};
}

std::string FormatJpegConfig(const JpegSettings& settings) {
  return JoinLines({std::to_string(settings.quality), settings.progressive ? "1" : "0"});
}

JpegSettings ReadJpegConfig(const std::string& working_folder) {
  const std::string path = JoinPath(working_folder, kJpegConfigFileName);
  if (!FileExists(path)) return {};
  try {
    const auto bytes = ReadFileBytes(path, 4096);
    return ParseJpegConfig(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const Error&) {
    return {};
  }
}

void WriteJpegConfig(const std::string& working_folder, const JpegSettings& settings) {
  WriteFileBytes(JoinPath(working_folder, kJpegConfigFileName), Bytes(FormatJpegConfig(settings)));
}

int QualityOfPosition(int position) {
  return 100 - 10 * std::clamp(position, 0, kCompressionPositions);
}

int PositionOfQuality(int quality) { return std::clamp((100 - quality) / 10, 0, kCompressionPositions); }

std::optional<std::string> ReadLastSaveFolder(const std::string& working_folder) {
  auto line = FirstLineOf(JoinPath(working_folder, kLastSaveFileName));
  if (line && line->empty()) return std::nullopt;
  return line;
}

void WriteLastSaveFolder(const std::string& working_folder, const std::string& folder) {
  WriteFileBytes(JoinPath(working_folder, kLastSaveFileName), Bytes(JoinLines({folder})));
}

std::string QuickSaveTitle(std::string_view start_folder) {
  return "Save Selected Images To " + std::string(start_folder);
}

}  // namespace ocelot::output
