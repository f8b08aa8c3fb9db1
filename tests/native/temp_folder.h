// TempFolder: a fresh, empty folder for one test, removed with everything in it after.
#pragma once

#include <string>

namespace ocelot {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The folder as the program names folders (Windows separators on Windows).
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace ocelot
