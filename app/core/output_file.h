// Writing an output file without destroying what the name stands for.
//
// A regular file (or a name that does not exist yet) is replaced atomically:
// the bytes go to a temporary file in the same folder, which then takes the
// name, so a failed write leaves the old file as it was; an existing file's
// permission bits are kept. A symbolic link is followed and its final target
// replaced the same way, so the link stays a link. A character device, FIFO
// or socket is written into directly and never replaced. "-" is the standard
// output. Errors name the file and give the reason the system gave.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace heart {

// The name standing for the standard output.
inline constexpr std::string_view kStandardOutputName = "-";

// Temporary files are named ".NAME.heart-tmp-XXXXXX" beside NAME.
inline constexpr std::string_view kTemporaryMarker = ".heart-tmp-";

Result<void> writeOutputFile(const std::string& path, std::string_view bytes);

// Refuses, before anything is made, an output whose folder is missing, is not
// a folder or does not let this user write in it (a device, FIFO or socket,
// and "-", pass), in the words writeOutputFile would use.
Result<void> checkOutputFolder(const std::string& path);

// The file a path stands for once symbolic links are followed (the path of
// the final target, which need not exist). Answers the path itself when it is
// no link; a failure for a loop of links.
Result<std::string> resolveLinks(const std::string& path);

// One input file of a command and what it is called in messages.
struct NamedInput {
  std::string path;
  std::string role;  // "the stored record", "the script", ...
};

// Refuses (a failure naming both files) when `output` is the same file as one of `inputs`:
// the same device and inode once links are followed, or, for a file that
// does not exist yet, the same resolved path. "-" and empty paths never match.
Result<void> refuseOverwritingInput(const std::string& output, const std::string& outputRole,
                                    const std::vector<NamedInput>& inputs);

}  // namespace heart
