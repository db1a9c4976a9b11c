#include "dialog/dialog_layout.h"

namespace {

#define SPIN(id, l, t, r, b, proc) \
  { id, kSpinEditItem, {l, t, r, b}, nullptr, proc }
#define LABEL(id, l, t, r, b, text) \
  { id, kTextStaticItem, {l, t, r, b}, text, kNoProcedure }
#define POPUP(id, l, t, r, b, proc) \
  { id, kPopupListItem, {l, t, r, b}, nullptr, proc }
#define PICTURE(id, l, t, r, b, proc) \
  { id, kPicturePushButtonItem, {l, t, r, b}, nullptr, proc }
#define BUTTON(id, l, t, r, b, text, proc) \
  { id, kTextPushButtonItem, {l, t, r, b}, text, proc }
#define CHECK(id, l, t, r, b, text) \
  { id, kTextCheckBoxItem, {l, t, r, b}, text, kValueProcedure }
// The shape tweak grid: four rows of four, item 40 + k in row k / 4, column k % 4.
#define TWEAK(k)                                                                \
  SPIN(40 + (k), 20 + 70 * ((k) % 4), 70 + 22 * ((k) / 4), 80 + 70 * ((k) % 4), \
       90 + 22 * ((k) / 4), kValueProcedure)
// The settings pages' check boxes: one column, 17 apart from the top at 60.
#define SETTING(id, row, text) CHECK(id, 10, 60 + 17 * (row), 300, 74 + 17 * (row), text)

}  // namespace

const DialogItemLayout kDialogItems[kDialogItemCount] = {
    // Spin edits.
    SPIN(11, 180, 70, 240, 90, kValueProcedure),
    SPIN(12, 180, 92, 240, 112, kValueProcedure),
    SPIN(13, 280, 92, 340, 112, kValueProcedure),
    SPIN(14, 180, 114, 240, 134, kValueProcedure),
    SPIN(15, 280, 114, 340, 134, kValueProcedure),
    SPIN(16, 180, 136, 240, 156, kValueProcedure),
    SPIN(27, 450, 295, 510, 315, kZoomProcedure),
    SPIN(17, 180, 70, 240, 90, kValueProcedure),
    SPIN(18, 250, 70, 310, 90, kValueProcedure),
    SPIN(19, 180, 92, 240, 112, kValueProcedure),
    SPIN(20, 250, 92, 310, 112, kValueProcedure),
    SPIN(21, 180, 114, 240, 134, kValueProcedure),
    SPIN(22, 250, 114, 310, 134, kValueProcedure),
    TWEAK(0),
    TWEAK(1),
    TWEAK(2),
    TWEAK(3),
    TWEAK(4),
    TWEAK(5),
    TWEAK(6),
    TWEAK(7),
    TWEAK(8),
    TWEAK(9),
    TWEAK(10),
    TWEAK(11),
    TWEAK(12),
    TWEAK(13),
    TWEAK(14),
    TWEAK(15),
    SPIN(26, 180, 226, 240, 246, kValueProcedure),
    SPIN(4, 180, 90, 240, 110, kValueProcedure),
    SPIN(5, 180, 112, 240, 132, kValueProcedure),
    SPIN(6, 180, 134, 240, 154, kValueProcedure),
    SPIN(8, 180, 156, 240, 176, kValueProcedure),
    SPIN(9, 180, 178, 240, 198, kValueProcedure),
    SPIN(7, 180, 200, 240, 220, kValueProcedure),
    SPIN(24, 180, 250, 240, 270, kValueProcedure),
    SPIN(23, 180, 272, 240, 292, kValueProcedure),
    SPIN(25, 180, 294, 240, 314, kValueProcedure),
    // Labels.
    LABEL(70, 10, 70, 178, 90, "Heart height (p)"),
    LABEL(71, 10, 92, 178, 112, "Curve distance (p)"),
    LABEL(72, 10, 114, 178, 134, "Curve height (p)"),
    LABEL(79, 10, 136, 178, 156, "Slant (o)"),
    LABEL(74, 10, 80, 178, 100, "Curve length (p)"),
    LABEL(73, 10, 114, 178, 134, "Curve angle (o)"),
    LABEL(80, 10, 200, 100, 220, "Anchors"),
    LABEL(84, 10, 226, 178, 246, "Interpolate points (%)"),
    LABEL(76, 10, 134, 178, 154, "Angle (o)"),
    LABEL(75, 10, 166, 178, 186, "Scaling (%)"),
    LABEL(77, 10, 200, 178, 220, "Number of hearts"),
    LABEL(82, 10, 250, 178, 270, "Sketch weight (/10p)"),
    LABEL(81, 10, 272, 178, 292, "Sketch shift (p)"),
    LABEL(83, 10, 294, 178, 314, "Sketch repeats"),
    // Popup lists; the placement and heart preset lists get their procedures
    // when they are filled.
    POPUP(65, 440, 242, 520, 262, kSettingsListProcedure),
    POPUP(10, 10, 100, 160, 120, kNoProcedure),
    POPUP(66, 10, 170, 160, 190, kNoProcedure),
    POPUP(67, 10, 225, 160, 245, kValueProcedure),
    // Point picker buttons, each beside the spin edit it sets.
    PICTURE(160, 250, 70, 270, 90, kPointPickerProcedure),
    PICTURE(161, 250, 92, 270, 112, kPointPickerProcedure),
    PICTURE(162, 350, 92, 370, 112, kPointPickerProcedure),
    PICTURE(163, 250, 114, 270, 134, kPointPickerProcedure),
    PICTURE(164, 350, 114, 370, 134, kPointPickerProcedure),
    PICTURE(165, 250, 136, 270, 156, kPointPickerProcedure),
    PICTURE(166, 250, 226, 270, 246, kPointPickerProcedure),
    PICTURE(167, 250, 156, 270, 176, kPointPickerProcedure),
    PICTURE(168, 250, 178, 270, 198, kPointPickerProcedure),
    // The command column.
    BUTTON(2, 440, 40, 520, 60, "Cancel", kNoProcedure),
    BUTTON(60, 440, 70, 520, 90, "Shuffle", kValueProcedure),
    BUTTON(61, 440, 100, 520, 120, "Tumble", kTumbleProcedure),
    BUTTON(62, 440, 130, 520, 150, "Tweak", kAdjustProcedure),
    BUTTON(63, 440, 160, 520, 180, "Jitter", kAdjustProcedure),
    BUTTON(64, 440, 190, 520, 210, "Boost", kAdjustProcedure),
    // Check boxes.
    CHECK(3, 440, 220, 520, 234, "Preview"),
    CHECK(133, 10, 200, 145, 214, "Symmetric"),
    CHECK(137, 105, 200, 125, 214, nullptr),
    CHECK(139, 130, 200, 150, 214, nullptr),
    CHECK(138, 155, 200, 175, 214, nullptr),
    CHECK(140, 180, 200, 200, 214, nullptr),
    SETTING(115, 0, "Fill [R]"),
    SETTING(116, 1, "Fill swatches [R]"),
    SETTING(117, 2, "Stroke [R]"),
    SETTING(121, 3, "Width [R]"),
    SETTING(122, 4, "Opacity [R]"),
    SETTING(123, 5, "Style [R]"),
    SETTING(118, 6, "Heart [R]"),
    SETTING(136, 7, "Curve [R]"),
    SETTING(126, 8, "Drop shadow"),
    SETTING(143, 9, "Shadow direction [R]"),
    SETTING(144, 10, "Shadow opacity [R]"),
    SETTING(145, 11, "Half fill shadow"),
    SETTING(146, 12, "Shadow scaling [R]"),
    SETTING(120, 13, "Create points [R]"),
    SETTING(134, 14, "Direction points [R]"),
    SETTING(135, 0, "New Layer"),
    SETTING(125, 1, "Symbolize"),
    SETTING(127, 2, "Warp [R]"),
    SETTING(124, 3, "Scaling [R]"),
    SETTING(119, 4, "Angle [R]"),
    SETTING(132, 5, "Jitter scaling [R]"),
    SETTING(131, 6, "Jitter center [R]"),
    SETTING(128, 7, "Jitter fill [R]"),
    SETTING(129, 8, "Jitter stroke [R]"),
    SETTING(130, 9, "Jitter width [R]"),
    SETTING(141, 10, "Sketch shift [R]"),
    SETTING(142, 11, "Sketch weight [R]"),
    SETTING(147, 12, "Basic pattern"),
    // Page buttons along the top, then the captions under them.
    PICTURE(90, 10, 5, 60, 35, kPageButtonProcedure),
    PICTURE(91, 80, 5, 130, 35, kPageButtonProcedure),
    PICTURE(92, 150, 5, 200, 35, kPageButtonProcedure),
    PICTURE(93, 220, 5, 270, 35, kPageButtonProcedure),
    PICTURE(94, 290, 5, 340, 35, kPageButtonProcedure),
    PICTURE(95, 360, 5, 410, 35, kPageButtonProcedure),
    LABEL(95, 16, 40, 79, 55, "Heart"),
    LABEL(96, 81, 40, 149, 55, "Curve"),
    LABEL(97, 151, 40, 219, 55, "Tweak"),
    LABEL(98, 221, 40, 289, 55, "Create"),
    LABEL(99, 290, 40, 359, 55, "Settings"),
    LABEL(100, 360, 40, 430, 55, "Settings1"),
};

#undef SPIN
#undef LABEL
#undef POPUP
#undef PICTURE
#undef BUTTON
#undef CHECK
#undef TWEAK
#undef SETTING

namespace {

// Each page's items in the order the page button notifier shows or hides them.
const ASInt32 kHeartPageItems[] = {11, 12, 13,  14,  15,  16,  70,  71,
                                   72, 79, 160, 161, 162, 163, 164, 165};
const ASInt32 kCurvePageItems[] = {17, 18, 19, 20, 21, 22, 74, 73, 133};
const ASInt32 kTweakPageItems[] = {40, 41, 42, 43, 44,  45,  46,  47,  48, 49, 50, 51, 52,
                                   53, 54, 55, 80, 137, 138, 139, 140, 66, 26, 84, 166};
const ASInt32 kCreatePageItems[] = {10, 4,  5,  6,  8,  9,  7,  76,  75, 77,
                                    67, 23, 24, 25, 81, 82, 83, 167, 168};
const ASInt32 kSettingsPageItems[] = {115, 116, 117, 118, 136, 134, 120, 121,
                                      122, 123, 126, 143, 144, 146, 145};
const ASInt32 kSettings1PageItems[] = {127, 128, 129, 130, 131, 132, 135,
                                       125, 124, 119, 141, 142, 147};

template <int N>
constexpr int countOf(const ASInt32 (&)[N]) {
  return N;
}

}  // namespace

const DialogPage kPages[kPageCount] = {
    {"Heart", 90, 95, 11, kHeartPageItems, countOf(kHeartPageItems)},
    {"Curve", 91, 96, 17, kCurvePageItems, countOf(kCurvePageItems)},
    {"Tweak", 92, 97, 40, kTweakPageItems, countOf(kTweakPageItems)},
    {"Create", 93, 98, 10, kCreatePageItems, countOf(kCreatePageItems)},
    {"Settings", 94, 99, 115, kSettingsPageItems, countOf(kSettingsPageItems)},
    {"Settings1", 95, 100, 135, kSettings1PageItems, countOf(kSettings1PageItems)},
};

const DialogPage& pageFor(int32_t pageNumber) {
  if (pageNumber < 1 || pageNumber > kPageCount) return kPages[0];
  return kPages[pageNumber - 1];
}

int pageOfItem(ASInt32 itemId) {
  for (int page = 0; page < kPageCount; ++page)
    for (int i = 0; i < kPages[page].itemCount; ++i)
      if (kPages[page].items[i] == itemId) return page + 1;
  return 0;
}

const FieldInfo* fieldForItem(ASInt32 itemId) {
  if (itemId <= 0) return nullptr;
  for (const FieldInfo& field : kFieldTable)
    if (field.dialogItem == itemId) return &field;
  return nullptr;
}
