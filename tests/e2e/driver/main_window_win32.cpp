// Reading and working the main window's controls from outside.
#include "main_window.h"

#include "ocelot_driver.h"

namespace ocelot::e2e {

namespace {
std::string Narrow(const wchar_t* w) {
  char buf[1024] = {};
  WideCharToMultiByte(CP_ACP, 0, w, -1, buf, sizeof buf, nullptr, nullptr);
  return buf;
}

void Notify(HWND main, int id, HWND control, int code) {
  SendMessageTimeoutA(main, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control), SMTO_ABORTIFHUNG,
                      10000, nullptr);
}
}  // namespace

std::vector<std::string> ListLines(HWND main) {
  HWND list = GetDlgItem(main, kListId);
  std::vector<std::string> out;
  const LRESULT n = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    wchar_t buf[512] = {};
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    out.push_back(Narrow(buf));
  }
  return out;
}

std::vector<int> SelectedLines(HWND main) {
  HWND list = GetDlgItem(main, kListId);
  std::vector<int> out;
  const LRESULT n = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i)
    if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) out.push_back(static_cast<int>(i));
  return out;
}

void SelectLines(HWND main, std::initializer_list<int> lines) {
  HWND list = GetDlgItem(main, kListId);
  SendMessageW(list, LB_SETSEL, FALSE, -1);
  for (int i : lines) SendMessageW(list, LB_SETSEL, TRUE, i);
  if (lines.size()) SendMessageW(list, LB_SETCARETINDEX, static_cast<WPARAM>(*(lines.end() - 1)), FALSE);
  Notify(main, kListId, list, LBN_SELCHANGE);
}

void ChooseListEntry(HWND main, int combo_id, int index) {
  HWND combo = GetDlgItem(main, combo_id);
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  Notify(main, combo_id, combo, CBN_SELCHANGE);
}

int ListEntry(HWND main, int combo_id) {
  return static_cast<int>(SendMessageW(GetDlgItem(main, combo_id), CB_GETCURSEL, 0, 0));
}

std::vector<std::string> ListEntries(HWND main, int combo_id) {
  HWND combo = GetDlgItem(main, combo_id);
  std::vector<std::string> out;
  const LRESULT n = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    wchar_t buf[512] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    out.push_back(Narrow(buf));
  }
  return out;
}

std::string StatusText(HWND main) { return WindowText(GetDlgItem(main, kStatusBarId)); }

int ListCaret(HWND main) {
  return static_cast<int>(SendMessageW(GetDlgItem(main, kListId), LB_GETCARETINDEX, 0, 0));
}

std::optional<RECT> ListLineRect(HWND main, int line) {
  HWND list = GetDlgItem(main, kListId);
  RECT r{};
  if (line < 0 || SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
    return std::nullopt;
  RECT client;
  GetClientRect(list, &client);
  if (r.bottom <= 0 || r.top >= client.bottom) return std::nullopt;  // scrolled out of sight
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

Pixels ClientPixels(HWND window) {
  Pixels p;
  RECT rc;
  GetClientRect(window, &rc);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  p.width = rc.right;
  p.height = rc.bottom;
  if (p.width <= 0 || p.height <= 0) return p;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = p.width;
  bi.bmiHeader.biHeight = -p.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, p.width, p.height, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  const auto* px = static_cast<const std::uint32_t*>(bits);
  p.rgb.resize(static_cast<std::size_t>(p.width) * p.height);
  for (std::size_t i = 0; i < p.rgb.size(); ++i) {
    const std::uint32_t v = px[i];
    p.rgb[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return p;
}

RECT BoundsOfPixelsOtherThan(const Pixels& p, COLORREF colour) {
  RECT r{p.width, p.height, 0, 0};
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if (p.At(x, y) != colour) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
  return r;
}

}  // namespace ocelot::e2e
