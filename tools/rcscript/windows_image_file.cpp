#include "windows_image_file.h"

#include <stdexcept>

#include "blob_writer.h"

namespace rcscript {
namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kDirectorySize = 6;
constexpr uint32_t kDirectoryEntrySize = 16;
constexpr uint16_t kIconKind = 1;
constexpr uint16_t kCursorKind = 2;

// Rows of a device-independent bitmap are padded to whole 32-bit words.
uint32_t rowBytes(int width, int bits) {
  return static_cast<uint32_t>((width * bits + 31) / 32 * 4);
}

// The bitmap of the image: header (height doubled, colour and mask rows
// together), colour table, colour rows and mask rows, both from the bottom.
std::vector<uint8_t> bitmap(const IndexedImage& image) {
  const int bits = bitsPerPixel(image);
  const uint32_t colourRow = rowBytes(image.width, bits);
  const uint32_t maskRow = rowBytes(image.width, 1);
  const uint32_t tableSize = 1u << bits;
  rescomp::BlobWriter out;
  out.u32(kInfoHeaderSize);
  out.i32(image.width);
  out.i32(image.height * 2);
  out.u16(1);  // planes
  out.u16(static_cast<uint16_t>(bits));
  out.u32(0);  // uncompressed
  out.u32((colourRow + maskRow) * static_cast<uint32_t>(image.height));
  out.u32(0);
  out.u32(0);
  out.u32(tableSize);
  out.u32(0);
  for (uint32_t i = 0; i < tableSize; ++i) {
    const uint32_t colour = i < image.palette.size() ? image.palette[i] : 0;
    out.u8(static_cast<uint8_t>(colour));        // blue
    out.u8(static_cast<uint8_t>(colour >> 8));   // green
    out.u8(static_cast<uint8_t>(colour >> 16));  // red
    out.u8(0);
  }
  auto packRows = [&](const std::vector<uint8_t>& values, int valueBits, uint32_t stride) {
    for (int y = image.height - 1; y >= 0; --y) {
      std::vector<uint8_t> row(stride, 0);
      for (int x = 0; x < image.width; ++x) {
        const uint8_t value = values[static_cast<size_t>(y) * image.width + x];
        const int bit = x * valueBits;
        row[bit / 8] |= static_cast<uint8_t>(value << (8 - valueBits - bit % 8));
      }
      out.append(row);
    }
  };
  // Transparent pixels keep colour 0 under a set mask bit, so that they show
  // what lies beneath.
  std::vector<uint8_t> colours = image.pixels;
  for (size_t i = 0; i < colours.size(); ++i)
    if (image.mask[i]) colours[i] = 0;
  packRows(colours, bits, colourRow);
  packRows(image.mask, 1, maskRow);
  return out.bytes();
}

std::vector<uint8_t> imageFile(const IndexedImage& image, uint16_t kind) {
  if (image.width < 1 || image.width > 256 || image.height < 1 || image.height > 256)
    throw std::runtime_error("image size out of range");
  if (image.pixels.size() != static_cast<size_t>(image.width) * image.height ||
      image.mask.size() != image.pixels.size())
    throw std::runtime_error("image pixels and mask do not match its size");
  const std::vector<uint8_t> bits = bitmap(image);
  rescomp::BlobWriter out;
  out.u16(0);
  out.u16(kind);
  out.u16(1);
  out.u8(static_cast<uint8_t>(image.width & 0xFF));  // 256 is written as 0
  out.u8(static_cast<uint8_t>(image.height & 0xFF));
  out.u8(bitsPerPixel(image) == 4 ? 16 : 0);
  out.u8(0);
  if (kind == kCursorKind) {
    out.u16(static_cast<uint16_t>(image.hotspotX));
    out.u16(static_cast<uint16_t>(image.hotspotY));
  } else {
    out.u16(1);
    out.u16(static_cast<uint16_t>(bitsPerPixel(image)));
  }
  out.u32(static_cast<uint32_t>(bits.size()));
  out.u32(kDirectorySize + kDirectoryEntrySize);
  out.append(bits);
  return out.bytes();
}

}  // namespace

int bitsPerPixel(const IndexedImage& image) {
  if (image.palette.empty() || image.palette.size() > 16)
    throw std::runtime_error("an image needs 1 to 16 colours");
  return image.palette.size() <= 2 ? 1 : 4;
}

std::vector<uint8_t> iconFile(const IndexedImage& image) { return imageFile(image, kIconKind); }
std::vector<uint8_t> cursorFile(const IndexedImage& image) { return imageFile(image, kCursorKind); }

}  // namespace rcscript
