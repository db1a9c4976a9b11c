#include "render/png_encoding.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "core/two_halves.h"

namespace heart {

namespace {

// A picture with at least this many rows is compressed in two halves at
// once, each half a deflate stream of its own that the next continues.
constexpr int kRowsForTwoHalves = 128;

// One row of premultiplied native-endian ARGB as straight RGBA bytes.
void straightRow(const uint32_t* in, int width, unsigned char* out) {
  for (int x = 0; x < width; ++x) {
    uint32_t pixel = in[x];
    unsigned alpha = pixel >> 24;
    unsigned red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    if (alpha != 0 && alpha != 255) {
      red = (red * 255 + alpha / 2) / alpha;
      green = (green * 255 + alpha / 2) / alpha;
      blue = (blue * 255 + alpha / 2) / alpha;
    }
    out[4 * x] = static_cast<unsigned char>(red);
    out[4 * x + 1] = static_cast<unsigned char>(green);
    out[4 * x + 2] = static_cast<unsigned char>(blue);
    out[4 * x + 3] = static_cast<unsigned char>(alpha);
  }
}

// PNG's row filters: each byte less a prediction from the byte one pixel to
// the left (a), the one above (b) and the one above that (c).
enum Filter : unsigned char { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

unsigned char paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<unsigned char>(a);
  return static_cast<unsigned char>(pb <= pc ? b : c);
}

// Writes the filter's byte and the filtered row at `out`; `above` is the
// previous row (all zero for the first). The first pixel has no left
// neighbour (nor one above it to the left): those count as zero.
void filterRow(Filter filter, const unsigned char* row, const unsigned char* above, size_t length,
               unsigned char* out) {
  constexpr size_t kPixel = 4;
  out[0] = filter;
  unsigned char* to = out + 1;
  const size_t head = length < kPixel ? length : kPixel;
  switch (filter) {
    case kNone:
      std::memcpy(to, row, length);
      break;
    case kSub:
      std::memcpy(to, row, head);
      for (size_t i = kPixel; i < length; ++i)
        to[i] = static_cast<unsigned char>(row[i] - row[i - kPixel]);
      break;
    case kUp:
      for (size_t i = 0; i < length; ++i) to[i] = static_cast<unsigned char>(row[i] - above[i]);
      break;
    case kAverage:
      for (size_t i = 0; i < head; ++i) to[i] = static_cast<unsigned char>(row[i] - above[i] / 2);
      for (size_t i = kPixel; i < length; ++i)
        to[i] = static_cast<unsigned char>(row[i] - (row[i - kPixel] + above[i]) / 2);
      break;
    case kPaeth:
      for (size_t i = 0; i < head; ++i) to[i] = static_cast<unsigned char>(row[i] - above[i]);
      for (size_t i = kPixel; i < length; ++i)
        to[i] = static_cast<unsigned char>(row[i] -
                                           paeth(row[i - kPixel], above[i], above[i - kPixel]));
      break;
  }
}

// The sum of the filtered bytes read as signed: the usual measure of how
// well a filter will compress.
unsigned long filteredWeight(const unsigned char* filtered, size_t length) {
  unsigned long sum = 0;
  for (size_t i = 0; i < length; ++i) {
    const int value = static_cast<signed char>(filtered[1 + i]);
    sum += static_cast<unsigned long>(value < 0 ? -value : value);
  }
  return sum;
}

// An image's rows as PNG stores them, one after another: converted to
// straight RGBA and filtered, by Sub alone when fast, else by whichever of
// the five filters leaves the smallest sum.
class RowFilter {
 public:
  RowFilter(cairo_surface_t* image, PngCompression compression)
      : data_(cairo_image_surface_get_data(image)),
        stride_(cairo_image_surface_get_stride(image)),
        width_(cairo_image_surface_get_width(image)),
        rowBytes_(static_cast<size_t>(width_) * 4),
        fast_(compression == PngCompression::kFast),
        above_(rowBytes_, 0),
        row_(rowBytes_) {
    for (auto& candidate : filtered_) candidate.resize(rowBytes_ + 1);
  }

  // The length of a filtered row: the filter's byte, then the row's bytes.
  size_t filteredBytes() const { return rowBytes_ + 1; }

  // Starts before row y: the next row filtered is y, the one above it as it is.
  void startAt(int y) {
    if (y > 0)
      straightRow(rowAt(y - 1), width_, above_.data());
    else
      std::fill(above_.begin(), above_.end(), 0);
  }

  // The next row, filtered; valid until the next call.
  const unsigned char* next(int y) {
    straightRow(rowAt(y), width_, row_.data());
    size_t chosen = kSub;
    if (fast_) {
      filterRow(kSub, row_.data(), above_.data(), rowBytes_, filtered_[kSub].data());
    } else {
      unsigned long best = 0;
      for (size_t f = kNone; f <= kPaeth; ++f) {
        filterRow(static_cast<Filter>(f), row_.data(), above_.data(), rowBytes_,
                  filtered_[f].data());
        const unsigned long weight = filteredWeight(filtered_[f].data(), rowBytes_);
        if (f == kNone || weight < best) {
          best = weight;
          chosen = f;
        }
      }
    }
    std::swap(row_, above_);
    return filtered_[chosen].data();
  }

 private:
  const uint32_t* rowAt(int y) const {
    return reinterpret_cast<const uint32_t*>(data_ + static_cast<size_t>(y) * stride_);
  }

  const unsigned char* data_;
  int stride_, width_;
  size_t rowBytes_;
  bool fast_;
  std::vector<unsigned char> above_, row_;
  // The filtered row for each filter tried.
  std::array<std::vector<unsigned char>, 5> filtered_;
};

// zlib's search for a saved picture. Matching only runs of the byte before
// (Z_RLE) takes a quarter of the time of the full search for earlier strings,
// and on a picture of many fine lines gives a file no larger (the heaviest
// record's page: 1.365 against 1.366 MB). But the full search also finds the
// repeats of a pattern, further back (a page of patterned hearts: 268 against
// 386 KB). So a few bands of the picture are deflated both ways, and the
// runs chosen where the full search leaves at least a quarter of the bytes
// (a dense picture, whose deflating takes long) and the runs come within 1 %
// of it. A sparse picture, mostly blank page, deflates quickly either way
// and keeps the full search.
constexpr int kSampleBands = 4, kSampleRows = 8;
constexpr int kRowsForSampling = 4 * kSampleBands * kSampleRows;

// The size of `bytes` deflated with `strategy` at zlib's default level, or
// 0 when zlib cannot do it.
size_t deflatedSize(const std::vector<unsigned char>& bytes, int strategy) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, strategy) != Z_OK) return 0;
  std::vector<unsigned char> out(deflateBound(&stream, static_cast<uLong>(bytes.size())));
  stream.next_in = const_cast<unsigned char*>(bytes.data());
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  const bool done = deflate(&stream, Z_FINISH) == Z_STREAM_END;
  const size_t size = out.size() - stream.avail_out;
  deflateEnd(&stream);
  return done ? size : 0;
}

int savedStrategy(cairo_surface_t* image) {
  const int height = cairo_image_surface_get_height(image);
  if (height < kRowsForSampling) return Z_FILTERED;
  try {
    RowFilter rows(image, PngCompression::kCompact);
    std::vector<unsigned char> sample;
    sample.reserve(static_cast<size_t>(kSampleBands * kSampleRows) * rows.filteredBytes());
    for (int band = 0; band < kSampleBands; ++band) {
      const int first = (2 * band + 1) * height / (2 * kSampleBands) - kSampleRows / 2;
      rows.startAt(first);
      for (int y = first; y < first + kSampleRows; ++y) {
        const unsigned char* row = rows.next(y);
        sample.insert(sample.end(), row, row + rows.filteredBytes());
      }
    }
    const size_t runs = deflatedSize(sample, Z_RLE), full = deflatedSize(sample, Z_FILTERED);
    const bool dense = full * 4 >= sample.size();
    return dense && runs > 0 && full > 0 && runs * 100 <= full * 101 ? Z_RLE : Z_FILTERED;
  } catch (const std::bad_alloc&) {
    return Z_FILTERED;
  }
}

// Rows [first, last) of the image, converted, filtered and deflated into a
// raw deflate stream: ended at a byte boundary for a later half to
// continue, or finished when `final`. Also keeps the Adler-32 checksum of
// the filtered bytes, which the zlib wrapper around the whole needs.
struct Half {
  int first = 0, last = 0;
  bool final = false;
  std::vector<unsigned char> deflated;
  uLong adler = 1;
  uLong length = 0;
  bool ok = false;
  bool outOfMemory = false;
};

// A preview looks for runs of the byte before only, at zlib's fastest level:
// its filtered rows are mostly runs of zeros and of repeated bytes (the
// heaviest record's view: 10 against 21 ms, 1.20 against 1.27 MB).
void compressHalf(cairo_surface_t* image, PngCompression compression, int strategy, Half* half) {
  z_stream stream{};
  const int level = compression == PngCompression::kFast ? 1 : Z_DEFAULT_COMPRESSION;
  if (deflateInit2(&stream, level, Z_DEFLATED, -15, 8, strategy) != Z_OK) {
    half->outOfMemory = true;
    return;
  }
  try {
    RowFilter rows(image, compression);
    rows.startAt(half->first);
    const size_t rowBytes = rows.filteredBytes();
    // Drawings compress to well under a byte a pixel; the output grows
    // when one does not.
    const size_t count = static_cast<size_t>(half->last - half->first);
    half->deflated.resize(count * rowBytes / 8 + 1024);
    stream.next_out = half->deflated.data();
    stream.avail_out = static_cast<uInt>(half->deflated.size());
    const auto grow = [&] {
      const size_t used = half->deflated.size();
      half->deflated.resize(2 * used);
      stream.next_out = half->deflated.data() + used;
      stream.avail_out = static_cast<uInt>(used);
    };
    for (int y = half->first; y < half->last; ++y) {
      const unsigned char* bytes = rows.next(y);
      half->adler = adler32(half->adler, bytes, static_cast<uInt>(rowBytes));
      half->length += rowBytes;
      stream.next_in = const_cast<unsigned char*>(bytes);
      stream.avail_in = static_cast<uInt>(rowBytes);
      const bool lastRow = y + 1 == half->last;
      const int flush = !lastRow ? Z_NO_FLUSH : half->final ? Z_FINISH : Z_SYNC_FLUSH;
      // Until the row is taken in (and, at the end, all of it written out),
      // with room made whenever the output is full.
      for (;;) {
        if (stream.avail_out == 0) grow();
        const int status = deflate(&stream, flush);
        if (status == Z_STREAM_ERROR) {
          deflateEnd(&stream);
          return;
        }
        if (flush == Z_FINISH ? status == Z_STREAM_END
                              : stream.avail_in == 0 && stream.avail_out != 0)
          break;
      }
    }
    half->deflated.resize(half->deflated.size() - stream.avail_out);
    half->ok = true;
  } catch (const std::bad_alloc&) {
    half->outOfMemory = true;
  }
  deflateEnd(&stream);
}

void putWord(std::vector<unsigned char>& out, uint32_t word) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<unsigned char>(word >> shift));
}

// A chunk: its length, type, data and the CRC of type and data.
void putChunk(std::vector<unsigned char>& out, const char type[4],
              const std::vector<std::vector<unsigned char>>& pieces) {
  size_t length = 0;
  for (const auto& piece : pieces) length += piece.size();
  putWord(out, static_cast<uint32_t>(length));
  const size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  uLong crc = crc32(0, out.data() + typeAt, 4);
  for (const auto& piece : pieces) {
    out.insert(out.end(), piece.begin(), piece.end());
    crc = crc32(crc, piece.data(), static_cast<uInt>(piece.size()));
  }
  putWord(out, static_cast<uint32_t>(crc));
}

}  // namespace

Result<std::vector<unsigned char>> encodePng(cairo_surface_t* image, PngCompression compression) {
  if (cairo_surface_get_type(image) != CAIRO_SURFACE_TYPE_IMAGE ||
      cairo_image_surface_get_format(image) != CAIRO_FORMAT_ARGB32)
    return fail("the picture is not an ARGB32 image");
  const int width = cairo_image_surface_get_width(image);
  const int height = cairo_image_surface_get_height(image);
  if (width <= 0 || height <= 0) return fail("the picture has no pixels");
  cairo_surface_flush(image);

  // The rows in one half, or in two compressed at once.
  Half halves[2];
  halves[0].last = height;
  halves[0].final = true;
  int count = 1;
  if (height >= kRowsForTwoHalves) {
    halves[0].last = height / 2;
    halves[0].final = false;
    halves[1].first = height / 2;
    halves[1].last = height;
    halves[1].final = true;
    count = 2;
  }
  const int strategy = compression == PngCompression::kFast ? Z_RLE : savedStrategy(image);
  if (count == 2)
    inTwoHalves([&] { compressHalf(image, compression, strategy, &halves[0]); },
                [&] { compressHalf(image, compression, strategy, &halves[1]); });
  else
    compressHalf(image, compression, strategy, &halves[0]);
  for (int i = 0; i < count; ++i) {
    if (halves[i].outOfMemory) return fail("not enough memory for the PNG");
    if (!halves[i].ok) return fail("the PNG cannot be made");
  }

  try {
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    size_t deflated = 0;
    for (int i = 0; i < count; ++i) deflated += halves[i].deflated.size();
    png.reserve(64 + deflated);
    std::vector<unsigned char> header;
    putWord(header, static_cast<uint32_t>(width));
    putWord(header, static_cast<uint32_t>(height));
    // 8 bits a channel, colour with alpha, deflate, adaptive filters, no interlace.
    header.insert(header.end(), {8, 6, 0, 0, 0});
    putChunk(png, "IHDR", {header});
    // The zlib stream around the halves: its header (a 32 KiB window), the
    // halves' deflate data in turn, and the checksum of all they hold.
    uLong adler = halves[0].adler;
    if (count == 2)
      adler = adler32_combine(adler, halves[1].adler, static_cast<z_off_t>(halves[1].length));
    std::vector<unsigned char> zlibHeader = {0x78, 0x9C}, checksum;
    putWord(checksum, static_cast<uint32_t>(adler));
    std::vector<std::vector<unsigned char>> idat = {std::move(zlibHeader)};
    for (int i = 0; i < count; ++i) idat.push_back(std::move(halves[i].deflated));
    idat.push_back(std::move(checksum));
    putChunk(png, "IDAT", idat);
    putChunk(png, "IEND", {});
    return png;
  } catch (const std::bad_alloc&) {
    return fail("not enough memory for the PNG");
  }
}

}  // namespace heart
