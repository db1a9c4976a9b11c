#include "export/png_export.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

namespace heart {

bool writePngFile(const Document& document, const std::string& path, std::string* error,
                  const RenderProgress& progress) {
  std::optional<std::vector<unsigned char>> png =
      renderPng(document, pageFrame(document), error, progress);
  return png && writeBytesToFile(*png, path, error);
}

bool writeBytesToFile(const std::vector<unsigned char>& bytes, const std::string& path,
                      std::string* error) {
  auto fail = [&](int code) {
    if (error) *error = "cannot write " + path + ": " + std::strerror(code);
    return false;
  };
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return fail(errno);
  size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
  int code = written == bytes.size() ? 0 : errno;
  if (std::fclose(file) != 0 && code == 0) code = errno ? errno : EIO;
  if (written != bytes.size() && code == 0) code = EIO;
  return code == 0 ? true : fail(code);
}

}  // namespace heart
