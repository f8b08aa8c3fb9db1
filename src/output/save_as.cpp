// Save As: each selected image is offered in the save dialog until it is written or the
// user cancels it; the session list follows the files written.
#include "output/save_as.h"

#include "common/error.h"
#include "common/text.h"
#include "output/note_file.h"

namespace ocelot::output {

namespace {

std::string FileName(const std::string& path) { return std::string(FileNameOfPath(path)); }

class SaveAsRun {
 public:
  SaveAsRun(SaveAsHost& host, const SaveAsContext& context) : host_(host), context_(context) {}

  SaveAsEnd Run() {
    if (host_.EntryCount() == 0) return SaveAsEnd::Nothing;
    const auto selected = host_.SelectedEntries();
    if (selected.empty()) {
      host_.Message(kSelectImageNameMessage, "Error", MessageIcon::Warning);
      return SaveAsEnd::Nothing;
    }
    const imaging::Image kept = host_.ViewImage();
    for (const std::size_t i : selected)
      if (!SaveEntry(i)) return SaveAsEnd::Refused;
    for (const std::size_t i : RemovalOrder(to_drop_)) host_.RemoveEntry(i);
    DropRecordedEntries();
    host_.ClearView();
    if (!context_.CatalogMode()) host_.SetViewImage(kept);
    return SaveAsEnd::Finished;
  }

 private:
  // False when a reserved folder ends the whole command.
  bool SaveEntry(std::size_t i) {
    const std::string old_path = host_.EntryPath(i);
    if (!host_.ShowEntryImage(i)) {
      // Saving would write whatever the view still shows under this image's name.
      host_.Message(old_path + " cannot be read as an image.", "Error", MessageIcon::Error);
      return true;
    }
    // Every attempt writes this image as it was read, never one reduced for a refused try.
    const imaging::Image original = host_.ViewImage();
    std::string file_text = FileName(old_path);
    int type = SaveTypeOfPath(file_text);
    for (;;) {
      const auto chosen = host_.ShowSaveDialog(file_text, type);
      if (!chosen) return true;
      // Shown again, the dialog starts from the path just chosen.
      file_text = *chosen;
      if (const int t = SaveTypeOfPath(*chosen)) type = t;

      const std::string holding = host_.CatalogHolding(*chosen);
      if (!holding.empty()) {
        const auto m = CatalogCheck(context_.CatalogMode(), host_.ViewerOpen(), FileName(*chosen), holding,
                                    context_.open_catalog, context_.catalog_open);
        host_.Message(m.text, "Error", m.error_icon ? MessageIcon::Error : MessageIcon::None, m.over_viewer);
        continue;
      }
      if (IsReservedSaveTarget(context_.reserved, *chosen, host_.ShortForm(*chosen))) {
        host_.Message(kReservedFolderMessage, "Error", MessageIcon::Warning);
        return false;
      }
      const SaveWriter writer = WriterForSavePath(*chosen);
      if (writer == SaveWriter::MissingExtension) {
        host_.Message(kMissingExtensionMessage, "Error", MessageIcon::Error);
        continue;
      }
      if (writer == SaveWriter::UnknownExtension) {
        host_.Message(kValidFormatsMessage, "Error", MessageIcon::Error);
        continue;
      }
      try {
        host_.WriteImage(*chosen, writer, original);
      } catch (const Error& e) {
        // Nothing was saved: the user may choose another place or cancel.
        host_.Message(e.what(), "Error", MessageIcon::Error);
        continue;
      }
      // Queued only once the file is written, so a refused name drops nothing.
      std::vector<std::string> paths;
      for (std::size_t k = 0; k < host_.EntryCount(); ++k) paths.push_back(host_.EntryPath(k));
      if (const auto other = EntryOverwrittenBySave(paths, i, *chosen)) {
        to_drop_.push_back(*other);
        if (host_.ViewerOpen()) host_.ViewerEntryDropped(*other);
      }
      host_.FileWritten(*chosen);
      Record(i, old_path, *chosen);
      return true;
    }
  }

  void Record(std::size_t i, const std::string& old_path, const std::string& path) {
    const std::string url = host_.EntryUrl(i);
    if (old_path != path && !host_.CatalogHolding(old_path).empty()) {
      // The catalog still lists the old file: it stays in the session beside the copy.
      host_.AppendEntry(old_path, url, SaveMark::Catalog);
      if (host_.ViewerOpen()) host_.ViewerListGrown();
    }
    if (!context_.CatalogMode()) {
      host_.ChangeEntry(i, path, SaveMark::Disk);
      return;
    }
    host_.ChangeEntry(i, path, SaveMark::Catalog);
    std::vector<std::string> note_lines;
    if (!url.empty()) {
      if (host_.Ask(NoteQuestion(FileName(path), context_.target_catalog), "Notes")) {
        note_lines = host_.CollectNoteLines();
      } else {
        host_.RemoveFile(NotePathFor(path));
      }
    }
    bool added = false;
    bool note_failed = false;
    try {
      added = host_.AddToCatalog(context_.target_catalog, path, url, note_lines);
    } catch (const Error&) {
      added = true;  // the record is in, its note is not
      note_failed = true;
    }
    if (!added || note_failed) host_.Message(kCatalogWriteErrorMessage, "Error", MessageIcon::Error);
    if (!added) {
      // The saved file keeps its entry, which no catalog lists.
      host_.ChangeEntry(i, path, SaveMark::Disk);
      return;
    }
    recorded_.push_back(path);
  }

  // Images recorded into a catalog that is not open leave the session list.
  void DropRecordedEntries() {
    if (context_.catalog_open && EqualsIgnoreCase(context_.target_catalog, context_.open_catalog)) return;
    for (const std::string& path : recorded_) {
      for (std::size_t k = 0; k < host_.EntryCount(); ++k) {
        if (EqualsIgnoreCase(host_.EntryPath(k), path)) {
          host_.RemoveEntry(k);
          break;
        }
      }
    }
  }

  SaveAsHost& host_;
  const SaveAsContext& context_;
  std::vector<std::size_t> to_drop_;
  std::vector<std::string> recorded_;
};

}  // namespace

SaveAsEnd RunSaveAs(SaveAsHost& host, const SaveAsContext& context) { return SaveAsRun(host, context).Run(); }

}  // namespace ocelot::output
