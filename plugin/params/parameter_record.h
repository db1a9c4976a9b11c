// The heart filter's parameter record: 85 consecutive 32-bit words, 340
// bytes, stored by the host with the filter and handed back on every later
// use. The layout is a stored format: offsets never change.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plugin/host/heart_types.h"

using bool32 = int32_t;  // a full word holding 0 or 1

struct ParameterRecord {
  bool32 basicPattern;           // 0
  bool32 randomShadowScaling;    // 4
  bool32 halfFillShadow;         // 8
  bool32 randomShadowDirection;  // 12
  bool32 randomShadowOpacity;    // 16
  bool32 randomSketchWeight;     // 20
  bool32 randomSketchShift;      // 24
  bool32 randomCurve;            // 28
  bool32 newLayer;               // 32
  bool32 symmetric;              // 36
  bool32 randomDirectionPoints;  // 40
  bool32 jitterCenter;           // 44
  bool32 jitterScaling;          // 48
  bool32 jitterFill;             // 52
  bool32 jitterStroke;           // 56
  bool32 jitterWidth;            // 60
  bool32 randomWarp;             // 64
  bool32 dropShadow;             // 68
  bool32 symbolize;              // 72
  bool32 randomScaling;          // 76
  bool32 randomStyle;            // 80
  bool32 randomOpacity;          // 84
  bool32 randomWidth;            // 88
  bool32 randomCreatePoints;     // 92
  bool32 randomAngle;            // 96
  bool32 randomStroke;           // 100
  bool32 randomFillSwatches;     // 104
  bool32 preview;                // 108
  bool32 randomFill;             // 112
  bool32 randomHeart;            // 116
  bool32 anchorFlag1;            // 120
  bool32 anchorFlag2;            // 124
  bool32 anchorFlag3;            // 128
  bool32 anchorFlag4;            // 132
  float viewZoom;                // 136 percent
  float interpolatePoints;       // 140 percent
  float sketchShift;             // 144 points
  float sketchWeight;            // 148 tenths of a point
  float heartHeight;             // 152 points
  float curveDistanceLeft;       // 156
  float curveDistanceRight;      // 160
  float curveHeightLeft;         // 164
  float curveHeightRight;        // 168
  float curveLengthLeft1;        // 172
  float curveLengthLeft2;        // 176
  float curveLengthRight1;       // 180
  float curveLengthRight2;       // 184
  float curveAngleLeft;          // 188 degrees
  float curveAngleRight;         // 192 degrees
  float heartAngle;              // 196 degrees
  float centerX;                 // 200 points
  float centerY;                 // 204 points
  float scaleHorizontal;         // 208 percent
  float scaleVertical;           // 212 percent
  float slant;                   // 216 degrees
  float shapeTweaks[16];         // 220 .. 280 points
  int32_t currentPage;           // 284 1..6
  int32_t sketchRepeats;         // 288
  int32_t sketchColorMode;       // 292 list index
  int32_t heartPreset;           // 296 list index
  int32_t placementMode;         // 300 list index
  int32_t heartCount;            // 304
  int32_t settingsPreset;        // 308 list index
  int32_t finalRun;              // 312 transient
  int32_t previewDrawn;          // 316 transient
  int32_t dialogBounds[4];       // 320 reserved
  int32_t hasDialogBounds;       // 336 reserved
};

static_assert(sizeof(float) == 4, "32-bit reals");
static_assert(sizeof(ParameterRecord) == 340, "the stored record is 340 bytes");
#define HEART_RECORD_OFFSET(field, offset) \
  static_assert(offsetof(ParameterRecord, field) == (offset), #field " offset")
HEART_RECORD_OFFSET(basicPattern, 0);
HEART_RECORD_OFFSET(randomShadowScaling, 4);
HEART_RECORD_OFFSET(halfFillShadow, 8);
HEART_RECORD_OFFSET(randomShadowDirection, 12);
HEART_RECORD_OFFSET(randomShadowOpacity, 16);
HEART_RECORD_OFFSET(randomSketchWeight, 20);
HEART_RECORD_OFFSET(randomSketchShift, 24);
HEART_RECORD_OFFSET(randomCurve, 28);
HEART_RECORD_OFFSET(newLayer, 32);
HEART_RECORD_OFFSET(symmetric, 36);
HEART_RECORD_OFFSET(randomDirectionPoints, 40);
HEART_RECORD_OFFSET(jitterCenter, 44);
HEART_RECORD_OFFSET(jitterScaling, 48);
HEART_RECORD_OFFSET(jitterFill, 52);
HEART_RECORD_OFFSET(jitterStroke, 56);
HEART_RECORD_OFFSET(jitterWidth, 60);
HEART_RECORD_OFFSET(randomWarp, 64);
HEART_RECORD_OFFSET(dropShadow, 68);
HEART_RECORD_OFFSET(symbolize, 72);
HEART_RECORD_OFFSET(randomScaling, 76);
HEART_RECORD_OFFSET(randomStyle, 80);
HEART_RECORD_OFFSET(randomOpacity, 84);
HEART_RECORD_OFFSET(randomWidth, 88);
HEART_RECORD_OFFSET(randomCreatePoints, 92);
HEART_RECORD_OFFSET(randomAngle, 96);
HEART_RECORD_OFFSET(randomStroke, 100);
HEART_RECORD_OFFSET(randomFillSwatches, 104);
HEART_RECORD_OFFSET(preview, 108);
HEART_RECORD_OFFSET(randomFill, 112);
HEART_RECORD_OFFSET(randomHeart, 116);
HEART_RECORD_OFFSET(anchorFlag1, 120);
HEART_RECORD_OFFSET(anchorFlag2, 124);
HEART_RECORD_OFFSET(anchorFlag3, 128);
HEART_RECORD_OFFSET(anchorFlag4, 132);
HEART_RECORD_OFFSET(viewZoom, 136);
HEART_RECORD_OFFSET(interpolatePoints, 140);
HEART_RECORD_OFFSET(sketchShift, 144);
HEART_RECORD_OFFSET(sketchWeight, 148);
HEART_RECORD_OFFSET(heartHeight, 152);
HEART_RECORD_OFFSET(curveDistanceLeft, 156);
HEART_RECORD_OFFSET(curveDistanceRight, 160);
HEART_RECORD_OFFSET(curveHeightLeft, 164);
HEART_RECORD_OFFSET(curveHeightRight, 168);
HEART_RECORD_OFFSET(curveLengthLeft1, 172);
HEART_RECORD_OFFSET(curveLengthLeft2, 176);
HEART_RECORD_OFFSET(curveLengthRight1, 180);
HEART_RECORD_OFFSET(curveLengthRight2, 184);
HEART_RECORD_OFFSET(curveAngleLeft, 188);
HEART_RECORD_OFFSET(curveAngleRight, 192);
HEART_RECORD_OFFSET(heartAngle, 196);
HEART_RECORD_OFFSET(centerX, 200);
HEART_RECORD_OFFSET(centerY, 204);
HEART_RECORD_OFFSET(scaleHorizontal, 208);
HEART_RECORD_OFFSET(scaleVertical, 212);
HEART_RECORD_OFFSET(slant, 216);
HEART_RECORD_OFFSET(shapeTweaks, 220);
HEART_RECORD_OFFSET(currentPage, 284);
HEART_RECORD_OFFSET(sketchRepeats, 288);
HEART_RECORD_OFFSET(sketchColorMode, 292);
HEART_RECORD_OFFSET(heartPreset, 296);
HEART_RECORD_OFFSET(placementMode, 300);
HEART_RECORD_OFFSET(heartCount, 304);
HEART_RECORD_OFFSET(settingsPreset, 308);
HEART_RECORD_OFFSET(finalRun, 312);
HEART_RECORD_OFFSET(previewDrawn, 316);
HEART_RECORD_OFFSET(dialogBounds, 320);
HEART_RECORD_OFFSET(hasDialogBounds, 336);
#undef HEART_RECORD_OFFSET

// Writes every default of a new record; centerX is the view centre's x minus
// 200, centerY its y. finalRun and the dialog bounds are left as they are.
void setDefaults(ParameterRecord* record, AIRealPoint viewCentre);
