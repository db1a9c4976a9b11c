#include "plugin/dialog/dialog_layout.h"

namespace {

// Every entry text begins with one blank; each entry's ID is its position.
const char* const kSettingsEntries[kSettingsEntryCount] = {
    " Reset",
    " Random fill of heart",
    " 100 random color hearts",
    " Taller heart",
    " Wider heart",
    " Higher heart",
    " Leaning",
    " Closer",
    " Sharper",
    " Flatten",
    " Swing",
    " Sketchy heart 1",
    " Sketchy heart 2",
    " Color heart 1",
    " Sketchy heart 3",
    " Color heart 2",
    " Color heart 3",
    " Single line heart",
    " 100 random fill line heart",
    " 100 random fill line heart mix",
    " 50 random fill line heart mix",
    " Interpolate 50",
    " Interpolate -50",
    " Interpolate 150",
    " Repeat scaled opacity",
    " Repeat scaled fill",
    " Repeat scaled position",
};

const char* const kPlacementEntries[kPlacementEntryCount] = {
    " Place heart at user entered center position",
    " Place heart at center of document",
    " Place heart anywhere in document",
    " Bottom left corner",
    " Randomized horizontally (but use current vertical)",
    " Randomized vertically (but use current horizontal)",
    " Any document corner",
    " Place heart as frame",
};

const char* const kHeartPresetEntries[kHeartPresetEntryCount] = {
    " Heart 1", " Heart 2", " Heart 3", " Heart 4", " Heart 5",
    " Heart 6", " Heart 7", " Heart 8", " Heart 9",
};

const char* const kSketchColorEntries[kSketchColorEntryCount] = {
    " Sketch color options - Use black",
    " Use same color as original path",
    " Use random color",
    " Use random swatch color",
    " Reduced",
    " Random reduced",
    " Random black / color",
    " Use shift (otherwise black)",
    " Use black + random opacity",
    " Use random color + random opacity",
    " Reducing opacity",
    " Use white + random opacity",
};

}  // namespace

const PopupListLayout kPopupLists[kPopupListCount] = {
    {kSettingsListItem, kNoProcedure, kSettingsEntries, kSettingsEntryCount},
    {kPlacementListItem, kValueProcedure, kPlacementEntries, kPlacementEntryCount},
    {kHeartPresetListItem, kHeartPresetProcedure, kHeartPresetEntries, kHeartPresetEntryCount},
    {kSketchColorListItem, kValueProcedure, kSketchColorEntries, kSketchColorEntryCount},
};
