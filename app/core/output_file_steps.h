// The pieces that writing an output file takes the same way on every system
// (the names it refuses or passes on, how a failure is reported, what the
// temporary file beside the target is called) and the two that each system
// does its own way. Internal to the output-file sources.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/result.h"

namespace heart {

// "cannot write SHOWN: REASON".
Failure failWriting(const std::string& shown, const std::string& reason);

// The system's own parts of writeOutputFile: the bytes to the standard
// output, and to `target`, the file `path` stands for once links are
// followed, named `path` in messages.
Result<void> writeToStandardOutput(std::string_view bytes);
// Whether the system lets this user make a file in the folder.
bool folderAcceptsFiles(const std::string& folder);
Result<void> writeResolvedOutput(const std::string& path, const std::string& target,
                                 std::string_view bytes);

// ".NAME.heart-tmp-UNIQUE" in the target's folder.
std::filesystem::path temporaryBeside(const std::filesystem::path& target, std::string_view unique);

}  // namespace heart
