// Session: the session images, the current image and their notices.
#include "session/session.h"

#include <algorithm>
#include <array>

#include "common/text.h"

namespace ocelot::session {

template <typename F>
void Session::Notify(F&& notice) {
  // A copy: an observer may leave while it is told.
  const auto observers = observers_;
  for (SessionObserver* o : observers) notice(*o);
}

void Session::AddObserver(SessionObserver* observer) {
  if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void Session::RemoveObserver(SessionObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void Session::Append(SessionImage image) {
  images_.push_back(std::move(image));
  const std::size_t index = images_.size() - 1;
  Notify([index](SessionObserver& o) { o.EntryAdded(index); });
}

void Session::RemoveAt(std::size_t index) {
  if (index >= images_.size()) return;
  images_.erase(images_.begin() + static_cast<std::ptrdiff_t>(index));
  Notify([index](SessionObserver& o) { o.EntryRemoved(index); });
}

void Session::Rename(std::size_t index, const std::string& path) {
  if (index >= images_.size()) return;
  images_[index].path = path;
  images_[index].name = FileNameOf(path);
  Notify([index](SessionObserver& o) { o.EntryRenamed(index); });
}

void Session::SetMark(std::size_t index, SessionMark mark) {
  if (index >= images_.size()) return;
  images_[index].mark = mark;
  Notify([index](SessionObserver& o) { o.EntryMarked(index); });
}

std::vector<std::string> Session::Paths() const {
  std::vector<std::string> paths;
  paths.reserve(images_.size());
  for (const auto& img : images_) paths.push_back(img.path);
  return paths;
}

std::optional<std::size_t> Session::IndexOfPath(std::string_view path) const {
  for (std::size_t i = 0; i < images_.size(); ++i)
    if (EqualsIgnoreCase(images_[i].path, path)) return i;
  return std::nullopt;
}

bool Session::AnyPathContains(std::string_view folder) const {
  const std::string needle = ToLower(folder);
  return std::any_of(images_.begin(), images_.end(),
                     [&](const SessionImage& img) { return ToLower(img.path).find(needle) != std::string::npos; });
}

bool Session::AnyWebAddress() const {
  return std::any_of(images_.begin(), images_.end(), [](const SessionImage& img) { return !img.url.empty(); });
}

void Session::SetCurrent(imaging::Image image) {
  current_ = std::move(image);
  Notify([](SessionObserver& o) { o.CurrentImageChanged(); });
}

void Session::RestoreBackup() {
  SetCurrent(std::exchange(backup_, imaging::Image()));
}

void Session::SetStatusText(std::string text) {
  status_text_ = std::move(text);
  Notify([](SessionObserver& o) { o.StatusTextChanged(); });
}

void Session::OpenCatalogNamed(std::string name) {
  catalog_.Open(std::move(name));
  Notify([](SessionObserver& o) { o.CatalogChanged(); });
}

void Session::CloseCatalog() {
  catalog_.Close();
  Notify([](SessionObserver& o) { o.CatalogChanged(); });
}

std::string FileNameOf(std::string_view path) {
  const auto slash = path.find_last_of('\\');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool IsRecoverableImageName(std::string_view lower_name) {
  static constexpr std::array<std::string_view, 7> kExtensions = {".gif", ".bmp", ".pcx", ".tga",
                                                                  ".png", ".jpg", ".tif"};
  const auto dot = lower_name.rfind('.');
  if (dot == std::string_view::npos) return false;
  const auto ext = lower_name.substr(dot);
  return std::find(kExtensions.begin(), kExtensions.end(), ext) != kExtensions.end();
}

}  // namespace ocelot::session
