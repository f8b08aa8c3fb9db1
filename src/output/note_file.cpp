// The note file name rule and its writer.
#include "output/note_file.h"

#include <cstdint>

#include "common/file_io.h"
#include "common/text.h"

namespace ocelot::output {

std::string NoteFileName(std::string_view image_file_name) {
  const auto first_dot = image_file_name.find('.');
  if (first_dot == std::string_view::npos) return std::string(image_file_name) + ".txt";
  const auto last_dot = image_file_name.rfind('.');
  std::string name(image_file_name.substr(0, first_dot));
  name += image_file_name.substr(last_dot + 1, 3);
  return name + ".txt";
}

std::string NotePathFor(std::string_view image_path) {
  // Windows paths; the test host also builds them with "/".
  const auto slash = image_path.find_last_of("\\/");
  if (slash == std::string_view::npos) return NoteFileName(image_path);
  return std::string(image_path.substr(0, slash + 1)) + NoteFileName(image_path.substr(slash + 1));
}

void WriteNoteLines(const std::string& note_path, const std::vector<std::string>& lines) {
  const std::string text = JoinLines(lines);
  WriteFileBytes(note_path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace ocelot::output
