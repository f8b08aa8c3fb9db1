// Writing captures as session files.
#include "output/capture_file.h"

#include "common/error.h"
#include "imaging/codec.h"
#include "imaging/convert.h"
#include "output/image_formats.h"

namespace ocelot::output {

std::string WriteCaptureFile(session::Session& session, const std::string& working_folder, int format_index,
                             const std::string& path, bool add_to_list, long long screen_colours) {
  if (format_index < 0 || format_index >= kImageFormatCount) throw Error("Unknown image format.");
  const std::string target =
      path.empty() ? NextPicName(working_folder, ImageFormats()[static_cast<std::size_t>(format_index)].extension)
                   : path;
  const auto type = static_cast<imaging::FileType>(format_index);
  if (type == imaging::FileType::Gif) {
    session.SetCurrent(imaging::ToGifPalette(session.Current()));
  } else if (type == imaging::FileType::Jpeg) {
    if (session.Current().Format() != imaging::PixelFormat::TrueColour)
      session.SetCurrent(imaging::ToTrueColour(session.Current()));
  } else if (const auto reduced = ColourReductionForSave(format_index, screen_colours)) {
    session.SetBackup(session.Current());
    session.SetCurrent(imaging::ConvertToFormat(session.Current(), *reduced));
  }
  // Captures are always written at JPEG quality 100, baseline.
  imaging::WriteImageFile(target, session.Current(), imaging::WriteOptions{100, false});
  if (add_to_list) session.Append({session::FileNameOf(target), target, session.TakeCaptureUrl(), session::SessionMark::None});
  return target;
}

}  // namespace ocelot::output
