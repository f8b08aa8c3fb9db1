// url_recorder.exe: a stand-in for the program the shell opens web addresses with. It
// appends its command line, one line per start, to the file named by the environment
// variable OCELOT_URL_RECORD (or "url_recorder.txt" beside itself) and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char record[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("OCELOT_URL_RECORD", record, MAX_PATH)) {
    GetModuleFileNameA(nullptr, record, MAX_PATH);
    std::string beside = record;
    beside = beside.substr(0, beside.find_last_of('\\') + 1) + "url_recorder.txt";
    lstrcpynA(record, beside.c_str(), MAX_PATH);
  }
  const std::string line = std::string(GetCommandLineA()) + "\r\n";
  HANDLE f = CreateFileA(record, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(f);
  return ok ? 0 : 1;
}
