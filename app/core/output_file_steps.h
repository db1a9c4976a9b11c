// The pieces that writing an output file takes the same way on every system:
// how a failure is reported and what the temporary file beside the target is
// called. Internal to the output-file sources.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace heart {

// Sets *error (when asked for) to the text; answers false.
bool fail(std::string* error, const std::string& text);

// "cannot write SHOWN: REASON", as fail() reports it.
bool failWriting(std::string* error, const std::string& shown, const std::string& reason);

// ".NAME.heart-tmp-UNIQUE" in the target's folder.
std::filesystem::path temporaryBeside(const std::filesystem::path& target, std::string_view unique);

}  // namespace heart
