// Showing image files in the session's view.
#include "output/show_image.h"

#include "common/file_io.h"
#include "imaging/codec.h"
#include "output/image_formats.h"

namespace ocelot::output {

ShowResult ShowImageFile(session::Session& session, const std::string& path) {
  if (!FileExists(path)) return ShowResult::Missing;
  imaging::Image image;
  try {
    image = imaging::ReadImageFile(path);
  } catch (const Error& e) {
    session.ClearBackup();
    session.ClearCurrent();
    session.SetStatusText(UnreadableImageText(path, e));
    return ShowResult::Unreadable;
  }
  session.ClearBackup();
  session.SetCurrent(std::move(image));
  ShowImageInfo(session, path);
  return ShowResult::Shown;
}

void ShowImageInfo(session::Session& session, const std::string& path) {
  const auto& img = session.Current();
  session.SetStatusText(ImageInfoText(path, img.Width(), img.Height(), img.Format()));
}

std::string UnreadableImageText(const std::string& path, const Error& error) {
  if (error.Kind() == ErrorKind::Limit) {
    std::string text = path + " is too large to open";
    if (const auto& size = error.Dimensions())
      // "\xD7" is the multiplication sign of the ANSI code page.
      text += " (" + std::to_string(size->width) + " \xD7 " + std::to_string(size->height) + " pixels)";
    return text;
  }
  if (error.Kind() == ErrorKind::InputOutput) return path + " cannot be read: " + error.Detail();
  return path + " is not an image Ocelot can read";
}

}  // namespace ocelot::output
