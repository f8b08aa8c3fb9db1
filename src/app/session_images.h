// SessionImages: the session's images as one list whose entries keep the displayed
// name, the full path and the web address together, so they never fall out of step.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ocelot::app {

// What the list's glyph shows: written outside the working folder, or held by a catalog.
enum class SessionMark { None, Disk, Catalog };

struct SessionImage {
  std::string name;  // the list line
  std::string path;  // full path of the file
  std::string url;   // web address of the capture, or ""
  SessionMark mark = SessionMark::None;
};

class SessionImages {
 public:
  void Append(SessionImage image) { images_.push_back(std::move(image)); }
  void RemoveAt(std::size_t index);
  void Clear() { images_.clear(); }

  std::size_t Size() const { return images_.size(); }
  bool Empty() const { return images_.empty(); }
  const SessionImage& At(std::size_t index) const { return images_.at(index); }
  SessionImage& At(std::size_t index) { return images_.at(index); }

  // True when any path, lower-cased, contains the lower-cased folder: the session still
  // holds images that live only in the working folder.
  bool AnyPathContains(std::string_view folder) const;

 private:
  std::vector<SessionImage> images_;
};

// The extensions whose files in the working folder are the images of a run that was
// killed: ".gif", ".bmp", ".pcx", ".tga", ".png", ".jpg", ".tif" (lower-cased name).
bool IsRecoverableImageName(std::string_view lower_name);

}  // namespace ocelot::app
