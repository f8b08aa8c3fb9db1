// Session: the images of this run and the program's current image, as a model that the
// windows display and the commands change. It tells its observers what changed, so the
// list, the status bar and the view redraw from its notices, never from each other.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "imaging/image.h"
#include "session/open_catalog.h"

namespace ocelot::session {

// What the list's glyph shows: written outside the working folder, or held by a catalog.
enum class SessionMark { None, Disk, Catalog };

// One session image: the list line (file name), the full path, the web address of its
// capture ("" when none) and the mark, always together.
struct SessionImage {
  std::string name;
  std::string path;
  std::string url;
  SessionMark mark = SessionMark::None;
};

// Notices of a change; every notice arrives after the change is made.
class SessionObserver {
 public:
  virtual ~SessionObserver() = default;
  virtual void EntryAdded(std::size_t /*index*/) {}
  virtual void EntryRemoved(std::size_t /*index*/) {}
  virtual void EntryRenamed(std::size_t /*index*/) {}
  virtual void EntryMarked(std::size_t /*index*/) {}
  virtual void CurrentImageChanged() {}
  virtual void StatusTextChanged() {}
  virtual void CatalogChanged() {}
};

class Session {
 public:
  Session() = default;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void AddObserver(SessionObserver* observer);  // not owned
  void RemoveObserver(SessionObserver* observer);

  // The session images.
  void Append(SessionImage image);
  void RemoveAt(std::size_t index);  // an index past the end changes nothing
  // The entry now refers to the path; its line shows the path's file name.
  void Rename(std::size_t index, const std::string& path);
  void SetMark(std::size_t index, SessionMark mark);

  std::size_t Size() const { return images_.size(); }
  bool Empty() const { return images_.empty(); }
  const SessionImage& At(std::size_t index) const { return images_.at(index); }
  const std::vector<SessionImage>& Images() const { return images_; }
  std::vector<std::string> Paths() const;
  // The first entry whose path equals this one, compared without letter case.
  std::optional<std::size_t> IndexOfPath(std::string_view path) const;
  // True when any path, lower-cased, contains the lower-cased folder: the session still
  // holds images that live only in the working folder.
  bool AnyPathContains(std::string_view folder) const;
  bool AnyWebAddress() const;

  // The current image (what the main window's view shows) and its backup across a colour
  // change ("View 100%" puts the backup back).
  const imaging::Image& Current() const { return current_; }
  void SetCurrent(imaging::Image image);
  void ClearCurrent() { SetCurrent(imaging::Image()); }
  const imaging::Image& Backup() const { return backup_; }
  void SetBackup(imaging::Image image) { backup_ = std::move(image); }
  void ClearBackup() { backup_ = imaging::Image(); }
  // Puts the backup back as the current image and empties it.
  void RestoreBackup();

  // The info text about the current image (the status bar's left part).
  const std::string& StatusText() const { return status_text_; }
  void SetStatusText(std::string text);

  // The web address of the capture being made; attached to the next image and cleared.
  const std::string& CaptureUrl() const { return capture_url_; }
  void SetCaptureUrl(std::string url) { capture_url_ = std::move(url); }
  std::string TakeCaptureUrl() { return std::exchange(capture_url_, std::string()); }

  // The catalog whose images are in the list, and where "Save to catalog" records.
  const OpenCatalog& Catalog() const { return catalog_; }
  void OpenCatalogNamed(std::string name);
  void CloseCatalog();
  const std::string& TargetCatalog() const { return target_catalog_; }
  void SetTargetCatalog(std::string name) { target_catalog_ = std::move(name); }

  // Set while the thumbnails viewer shows the session; captures are refused meanwhile.
  bool ViewerOpen() const { return viewer_open_; }
  void SetViewerOpen(bool open) { viewer_open_ = open; }

 private:
  template <typename F>
  void Notify(F&& notice);

  std::vector<SessionImage> images_;
  imaging::Image current_;
  imaging::Image backup_;
  std::string status_text_;
  std::string capture_url_;
  OpenCatalog catalog_;
  std::string target_catalog_;
  bool viewer_open_ = false;
  std::vector<SessionObserver*> observers_;  // not owned
};

// The file name of a path (after its last backslash).
std::string FileNameOf(std::string_view path);

// The extensions whose files in the working folder are the images of a run that was
// killed: ".gif", ".bmp", ".pcx", ".tga", ".png", ".jpg", ".tif" (lower-cased name).
bool IsRecoverableImageName(std::string_view lower_name);

}  // namespace ocelot::session
