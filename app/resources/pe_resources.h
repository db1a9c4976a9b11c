// The plug-in's resources as a Windows module holds them (the property list
// "PIPL", the string table, dialog templates, icon and cursor groups and the
// version record; layouts in plugin/resources/FORMAT.md), decoded into the
// same form as the resource block of other modules.
#pragma once

#include <string>

#include "core/result.h"
#include "resources/pe_image.h"
#include "resources/plugin_resources.h"

namespace heart {

// The resources of `image`, or why they cannot be decoded.
Result<PluginResources> decodePeResources(const PeImage& image);

}  // namespace heart
