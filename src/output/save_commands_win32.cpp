// The save commands: Save As (the save dialog `imgSaveDialog` and the window's side of the
// Save As steps) and Quick Save.
#include "output/save_commands_win32.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "catalog/catalog_files.h"
#include "commands/command_ids.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/scope_exit.h"
#include "common/text.h"
#include "imaging/codec.h"
#include "imaging/convert.h"
#include "output/image_formats.h"
#include "output/jpeg_compression_dialog.h"
#include "output/note_dialogs.h"
#include "output/save_as.h"
#include "output/save_rules.h"
#include "output/show_image.h"
#include "settings/settings_file.h"
#include "settings/working_folder.h"
#include "win/system_info.h"

namespace ocelot::output {

namespace {

std::string FileNameOf(const std::string& path) { return std::string(FileNameOfPath(path)); }
std::string FolderOf(const std::string& path) { return std::string(FolderOfPath(path)); }

// A folder as a start folder: a drive ("C:") needs its backslash to mean its root.
std::string AsStartFolder(const std::string& folder) {
  return !folder.empty() && folder.back() == ':' ? folder + "\\" : folder;
}

ReservedFolders ReservedFoldersNow() {
  const std::string program = win::ProgramFolder();
  const std::string& working = settings::WorkingFolder();
  return ReservedFolders{program + "\\", win::ShortPathOf(program), working, win::ShortPathOf(working)};
}

session::SessionMark MarkOf(SaveMark mark) {
  return mark == SaveMark::Catalog ? session::SessionMark::Catalog : session::SessionMark::Disk;
}

UINT IconFlags(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning: return MB_ICONWARNING;
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::None: break;
  }
  return 0;
}

// The colour reduction of the capture format on this display, applied to a copy.
imaging::Image ReducedForSave(const imaging::Image& image) {
  const settings::ImageFormat format = settings::ReadTypedSettings(settings::WorkingFolder()).capture_format;
  const auto target = ColourReductionForSave(format, ScreenColorCount(win::DisplayColourBits(), 1));
  return target ? imaging::ConvertToFormat(image, *target) : image;
}

// Switching the type puts the new type's extension on the name in the file-name box.
UINT_PTR CALLBACK SaveDialogHook(HWND child, UINT msg, WPARAM, LPARAM lp) {
  if (msg != WM_NOTIFY) return 0;
  const auto* notify = reinterpret_cast<const OFNOTIFYA*>(lp);
  if (notify->hdr.code != CDN_TYPECHANGE) return 0;
  HWND dialog = GetParent(child);
  char typed_name[MAX_PATH * 2] = {};
  if (SendMessageA(dialog, CDM_GETSPEC, sizeof typed_name, reinterpret_cast<LPARAM>(typed_name)) <= 0 || !typed_name[0]) return 0;
  const std::string name = WithTypeExtension(typed_name, static_cast<int>(notify->lpOFN->nFilterIndex));
  // The file-name box is a combo box (cmb13) in newer dialogs, an edit (edt1) in older.
  for (const int box : {cmb13, edt1})
    if (GetDlgItem(dialog, box)) SendMessageA(dialog, CDM_SETCONTROLTEXT, box, reinterpret_cast<LPARAM>(name.c_str()));
  return 0;
}

int CALLBACK BrowseCallback(HWND browser, UINT msg, LPARAM, LPARAM start_folder) {
  if (msg == BFFM_INITIALIZED && start_folder)
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, start_folder);
  return 0;
}

}  // namespace

// The window's side of Save As: the session, the view and the dialogs.
class SaveCommands::Host : public SaveAsHost {
 public:
  explicit Host(SaveCommands& owner)
      : owner_(owner), s_(owner.c_.session), catalogs_(catalog::CatalogsFolderOf(settings::WorkingFolder())) {}

  std::size_t EntryCount() const override { return s_.Size(); }
  std::vector<std::size_t> SelectedEntries() const override { return owner_.c_.selection.Selected(); }
  std::string EntryPath(std::size_t i) const override { return s_.At(i).path; }
  std::string EntryUrl(std::size_t i) const override { return s_.At(i).url; }
  void AppendEntry(const std::string& path, const std::string& url, SaveMark mark) override {
    s_.Append(session::SessionImage{FileNameOf(path), path, url, MarkOf(mark)});
  }
  void ChangeEntry(std::size_t i, const std::string& path, SaveMark mark) override {
    s_.Rename(i, path);
    s_.SetMark(i, MarkOf(mark));
  }
  void RemoveEntry(std::size_t i) override { s_.RemoveAt(i); }

  imaging::Image ViewImage() const override { return s_.Current(); }
  void SetViewImage(imaging::Image image) override {
    s_.ClearBackup();  // it belonged to an image saved meanwhile
    s_.SetCurrent(std::move(image));
  }
  void ClearView() override { s_.ClearCurrent(); }
  bool ShowEntryImage(std::size_t i) override {
    s_.ClearCurrent();
    ShowImageFile(s_, s_.At(i).path);
    return !s_.Current().Empty();
  }

  std::optional<std::string> ShowSaveDialog(const std::string& file_text, int type) override {
    return owner_.ShowSaveDialog(file_text, type);
  }
  void WriteImage(const std::string& path, SaveWriter writer, const imaging::Image& image) override {
    switch (writer) {
      case SaveWriter::Gif:
        imaging::WriteImageFile(path, imaging::ToGifPalette(image));
        return;
      case SaveWriter::Jpeg: {
        const imaging::Image true_colour =
            image.Format() == imaging::PixelFormat::TrueColour ? image : imaging::ToTrueColour(image);
        TfrmJPEGCompression dialog(
            true_colour, [&true_colour]() -> const imaging::Image& { return true_colour; }, settings::WorkingFolder());
        dialog.Run(owner_.c_.window.Owner());
        const JpegSettings jpeg = ReadJpegConfig(settings::WorkingFolder());
        imaging::WriteImageFile(path, true_colour, imaging::WriteOptions{jpeg.quality, jpeg.progressive});
        return;
      }
      case SaveWriter::ByExtension:
        imaging::WriteImageFile(path, ReducedForSave(image));
        return;
      case SaveWriter::MissingExtension:
      case SaveWriter::UnknownExtension:
        break;
    }
    throw Error("No image format for \"" + path + "\".");
  }
  void FileWritten(const std::string& path) override {
    settings::SetCurrentSaveFolder(FolderOf(path));
    owner_.save_dialog_initial_folder_.clear();
  }
  std::string ShortForm(const std::string& path) const override {
    // The file may not exist yet; its folder does.
    const std::string folder = win::ShortPathOf(AsStartFolder(FolderOf(path)));
    return folder.empty() ? std::string() : JoinPath(WithoutTrailingSeparator(folder), FileNameOf(path));
  }

  void Message(const std::string& text, const std::string& caption, MessageIcon icon, bool) override {
    // Over the thumbnails viewer once it exists; until then the main window owns every box.
    owner_.c_.window.Message(text, caption, MB_OK | IconFlags(icon));
  }
  bool Ask(const std::string& text, const std::string& caption) override {
    return owner_.c_.window.Message(text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
  }
  std::vector<std::string> CollectNoteLines() override { return TfrmComments().Run(owner_.c_.window.Owner()); }
  void RemoveFile(const std::string& path) override { ocelot::RemoveFile(path); }

  std::string CatalogHolding(const std::string& path) const override {
    return catalog::CatalogNameOf(catalog::FindCatalogOf(catalogs_, path));
  }
  bool AddToCatalog(const std::string& name, const std::string& path, const std::string& url,
                    const std::vector<std::string>& note_lines) override {
    return catalog::AddCatalogRecord(catalogs_, name, catalog::CatalogRecord{path, url}, note_lines);
  }

  // The thumbnails viewer is never open while it does not exist; nothing to tell it yet.
  bool ViewerOpen() const override { return s_.ViewerOpen(); }
  void ViewerEntryDropped(std::size_t) override {}
  void ViewerListGrown() override {}

 private:
  SaveCommands& owner_;
  session::Session& s_;
  std::string catalogs_;
};

void SaveCommands::AddTo(commands::CommandTable& table) {
  table.Add(IDM_SAVEAS, [this] { SaveAs1Click(false); });
  table.Add(IDM_QUICKSAVE, [this] { QuickSave1Click(); });
}

std::optional<std::string> SaveCommands::ShowSaveDialog(const std::string& file_text, int type) {
  if (type >= 1 && type <= kSaveTypeCount) save_dialog_type_ = type;
  if (SaveDialogFirstUse) {
    save_dialog_initial_folder_ = settings::CurrentSaveFolder();
    SaveDialogFirstUse = false;
  }
  const std::string start =
      AsStartFolder(save_dialog_initial_folder_.empty() ? save_dialog_last_folder_ : save_dialog_initial_folder_);
  const std::string filter = SaveDialogFilterForDialog();
  std::vector<char> file(4096, '\0');
  file_text.copy(file.data(), std::min(file_text.size(), file.size() - 1));

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = c_.window.Owner();
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(save_dialog_type_);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
  ofn.lpstrDefExt = "bmp";
  ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
              OFN_ENABLEHOOK | OFN_ENABLESIZING;
  ofn.lpfnHook = &SaveDialogHook;
  if (!GetSaveFileNameA(&ofn)) {
    SaveDialogFirstUse = true;
    return std::nullopt;
  }
  const std::string chosen(file.data());
  save_dialog_type_ = static_cast<int>(ofn.nFilterIndex);
  save_dialog_last_folder_ = FolderOf(chosen);
  return chosen;
}

void SaveCommands::SaveAs1Click(bool catalog_mode) {
  // The target catalog belongs to this one command; the next Save As is a plain one.
  ScopeExit forget_target([this] { c_.session.SetTargetCatalog(""); });
  if (catalog_mode && c_.session.TargetCatalog().empty()) return;  // a catalog mode needs its catalog
  Host host(*this);
  SaveAsContext context;
  context.reserved = ReservedFoldersNow();
  context.open_catalog = c_.session.Catalog().name;
  context.catalog_open = c_.session.Catalog().open;
  if (catalog_mode) context.target_catalog = c_.session.TargetCatalog();
  RunSaveAs(host, context);
}

void SaveCommands::QuickSave1Click() {
  if (c_.selection.SelectedCount() == 0) {
    c_.window.Message(kQuickSaveSelectMessage, "Error", MB_OK | MB_ICONWARNING);
    return;
  }
  const std::string& working = settings::WorkingFolder();
  const std::string start = ReadLastSaveFolder(working).value_or(settings::CurrentSaveFolder());
  const std::string title = QuickSaveTitle(start);
  const std::string start_folder = AsStartFolder(start);

  BROWSEINFOA browse{};
  char display_name[MAX_PATH] = {};
  browse.hwndOwner = c_.window.Owner();
  browse.pszDisplayName = display_name;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  browse.lpfn = &BrowseCallback;
  browse.lParam = start_folder.empty() ? 0 : reinterpret_cast<LPARAM>(start_folder.c_str());
  LPITEMIDLIST picked = SHBrowseForFolderA(&browse);
  if (!picked) return;
  char chosen_buffer[MAX_PATH] = {};
  const BOOL is_folder = SHGetPathFromIDListA(picked, chosen_buffer);
  CoTaskMemFree(picked);
  if (!is_folder || !chosen_buffer[0]) return;
  const std::string chosen(chosen_buffer);
  const std::string folder(WithoutTrailingSeparator(chosen));

  if (IsReservedQuickSaveFolder(chosen, working, FileExists(JoinPath(folder, "ocelot.exe")))) {
    c_.window.Message(kReservedFolderMessage, "Error", MB_OK | MB_ICONWARNING);
    return;
  }
  WriteLastSaveFolder(working, chosen);

  session::Session& s = c_.session;
  const imaging::Image kept = s.Current();
  for (const std::size_t i : c_.selection.Selected()) {
    const std::string old_path = s.At(i).path;
    if (SameFolder(FolderOf(old_path), folder)) continue;
    const std::string target = NextPicName(folder, LowerExtension(old_path));
    // A copy: the original stays where it is.
    if (!CopyFileA(old_path.c_str(), target.c_str(), TRUE)) continue;
    s.Rename(i, target);
    s.SetMark(i, session::SessionMark::Disk);
    ShowImageFile(s, target);
  }
  s.ClearBackup();
  s.SetCurrent(kept);
}

}  // namespace ocelot::output
