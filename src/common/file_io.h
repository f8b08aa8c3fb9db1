// Whole-file reads and writes on ANSI paths, with one implementation per platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ocelot {

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

// Up to max_bytes from the start of the file; throws Error when it cannot be opened.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::size_t max_bytes = SIZE_MAX);

// Replaces the file's content without ever leaving it torn or empty: the bytes go to
// temp_path (same folder), are flushed, and only then renamed over path. On failure the
// old file is untouched, the temporary file removed, and Error thrown.
void ReplaceFileContents(const std::string& path, const std::string& temp_path, std::span<const std::uint8_t> bytes);

// Create-or-truncate and write, for the small text files whose loss costs nothing.
void WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes);

// Deletes the file; true when it is gone afterwards.
bool RemoveFile(const std::string& path);

// Creates the folder and any missing parents; true when it exists afterwards.
bool CreateFolders(const std::string& path);
// Creates one folder level; true when it exists afterwards.
bool CreateFolder(const std::string& path);

}  // namespace ocelot
