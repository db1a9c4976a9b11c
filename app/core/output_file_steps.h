// The pieces that writing an output file takes the same way on every system
// (the names it refuses or passes on, how a failure is reported, what the
// temporary file beside the target is called) and the two that each system
// does its own way. Internal to the output-file sources.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace heart {

// Sets *error (when asked for) to the text; answers false.
bool fail(std::string* error, const std::string& text);

// "cannot write SHOWN: REASON", as fail() reports it.
bool failWriting(std::string* error, const std::string& shown, const std::string& reason);

// The system's own parts of writeOutputFile: the bytes to the standard
// output, and to `target`, the file `path` stands for once links are
// followed, named `path` in messages.
bool writeToStandardOutput(std::string_view bytes, std::string* error);
bool writeResolvedOutput(const std::string& path, const std::string& target, std::string_view bytes,
                         std::string* error);

// ".NAME.heart-tmp-UNIQUE" in the target's folder.
std::filesystem::path temporaryBeside(const std::filesystem::path& target, std::string_view unique);

}  // namespace heart
