// Output files on POSIX systems: links, devices, FIFOs and sockets as the
// header describes, through the system calls directly.
#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include "core/output_file.h"
#include "core/output_file_steps.h"

namespace heart {
namespace {

namespace fs = std::filesystem;

std::string reason(int code) { return std::strerror(code); }

// Writes every byte, resuming after interrupted and partial writes.
bool writeAll(int fd, std::string_view bytes, int* code) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      *code = errno;
      return false;
    }
    done += static_cast<size_t>(written);
  }
  return true;
}

}  // namespace

Result<void> writeToStandardOutput(std::string_view bytes) {
  int code = 0;
  if (!writeAll(STDOUT_FILENO, bytes, &code))
    return fail("cannot write to the standard output: " + reason(code));
  return {};
}

namespace {

// A device or FIFO: opened as it is and written into.
Result<void> writeIntoSpecialFile(const std::string& shown, const std::string& target,
                                  std::string_view bytes) {
  int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return failWriting(shown, reason(errno));
  int code = 0;
  bool written = writeAll(fd, bytes, &code);
  if (::close(fd) != 0 && written) {
    code = errno;
    written = false;
  }
  if (!written) return failWriting(shown, reason(code));
  return {};
}

// A listening local socket: connected to and written into.
Result<void> writeIntoSocket(const std::string& shown, const std::string& target,
                             std::string_view bytes) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (target.size() >= sizeof address.sun_path)
    return failWriting(shown, "the socket's path is too long");
  std::memcpy(address.sun_path, target.c_str(), target.size() + 1);
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return failWriting(shown, reason(errno));
  int code = 0;
  bool written = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  if (!written) code = errno;
  if (written) written = writeAll(fd, bytes, &code);
  ::close(fd);
  if (!written) return failWriting(shown, reason(code));
  return {};
}

mode_t currentUmask() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// A regular file, or a name not yet taken: through a temporary file beside it.
Result<void> replaceAtomically(const std::string& shown, const std::string& target,
                               std::optional<mode_t> keptMode, std::string_view bytes) {
  std::string pattern = temporaryBeside(target, "XXXXXX").string();
  int fd = ::mkstemp(pattern.data());
  if (fd < 0) return failWriting(shown, reason(errno));
  const std::string temporary = pattern;
  mode_t mode = keptMode ? *keptMode : (0666 & ~currentUmask());
  int code = 0;
  bool written = ::fchmod(fd, mode) == 0;
  if (!written) code = errno;
  if (written) written = writeAll(fd, bytes, &code);
  if (written && ::fsync(fd) != 0) {
    code = errno;
    written = false;
  }
  if (::close(fd) != 0 && written) {
    code = errno;
    written = false;
  }
  if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
    code = errno;
    written = false;
  }
  if (!written) {
    ::unlink(temporary.c_str());
    return failWriting(shown, reason(code));
  }
  return {};
}

}  // namespace

Result<std::string> resolveLinks(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat status {};
    if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return current;
    std::string target(static_cast<size_t>(status.st_size > 0 ? status.st_size : 4096), '\0');
    ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length < 0) {
      return fail("cannot follow the link " + path + ": " + reason(errno));
    }
    target.resize(static_cast<size_t>(length));
    fs::path next(target);
    if (next.is_relative()) next = fs::path(current).parent_path() / next;
    current = next.string();
  }
  return fail("cannot follow the link " + path + ": " + reason(ELOOP));
}

Result<void> writeResolvedOutput(const std::string& path, const std::string& target,
                                 std::string_view bytes) {
  struct stat status {};
  if (::stat(target.c_str(), &status) != 0) {
    if (errno != ENOENT) return failWriting(path, reason(errno));
    return replaceAtomically(path, target, std::nullopt, bytes);
  }
  if (S_ISDIR(status.st_mode)) return failWriting(path, "it is a folder");
  if (S_ISCHR(status.st_mode) || S_ISFIFO(status.st_mode))
    return writeIntoSpecialFile(path, target, bytes);
  if (S_ISSOCK(status.st_mode)) return writeIntoSocket(path, target, bytes);
  if (!S_ISREG(status.st_mode))
    return failWriting(path, "it is neither a file, a character device, a FIFO nor a socket");
  return replaceAtomically(path, target, status.st_mode & 07777, bytes);
}

bool folderAcceptsFiles(const std::string& folder) {
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace heart
#endif  // _WIN32
