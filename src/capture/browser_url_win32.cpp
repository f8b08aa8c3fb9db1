// The DDE client conversation with a browser.
#include "capture/browser_url.h"

#include <ddeml.h>

#include "capture/browser_reply.h"
#include "common/text.h"

namespace ocelot::capture {

namespace {
constexpr DWORD kRequestTimeoutMs = 2000;

HDDEDATA CALLBACK DdeClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;  // a client only: nothing is served
}

// One DDEML instance for one request; everything it made is freed with it.
class DdeClient {
 public:
  DdeClient() {
    if (DdeInitializeA(&inst_, &DdeClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) inst_ = 0;
  }
  ~DdeClient() {
    if (inst_) DdeUninitialize(inst_);
  }
  DdeClient(const DdeClient&) = delete;
  DdeClient& operator=(const DdeClient&) = delete;
  DWORD inst() const { return inst_; }

 private:
  DWORD inst_ = 0;
};

class DdeString {
 public:
  DdeString(DWORD inst, const char* text) : inst_(inst), hsz_(DdeCreateStringHandleA(inst, text, CP_WINANSI)) {}
  ~DdeString() {
    if (hsz_) DdeFreeStringHandle(inst_, hsz_);
  }
  DdeString(const DdeString&) = delete;
  DdeString& operator=(const DdeString&) = delete;
  HSZ get() const { return hsz_; }

 private:
  DWORD inst_;
  HSZ hsz_;
};
}  // namespace

std::string RequestBrowserWindowInfo(const char* service) {
  DdeClient client;
  if (!client.inst()) return {};
  DdeString service_name(client.inst(), service);
  DdeString topic(client.inst(), kBrowserTopic);
  DdeString item(client.inst(), kBrowserItem);
  if (!service_name.get() || !topic.get() || !item.get()) return {};
  HCONV conv = DdeConnect(client.inst(), service_name.get(), topic.get(), nullptr);
  if (!conv) return {};
  std::string reply;
  if (HDDEDATA data =
          DdeClientTransaction(nullptr, 0, conv, item.get(), CF_TEXT, XTYP_REQUEST, kRequestTimeoutMs, nullptr)) {
    char buffer[kBrowserReplyBufferSize] = {};
    DdeGetData(data, reinterpret_cast<LPBYTE>(buffer), sizeof buffer - 1, 0);
    reply = buffer;  // up to the first NUL, at most 511 characters
    DdeFreeDataHandle(data);
  }
  DdeDisconnect(conv);
  return reply;
}

std::string ReadBrowserUrl(HWND foreground, int& browser_kind) {
  browser_kind = kNoBrowser;
  if (!foreground) return {};
  char class_name[255] = {};  // at most 254 characters
  GetClassNameA(foreground, class_name, sizeof class_name);
  char title[256] = {};
  GetWindowTextA(foreground, title, sizeof title);
  const BrowserService browser = BrowserServiceFor(class_name, title);
  browser_kind = browser.kind;
  if (!browser.service) return {};
  return AddressFromBrowserReply(RequestBrowserWindowInfo(browser.service));
}

}  // namespace ocelot::capture
