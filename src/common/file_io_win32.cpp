// File access for the Windows build: ANSI paths straight to the Win32 file API.
#include "common/error.h"
#include "common/file_io.h"

#include <windows.h>

namespace ocelot {

namespace {
std::string SystemMessage(DWORD code) {
  char buf[512] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buf,
                           sizeof buf, nullptr);
  std::string s(buf, n);
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ')) s.pop_back();
  return s.empty() ? "error " + std::to_string(code) : s;
}

std::string Reason(const std::string& what, const std::string& path, DWORD code) {
  return what + " \"" + path + "\": " + SystemMessage(code);
}

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() { if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  void close() { if (valid()) CloseHandle(h_); h_ = INVALID_HANDLE_VALUE; }
 private:
  HANDLE h_;
};

bool WriteAll(HANDLE h, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD n = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    if (!WriteFile(h, bytes.data() + done, want, &n, nullptr) || n == 0) return false;
    done += n;
  }
  return true;
}
}  // namespace

bool FileExists(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::size_t max_bytes) {
  FileHandle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f.valid()) throw Error(Reason("Cannot open file", path, GetLastError()));
  std::vector<std::uint8_t> out;
  std::uint8_t buf[65536];
  while (out.size() < max_bytes) {
    DWORD n = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(sizeof buf, max_bytes - out.size()));
    if (!ReadFile(f.get(), buf, want, &n, nullptr)) throw Error(Reason("Cannot read file", path, GetLastError()));
    if (n == 0) break;
    out.insert(out.end(), buf, buf + n);
  }
  return out;
}

void ReplaceFileContents(const std::string& path, const std::string& temp_path, std::span<const std::uint8_t> bytes) {
  FileHandle f(CreateFileA(temp_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr));
  // The message names the file the caller asked for, never the temporary one.
  if (!f.valid()) throw Error(Reason("Cannot write file", path, GetLastError()));
  bool ok = WriteAll(f.get(), bytes) && FlushFileBuffers(f.get());
  DWORD code = ok ? 0 : GetLastError();
  f.close();
  if (ok && !MoveFileExA(temp_path.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ok = false;
    code = GetLastError();
  }
  if (!ok) {
    DeleteFileA(temp_path.c_str());
    throw Error(Reason("Cannot write file", path, code));
  }
}

void WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
  FileHandle f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f.valid()) throw Error(Reason("Cannot create file", path, GetLastError()));
  if (!WriteAll(f.get(), bytes)) throw Error(Reason("Cannot write file", path, GetLastError()));
}

bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) || !FileExists(path); }

bool CreateFolder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) || FolderExists(path);
}

bool CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  if (FolderExists(path)) return true;
  const auto slash = path.find_last_of("\\/");
  // Stop at a drive root ("c:") or a share name; those are never created.
  if (slash != std::string::npos && slash > 0 && path[slash - 1] != ':' && path[slash - 1] != '\\')
    CreateFolders(path.substr(0, slash));
  return CreateFolder(path);
}

}  // namespace ocelot
