// Result codes as people read them: a four-character code as its characters,
// a small number in decimal.
#pragma once

#include <string>

#include "plugin/host/heart_types.h"

namespace heart::cli {

// "'!sel'" for a code whose four bytes are printable characters, "-108" for
// a number, "0" for success.
std::string resultText(ASErr code);

}  // namespace heart::cli
