// The rules of Save As and Quick Save that need no window: the dialog's file types, the
// extension rules, the reserved folders, the overwritten session entries, the catalog
// messages, and the small files "jpeg.cfg" and "lastsave.dat".
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/setting_enums.h"

namespace ocelot::output {

// The Save As dialog's seven file types, 1 to 7 in the order of the image formats.
inline constexpr int kSaveTypeCount = settings::kImageFormatCount;
int SaveTypeOf(settings::ImageFormat format);
// The format of type 1 to 7; nothing for any other number.
std::optional<settings::ImageFormat> ImageFormatOfSaveType(int type);
// "Bitmap (*.bmp)|*.bmp|...|TIFF (*.tif)|*.tif".
const std::string& SaveDialogFilter();
// The same with NUL separators and a closing double NUL, as the file dialog reads it.
std::string SaveDialogFilterForDialog();
// ".bmp", ".gif", ".jpg", ".pcx", ".png", ".tga", ".tif" for 1 to 7; "" otherwise.
const char* SaveTypeExtension(int type);
// The type (1-7) of a file name's or path's extension in lower case; 0 for any other.
int SaveTypeOfPath(std::string_view path);
// The name with its extension replaced by the type's (added when it has none).
std::string WithTypeExtension(std::string_view file_name, int type);

// The part of a path after its folder (either separator).
std::string_view FileNameOfPath(std::string_view path);
// The folder of a path, without the separator; "" when it has none.
std::string_view FolderOfPath(std::string_view path);
// The file name's extension from its last ".", lower-cased; "" when it has none. A lone
// trailing "." counts as none: the file system would store the name without it.
std::string LowerExtension(std::string_view path);

// How Save As writes a chosen path.
enum class SaveWriter { MissingExtension, Gif, Jpeg, ByExtension, UnknownExtension };
SaveWriter WriterForSavePath(std::string_view path);

inline constexpr char kSelectImageNameMessage[] = "Please select an image name.";
inline constexpr char kQuickSaveSelectMessage[] = "Please select an image name";
inline constexpr char kMissingExtensionMessage[] =
    "Please enter the proper image extension (.bmp, .gif, .jpg, .pcx, .png, .tga,or .tif).";
inline constexpr char kValidFormatsMessage[] = "Valid formats are:\rBMP, GIF, JPG, PCX, PNG, TGA, and TIF";
inline constexpr char kReservedFolderMessage[] =
    "This folder is reserved for program or temporary files only. Please select another folder.";
inline constexpr char kCatalogWriteErrorMessage[] = "Error in writing to catalog";

// The program's folders that no save may go into, in long and short (8.3) form. A short
// form that the system could not give is "" and is not checked.
struct ReservedFolders {
  std::string program_folder;
  std::string program_folder_short;
  std::string working_folder;
  std::string working_folder_short;
};

// Whether Save As refuses the chosen full file name (chosen_short: the same in short form,
// or ""): it lies in the program folder or the working folder, or below them. Compared in
// lower case; each folder is taken with a trailing backslash, so a sibling such as
// "...\Ocelot Pictures" beside the working folder "...\Ocelot" stays allowed.
bool IsReservedSaveTarget(const ReservedFolders& reserved, std::string_view chosen, std::string_view chosen_short);
// Whether Quick Save refuses the chosen folder: it holds "ocelot.exe", or it is the working
// folder or lies below it.
bool IsReservedQuickSaveFolder(std::string_view chosen_folder, std::string_view working_folder,
                               bool holds_program_file);

// The folder without trailing backslashes ("C:\" gives "C:").
std::string_view WithoutTrailingSeparator(std::string_view folder);
// Folders compared ignoring case and a trailing backslash.
bool SameFolder(std::string_view a, std::string_view b);

// The other session entry whose file a save of entry `saved` to `chosen` overwrites: the
// first entry other than `saved` with that path, when `chosen` is not the entry's own path
// (both ignoring case).
std::optional<std::size_t> EntryOverwrittenBySave(const std::vector<std::string>& session_paths, std::size_t saved,
                                                  std::string_view chosen);
// The indexes to remove one after the other: each once, highest first, so none shifts.
std::vector<std::size_t> RemovalOrder(std::vector<std::size_t> indexes);

// The message when the chosen path is already held by a catalog: form A "<file> is already
// in catalog <name>." or form B "<file> is already in the <name> catalog.", then a line
// break and "Please save using a different file name.".
enum class CatalogMessageForm { A, B };
std::string CatalogHeldMessage(CatalogMessageForm form, std::string_view file_name, std::string_view catalog_name);
struct CatalogCheckMessage {
  std::string text;
  bool error_icon = false;  // else no icon
  bool over_viewer = false;
};
// Which form and icon the check uses: from the main window form A without an icon, over
// the thumbnails viewer form B with the error icon; in catalog mode form B for the open
// catalog, A for any other, both with the error icon.
CatalogCheckMessage CatalogCheck(bool catalog_mode, bool viewer_open, std::string_view file_name,
                                 std::string_view holding_catalog, std::string_view open_catalog_name,
                                 bool catalog_open);
// "<file> is linked to a URL and is being recorded in <catalog>.\rWould you like to add a note?"
std::string NoteQuestion(std::string_view file_name, std::string_view catalog_name);

// "jpeg.cfg": the JPEG quality (0-100) and progressive flag of saves and batch conversion.
inline constexpr char kJpegConfigFileName[] = "jpeg.cfg";
// The compression dialog's preview file in the working folder.
inline constexpr char kJpegPreviewFileName[] = "del1.jpg";
struct JpegSettings {
  int quality = 100;
  bool progressive = false;
  bool operator==(const JpegSettings&) const = default;
};
// Line 1 the quality, line 2 "1" for progressive. A quality that is not a decimal number
// from 0 to 100 gives the defaults (100, baseline) whatever line 2 says.
JpegSettings ParseJpegConfig(std::string_view text);
// The two lines, each ended by CR LF.
std::string FormatJpegConfig(const JpegSettings& settings);
// The working folder's "jpeg.cfg"; the defaults when it is missing or unreadable.
JpegSettings ReadJpegConfig(const std::string& working_folder);
// Creates or replaces it; throws Error.
void WriteJpegConfig(const std::string& working_folder, const JpegSettings& settings);

// The compression dialog's track bar: positions 0 to 10, quality 100 - 10 x position.
inline constexpr int kCompressionPositions = 10;
int QualityOfPosition(int position);
// (100 - quality) / 10, truncated, kept within 0 to 10.
int PositionOfQuality(int quality);

// "lastsave.dat": the folder last chosen for Quick Save, one line.
inline constexpr char kLastSaveFileName[] = "lastsave.dat";
// Its first line; nothing when the file is missing, unreadable or its first line empty.
std::optional<std::string> ReadLastSaveFolder(const std::string& working_folder);
// Replaces it with the folder as one CR LF line; throws Error.
void WriteLastSaveFolder(const std::string& working_folder, const std::string& folder);
// The folder browser's title: "Save Selected Images To " + start folder.
std::string QuickSaveTitle(std::string_view start_folder);

}  // namespace ocelot::output
