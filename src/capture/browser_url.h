// The web address of a browser window in the foreground, asked for over DDE.
#pragma once

#include <windows.h>

#include <string>

namespace ocelot::capture {

// Recognises the browser by the window's class name (and title) and asks its DDE service
// "WWW_GetWindowInfo" for item "0xFFFFFFFF". `browser_kind` becomes 0 (none), 1
// ("IExplore") or 2 ("Netscape"). The address, trimmed; "" when the window is no browser
// or the browser does not answer. A reply longer than 511 characters is cut there.
std::string ReadBrowserUrl(HWND foreground, int& browser_kind);

// The raw reply of a DDE service for the browser request; "" when it does not answer.
std::string RequestBrowserWindowInfo(const char* service);

}  // namespace ocelot::capture
