// The cursor reader (malformed files included) and the built-in cursor set.

#include "appservices/kvqtcursors.h"

#include "kvsuite/kvmessage.h"
#include "kvsuite/kvstream.h"

#include <QBitmap>
#include <QRegularExpression>
#include <QtTest>

#include <cstring>
#include <functional>

namespace {

// Little-endian integer of `bytes` bytes, written over b at offset or appended.
void put(QByteArray& b, int offset, quint32 v, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) b[offset + i] = char((v >> (8 * i)) & 0xff);
}
void append(QByteArray& b, quint32 v, int bytes = 4) {
  b.resize(b.size() + bytes);
  put(b, b.size() - bytes, v, bytes);
}

// Directory header, entry and bitmap header of a one-image cursor file.
QByteArray cursorHeaders(int width, int hotX, int hotY, qint32 biHeight, int bitCount, quint32 sizeImage) {
  QByteArray b;
  for (quint32 v : {0u, 2u, 1u}) append(b, v, 2);
  b.append(char(width)).append(char(width)).append(2, '\0');
  append(b, quint32(hotX), 2);
  append(b, quint32(hotY), 2);
  for (quint32 v : {0u, 22u, 40u, quint32(width), quint32(biHeight)}) append(b, v);
  append(b, 1, 2);
  append(b, quint32(bitCount), 2);
  for (quint32 v : {0u, sizeImage, 0u, 0u, 0u, 0u}) append(b, v);
  return b;
}

// The bit rows of one w x h plane as a file stores them: bottom-up, each
// padded to four bytes, bit set where `set` holds for top-down coordinates.
QByteArray bitRows(int w, int h, const std::function<bool(int, int)>& set) {
  const int stride = (w + 31) / 32 * 4;
  QByteArray rows(stride * h, '\0');
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (set(x, y)) rows[(h - 1 - y) * stride + x / 8] = char(rows[(h - 1 - y) * stride + x / 8] | (0x80 >> (x % 8)));
  return rows;
}

// A one-bit cursor of width x width pixels; pixel() answers '.', '#', 'o' or
// '^' (transparent, black, white, inverted) for top-down coordinates.
QByteArray monoCursor(int width, const std::function<char(int, int)>& pixel) {
  const QByteArray xorRows = bitRows(width, width, [&](int x, int y) { return strchr("o^", pixel(x, y)) != nullptr; });
  const QByteArray andRows = bitRows(width, width, [&](int x, int y) { return strchr(".^", pixel(x, y)) != nullptr; });
  QByteArray b = cursorHeaders(width, 1, 2, 2 * width, 1, quint32(xorRows.size() * 2));
  append(b, 0);
  append(b, 0xffffff);
  return b + xorRows + andRows;
}

// A 32-bit cursor: colour rows bottom-up, then the AND mask.
QByteArray argbCursor(int width, int height, const std::function<QRgb(int, int)>& pixel,
                      const std::function<bool(int, int)>& transparent) {
  QByteArray b = cursorHeaders(width, 3, 4, 2 * height, 32, 0);
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) append(b, pixel(x, y));
  return b + bitRows(width, height, transparent);
}

QCursor load(const QByteArray& bytes) {
  TKvFixedMemStream stream(bytes.constData(), uint64_t(bytes.size()));
  return LoadQCursor(stream);
}

// The text of the TKvMessage the reader throws, or "(no error)". Only a
// TKvMessage is caught: anything else fails the test.
QString loadError(const QByteArray& bytes) {
  try {
    load(bytes);
  } catch (const TKvMessage& m) {
    return QString::fromStdString(m.std_str());
  }
  return QStringLiteral("(no error)");
}

QByteArray resourceBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString assertion(const QString& condition) {
  return '^' + QRegularExpression::escape(QStringLiteral("@Internal logic error in QCursor LoadQCursor(TKvStream &) (")) +
         "\\d+" + QRegularExpression::escape("): (" + condition + ")==false.") + '$';
}

QImage bitsImage(const QCursor& c) { return c.bitmap(Qt::ReturnByValue).toImage(); }
QImage maskImage(const QCursor& c) { return c.mask(Qt::ReturnByValue).toImage(); }
// True for color1 (the set bit) of a bitmap's image.
bool bitSet(const QImage& b, int x, int y) { return qGray(b.pixel(x, y)) < 128; }

// Pixels of img for which `counts` holds.
int countPixels(const QImage& img, const std::function<bool(QRgb)>& counts) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += counts(img.pixel(x, y));
  return n;
}

// Peak resident memory of this process, in kB.
long peakKb() {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly))
    return -1;
  for (const QByteArray& line : f.readAll().split('\n'))
    if (line.startsWith("VmHWM:"))
      return line.mid(6).trimmed().split(' ').value(0).toLong();
  return -1;
}

} // namespace

class TestCursors : public QObject {
  Q_OBJECT

private slots:
  void cleanup() { DeinitCursors(); }

  void initAndDeinitCursors();
  void malformed_data();
  void malformed();
  void truncatedAtEveryLength();
  void imageSize_data();
  void imageSize();
  void hugeSizeFieldAllocatesNothing();
  void monoPixels();
  void argbPixels();
};

void TestCursors::initAndDeinitCursors() {
  const QList<QCursor*> all = {&kvCurNone,   &kvCurDefault,    &kvCurZoomIn,  &kvCurZoomOut, &kvCurPreZoomIn,
                               &kvCurPreZoomOut, &kvCurSelRect, &kvCurSelPoly, &kvCurHand1,  &kvCurHand2,
                               &kvCurDrag,   &kvCurDragging,   &kvCurBrush,   &kvCurMagic};
  InitCursors();
  // Every built-in cursor is a drawing (not an empty square) with its hot spot.
  auto set = [](QRgb p) { return qGray(p) < 128; };
  for (QCursor* c : all) {
    if (c == &kvCurDefault || c == &kvCurNone) {
      QCOMPARE(c->shape(), c == &kvCurNone ? Qt::BitmapCursor : Qt::ArrowCursor);
      continue;
    }
    const int opaque = countPixels(maskImage(*c), set);
    QVERIFY2(opaque > 20 && opaque < 32 * 32 - 20, qPrintable(QString::number(opaque)));
    QCOMPARE(c->hotSpot(), (c == &kvCurPreZoomIn || c == &kvCurPreZoomOut) ? QPoint(10, 10) : QPoint(15, 15));
  }
  QCOMPARE(countPixels(maskImage(kvCurNone), set) + countPixels(bitsImage(kvCurNone), set), 0);
  QVERIFY(maskImage(kvCurHand1) != maskImage(kvCurHand2));
  DeinitCursors();
  for (QCursor* c : all)
    QVERIFY(c->shape() == Qt::ArrowCursor && c->bitmap(Qt::ReturnByValue).isNull());
}

void TestCursors::malformed_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QString>("expected"); // a regular expression over the message text

  const QByteArray valid = resourceBytes(QStringLiteral(":/CUR_HAND1.cur"));
  QVERIFY(!valid.isEmpty());
  const int bm = 22; // bitmap header
  auto patched = [](QByteArray b, int offset, quint32 v, int bytes = 4) { put(b, offset, v, bytes); return b; };

  QTest::newRow("icon file (type 1)") << patched(valid, 2, 1, 2) << assertion("Hdr.Type == 2");
  QTest::newRow("compressed (RLE)") << patched(valid, bm + 16, 1)
                                    << assertion("BMHdr.biCompression == TKvBitmapInfoHeader::bi_rgb");
  QTest::newRow("height not doubled") << patched(valid, bm + 8, 32) << assertion("BMHdr.biHeight == (Entry.Width << 1)");
  QTest::newRow("8 bits per pixel") << patched(valid, bm + 14, 8, 2) << "Unexpected BitCount 8$";
  QTest::newRow("image offset far past the end") << patched(valid, 18, 0xfffffff0u) << "Image offset 4294967280";

  const QByteArray argb = argbCursor(4, 4, [](int, int) { return qRgba(1, 2, 3, 255); }, [](int, int) { return false; });
  QTest::newRow("32-bit absurd height") << patched(argb, bm + 8, 0x7ffffffe) << "Unsupported image size 4 x 2147483646";
  QTest::newRow("32-bit data cut short") << argb.left(22 + 40 + 40) << "^@Stream error";
}

void TestCursors::malformed() {
  QFETCH(QByteArray, bytes);
  QFETCH(QString, expected);
  const QString error = loadError(bytes);
  QVERIFY2(QRegularExpression(expected).match(error).hasMatch(), qPrintable(error));
}

void TestCursors::truncatedAtEveryLength() {
  const QByteArray valid = resourceBytes(QStringLiteral(":/CUR_ZOOMIN.cur"));
  for (int n = 0; n < valid.size(); ++n) {
    const QString error = loadError(valid.left(n));
    QVERIFY2(error.startsWith('@'), qPrintable(QStringLiteral("%1 bytes: %2").arg(n).arg(error)));
  }
  QCOMPARE(loadError(valid), QStringLiteral("(no error)"));
}

// The reader reads the larger of biSizeImage (256 when 0) and what the
// dimensions need, in full, and draws from what the dimensions need.
void TestCursors::imageSize_data() {
  QTest::addColumn<int>("width");
  QTest::addColumn<quint32>("sizeImage");
  QTest::addColumn<int>("extraBytes"); // after the image and mask
  QTest::addColumn<bool>("loads");
  QTest::newRow("32 x 32, size 0 reads 256") << 32 << 0u << 0 << true;
  QTest::newRow("size larger than the data, the file holds it") << 32 << 300u << 44 << true;
  QTest::newRow("size larger than the file") << 32 << 300u << 43 << false;
  QTest::newRow("16 x 16, size 0 still means 256") << 16 << 0u << 0 << false;
  QTest::newRow("48 x 48, size 0: what the dimensions need") << 48 << 0u << 0 << true;
}

void TestCursors::imageSize() {
  QFETCH(int, width);
  QFETCH(quint32, sizeImage);
  QFETCH(int, extraBytes);
  QFETCH(bool, loads);
  auto kind = [](int x, int y) { return ".#o^"[(x + 2 * y) % 4]; };
  const QByteArray reference = monoCursor(width, kind);
  QByteArray bytes = reference + QByteArray(extraBytes, '\x55');
  put(bytes, 22 + 20, sizeImage);
  const QString error = loadError(bytes);
  if (!loads) {
    QVERIFY2(error.startsWith(QLatin1String("@Stream error")), qPrintable(error));
    return;
  }
  QCOMPARE(error, QStringLiteral("(no error)"));
  QCOMPARE(bitsImage(load(bytes)), bitsImage(load(reference)));
  QCOMPARE(maskImage(load(bytes)), maskImage(load(reference)));
}

// A size field of 2 GB in a 300-byte file fails at the end of the data,
// without first allocating (and clearing) what the field claims.
void TestCursors::hugeSizeFieldAllocatesNothing() {
  QByteArray bytes = resourceBytes(QStringLiteral(":/CUR_HAND1.cur")).left(300);
  put(bytes, 22 + 20, 0x80000000u);
  const long before = peakKb();
  QVERIFY(before > 0);
  QVERIFY(loadError(bytes).startsWith(QLatin1String("@Stream error")));
  QVERIFY2(peakKb() - before < 64 * 1024, qPrintable(QString::number(peakKb() - before)));
}

// 20 wide: rows padded in the file, byte-aligned in Qt; all four kinds of
// pixel in a pattern that a vertical flip would change.
void TestCursors::monoPixels() {
  auto kind = [](int x, int y) { return ".#o^"[(x + 2 * y) % 4]; };
  const int width = 20;
  const QCursor c = load(monoCursor(width, kind));
  const QImage bits = bitsImage(c), mask = maskImage(c);
  QCOMPARE(c.hotSpot(), QPoint(1, 2));
  QCOMPARE(bits.size(), QSize(width, width));
  for (int y = 0; y < width; ++y)
    for (int x = 0; x < width; ++x) {
      // transparent (AND 1, XOR 0), black (0, 0), white (0, 1), inverted (1, 1)
      QCOMPARE(bitSet(mask, x, y), kind(x, y) == '#' || kind(x, y) == 'o');
      QCOMPARE(bitSet(bits, x, y), kind(x, y) == '#' || kind(x, y) == '^');
    }
}

void TestCursors::argbPixels() {
  // Rows turned top-down, height halved; alpha used as it stands.
  const QCursor c = load(argbCursor(
      5, 3, [](int x, int y) { return qRgba(10 * x, 20 * y, 7, x == 0 ? 0 : 255); }, [](int, int) { return false; }));
  QImage img = c.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  QCOMPARE(img.size(), QSize(5, 3));
  QCOMPARE(img.pixel(2, 2), qRgba(20, 40, 7, 255));
  QCOMPARE(qAlpha(img.pixel(0, 1)), 0);

  // No alpha anywhere: the AND mask decides, whether biSizeImage counts it or not.
  QByteArray noAlpha =
      argbCursor(4, 4, [](int x, int y) { return qRgba(200, 100, 50 + x + y, 0); }, [](int x, int) { return x >= 2; });
  for (quint32 sizeImage : {0u, 64u + 16u}) {
    put(noAlpha, 22 + 20, sizeImage);
    img = load(noAlpha).pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(img.pixel(1, 3), qRgba(200, 100, 54, 255));
    QCOMPARE(qAlpha(img.pixel(2, 0)), 0);
    QVERIFY(loadError(noAlpha.left(noAlpha.size() - 1)).startsWith(QStringLiteral("@Stream error")));
  }
}

QTEST_MAIN(TestCursors)
#include "tst_cursors.moc"
