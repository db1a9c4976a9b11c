// Runs the command as a child process with CreateProcess: its output goes to
// files in the folder, its environment is this one's with the folder as its
// home and application data, and it is ended if it outlives kCommandSeconds.
#include <windows.h>

#include <cwctype>
#include <string>
#include <vector>

#include "command_runner.h"

namespace heart::testing {
namespace {

std::wstring wide(const std::string& text) {
  if (text.empty()) return {};
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
  return result;
}

// One argument as the C run-time's command-line parser reads it back:
// quoted, with backslashes doubled where a quote follows them.
std::wstring quoted(const std::wstring& argument) {
  std::wstring result = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    result.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    result += c;
  }
  result.append(backslashes * 2, L'\\');
  return result + L"\"";
}

bool sameName(const std::wstring& entry, const wchar_t* name) {
  const size_t length = std::wcslen(name);
  if (entry.size() <= length || entry[length] != L'=') return false;
  for (size_t i = 0; i < length; ++i) {
    if (std::towupper(entry[i]) != std::towupper(name[i])) return false;
  }
  return true;
}

// This process's environment without the variables that would point the
// command at the user's own record, plus the folder as home.
std::vector<wchar_t> environmentFor(const std::filesystem::path& folder) {
  const wchar_t* dropped[] = {L"HOME", L"APPDATA", L"HEART_RECORD", L"XDG_CONFIG_HOME"};
  std::vector<std::wstring> entries;
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* entry = block; *entry; entry += std::wcslen(entry) + 1) {
    bool keep = true;
    for (const wchar_t* name : dropped) keep = keep && !sameName(entry, name);
    if (keep) entries.emplace_back(entry);
  }
  FreeEnvironmentStringsW(block);
  entries.push_back(L"HOME=" + folder.wstring());
  entries.push_back(L"APPDATA=" + folder.wstring());
  std::vector<wchar_t> result;
  for (const std::wstring& entry : entries) {
    result.insert(result.end(), entry.begin(), entry.end());
    result.push_back(L'\0');
  }
  result.push_back(L'\0');
  return result;
}

HANDLE inheritableFile(const std::filesystem::path& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

CommandResult runHeart(const std::vector<std::string>& arguments,
                       const std::filesystem::path& folder) {
  const std::filesystem::path out = outputFile(folder);
  const std::filesystem::path err = errorFile(folder);
  CommandResult result;
  std::wstring commandLine = quoted(std::filesystem::absolute(HEART_COMMAND_PATH).wstring());
  for (const std::string& argument : arguments) commandLine += L" " + quoted(wide(argument));
  std::vector<wchar_t> environment = environmentFor(folder);

  HANDLE input = inheritableFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
  HANDLE output = inheritableFile(out, GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE errors = inheritableFile(err, GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = errors;
  PROCESS_INFORMATION process{};
  const bool started = input != INVALID_HANDLE_VALUE && output != INVALID_HANDLE_VALUE &&
                       errors != INVALID_HANDLE_VALUE &&
                       CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                      CREATE_UNICODE_ENVIRONMENT, environment.data(),
                                      folder.c_str(), &startup, &process);
  for (HANDLE handle : {input, output, errors}) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  if (started) {
    if (WaitForSingleObject(process.hProcess, kCommandSeconds * 1000) == WAIT_OBJECT_0) {
      DWORD code = 0;
      if (GetExitCodeProcess(process.hProcess, &code)) result.exitCode = static_cast<int>(code);
    } else {
      TerminateProcess(process.hProcess, 1);
      WaitForSingleObject(process.hProcess, INFINITE);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  takeOutput(folder, result);
  return result;
}

}  // namespace heart::testing
