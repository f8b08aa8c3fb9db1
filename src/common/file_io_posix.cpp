// File access for the native build (tests and tools on Linux).
#include "common/error.h"
#include "common/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ocelot {

namespace {
// The program builds Windows paths ("folder\\name"); on the test host a backslash is a
// folder separator too.
std::string Native(const std::string& path) {
  std::string p = path;
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

std::string Reason(const std::string& what, const std::string& path) {
  return what + " \"" + path + "\": " + std::strerror(errno);
}
}  // namespace

bool FileExists(const std::string& path) {
  struct stat st{};
  return ::stat(Native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat st{};
  return ::stat(Native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::size_t max_bytes) {
  const int fd = ::open(Native(path).c_str(), O_RDONLY);
  if (fd < 0) throw Error(Reason("Cannot open file", path));
  std::vector<std::uint8_t> out;
  std::uint8_t buf[65536];
  while (out.size() < max_bytes) {
    const std::size_t want = std::min(sizeof buf, max_bytes - out.size());
    const ssize_t n = ::read(fd, buf, want);
    if (n < 0) { ::close(fd); throw Error(Reason("Cannot read file", path)); }
    if (n == 0) break;
    out.insert(out.end(), buf, buf + n);
  }
  ::close(fd);
  return out;
}

namespace {
bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}
}  // namespace

void ReplaceFileContents(const std::string& path, const std::string& temp_path, std::span<const std::uint8_t> bytes) {
  const int fd = ::open(Native(temp_path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  // The message names the file the caller asked for, never the temporary one.
  if (fd < 0) throw Error(Reason("Cannot write file", path));
  const bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int saved = errno;
  ::close(fd);
  if (!ok || ::rename(Native(temp_path).c_str(), Native(path).c_str()) != 0) {
    errno = ok ? errno : saved;
    const std::string msg = Reason("Cannot write file", path);
    ::unlink(Native(temp_path).c_str());
    throw Error(msg);
  }
}

void WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
  const int fd = ::open(Native(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) throw Error(Reason("Cannot create file", path));
  const bool ok = WriteAll(fd, bytes);
  ::close(fd);
  if (!ok) throw Error(Reason("Cannot write file", path));
}

bool RemoveFile(const std::string& path) { return ::unlink(Native(path).c_str()) == 0 || !FileExists(path); }

bool CreateFolder(const std::string& path) {
  return ::mkdir(Native(path).c_str(), 0755) == 0 || FolderExists(path);
}

bool CreateFolders(const std::string& path) {
  if (path.empty() || FolderExists(path)) return !path.empty();
  const auto slash = path.find_last_of("/\\");
  if (slash != std::string::npos && slash > 0) CreateFolders(path.substr(0, slash));
  return CreateFolder(path);
}

}  // namespace ocelot
