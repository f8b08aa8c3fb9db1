// Note files: the text file beside an image that holds the note recorded with it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ocelot::output {

// base + e + ".txt": base is the name up to its first ".", e the first three characters
// after its last "." (fewer when the extension is shorter, none without a dot).
// "pic1.bmp" gives "pic1bmp.txt", "my.shot.png" gives "mypng.txt".
std::string NoteFileName(std::string_view image_file_name);

// The note file of an image, in the image's folder.
std::string NotePathFor(std::string_view image_path);

// Creates or replaces the note file with the lines, each ended by CR LF. Throws Error.
void WriteNoteLines(const std::string& note_path, const std::vector<std::string>& lines);

}  // namespace ocelot::output
