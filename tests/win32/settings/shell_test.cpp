#include "settings/shell.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/text.h"
#include "temp_folder.h"

using namespace ocelot;
using namespace ocelot::settings;

TEST(Shell, GetShellFolderOutsideTheTableIsEmpty) {
  EXPECT_EQ(GetShellFolder(-1), "");
  EXPECT_EQ(GetShellFolder(10), "");
}

TEST(Shell, CreateShortcutWritesALinkWithEveryField) {
  TempFolder dir;
  ShortcutArgs a;
  a.link_path = JoinPath(dir.path(), "Ocelot.lnk");
  a.target = "C:\\windows\\notepad.exe";
  a.arguments = "-x";
  a.description = "Ocelot";
  a.start_in = "C:\\windows";
  a.set_icon = true;
  a.icon_file = "C:\\windows\\notepad.exe";
  a.icon_index = 0;
  ASSERT_TRUE(CreateShortcut(a));
  ASSERT_TRUE(FileExists(a.link_path));

  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                            reinterpret_cast<void**>(&link)));
  IPersistFile* file = nullptr;
  ASSERT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
  std::wstring wide(a.link_path.begin(), a.link_path.end());
  ASSERT_HRESULT_SUCCEEDED(file->Load(wide.c_str(), STGM_READ));
  char buf[MAX_PATH] = {};
  link->GetArguments(buf, sizeof buf);
  EXPECT_STREQ(buf, "-x");
  link->GetDescription(buf, sizeof buf);
  EXPECT_STREQ(buf, "Ocelot");
  link->GetWorkingDirectory(buf, sizeof buf);
  EXPECT_TRUE(EqualsIgnoreCase(buf, "C:\\windows"));
  link->GetPath(buf, sizeof buf, nullptr, 0);
  EXPECT_TRUE(EqualsIgnoreCase(buf, "C:\\windows\\notepad.exe"));
  file->Release();
  link->Release();
  CoUninitialize();
}
