// "&Go to URL", the web address a session image was captured from, and the notes of
// web images.
#include "output/web_image_commands_win32.h"

#include <windows.h>
#include <oleauto.h>
#include <shellapi.h>

#include <string>

#include "commands/command_ids.h"
#include "common/file_io.h"
#include "common/text.h"
#include "output/note_dialogs.h"
#include "output/web_address.h"

namespace ocelot::output {

namespace {
std::wstring Wide(const std::string& s) {
  const int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, w.data(), n);
  w.resize(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
  return w;
}

// A new Internet Explorer, made visible and sent to the address; false when none starts.
bool NavigateInNewBrowser(const std::string& url) {
  const HRESULT init = CoInitialize(nullptr);
  bool ok = false;
  CLSID clsid;
  IDispatch* ie = nullptr;
  if (SUCCEEDED(CLSIDFromProgID(L"InternetExplorer.Application", &clsid)) &&
      SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(&ie)))) {
    auto call = [&](const wchar_t* name, WORD flags, VARIANT* arg) {
      DISPID id;
      LPOLESTR n = const_cast<LPOLESTR>(name);
      if (FAILED(ie->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id))) return false;
      DISPID named = DISPID_PROPERTYPUT;
      DISPPARAMS params{arg, flags == DISPATCH_PROPERTYPUT ? &named : nullptr, 1,
                        flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
      return SUCCEEDED(ie->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, nullptr, nullptr, nullptr));
    };
    VARIANT visible;
    VariantInit(&visible);
    visible.vt = VT_BOOL;
    visible.boolVal = VARIANT_TRUE;
    VARIANT address;
    VariantInit(&address);
    address.vt = VT_BSTR;
    address.bstrVal = SysAllocString(Wide(url).c_str());
    ok = call(L"Visible", DISPATCH_PROPERTYPUT, &visible) && call(L"navigate", DISPATCH_METHOD, &address);
    VariantClear(&address);
    ie->Release();
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return ok;
}
}  // namespace

void WebImageCommands::AddTo(commands::CommandTable& table) {
  table.Add(IDM_GOTOURL, [this] { GotoURL1Click(); },
            [this] { return items_.GoToUrlEnabled(c_.session, c_.selection); });
  table.Add(IDM_VIEWEDITNOTE, [this] { ViewEditnote1Click(); },
            [this] { return items_.NoteEnabled(); });
}

void WebImageCommands::ImageMenuOpening() { items_.NoteMenuOpening(c_.session, c_.selection); }

void WebImageCommands::GotoURL1Click() {
  const auto selected = c_.selection.Selected();
  if (selected.empty()) {
    c_.window.Message("Please select an image name", "Error", MB_OK | MB_ICONWARNING);
    return;
  }
  if (selected.size() > 1) {
    c_.window.Message("Please select one image name only", "Error", MB_OK | MB_ICONWARNING);
    return;
  }
  const std::string& stored = c_.session.At(selected.front()).url;
  if (stored.empty()) return;
  if (!IsOpenableWebAddress(stored)) {
    c_.window.Message(NotAWebAddressMessage(stored), "Error", MB_OK | MB_ICONWARNING);
    return;
  }
  const std::string url = TrimAddress(stored);
  if (url.size() < 256) {
    ShellExecuteA(c_.window.Owner(), "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  } else if (!NavigateInNewBrowser(url)) {
    c_.window.Error("Cannot start Internet Explorer to open the web address.");
  }
}

void WebImageCommands::ViewEditnote1Click() {
  if (c_.session.Empty()) return;
  const std::string& note_path = items_.RememberedNotePath();
  std::vector<std::string> lines;
  if (!note_path.empty() && FileExists(note_path)) {
    const auto bytes = ReadFileBytes(note_path);
    lines = SplitLines(std::string(bytes.begin(), bytes.end()));
  } else {
    const auto selected = c_.selection.Selected();
    if (selected.empty() || note_path.empty()) return;
    const std::string& name = c_.session.At(selected.front()).name;
    if (c_.window.Message("There is no note for " + name + ".\rDo you want to add note?", "Note",
                          MB_YESNO | MB_ICONQUESTION) != IDYES)
      return;
  }
  TfrmComment dialog;
  dialog.Run(c_.window.Owner(), note_path, lines);
}

}  // namespace ocelot::output
