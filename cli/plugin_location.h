// Where `heart` finds the plug-in module when --plugin does not say.
#pragma once

#include <string>

namespace heart::cli {

// `given` when it is not empty; otherwise $HEART_PLUGIN_PATH when set;
// otherwise the installed plug-in folder beside this program (its place
// relative to the program's folder is fixed when it is built, so an
// installed tree can be moved as a whole); otherwise empty, which makes the
// host load the module built with it.
std::string pluginLocation(const std::string& given);

}  // namespace heart::cli
