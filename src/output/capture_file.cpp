// Writing captures as session files.
#include "output/capture_file.h"

#include "imaging/codec.h"
#include "imaging/convert.h"
#include "output/image_formats.h"

namespace ocelot::output {

std::string WriteCaptureFile(session::Session& session, const std::string& working_folder, settings::ImageFormat format,
                             const std::string& path, bool add_to_list, long long screen_colours) {
  const std::string target = path.empty() ? NextPicName(working_folder, format) : path;
  switch (Describe(format).colour_handling) {
    case ColourHandling::GifPalette:
      session.SetCurrent(imaging::ToGifPalette(session.Current()));
      break;
    case ColourHandling::TrueColour:
      if (session.Current().Format() != imaging::PixelFormat::TrueColour)
        session.SetCurrent(imaging::ToTrueColour(session.Current()));
      break;
    case ColourHandling::ReduceColours:
      if (const auto reduced = ColourReductionForSave(format, screen_colours)) {
        session.SetBackup(session.Current());
        session.SetCurrent(imaging::ConvertToFormat(session.Current(), *reduced));
      }
      break;
  }
  // Captures are always written at JPEG quality 100, baseline.
  imaging::WriteImageFile(target, session.Current(), imaging::WriteOptions{100, false});
  if (add_to_list) session.Append({session::FileNameOf(target), target, session.TakeCaptureUrl(), session::SessionMark::None});
  return target;
}

}  // namespace ocelot::output
