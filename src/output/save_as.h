// The Save As command over the selected session images: the order of its steps, the
// catalog and folder checks, the session updates and the catalog records. The window that
// runs it supplies the dialogs, the view and the session list through SaveAsHost.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "imaging/image.h"
#include "output/save_rules.h"

namespace ocelot::output {

enum class SaveMark { Disk, Catalog };
enum class MessageIcon { None, Warning, Error };

class SaveAsHost {
 public:
  virtual ~SaveAsHost() = default;

  // The session list.
  virtual std::size_t EntryCount() const = 0;
  virtual std::vector<std::size_t> SelectedEntries() const = 0;  // in list order
  virtual std::string EntryPath(std::size_t i) const = 0;
  virtual std::string EntryUrl(std::size_t i) const = 0;
  virtual void AppendEntry(const std::string& path, const std::string& url, SaveMark mark) = 0;
  // The entry now refers to the path; its line shows the path's file name and the mark.
  virtual void ChangeEntry(std::size_t i, const std::string& path, SaveMark mark) = 0;
  virtual void RemoveEntry(std::size_t i) = 0;

  // The view.
  virtual imaging::Image ViewImage() const = 0;
  virtual void SetViewImage(imaging::Image image) = 0;
  virtual void ClearView() = 0;
  // Shows the entry's image in the view; false when its file cannot be read as an image.
  virtual bool ShowEntryImage(std::size_t i) = 0;

  // The save dialog with the text of its file-name box and the type to select (1-7; 0
  // keeps the previous one); the chosen path, or nothing on Cancel.
  virtual std::optional<std::string> ShowSaveDialog(const std::string& file_text, int type) = 0;
  // Writes the image to the path by the writer (GIF, JPEG with the compression dialog, or
  // by extension after the colour reduction), converting a copy; throws Error.
  virtual void WriteImage(const std::string& path, SaveWriter writer, const imaging::Image& image) = 0;
  // A file was written: it moves the current save folder and the dialog's start folder.
  virtual void FileWritten(const std::string& path) = 0;
  // The path in short (8.3) form, "" when the system cannot give it.
  virtual std::string ShortForm(const std::string& path) const = 0;

  virtual void Message(const std::string& text, const std::string& caption, MessageIcon icon,
                       bool over_viewer = false) = 0;
  // A Yes/No question with the question icon; true for Yes.
  virtual bool Ask(const std::string& text, const std::string& caption) = 0;
  // The new note dialog; the note lines it collected (empty when none).
  virtual std::vector<std::string> CollectNoteLines() = 0;
  virtual void RemoveFile(const std::string& path) = 0;

  // The catalogs on disk: the name of the first catalog holding the path ("" when none),
  // and adding a record (path, URL) with note lines; false when it cannot be written.
  virtual std::string CatalogHolding(const std::string& path) const = 0;
  virtual bool AddToCatalog(const std::string& catalog, const std::string& path, const std::string& url,
                            const std::vector<std::string>& note_lines) = 0;

  // The thumbnails viewer, while it is open.
  virtual bool ViewerOpen() const = 0;
  virtual void ViewerEntryDropped(std::size_t i) = 0;
  virtual void ViewerListGrown() = 0;
};

struct SaveAsContext {
  ReservedFolders reserved;
  std::string open_catalog;  // the catalog open in the session list
  bool catalog_open = false;
  // Catalog mode: every saved image is recorded in this catalog. Empty: plain Save As.
  std::string target_catalog;
  bool CatalogMode() const { return !target_catalog.empty(); }
};

enum class SaveAsEnd { Nothing, Finished, Refused };

// Runs Save As over the selected entries. Refused: a reserved folder ended the command at
// once (the view keeps the image of that entry).
SaveAsEnd RunSaveAs(SaveAsHost& host, const SaveAsContext& context);

}  // namespace ocelot::output
