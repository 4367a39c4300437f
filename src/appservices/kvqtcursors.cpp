#include "appservices/kvqtcursors.h"

#include "kvsuite/kvmessage.h"
#include "kvsuite/kvstream.h"

#include <QBitmap>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <vector>

// Default-constructed at load. Qt gives a cursor made before the application
// object exists no data: until InitCursors() runs, use them only to copy or
// assign, never to ask their shape.
QCursor kvCurNone;
QCursor kvCurDefault;
QCursor kvCurZoomIn;
QCursor kvCurZoomOut;
QCursor kvCurPreZoomIn;
QCursor kvCurPreZoomOut;
QCursor kvCurSelRect;
QCursor kvCurSelPoly;
QCursor kvCurHand1;
QCursor kvCurHand2;
QCursor kvCurDrag;
QCursor kvCurDragging;
QCursor kvCurBrush;
QCursor kvCurMagic;

namespace {

// The suite's form of the published bitmap information header; the file
// stores it little-endian, so it is decoded field by field, never by memcpy.
struct TKvBitmapInfoHeader {
  enum TCompression : uint32_t { bi_rgb = 0 };

  uint32_t biSize = 0;
  int32_t biWidth = 0;
  int32_t biHeight = 0;
  uint16_t biPlanes = 0;
  uint16_t biBitCount = 0;
  uint32_t biCompression = 0;
  uint32_t biSizeImage = 0;
};

struct TCursorDirHeader {
  uint16_t Reserved = 0;
  uint16_t Type = 0;
  uint16_t Count = 0;
};

struct TCursorDirEntry {
  uint8_t Width = 0;
  uint8_t Height = 0;
  uint8_t ColorCount = 0;
  uint8_t Reserved = 0;
  uint16_t HotX = 0;
  uint16_t HotY = 0;
  uint32_t BytesInRes = 0;
  uint32_t ImageOffset = 0;
};

const char* const kLoadFn = "QCursor LoadQCursor(TKvStream &)";

// A cursor directory entry describes at most 256 pixels a side.
constexpr int kMaxSide = 256;
// The one-bit data size a biSizeImage of 0 stands for: image and mask of 32 x 32.
constexpr uint64_t kMonoDefaultSize = 256;

uint16_t le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t le32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

[[noreturn]] void throwLoadError(const char* what) { throw TKvMessage(std::string("@") + kLoadFn + ": " + what); }

// Bytes of one row of a one-bit image in the file: padded to four bytes.
int monoFileStride(int width) { return (width + 31) / 32 * 4; }

// Reads `size` bytes with exact reads. The buffer grows only with the data
// that arrived, so a size field far beyond the stream fails at its end
// instead of allocating what the field claims.
std::vector<unsigned char> readBytes(TKvStream& stream, uint64_t size) {
  constexpr uint64_t kChunk = 64 * 1024;
  std::vector<unsigned char> data;
  while (data.size() < size) {
    const size_t at = data.size();
    const size_t n = static_cast<size_t>(std::min<uint64_t>(kChunk, size - at));
    data.resize(at + n);
    stream.ReadAllE(data.data() + at, static_cast<unsigned long>(n));
  }
  return data;
}

// The image data: the larger of what biSizeImage promises (`fallback` when
// it is 0) and what the dimensions need, read in full; the bitmaps are then
// built from the first `needed` bytes.
std::vector<unsigned char> readImageData(TKvStream& stream, const TKvBitmapInfoHeader& BMHdr, uint64_t needed,
                                         uint64_t fallback) {
  const uint64_t promised = BMHdr.biSizeImage != 0 ? BMHdr.biSizeImage : fallback;
  return readBytes(stream, std::max(promised, needed));
}

QCursor decodeMono(TKvStream& stream, const TKvBitmapInfoHeader& BMHdr, const TCursorDirEntry& Entry) {
  KV_ASSERT_IN("QCursor LoadQCursor(TKvStream &)", BMHdr.biWidth == Entry.Width);
  KV_ASSERT_IN("QCursor LoadQCursor(TKvStream &)", BMHdr.biHeight == (Entry.Width << 1));
  if (BMHdr.biWidth <= 0) throwLoadError("Empty cursor image");

  unsigned char palette[8];
  stream.ReadAllE(palette, sizeof palette);

  const int width = BMHdr.biWidth;
  const int rows = BMHdr.biHeight; // XOR image and AND mask stacked
  const int stride = monoFileStride(width);
  const uint64_t needed = static_cast<uint64_t>(stride) * static_cast<uint64_t>(rows);
  std::vector<unsigned char> data = readImageData(stream, BMHdr, needed, kMonoDefaultSize);
  data.resize(needed);

  // Bottom-up to top-down: the AND mask comes first, then the XOR image.
  for (int i = 0; i < rows / 2; ++i)
    std::swap_ranges(data.begin() + i * stride, data.begin() + (i + 1) * stride,
                     data.begin() + (rows - 1 - i) * stride);
  const size_t half = data.size() / 2;
  for (size_t i = 0; i < half; ++i) data[i] = static_cast<unsigned char>(~data[i]);
  for (size_t i = 0; i < half; ++i) data[half + i] ^= data[i];

  // Qt's bitmaps take byte-aligned rows.
  const int height = rows / 2;
  const int qtStride = (width + 7) / 8;
  std::vector<unsigned char> mask(static_cast<size_t>(qtStride) * height);
  std::vector<unsigned char> bits(mask.size());
  for (int y = 0; y < height; ++y) {
    std::copy_n(data.begin() + y * stride, qtStride, mask.begin() + y * qtStride);
    std::copy_n(data.begin() + half + y * stride, qtStride, bits.begin() + y * qtStride);
  }
  const QSize size(width, height);
  return QCursor(QBitmap::fromData(size, bits.data(), QImage::Format_Mono),
                 QBitmap::fromData(size, mask.data(), QImage::Format_Mono), Entry.HotX, Entry.HotY);
}

QCursor decodeArgb(TKvStream& stream, const TKvBitmapInfoHeader& BMHdr, const TCursorDirEntry& Entry) {
  if (BMHdr.biWidth <= 0 || BMHdr.biWidth > kMaxSide || BMHdr.biHeight <= 0 || BMHdr.biHeight > 2 * kMaxSide ||
      BMHdr.biHeight % 2 != 0) {
    throw TKvMessage(std::string("@") + kLoadFn + ": Unsupported image size %1% x %2%")
        << static_cast<int>(BMHdr.biWidth) << static_cast<int>(BMHdr.biHeight);
  }
  const int width = BMHdr.biWidth;
  const int height = BMHdr.biHeight / 2; // the AND mask takes the other half
  const uint64_t needed = static_cast<uint64_t>(width) * height * 4;
  std::vector<unsigned char> data = readImageData(stream, BMHdr, needed, 0);

  QImage image(width, height, QImage::Format_ARGB32);
  bool anyAlpha = false;
  for (int y = 0; y < height; ++y) {
    const unsigned char* src = data.data() + static_cast<size_t>(height - 1 - y) * width * 4;
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x, src += 4) {
      dst[x] = le32(src);
      anyAlpha = anyAlpha || qAlpha(dst[x]) != 0;
    }
  }
  if (!anyAlpha) {
    // Written without an alpha channel: the AND mask says what is opaque.
    // It follows the colour image, inside biSizeImage or after it.
    const int stride = monoFileStride(width);
    const uint64_t maskEnd = needed + static_cast<uint64_t>(stride) * height;
    if (data.size() < maskEnd) {
      const std::vector<unsigned char> rest = readBytes(stream, maskEnd - data.size());
      data.insert(data.end(), rest.begin(), rest.end());
    }
    const unsigned char* mask = data.data() + needed;
    for (int y = 0; y < height; ++y) {
      const unsigned char* row = mask + static_cast<size_t>(height - 1 - y) * stride;
      auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < width; ++x) {
        const bool transparent = (row[x / 8] >> (7 - x % 8)) & 1;
        dst[x] = transparent ? 0u : (dst[x] | 0xff000000u);
      }
    }
  }
  return QCursor(QPixmap::fromImage(image), Entry.HotX, Entry.HotY);
}

} // namespace

QCursor LoadQCursor(TKvStream& stream) {
  unsigned char raw[40];

  TCursorDirHeader Hdr;
  stream.ReadAllE(raw, 6);
  Hdr.Reserved = le16(raw);
  Hdr.Type = le16(raw + 2);
  Hdr.Count = le16(raw + 4);
  KV_ASSERT_IN("QCursor LoadQCursor(TKvStream &)", Hdr.Reserved == 0);
  KV_ASSERT_IN("QCursor LoadQCursor(TKvStream &)", Hdr.Type == 2);
  KV_ASSERT_IN("QCursor LoadQCursor(TKvStream &)", Hdr.Count == 1);

  TCursorDirEntry Entry;
  stream.ReadAllE(raw, 16);
  Entry.Width = raw[0];
  Entry.Height = raw[1];
  Entry.ColorCount = raw[2];
  Entry.Reserved = raw[3];
  Entry.HotX = le16(raw + 4);
  Entry.HotY = le16(raw + 6);
  Entry.BytesInRes = le32(raw + 8);
  Entry.ImageOffset = le32(raw + 12);

  if (!stream.setPosition64(Entry.ImageOffset))
    throw TKvMessage(std::string("@") + kLoadFn + ": Image offset %1% lies outside the stream")
        << static_cast<unsigned long long>(Entry.ImageOffset);

  TKvBitmapInfoHeader BMHdr;
  stream.ReadAllE(raw, 40);
  BMHdr.biSize = le32(raw);
  BMHdr.biWidth = static_cast<int32_t>(le32(raw + 4));
  BMHdr.biHeight = static_cast<int32_t>(le32(raw + 8));
  BMHdr.biPlanes = le16(raw + 12);
  BMHdr.biBitCount = le16(raw + 14);
  BMHdr.biCompression = le32(raw + 16);
  BMHdr.biSizeImage = le32(raw + 20);

  KV_ASSERT_IN("QCursor LoadQCursor(TKvStream &)", BMHdr.biCompression == TKvBitmapInfoHeader::bi_rgb);
  KV_ASSERT_IN("QCursor LoadQCursor(TKvStream &)", BMHdr.biPlanes == 1);

  switch (BMHdr.biBitCount) {
  case 32:
    return decodeArgb(stream, BMHdr, Entry);
  case 1:
    return decodeMono(stream, BMHdr, Entry);
  default:
    throw TKvMessage(std::string("@") + kLoadFn + ": Unexpected BitCount %1%") << static_cast<int>(BMHdr.biBitCount);
  }
}

QCursor LoadQCursor(const std::string& resourcePath) {
  QByteArray bytes;
  const QString path = QString::fromUtf8(resourcePath.data(), static_cast<int>(resourcePath.size()));
  if (path.startsWith(QLatin1Char(':'))) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
  }
  TKvFixedMemStream stream(bytes.constData(), static_cast<uint64_t>(bytes.size()));
  return LoadQCursor(stream);
}

void InitCursors() {
  kvCurDefault = QCursor(Qt::ArrowCursor);
  kvCurNone = LoadQCursor(":/CUR_NONE.cur");
  kvCurZoomIn = LoadQCursor(":/CUR_ZOOMIN.cur");
  kvCurZoomOut = LoadQCursor(":/CUR_ZOOMOUT.cur");
  kvCurPreZoomIn = LoadQCursor(":/CUR_ZOOMIN2.cur");
  kvCurPreZoomOut = LoadQCursor(":/CUR_ZOOMOUT2.cur");
  kvCurSelRect = LoadQCursor(":/CUR_SELRECT.cur");
  kvCurSelPoly = LoadQCursor(":/CUR_SELPOLY.cur");
  kvCurHand1 = LoadQCursor(":/CUR_HAND1.cur");
  kvCurHand2 = LoadQCursor(":/CUR_HAND2.cur");
  kvCurDrag = LoadQCursor(":/CUR_DRAG.cur");
  kvCurDragging = LoadQCursor(":/CUR_DRAGGING.cur");
  kvCurBrush = LoadQCursor(":/CUR_BRUSH.cur");
  kvCurMagic = LoadQCursor(":/CUR_MAGIC.cur");
}

void DeinitCursors() {
  kvCurDefault = QCursor();
  kvCurNone = QCursor();
  kvCurZoomIn = QCursor();
  kvCurZoomOut = QCursor();
  kvCurPreZoomIn = QCursor();
  kvCurPreZoomOut = QCursor();
  kvCurSelRect = QCursor();
  kvCurSelPoly = QCursor();
  kvCurHand1 = QCursor();
  kvCurHand2 = QCursor();
  kvCurDrag = QCursor();
  kvCurDragging = QCursor();
  kvCurBrush = QCursor();
  kvCurMagic = QCursor();
}
