// fake_browser.exe: a stand-in web browser for the capture's address lookup. It shows a
// top-level window of class "IEFrame" and serves DDE as "IExplore" on topic
// "WWW_GetWindowInfo", answering item "0xFFFFFFFF" with
//   "<address>","Example Page"
// where <address> is the first command-line argument, or http://example.test/page.html.
// The program ends when its window is closed.
#include <windows.h>
#include <ddeml.h>

#include <string>

namespace {

constexpr char kDefaultAddress[] = "http://example.test/page.html";

// The DDEML callback has no user pointer: the server's state lives here, one per process.
DWORD g_dde_inst = 0;
HSZ g_service = nullptr;
HSZ g_topic = nullptr;
HSZ g_item = nullptr;
std::string g_reply;

HDDEDATA CALLBACK DdeServerCallback(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA, ULONG_PTR,
                                    ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(DdeCmpStringHandles(topic, g_topic) == 0));
    case XTYP_REQUEST:
      if (format == CF_TEXT && DdeCmpStringHandles(topic, g_topic) == 0 && DdeCmpStringHandles(item, g_item) == 0)
        return DdeCreateDataHandle(g_dde_inst, reinterpret_cast<LPBYTE>(g_reply.data()),
                                   static_cast<DWORD>(g_reply.size() + 1), 0, item, CF_TEXT, 0);
      return nullptr;
    default:
      return nullptr;
  }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const std::string address = __argc > 1 ? __argv[1] : kDefaultAddress;
  g_reply = "\"" + address + "\",\"Example Page\"";

  if (DdeInitializeA(&g_dde_inst, &DdeServerCallback, APPCLASS_STANDARD | CBF_FAIL_POKES | CBF_FAIL_EXECUTES, 0) !=
      DMLERR_NO_ERROR)
    return 1;
  g_service = DdeCreateStringHandleA(g_dde_inst, "IExplore", CP_WINANSI);
  g_topic = DdeCreateStringHandleA(g_dde_inst, "WWW_GetWindowInfo", CP_WINANSI);
  g_item = DdeCreateStringHandleA(g_dde_inst, "0xFFFFFFFF", CP_WINANSI);
  if (!DdeNameService(g_dde_inst, g_service, nullptr, DNS_REGISTER)) return 1;

  WNDCLASSA wc{};
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "IEFrame";
  if (!RegisterClassA(&wc)) return 1;
  HWND hwnd = CreateWindowExA(0, "IEFrame", "Example Page - Fake Browser", WS_OVERLAPPEDWINDOW, 150, 120, 500, 350,
                              nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  DdeNameService(g_dde_inst, g_service, nullptr, DNS_UNREGISTER);
  DdeFreeStringHandle(g_dde_inst, g_item);
  DdeFreeStringHandle(g_dde_inst, g_topic);
  DdeFreeStringHandle(g_dde_inst, g_service);
  DdeUninitialize(g_dde_inst);
  return 0;
}
