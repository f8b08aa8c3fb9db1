// The portable rules of the working folder.
#include "settings/working_folder_rules.h"

#include <algorithm>
#include <array>

#include "common/text.h"

namespace ocelot::settings {

namespace {
constexpr std::string_view kToken = "%username%";

constexpr std::array<std::string_view, 18> kKeptSettingsFiles = {
    "ocelot.cfg", "jpeg.cfg", "defmail.dat", "nosplash.dat", "iconpw.dat", "pw.dat",
    "show1.dat", "lastsave.dat", "zoommode.dat", "repeat.dat", "thumbview.dat", "smtp.dat",
    "editor.dat", "mapi.dat", "printersetup.cfg", "smtpselect.dat", "quality.dat", "dospath.dat"};

bool InKeptList(std::string_view file_name, std::string_view extra) {
  const std::string lower = ToLower(file_name);
  return lower == extra ||
         std::find(kKeptSettingsFiles.begin(), kKeptSettingsFiles.end(), lower) != kKeptSettingsFiles.end();
}
}  // namespace

std::string ReplaceUserNameToken(std::string_view path, std::string_view user_name) {
  std::string out(path);
  const auto pos = ToLower(path).find(kToken);
  if (path.empty() || pos == std::string::npos) return out;
  out.replace(pos, kToken.size(), user_name);
  return out;
}

std::string IniPathIn(std::string_view documents_folder) { return JoinPath(documents_folder, kIniFileName); }

std::string DefaultWorkingFolder(std::string_view documents_folder) { return JoinPath(documents_folder, "Ocelot"); }

bool IsKeptByCleanup(std::string_view file_name) { return InKeptList(file_name, "email.ini"); }

bool IsKeptForUnsavedTest(std::string_view file_name) { return InKeptList(file_name, "maillog"); }

}  // namespace ocelot::settings
