// Output files on Windows: a regular file (or a new name) is replaced in one
// piece through a temporary file beside it and MoveFileEx; a symbolic link
// is followed and its target replaced; a device (NUL, CON, a COM port) is
// written into directly. Errors give the reason Windows gave.
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "core/output_file.h"
#include "core/output_file_steps.h"
#include "core/windows_error_text.h"

namespace heart {
namespace {

namespace fs = std::filesystem;

// The reason without its full stop, as it stands inside a sentence.
std::string systemReason(DWORD code) { return windowsErrorText(code, "\n\r."); }

bool writeAll(HANDLE file, std::string_view bytes, DWORD* code) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) {
      *code = GetLastError();
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace

Result<void> writeToStandardOutput(std::string_view bytes) {
  std::fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
      std::fflush(stdout) != 0)
    return fail("cannot write to the standard output");
  return {};
}

namespace {

// A device: opened as it is and written into, never replaced.
Result<void> writeIntoDevice(const std::string& shown, const std::wstring& target,
                             std::string_view bytes) {
  HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return failWriting(shown, systemReason(GetLastError()));
  DWORD code = 0;
  bool written = writeAll(file, bytes, &code);
  CloseHandle(file);
  if (!written) return failWriting(shown, systemReason(code));
  return {};
}

// The device names Windows keeps in every folder.
bool isDeviceName(const fs::path& path) {
  std::wstring stem = path.stem().wstring();
  for (wchar_t& c : stem) c = static_cast<wchar_t>(towupper(c));
  static const wchar_t* const kDevices[] = {L"NUL",  L"CON",  L"PRN",  L"AUX",  L"COM1",
                                            L"COM2", L"COM3", L"COM4", L"LPT1", L"LPT2"};
  for (const wchar_t* device : kDevices)
    if (stem == device) return true;
  return false;
}

Result<void> replaceAtomically(const std::string& shown, const fs::path& target,
                               std::string_view bytes) {
  std::random_device entropy;
  HANDLE file = INVALID_HANDLE_VALUE;
  fs::path temporary;
  for (int attempt = 0; attempt < 16 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = temporaryBeside(target, std::to_string(entropy() % 1000000u));
    file = CreateFileW(temporary.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) return failWriting(shown, systemReason(GetLastError()));
  DWORD code = 0;
  bool written = writeAll(file, bytes, &code);
  if (written && !FlushFileBuffers(file)) {
    code = GetLastError();
    written = false;
  }
  CloseHandle(file);
  if (written && !MoveFileExW(temporary.wstring().c_str(), target.wstring().c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    code = GetLastError();
    written = false;
  }
  if (!written) {
    DeleteFileW(temporary.wstring().c_str());
    return failWriting(shown, systemReason(code));
  }
  return {};
}

}  // namespace

Result<std::string> resolveLinks(const std::string& path) {
  fs::path current(path);
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code code;
    if (!fs::is_symlink(fs::symlink_status(current, code))) return current.string();
    fs::path next = fs::read_symlink(current, code);
    if (code) {
      return fail("cannot follow the link " + path + ": " + code.message());
    }
    if (next.is_relative()) next = current.parent_path() / next;
    current = next;
  }
  return fail("cannot follow the link " + path + ": too many levels of links");
}

Result<void> writeResolvedOutput(const std::string& path, const std::string& target,
                                 std::string_view bytes) {
  fs::path targetPath(target);
  if (isDeviceName(targetPath)) return writeIntoDevice(path, targetPath.wstring(), bytes);
  std::error_code code;
  fs::file_status status = fs::status(targetPath, code);
  if (fs::is_directory(status)) return failWriting(path, "it is a folder");
  if (fs::exists(status) && !fs::is_regular_file(status))
    return failWriting(path, "it is neither a file nor a device");
  return replaceAtomically(path, targetPath, bytes);
}

// Windows answers for a folder's permissions only when a file is made in it:
// the folder's existence is what is checked beforehand.
bool folderAcceptsFiles(const std::string&) { return true; }

}  // namespace heart
#endif  // _WIN32
