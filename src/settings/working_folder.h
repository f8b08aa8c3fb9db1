// The working folder and "OCL.INI": where Ocelot keeps its data (Windows side).
#pragma once

#include <string>

namespace ocelot::settings {

// The user's documents folder as the shell reports it; "" when it reports none.
std::string GetDocumentsFolder();
// "OCL.INI" in the documents folder.
std::string IniPath();
// The path with "%username%" replaced by the log-on name (GetUserName).
std::string ExpandUserName(const std::string& path);

// Start-up: reads "WORKINGPATH"/"PATH", expands the user name, creates the folder with
// its parents; when the key is empty uses "Ocelot" in the documents folder and writes
// that back. Sets and returns the process-wide working folder.
std::string FindWorkingFolder();

// The working folder of a start: the folder OCL.INI names when it can be used; otherwise
// the default folder (documents folder + "\Ocelot") for this run only, OCL.INI left as it
// is. Sets the process-wide working folder to the one chosen.
struct WorkingFolderStart {
  std::string folder;              // the folder this run uses; "" when none can be used
  std::string configured;          // the folder OCL.INI names
  std::string configured_problem;  // why that folder cannot be used ("" when it can)
  std::string fallback;            // the default folder, when it had to be tried
  std::string problem;             // why not even the default can be used ("" when it can)
};
WorkingFolderStart StartWorkingFolder();

// The process-wide working folder (no trailing backslash).
const std::string& WorkingFolder();
void SetWorkingFolder(const std::string& folder);

// The process-wide current save folder: the start folder of save dialogs and pickers,
// loaded from DefaultSaveFolder and moved by every Save As.
const std::string& CurrentSaveFolder();
void SetCurrentSaveFolder(const std::string& folder);

// Profile-string access to "OCL.INI".
std::string ReadIniString(const std::string& section, const std::string& key, const std::string& fallback);
void WriteIniString(const std::string& section, const std::string& key, const std::string& value);

}  // namespace ocelot::settings
