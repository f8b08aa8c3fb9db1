// TfrmMain: "&Go to URL", the web address a session image was captured from.
#include <windows.h>
#include <oleauto.h>
#include <shellapi.h>

#include <string>

#include "app/frm_main.h"
#include "win/message_box.h"

namespace ocelot::app {

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

void TfrmMain::GotoURL1Click() {
  const auto selected = session_.Selected();
  if (selected.empty()) {
    win::ShowMessage(hwnd(), "Please select an image name", "Error", MB_OK | MB_ICONWARNING);
    return;
  }
  if (selected.size() > 1) {
    win::ShowMessage(hwnd(), "Please select one image name only", "Error", MB_OK | MB_ICONWARNING);
    return;
  }
  const std::string& url = session_.At(selected.front()).url;
  if (url.empty()) return;
  if (url.size() < 256) {
    ShellExecuteA(hwnd(), "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  } else if (!NavigateInNewBrowser(url)) {
    win::ShowError(hwnd(), "Cannot start Internet Explorer to open the web address.");
  }
}

}  // namespace ocelot::app
