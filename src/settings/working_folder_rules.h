// The portable rules of the working folder: the user-name token, the default folder,
// and which of its files are settings that the session clean-up keeps.
#pragma once

#include <string>
#include <string_view>

namespace ocelot::settings {

inline constexpr char kIniFileName[] = "OCL.INI";
inline constexpr char kWorkingPathSection[] = "WORKINGPATH";
inline constexpr char kWorkingPathKey[] = "PATH";
inline constexpr char kCatalogsFolderName[] = "Catalogs";

// Replaces the first "%username%" (any letter case) with user_name; an empty path or
// one without the token is returned unchanged.
std::string ReplaceUserNameToken(std::string_view path, std::string_view user_name);

// "OCL.INI" in the documents folder; with no documents folder, the root of the current
// drive ("\OCL.INI").
std::string IniPathIn(std::string_view documents_folder);

// The folder used when "PATH" is empty: "Ocelot" in the documents folder.
std::string DefaultWorkingFolder(std::string_view documents_folder);

// Settings files that the exit clean-up never deletes (name compared case-insensitively).
bool IsKeptByCleanup(std::string_view file_name);
// The same list as the unsaved-images test sees it ("maillog" in place of "email.ini").
bool IsKeptForUnsavedTest(std::string_view file_name);

// Attribute value of a plain file: folder scans count only entries with exactly this.
inline constexpr unsigned kPlainArchiveAttribute = 0x20;

}  // namespace ocelot::settings
