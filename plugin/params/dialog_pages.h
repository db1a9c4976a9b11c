// The options dialog's six pages, and the one record of which page each item
// stands on: each page's name (the text of its caption), its button and its
// caption, the item notified first when it opens, and the items it shows, in
// the order in which the page button notifier shows or hides them. The
// always-shown column, the page buttons and the captions stand on no page.
// The dialog shows its pages from this table; the command line names the
// page of an item and of a record field from it.
#pragma once

#include <cstdint>
#include <iterator>

#include "plugin/params/dialog_items.h"

constexpr int kDialogPageCount = 6;

struct DialogPage {
  const char* name;
  int32_t button;
  int32_t captionItem;
  int32_t firstItem;  // notified to re-read the dialog when the page opens
  const int32_t* items;
  int itemCount;
};

inline constexpr int32_t kHeartPageItems[] = {
    kHeartHeightItem,     kCurveDistanceLeftItem, kCurveDistanceRightItem,
    kCurveHeightLeftItem, kCurveHeightRightItem,  kSlantItem,
    kHeartHeightLabel,    kCurveDistanceLabel,    kCurveHeightLabel,
    kSlantLabel,          kFirstPickerItem,       kFirstPickerItem + 1,
    kFirstPickerItem + 2, kFirstPickerItem + 3,   kFirstPickerItem + 4,
    kFirstPickerItem + 5};
inline constexpr int32_t kCurvePageItems[] = {
    kCurveLengthLeft1Item,  kCurveLengthLeft2Item, kCurveLengthRight1Item,
    kCurveLengthRight2Item, kCurveAngleLeftItem,   kCurveAngleRightItem,
    kCurveLengthLabel,      kCurveAngleLabel,      kSymmetricItem};
inline constexpr int32_t kTweakPageItems[] = {kFirstShapeTweakItem,
                                              kFirstShapeTweakItem + 1,
                                              kFirstShapeTweakItem + 2,
                                              kFirstShapeTweakItem + 3,
                                              kFirstShapeTweakItem + 4,
                                              kFirstShapeTweakItem + 5,
                                              kFirstShapeTweakItem + 6,
                                              kFirstShapeTweakItem + 7,
                                              kFirstShapeTweakItem + 8,
                                              kFirstShapeTweakItem + 9,
                                              kFirstShapeTweakItem + 10,
                                              kFirstShapeTweakItem + 11,
                                              kFirstShapeTweakItem + 12,
                                              kFirstShapeTweakItem + 13,
                                              kFirstShapeTweakItem + 14,
                                              kFirstShapeTweakItem + 15,
                                              kAnchorsLabel,
                                              kAnchorFlag1Item,
                                              kAnchorFlag2Item,
                                              kAnchorFlag3Item,
                                              kAnchorFlag4Item,
                                              kHeartPresetListItem,
                                              kInterpolatePointsItem,
                                              kInterpolatePointsLabel,
                                              kFirstPickerItem + 6};
inline constexpr int32_t kCreatePageItems[] = {
    kPlacementListItem,   kCenterXItem,         kCenterYItem,         kHeartAngleItem,
    kScaleHorizontalItem, kScaleVerticalItem,   kHeartCountItem,      kAngleLabel,
    kScalingLabel,        kHeartCountLabel,     kSketchColorListItem, kSketchShiftItem,
    kSketchWeightItem,    kSketchRepeatsItem,   kSketchShiftLabel,    kSketchWeightLabel,
    kSketchRepeatsLabel,  kFirstPickerItem + 7, kFirstPickerItem + 8};
inline constexpr int32_t kSettingsPageItems[] = {
    kRandomFillItem,          kRandomFillSwatchesItem,  kRandomStrokeItem,
    kRandomHeartItem,         kRandomCurveItem,         kRandomDirectionPointsItem,
    kRandomCreatePointsItem,  kRandomWidthItem,         kRandomOpacityItem,
    kRandomStyleItem,         kDropShadowItem,          kRandomShadowDirectionItem,
    kRandomShadowOpacityItem, kRandomShadowScalingItem, kHalfFillShadowItem};
inline constexpr int32_t kSettings1PageItems[] = {
    kRandomWarpItem,    kJitterFillItem,    kJitterStrokeItem,      kJitterWidthItem,
    kJitterCenterItem,  kJitterScalingItem, kNewLayerItem,          kSymbolizeItem,
    kRandomScalingItem, kRandomAngleItem,   kRandomSketchShiftItem, kRandomSketchWeightItem,
    kBasicPatternItem};

// Pages 1 to 6 at indexes 0 to 5.
inline constexpr DialogPage kDialogPages[kDialogPageCount] = {
    {"Heart", kFirstPageButtonItem, kFirstCaptionItem, kHeartHeightItem, kHeartPageItems,
     static_cast<int>(std::size(kHeartPageItems))},
    {"Curve", kFirstPageButtonItem + 1, kFirstCaptionItem + 1, kCurveLengthLeft1Item,
     kCurvePageItems, static_cast<int>(std::size(kCurvePageItems))},
    {"Tweak", kFirstPageButtonItem + 2, kFirstCaptionItem + 2, kFirstShapeTweakItem,
     kTweakPageItems, static_cast<int>(std::size(kTweakPageItems))},
    {"Create", kFirstPageButtonItem + 3, kFirstCaptionItem + 3, kPlacementListItem,
     kCreatePageItems, static_cast<int>(std::size(kCreatePageItems))},
    {"Settings", kFirstPageButtonItem + 4, kFirstCaptionItem + 4, kRandomFillItem,
     kSettingsPageItems, static_cast<int>(std::size(kSettingsPageItems))},
    {"Settings1", kFirstPageButtonItem + 5, kFirstCaptionItem + 5, kNewLayerItem,
     kSettings1PageItems, static_cast<int>(std::size(kSettings1PageItems))},
};

// The page for a stored page number: 1 to 6, any other number counts as 1.
constexpr const DialogPage& dialogPageFor(int32_t pageNumber) {
  if (pageNumber < 1 || pageNumber > kDialogPageCount) return kDialogPages[0];
  return kDialogPages[pageNumber - 1];
}

// The page (1 to 6) an item stands on, or 0 for the always-shown items.
constexpr int dialogPageOfItem(int32_t itemId) {
  for (int page = 0; page < kDialogPageCount; ++page)
    for (int i = 0; i < kDialogPages[page].itemCount; ++i)
      if (kDialogPages[page].items[i] == itemId) return page + 1;
  return 0;
}

namespace dialog_page_checks {

// Each item stands on one page at most, so that its page is one fact; the
// first item of a page is one of its items; the buttons and captions stand
// on none.
constexpr bool eachItemOnOnePageAtMost() {
  int listed = 0, placed = 0;
  for (const DialogPage& page : kDialogPages)
    for (int i = 0; i < page.itemCount; ++i) {
      ++listed;
      for (int other = 0; other < kDialogPageCount; ++other)
        for (int j = 0; j < kDialogPages[other].itemCount; ++j)
          placed += kDialogPages[other].items[j] == page.items[i];
    }
  return listed == placed;
}

constexpr bool eachPageOpensOnItsOwnItem() {
  for (int page = 1; page <= kDialogPageCount; ++page)
    if (dialogPageOfItem(kDialogPages[page - 1].firstItem) != page) return false;
  return true;
}

constexpr bool buttonsAndCaptionsOnNoPage() {
  for (const DialogPage& page : kDialogPages)
    if (dialogPageOfItem(page.button) != 0 || dialogPageOfItem(page.captionItem) != 0) return false;
  return true;
}

static_assert(eachItemOnOnePageAtMost(), "an item is listed on two pages, or twice on one");
static_assert(eachPageOpensOnItsOwnItem(), "a page's first item stands on another page");
static_assert(buttonsAndCaptionsOnNoPage(), "a page button or caption is listed on a page");

}  // namespace dialog_page_checks
