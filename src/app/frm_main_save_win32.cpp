// TfrmMain: Save As (the save dialog `imgSaveDialog` and the window's side of the Save As
// steps) and Quick Save.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "app/frm_main.h"
#include "catalog/catalog_files.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/text.h"
#include "imaging/codec.h"
#include "imaging/convert.h"
#include "output/image_formats.h"
#include "output/jpeg_compression_dialog.h"
#include "output/note_dialogs.h"
#include "output/save_as.h"
#include "output/save_rules.h"
#include "settings/working_folder.h"
#include "win/message_box.h"

namespace ocelot::app {

namespace {

std::string FileNameOf(const std::string& path) { return std::string(output::FileNameOfPath(path)); }
std::string FolderOf(const std::string& path) { return std::string(output::FolderOfPath(path)); }

// A folder as a start folder: a drive ("C:") needs its backslash to mean its root.
std::string AsStartFolder(const std::string& folder) {
  return !folder.empty() && folder.back() == ':' ? folder + "\\" : folder;
}

std::string ShortPathOf(const std::string& path) {
  char buffer[MAX_PATH * 2];
  const DWORD n = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

std::string ProgramFolder() {
  char buffer[MAX_PATH * 2];
  const DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? FolderOf(std::string(buffer, n)) : std::string();
}

output::ReservedFolders ReservedFoldersNow() {
  const std::string program = ProgramFolder();
  const std::string& working = settings::WorkingFolder();
  return output::ReservedFolders{program + "\\", ShortPathOf(program), working, ShortPathOf(working)};
}

SessionMark MarkOf(output::SaveMark mark) {
  return mark == output::SaveMark::Catalog ? SessionMark::Catalog : SessionMark::Disk;
}

UINT IconFlags(output::MessageIcon icon) {
  switch (icon) {
    case output::MessageIcon::Warning: return MB_ICONWARNING;
    case output::MessageIcon::Error: return MB_ICONERROR;
    case output::MessageIcon::None: break;
  }
  return 0;
}

// Switching the type puts the new type's extension on the name in the file-name box.
UINT_PTR CALLBACK SaveDialogHook(HWND child, UINT msg, WPARAM, LPARAM lp) {
  if (msg != WM_NOTIFY) return 0;
  const auto* notify = reinterpret_cast<const OFNOTIFYA*>(lp);
  if (notify->hdr.code != CDN_TYPECHANGE) return 0;
  HWND dialog = GetParent(child);
  char typed_name[MAX_PATH * 2] = {};
  if (SendMessageA(dialog, CDM_GETSPEC, sizeof typed_name, reinterpret_cast<LPARAM>(typed_name)) <= 0 || !typed_name[0]) return 0;
  const std::string name = output::WithTypeExtension(typed_name, static_cast<int>(notify->lpOFN->nFilterIndex));
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

// The window's side of Save As: the session list, the view and the dialogs.
class TfrmMain::SaveHost : public output::SaveAsHost {
 public:
  explicit SaveHost(TfrmMain& w) : w_(w), catalogs_(catalog::CatalogsFolderOf(settings::WorkingFolder())) {}

  std::size_t EntryCount() const override { return w_.session_.Size(); }
  std::vector<std::size_t> SelectedEntries() const override { return w_.session_.Selected(); }
  std::string EntryPath(std::size_t i) const override { return w_.session_.At(i).path; }
  std::string EntryUrl(std::size_t i) const override { return w_.session_.At(i).url; }
  void AppendEntry(const std::string& path, const std::string& url, output::SaveMark mark) override {
    w_.session_.Append(SessionImage{FileNameOf(path), path, url, MarkOf(mark)});
  }
  void ChangeEntry(std::size_t i, const std::string& path, output::SaveMark mark) override {
    w_.session_.Rename(i, FileNameOf(path), path);
    w_.session_.SetMark(i, MarkOf(mark));
  }
  void RemoveEntry(std::size_t i) override {
    w_.session_.RemoveAt(i);
    w_.session_.Repaint();
  }

  imaging::Image ViewImage() const override { return w_.main_image_.GetImage(); }
  void SetViewImage(imaging::Image image) override {
    w_.backup_image_ = imaging::Image();  // it belonged to an image saved meanwhile
    w_.main_image_.SetImage(std::move(image));
    w_.main_image_.Repaint();
  }
  void ClearView() override { w_.main_image_.Clear(); }
  bool ShowEntryImage(std::size_t i) override {
    w_.main_image_.Clear();
    w_.ShowImageFile(w_.session_.At(i).path);
    return !w_.main_image_.Empty();
  }

  std::optional<std::string> ShowSaveDialog(const std::string& file_text, int type) override {
    return w_.ShowSaveDialog(file_text, type);
  }
  void WriteViewImage(const std::string& path, output::SaveWriter writer) override {
    ImageView& view = w_.main_image_;
    switch (writer) {
      case output::SaveWriter::Gif:
        view.SetImage(imaging::ToGifPalette(view.GetImage()));
        imaging::WriteImageFile(path, view.GetImage());
        return;
      case output::SaveWriter::Jpeg: {
        if (view.GetImage().Format() != imaging::PixelFormat::TrueColour) w_.ConvertToTrueColour();
        output::TfrmJPEGCompression dialog(
            view.GetImage(), [&view]() -> const imaging::Image& { return view.GetImage(); },
            settings::WorkingFolder());
        dialog.Run(w_.hwnd());
        const output::JpegSettings jpeg = output::ReadJpegConfig(settings::WorkingFolder());
        imaging::WriteImageFile(path, view.GetImage(), imaging::WriteOptions{jpeg.quality, jpeg.progressive});
        return;
      }
      case output::SaveWriter::ByExtension:
        w_.ReduceColoursForSave();
        imaging::WriteImageFile(path, view.GetImage());
        return;
      case output::SaveWriter::MissingExtension:
      case output::SaveWriter::UnknownExtension:
        break;
    }
    throw Error("No image format for \"" + path + "\".");
  }
  void FileWritten(const std::string& path) override {
    settings::SetCurrentSaveFolder(FolderOf(path));
    w_.save_dialog_initial_folder_.clear();
  }
  std::string ShortForm(const std::string& path) const override {
    // The file may not exist yet; its folder does.
    const std::string folder = ShortPathOf(AsStartFolder(FolderOf(path)));
    return folder.empty() ? std::string() : JoinPath(output::WithoutTrailingSeparator(folder), FileNameOf(path));
  }

  void Message(const std::string& text, const std::string& caption, output::MessageIcon icon, bool) override {
    // Over the thumbnails viewer once it exists; until then the main window owns every box.
    win::ShowMessage(w_.hwnd(), text, caption, MB_OK | IconFlags(icon));
  }
  bool Ask(const std::string& text, const std::string& caption) override {
    return win::ShowMessage(w_.hwnd(), text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
  }
  std::vector<std::string> CollectNoteLines() override {
    w_.pending_note_lines_ = output::TfrmComments().Run(w_.hwnd());
    return w_.pending_note_lines_;
  }
  void RemoveFile(const std::string& path) override {
    if (FileExists(path)) DeleteFileA(path.c_str());
  }

  std::string CatalogHolding(const std::string& path) const override {
    return catalog::CatalogNameOf(catalog::FindCatalogOf(catalogs_, path));
  }
  bool AddToCatalog(const std::string& name, const std::string& path, const std::string& url,
                    const std::vector<std::string>& note_lines) override {
    return catalog::AddCatalogRecord(catalogs_, name, catalog::CatalogRecord{path, url}, note_lines);
  }

  // The thumbnails viewer is never open while it does not exist; nothing to tell it yet.
  bool ViewerOpen() const override { return w_.ViewerOpen; }
  void ViewerEntryDropped(std::size_t) override {}
  void ViewerListGrown() override {}

 private:
  TfrmMain& w_;
  std::string catalogs_;
};

std::optional<std::string> TfrmMain::ShowSaveDialog(const std::string& file_text, int type) {
  if (type >= 1 && type <= output::kSaveTypeCount) save_dialog_type_ = type;
  if (SaveDialogFirstUse) {
    save_dialog_initial_folder_ = settings::CurrentSaveFolder();
    SaveDialogFirstUse = false;
  }
  const std::string start =
      AsStartFolder(save_dialog_initial_folder_.empty() ? save_dialog_last_folder_ : save_dialog_initial_folder_);
  const std::string filter = output::SaveDialogFilterForDialog();
  std::vector<char> file(4096, '\0');
  file_text.copy(file.data(), std::min(file_text.size(), file.size() - 1));

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hwnd();
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

void TfrmMain::SaveAs1Click(bool catalog_mode) {
  if (catalog_mode && TargetCatalog.empty()) return;  // a catalog mode needs its catalog
  SaveHost host(*this);
  output::SaveAsContext context;
  context.reserved = ReservedFoldersNow();
  context.open_catalog = open_catalog_.name;
  context.catalog_open = open_catalog_.open;
  if (catalog_mode) context.target_catalog = TargetCatalog;
  output::RunSaveAs(host, context);
  session_.Repaint();
}

void TfrmMain::QuickSave1Click() {
  if (session_.SelectedCount() == 0) {
    win::ShowMessage(hwnd(), output::kQuickSaveSelectMessage, "Error", MB_OK | MB_ICONWARNING);
    return;
  }
  const std::string& working = settings::WorkingFolder();
  const std::string start = output::ReadLastSaveFolder(working).value_or(settings::CurrentSaveFolder());
  const std::string title = output::QuickSaveTitle(start);
  const std::string start_folder = AsStartFolder(start);

  BROWSEINFOA browse{};
  char display_name[MAX_PATH] = {};
  browse.hwndOwner = hwnd();
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
  const std::string folder(output::WithoutTrailingSeparator(chosen));

  if (output::IsReservedQuickSaveFolder(chosen, working, FileExists(JoinPath(folder, "ocelot.exe")))) {
    win::ShowMessage(hwnd(), output::kReservedFolderMessage, "Error", MB_OK | MB_ICONWARNING);
    return;
  }
  output::WriteLastSaveFolder(working, chosen);

  const imaging::Image kept = main_image_.GetImage();
  for (const std::size_t i : session_.Selected()) {
    const std::string old_path = session_.At(i).path;
    if (output::SameFolder(FolderOf(old_path), folder)) continue;
    const std::string target = output::NextPicName(folder, output::LowerExtension(old_path));
    // A copy: the original stays where it is.
    if (!CopyFileA(old_path.c_str(), target.c_str(), TRUE)) continue;
    session_.Rename(i, FileNameOf(target), target);
    session_.SetMark(i, SessionMark::Disk);
    session_.Repaint();
    ShowImageFile(target);
  }
  backup_image_ = imaging::Image();
  main_image_.SetImage(kept);
  main_image_.Repaint();
}

}  // namespace ocelot::app
