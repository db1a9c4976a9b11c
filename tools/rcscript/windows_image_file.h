// Icon (.ico) and cursor (.cur) files of one image each, in the layout that
// windres reads: a directory of one entry, then a device-independent bitmap
// with its colour table, its colour bits and its transparency mask.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rcscript {

struct IndexedImage {
  int width = 0, height = 0;
  std::vector<uint32_t> palette;   // 0xRRGGBB, at most 16
  std::vector<uint8_t> pixels;     // palette index per pixel, rows from the top
  std::vector<uint8_t> mask;       // per pixel: 1 transparent, 0 opaque
  int hotspotX = 0, hotspotY = 0;  // cursors only
};

// Two colours are stored at 1 bit a pixel, up to sixteen at 4 bits.
int bitsPerPixel(const IndexedImage& image);

std::vector<uint8_t> iconFile(const IndexedImage& image);
std::vector<uint8_t> cursorFile(const IndexedImage& image);

}  // namespace rcscript
