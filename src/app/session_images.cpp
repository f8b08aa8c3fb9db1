// SessionImages and the recovery rule.
#include "app/session_images.h"

#include <array>

#include "common/text.h"

namespace ocelot::app {

void SessionImages::RemoveAt(std::size_t index) {
  if (index < images_.size()) images_.erase(images_.begin() + static_cast<std::ptrdiff_t>(index));
}

bool SessionImages::AnyPathContains(std::string_view folder) const {
  const std::string needle = ToLower(folder);
  for (const auto& img : images_)
    if (ToLower(img.path).find(needle) != std::string::npos) return true;
  return false;
}

bool IsRecoverableImageName(std::string_view lower_name) {
  static constexpr std::array<std::string_view, 7> kExtensions = {".gif", ".bmp", ".pcx", ".tga",
                                                                  ".png", ".jpg", ".tif"};
  const auto dot = lower_name.rfind('.');
  if (dot == std::string_view::npos) return false;
  const auto ext = lower_name.substr(dot);
  for (auto e : kExtensions)
    if (ext == e) return true;
  return false;
}

}  // namespace ocelot::app
