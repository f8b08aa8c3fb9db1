// TfrmMain: the toolbar panel, the mode lists, the list, the view and the status bar.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "app/frm_main.h"
#include "app/frm_main_parts.h"
#include "app/resource.h"
#include "capture/capture_modes.h"
#include "capture/output_modes.h"
#include "commands/command_ids.h"
#include "imaging/convert.h"
#include "output/image_formats.h"
#include "output/send_to.h"
#include "win/dib.h"

namespace ocelot::app {

namespace {

struct ToolButton {
  int command;
  int bitmap;
  const char* tip;
};

// Each button shares its command's id with the menu items of the same action; its state
// comes from the command table.
constexpr std::array<ToolButton, 10> kToolButtons = {{
    {IDM_SAVEAS, IDB_TB_SAVE, "Save"},
    {IDM_DELETE, IDB_TB_DELETE, "Delete"},
    {IDM_PRINTIMAGES, IDB_TB_PRINT, "Print"},
    {IDM_EMAIL, IDB_TB_EMAIL, "E-mail"},
    {IDM_COPY, IDB_TB_COPY, "Copy"},
    {IDM_PASTEWORD, IDB_TB_PASTE, "MS Paste"},
    {IDM_THUMBS, IDB_TB_THUMBS, "Thumbs"},
    {IDM_IMAGEEDITOR, IDB_TB_EDITOR, "Editor"},
    {IDM_CATALOGOPEN, IDB_TB_CATALOG, "Catalog"},
    {IDM_PROFILEOPEN, IDB_TB_PROFILES, "Profiles"},
}};

// The buttons whose glyphs are refreshed on displays of 256 colours or fewer.
constexpr std::array<int, 8> kRefreshedButtons = {IDM_SAVEAS, IDM_DELETE, IDM_PRINTIMAGES, IDM_EMAIL,
                                                  IDM_THUMBS, IDM_COPY,   IDM_PASTEWORD,   IDM_IMAGEEDITOR};

HWND MakeCombo(HWND parent, int id, int x, int width) {
  return CreateWindowExA(0, WC_COMBOBOXA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, x,
                         kToolButtonHeight + 4, width, 300, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

// The list texts of a descriptor table, in its order.
void AddItems(HWND combo, const auto& table) {
  for (const auto& row : table) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.list_text));
}
}  // namespace

const char* ToolTipFor(int control_id) {
  for (const auto& b : kToolButtons)
    if (b.command == control_id) return b.tip;
  switch (control_id) {
    case IDC_CBO_CAP_SELECTION: return "Capture Method";
    case IDC_CBO_PRINT_SELECTION: return "Capture and/or Print";
    case IDC_CBO_DEFAULT_FORMAT: return "Capture Image Format";
    case IDC_CBO_VIEW_PERCENT: return "Zoom";
    default: return "";
  }
}

int ZoomPercentOfEntry(int index) {
  // "Fit To Window", 10, 25, 50, 75, 100, then every 25 up to 500.
  static constexpr std::array<int, 6> kFirst = {0, 10, 25, 50, 75, 100};
  if (index < 0) return 100;
  if (index < static_cast<int>(kFirst.size())) return kFirst[static_cast<std::size_t>(index)];
  return 100 + (index - 5) * 25;
}

void TfrmMain::CreateControls() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  HINSTANCE inst = GetModuleHandleA(nullptr);
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  list_font_.reset(CreateFontIndirectA(&ncm.lfMessageFont));

  CreateToolbar();
  CreateModeLists();

  lbPicNames = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTBOXA, "",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                   LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                               0, kToolbarPanelHeight, kListWidth, 100, hwnd(),
                               reinterpret_cast<HMENU>(IDC_LB_PIC_NAMES), inst, nullptr);
  SendMessageA(lbPicNames, WM_SETFONT, reinterpret_cast<WPARAM>(list_font_.get()), FALSE);
  list_.Attach(lbPicNames);

  main_image_.CreateChild(hwnd(), IDC_MAIN_IMAGE);

  status_bar_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, hwnd(),
                                reinterpret_cast<HMENU>(IDC_STATUS_BAR), inst, nullptr);
  SendMessageA(status_bar_, SB_SETMINHEIGHT, kStatusBarHeight, 0);

  HDC dc = GetDC(nullptr);
  palette_display_ = output::IsPaletteDisplay(output::ScreenColorCount(GetDeviceCaps(dc, BITSPIXEL), GetDeviceCaps(dc, PLANES)));
  ReleaseDC(nullptr, dc);
  main_image_.SetPaletteDisplay(palette_display_);
  LayoutControls();
}

void TfrmMain::CreateToolbar() {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  toolbar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER |
                                 CCS_NOPARENTALIGN,
                             0, 0, kMainWindowWidth, kToolButtonHeight + 2, hwnd(), reinterpret_cast<HMENU>(IDC_TB_MAIN),
                             inst, nullptr);
  SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  glyphs_ = ImageList_Create(32, 32, ILC_COLOR24 | ILC_MASK, static_cast<int>(kToolButtons.size()), 0);
  std::array<TBBUTTON, kToolButtons.size()> buttons{};
  for (std::size_t i = 0; i < kToolButtons.size(); ++i) {
    HBITMAP bmp = static_cast<HBITMAP>(
        LoadImageA(inst, MAKEINTRESOURCEA(kToolButtons[i].bitmap), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ImageList_AddMasked(glyphs_, bmp, RGB(255, 0, 255));
    if (i == 0) {
      // The "Save" glyph's colours make the palette realized on 256-colour displays.
      if (auto img = win::ImageFromBitmap(bmp))
        save_glyph_palette_.reset(win::CreatePaletteForImage(imaging::To256Colours(*img)));
    }
    DeleteObject(bmp);
    buttons[i].iBitmap = static_cast<int>(i);
    buttons[i].idCommand = kToolButtons[i].command;
    buttons[i].fsState = 0;  // enabled from the command table
    buttons[i].fsStyle = BTNS_BUTTON;
  }
  SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(glyphs_));
  SendMessageA(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(32, 32));
  SendMessageA(toolbar_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageA(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(kToolButtonWidth, kToolButtonHeight));
}

void TfrmMain::CreateModeLists() {
  cboCapSelection = MakeCombo(hwnd(), IDC_CBO_CAP_SELECTION, 4, 186);
  cboPrintSelection = MakeCombo(hwnd(), IDC_CBO_PRINT_SELECTION, 194, 128);
  cboDefaultFormat = MakeCombo(hwnd(), IDC_CBO_DEFAULT_FORMAT, 326, 156);
  cboViewPercent = MakeCombo(hwnd(), IDC_CBO_VIEW_PERCENT, 486, 110);
  AddItems(cboCapSelection, capture::CaptureModes());
  AddItems(cboPrintSelection, capture::OutputModes());
  AddItems(cboDefaultFormat, output::ImageFormats());
  for (int i = 0; i < 22; ++i) {
    const int pct = ZoomPercentOfEntry(i);
    const std::string text = pct == 0 ? "Fit To Window" : "View " + std::to_string(pct) + "%";
    SendMessageA(cboViewPercent, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }

  tooltips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, GetModuleHandleA(nullptr),
                              nullptr);
  for (HWND combo : {cboCapSelection, cboPrintSelection, cboDefaultFormat, cboViewPercent}) {
    SendMessageA(combo, WM_SETFONT, reinterpret_cast<WPARAM>(list_font_.get()), FALSE);
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(combo);
    ti.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(tooltips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

void TfrmMain::LayoutControls() {
  if (!status_bar_) return;
  RECT rc;
  GetClientRect(hwnd(), &rc);
  SendMessageA(status_bar_, WM_SIZE, 0, 0);
  RECT sb;
  GetWindowRect(status_bar_, &sb);
  const int status_height = sb.bottom - sb.top;
  const int parts[2] = {std::max(0, static_cast<int>(rc.right) - 200), -1};
  SendMessageA(status_bar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  const int body_height = std::max(0, static_cast<int>(rc.bottom) - kToolbarPanelHeight - status_height);
  MoveWindow(toolbar_, 0, 0, rc.right, kToolButtonHeight + 2, TRUE);
  MoveWindow(lbPicNames, 0, kToolbarPanelHeight, kListWidth, body_height, TRUE);
  MoveWindow(main_image_.hwnd(), kListWidth, kToolbarPanelHeight, std::max(0, static_cast<int>(rc.right) - kListWidth),
             body_height, TRUE);
}

void TfrmMain::OnDrawItem(const DRAWITEMSTRUCT& d) {
  if (d.itemID == static_cast<UINT>(-1)) return;
  const bool selected = (d.itemState & ODS_SELECTED) != 0;
  FillRect(d.hDC, &d.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (d.itemID < session_.Size()) {
    const session::SessionImage& img = session_.At(d.itemID);
    HGDIOBJ glyph = img.mark == session::SessionMark::Disk      ? DiskBitmap.get()
                    : img.mark == session::SessionMark::Catalog ? CatalogBitmap.get()
                                                                 : nullptr;
    if (glyph) {
      HDC src = CreateCompatibleDC(d.hDC);
      HGDIOBJ old = SelectObject(src, glyph);
      BITMAP bm{};
      GetObjectA(glyph, sizeof bm, &bm);
      TransparentBlt(d.hDC, d.rcItem.left + 2, d.rcItem.top + 2, bm.bmWidth, bm.bmHeight, src, 0, 0, bm.bmWidth,
                     bm.bmHeight, RGB(255, 0, 0));
      SelectObject(src, old);
      DeleteDC(src);
    }
    SetBkMode(d.hDC, TRANSPARENT);
    SetTextColor(d.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    HGDIOBJ old_font = SelectObject(d.hDC, list_font_.get());
    TextOutA(d.hDC, d.rcItem.left + 29, d.rcItem.top + 4, img.name.c_str(), static_cast<int>(img.name.size()));
    SelectObject(d.hDC, old_font);
  }
  if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
}

void TfrmMain::OnPaletteDisplayPaint() {
  // The glyphs' colours are put right once the paint has settled.
  if (!glyph_refresh_pending_) {
    glyph_refresh_pending_ = true;
    SetTimer(hwnd(), kGlyphTimer, 1000, nullptr);
  }
}

void TfrmMain::RefreshToolbarGlyphs() {
  glyph_refresh_pending_ = false;
  main_image_.Repaint();
  if (save_glyph_palette_) {
    HDC dc = GetDC(toolbar_);
    HPALETTE old = SelectPalette(dc, static_cast<HPALETTE>(save_glyph_palette_.get()), FALSE);
    RealizePalette(dc);
    SelectPalette(dc, old, FALSE);
    ReleaseDC(toolbar_, dc);
  }
  for (int id : kRefreshedButtons) {
    RECT r;
    if (SendMessageA(toolbar_, TB_GETRECT, id, reinterpret_cast<LPARAM>(&r))) InvalidateRect(toolbar_, &r, TRUE);
  }
}

void TfrmMain::BuildMailMenus() {
  // The items stay disabled until sending is available; the list is built once per run.
  const std::vector<std::string> mail_entries = output::GetSendToShortcuts();
  HMENU menus[2] = {GetSubMenu(GetMenu(hwnd()), kMailMenuPosition), nullptr};
  HMENU popup = GetSubMenu(image_menu_.get(), 0);
  for (int i = 0, n = GetMenuItemCount(popup); i < n; ++i) {
    char text[64] = {};
    GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    if (std::string(text) == "Send &Mail To") menus[1] = GetSubMenu(popup, i);
  }
  for (int m = 0; m < 2; ++m) {
    if (!menus[m]) continue;
    while (GetMenuItemCount(menus[m]) > 0) DeleteMenu(menus[m], 0, MF_BYPOSITION);
    for (std::size_t i = 0; i < mail_entries.size() && i < output::kMaxMailMenuItems; ++i) {
      const std::string caption =
          i == 0 ? std::string(output::kMailRecipientCaption)
                 : output::MailMenuCaption(mail_entries[i].substr(mail_entries[i].find_last_of('\\') + 1));
      AppendMenuA(menus[m], MF_STRING | MF_GRAYED, IDM_MAILFIRST + i, caption.c_str());
    }
  }
}

}  // namespace ocelot::app
