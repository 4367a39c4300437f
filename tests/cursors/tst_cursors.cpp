// The cursor reader, the built-in cursor set and the library's image resources.

#include "appservices/kvqtcursors.h"

#include "kvsuite/kvmessage.h"
#include "kvsuite/kvstream.h"

#include <QBitmap>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

const char* const kBuiltin[] = {"CUR_NONE",    "CUR_HAND1",   "CUR_HAND2",    "CUR_ZOOMIN", "CUR_ZOOMOUT",
                                "CUR_ZOOMIN2", "CUR_ZOOMOUT2", "CUR_SELRECT", "CUR_SELPOLY", "CUR_MAGIC",
                                "CUR_BRUSH",   "CUR_DRAG",     "CUR_DRAGGING"};

void put16(QByteArray& b, int offset, quint32 v) {
  b[offset] = char(v & 0xff);
  b[offset + 1] = char((v >> 8) & 0xff);
}
void put32(QByteArray& b, int offset, quint32 v) {
  put16(b, offset, v & 0xffff);
  put16(b, offset + 2, v >> 16);
}
void append16(QByteArray& b, quint32 v) { b.append(char(v & 0xff)).append(char((v >> 8) & 0xff)); }
void append32(QByteArray& b, quint32 v) { append16(b, v & 0xffff); append16(b, v >> 16); }

// Directory header, entry and bitmap header of a one-image cursor file.
QByteArray cursorHeaders(int entryWidth, int hotX, int hotY, qint32 biWidth, qint32 biHeight, int bitCount,
                         quint32 sizeImage) {
  QByteArray b;
  append16(b, 0);
  append16(b, 2);
  append16(b, 1);
  b.append(char(entryWidth)).append(char(entryWidth)).append('\0').append('\0');
  append16(b, quint32(hotX));
  append16(b, quint32(hotY));
  append32(b, 0);
  append32(b, 22);
  append32(b, 40);
  append32(b, quint32(biWidth));
  append32(b, quint32(biHeight));
  append16(b, 1);
  append16(b, quint32(bitCount));
  append32(b, 0);
  append32(b, sizeImage);
  for (int i = 0; i < 4; ++i) append32(b, 0);
  return b;
}

// A one-bit cursor of width x width pixels; pixel() answers '.', '#', 'o' or
// '^' (transparent, black, white, inverted) for top-down coordinates.
QByteArray monoCursor(int width, const std::function<char(int, int)>& pixel, bool writeSize = true) {
  const int stride = (width + 31) / 32 * 4;
  QByteArray xorRows(stride * width, '\0'), andRows(stride * width, '\0');
  for (int y = 0; y < width; ++y) {
    const int fileRow = width - 1 - y;
    for (int x = 0; x < width; ++x) {
      const char c = pixel(x, y);
      const char bit = char(0x80 >> (x % 8));
      if (c == 'o' || c == '^') xorRows[fileRow * stride + x / 8] = char(xorRows[fileRow * stride + x / 8] | bit);
      if (c == '.' || c == '^') andRows[fileRow * stride + x / 8] = char(andRows[fileRow * stride + x / 8] | bit);
    }
  }
  QByteArray b = cursorHeaders(width, 1, 2, width, 2 * width, 1, writeSize ? quint32(2 * stride * width) : 0);
  append32(b, 0);
  append32(b, 0xffffff);
  return b + xorRows + andRows;
}

// A 32-bit cursor: colour rows bottom-up, then the AND mask.
QByteArray argbCursor(int width, int height, const std::function<QRgb(int, int)>& pixel,
                      const std::function<bool(int, int)>& transparent) {
  QByteArray b = cursorHeaders(width, 3, 4, width, 2 * height, 32, 0);
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) append32(b, pixel(x, y));
  const int stride = (width + 31) / 32 * 4;
  for (int y = height - 1; y >= 0; --y) {
    QByteArray row(stride, '\0');
    for (int x = 0; x < width; ++x)
      if (transparent(x, y)) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
    b += row;
  }
  return b;
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
  return QLatin1Char('^') +
         QRegularExpression::escape(QStringLiteral("@Internal logic error in QCursor LoadQCursor(TKvStream &) (")) +
         QStringLiteral("\\d+") + QRegularExpression::escape(QStringLiteral("): (") + condition + QStringLiteral(")==false.")) +
         QLatin1Char('$');
}

QString exactly(const QString& text) { return QLatin1Char('^') + QRegularExpression::escape(text) + QLatin1Char('$'); }

// Bits of a QBitmap: true for color1 (the set bit).
bool bitSet(const QBitmap& b, int x, int y) { return qGray(b.toImage().pixel(x, y)) < 128; }

QImage bitmapImage(const QCursor& c) { return c.bitmap(Qt::ReturnByValue).toImage(); }
QImage maskImage(const QCursor& c) { return c.mask(Qt::ReturnByValue).toImage(); }

QList<QCursor*> allGlobals() {
  return {&kvCurNone,  &kvCurDefault, &kvCurZoomIn, &kvCurZoomOut,  &kvCurPreZoomIn, &kvCurPreZoomOut, &kvCurSelRect,
          &kvCurSelPoly, &kvCurHand1, &kvCurHand2,  &kvCurDrag, &kvCurDragging, &kvCurBrush, &kvCurMagic};
}

} // namespace

class TestCursors : public QObject {
  Q_OBJECT

private slots:
  void cleanup() { DeinitCursors(); }

  void builtinCursor_data();
  void builtinCursor();
  void builtinFilesHaveTheirFixedSize();
  void noneIsFullyTransparent();

  void malformed_data();
  void malformed();
  void truncatedAtEveryLength();
  void sizeImageZeroOrLargerReadsWhatTheSizeNeeds();

  void monoPixelSemantics();
  void monoWidthNotMultipleOf32();
  void argbRowsTopDownAndHalvedHeight();
  void argbWithoutAlphaUsesMask();

  void resourcePathOnly();
  void initAndDeinitCursors();
  void splashAndIconResources_data();
  void splashAndIconResources();

  void realWorldCursors();
};

void TestCursors::builtinCursor_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QPoint>("hotSpot");
  for (const char* name : kBuiltin) {
    const bool preZoom = qstrcmp(name, "CUR_ZOOMIN2") == 0 || qstrcmp(name, "CUR_ZOOMOUT2") == 0;
    QTest::newRow(name) << QStringLiteral(":/%1.cur").arg(QLatin1String(name)) << (preZoom ? QPoint(10, 10) : QPoint(15, 15));
  }
}

void TestCursors::builtinCursor() {
  QFETCH(QString, path);
  QFETCH(QPoint, hotSpot);
  const QCursor c = LoadQCursor(path.toStdString());
  QCOMPARE(c.shape(), Qt::BitmapCursor);
  QCOMPARE(c.bitmap(Qt::ReturnByValue).size(), QSize(32, 32));
  QCOMPARE(c.mask(Qt::ReturnByValue).size(), QSize(32, 32));
  QCOMPARE(c.hotSpot(), hotSpot);
  if (!path.contains(QLatin1String("NONE"))) {
    // A drawing, not an empty square: some pixels opaque, some not.
    const QImage mask = maskImage(c);
    int opaque = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) opaque += qGray(mask.pixel(x, y)) < 128;
    QVERIFY2(opaque > 20 && opaque < 32 * 32 - 20, qPrintable(QString::number(opaque)));
  }
}

void TestCursors::builtinFilesHaveTheirFixedSize() {
  for (const char* name : kBuiltin)
    QCOMPARE(resourceBytes(QStringLiteral(":/%1.cur").arg(QLatin1String(name))).size(), 326);
}

void TestCursors::noneIsFullyTransparent() {
  const QCursor c = LoadQCursor(":/CUR_NONE.cur");
  const QImage mask = maskImage(c);
  const QImage bits = bitmapImage(c);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      QVERIFY(qGray(mask.pixel(x, y)) >= 128);
      QVERIFY(qGray(bits.pixel(x, y)) >= 128);
    }
}

void TestCursors::malformed_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QString>("expected"); // a regular expression over the message text

  const QByteArray valid = resourceBytes(QStringLiteral(":/CUR_HAND1.cur"));
  QVERIFY(!valid.isEmpty());
  auto patched16 = [&](int offset, quint32 v) { QByteArray b = valid; put16(b, offset, v); return b; };
  auto patched32 = [&](int offset, quint32 v) { QByteArray b = valid; put32(b, offset, v); return b; };
  const int bm = 22; // bitmap header

  QTest::newRow("reserved not 0") << patched16(0, 1) << assertion(QStringLiteral("Hdr.Reserved == 0"));
  QTest::newRow("icon file (type 1)") << patched16(2, 1) << assertion(QStringLiteral("Hdr.Type == 2"));
  QTest::newRow("two images") << patched16(4, 2) << assertion(QStringLiteral("Hdr.Count == 1"));
  QTest::newRow("no image") << patched16(4, 0) << assertion(QStringLiteral("Hdr.Count == 1"));
  QTest::newRow("compressed (RLE)") << patched32(bm + 16, 1)
                                    << assertion(QStringLiteral("BMHdr.biCompression == TKvBitmapInfoHeader::bi_rgb"));
  QTest::newRow("two planes") << patched16(bm + 12, 2) << assertion(QStringLiteral("BMHdr.biPlanes == 1"));
  QTest::newRow("bitmap width differs from entry") << patched32(bm + 4, 16)
                                                   << assertion(QStringLiteral("BMHdr.biWidth == Entry.Width"));
  QTest::newRow("entry width differs from bitmap") << [&] { QByteArray b = valid; b[6] = 16; return b; }()
                                                   << assertion(QStringLiteral("BMHdr.biWidth == Entry.Width"));
  QTest::newRow("height not doubled") << patched32(bm + 8, 32)
                                      << assertion(QStringLiteral("BMHdr.biHeight == (Entry.Width << 1)"));
  QTest::newRow("negative height") << patched32(bm + 8, quint32(-64))
                                   << assertion(QStringLiteral("BMHdr.biHeight == (Entry.Width << 1)"));
  for (int bits : {0, 4, 8, 16, 24})
    QTest::addRow("%d bits per pixel", bits)
        << patched16(bm + 14, quint32(bits))
        << exactly(QStringLiteral("@QCursor LoadQCursor(TKvStream &): Unexpected BitCount %1").arg(bits));

  QTest::newRow("image offset far past the end") << patched32(18, 0xfffffff0u) << QStringLiteral("Image offset 4294967280");
  QTest::newRow("image offset at the end") << patched32(18, quint32(valid.size())) << QStringLiteral("^@Stream error");
  QTest::newRow("one-bit size below what the image needs") << patched32(bm + 20, 100)
                                                           << QStringLiteral("Image data of 100 bytes is shorter than the 256");
  {
    QByteArray b = valid;
    b[6] = 0;
    put32(b, bm + 4, 0);
    put32(b, bm + 8, 0);
    QTest::newRow("one-bit empty image") << b << QStringLiteral("Empty cursor image");
  }

  const QByteArray argb = argbCursor(4, 4, [](int, int) { return qRgba(1, 2, 3, 255); }, [](int, int) { return false; });
  auto argbPatched = [&](int offset, quint32 v) { QByteArray b = argb; put32(b, offset, v); return b; };
  QTest::newRow("32-bit negative width") << argbPatched(bm + 4, quint32(-4)) << QStringLiteral("Unsupported image size -4 x 8");
  QTest::newRow("32-bit zero width") << argbPatched(bm + 4, 0) << QStringLiteral("Unsupported image size 0 x 8");
  QTest::newRow("32-bit absurd height") << argbPatched(bm + 8, 0x7ffffffe) << QStringLiteral("Unsupported image size 4 x 2147483646");
  QTest::newRow("32-bit absurd width") << argbPatched(bm + 4, 100000) << QStringLiteral("Unsupported image size 100000 x 8");
  QTest::newRow("32-bit odd height") << argbPatched(bm + 8, 7) << QStringLiteral("Unsupported image size 4 x 7");
  QTest::newRow("32-bit size below width x height x 4") << argbPatched(bm + 20, 63)
                                                          << QStringLiteral("Image data of 63 bytes is shorter than the 64");
  QTest::newRow("32-bit data cut short") << argb.left(22 + 40 + 40) << QStringLiteral("^@Stream error");
  QTest::newRow("32-bit larger than the data") << argbPatched(bm + 8, 512) << QStringLiteral("^@Stream error");
}

void TestCursors::malformed() {
  QFETCH(QByteArray, bytes);
  QFETCH(QString, expected);
  const QString error = loadError(bytes);
  QVERIFY2(QRegularExpression(expected).match(error).hasMatch(), qPrintable(error));
}

void TestCursors::truncatedAtEveryLength() {
  const QByteArray valid = resourceBytes(QStringLiteral(":/CUR_ZOOMIN.cur"));
  QCOMPARE(valid.size(), 326);
  for (int n = 0; n < valid.size(); ++n) {
    const QString error = loadError(valid.left(n));
    QVERIFY2(error.startsWith(QLatin1Char('@')), qPrintable(QStringLiteral("%1 bytes: %2").arg(n).arg(error)));
  }
  QCOMPARE(loadError(valid), QStringLiteral("(no error)"));
}

void TestCursors::sizeImageZeroOrLargerReadsWhatTheSizeNeeds() {
  const QByteArray valid = resourceBytes(QStringLiteral(":/CUR_SELRECT.cur"));
  const QCursor reference = load(valid);
  for (quint32 size : {0u, 300u, 0xffffffffu}) {
    QByteArray b = valid;
    put32(b, 22 + 20, size);
    const QCursor c = load(b);
    QCOMPARE(bitmapImage(c), bitmapImage(reference));
    QCOMPARE(maskImage(c), maskImage(reference));
  }
}

void TestCursors::monoPixelSemantics() {
  // Top row, left to right: transparent, black, white, inverted; the rest
  // black. The file stores rows bottom-up, so this also checks the flip.
  const QCursor c = load(monoCursor(32, [](int x, int y) { return y == 0 && x < 4 ? ".#o^"[x] : '#'; }));
  const QBitmap bits = c.bitmap(Qt::ReturnByValue), mask = c.mask(Qt::ReturnByValue);
  QCOMPARE(c.hotSpot(), QPoint(1, 2));
  QVERIFY(!bitSet(mask, 0, 0) && !bitSet(bits, 0, 0)); // AND 1, XOR 0: transparent
  QVERIFY(bitSet(mask, 1, 0) && bitSet(bits, 1, 0));   // AND 0, XOR 0: black
  QVERIFY(bitSet(mask, 2, 0) && !bitSet(bits, 2, 0));  // AND 0, XOR 1: white
  QVERIFY(!bitSet(mask, 3, 0) && bitSet(bits, 3, 0));  // AND 1, XOR 1: inverted
  QVERIFY(bitSet(mask, 0, 31) && bitSet(bits, 0, 31));
}

void TestCursors::monoWidthNotMultipleOf32() {
  // Rows padded to four bytes in the file, byte-aligned in Qt's bitmaps.
  for (bool writeSize : {true, false}) {
    const QCursor c = load(monoCursor(
        20, [](int x, int y) { return x == y ? 'o' : (x == 19 - y ? '#' : '.'); }, writeSize));
    QCOMPARE(c.bitmap(Qt::ReturnByValue).size(), QSize(20, 20));
    const QBitmap bits = c.bitmap(Qt::ReturnByValue), mask = c.mask(Qt::ReturnByValue);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool opaque = x == y || x == 19 - y;
        QCOMPARE(bitSet(mask, x, y), opaque);
        QCOMPARE(bitSet(bits, x, y), opaque && x != y);
      }
  }
}

void TestCursors::argbRowsTopDownAndHalvedHeight() {
  const QByteArray file = argbCursor(
      5, 3, [](int x, int y) { return qRgba(10 * x, 20 * y, 7, x == 0 ? 0 : 255); }, [](int, int) { return false; });
  const QCursor c = load(file);
  QCOMPARE(c.hotSpot(), QPoint(3, 4));
  const QImage img = c.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  QCOMPARE(img.size(), QSize(5, 3));
  QCOMPARE(img.pixel(4, 0), qRgba(40, 0, 7, 255));
  QCOMPARE(img.pixel(2, 2), qRgba(20, 40, 7, 255));
  QCOMPARE(qAlpha(img.pixel(0, 1)), 0);
}

void TestCursors::argbWithoutAlphaUsesMask() {
  const QByteArray file =
      argbCursor(4, 4, [](int x, int y) { return qRgba(200, 100, 50 + x + y, 0); }, [](int x, int) { return x >= 2; });
  const QImage img = load(file).pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  QCOMPARE(img.pixel(1, 3), qRgba(200, 100, 54, 255));
  QCOMPARE(qAlpha(img.pixel(2, 0)), 0);
  // Without the mask that such an image needs, the file is short.
  QVERIFY(loadError(file.left(file.size() - 1)).startsWith(QStringLiteral("@Stream error")));
}

void TestCursors::resourcePathOnly() {
  QVERIFY_EXCEPTION_THROWN(LoadQCursor(std::string(":/CUR_MISSING.cur")), TKvMessage);
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  QFile f(dir.filePath(QStringLiteral("hand.cur")));
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(resourceBytes(QStringLiteral(":/CUR_HAND1.cur")));
  f.close();
  QVERIFY_EXCEPTION_THROWN(LoadQCursor(f.fileName().toStdString()), TKvMessage);
}

void TestCursors::initAndDeinitCursors() {
  InitCursors();
  QCOMPARE(kvCurDefault.shape(), Qt::ArrowCursor);
  const QList<QCursor*> all = allGlobals();
  for (QCursor* c : all) {
    if (c == &kvCurDefault) continue;
    QCOMPARE(c->shape(), Qt::BitmapCursor);
    QCOMPARE(c->bitmap(Qt::ReturnByValue).size(), QSize(32, 32));
  }
  QCOMPARE(kvCurPreZoomIn.hotSpot(), QPoint(10, 10));
  QCOMPARE(kvCurPreZoomOut.hotSpot(), QPoint(10, 10));
  QCOMPARE(kvCurMagic.hotSpot(), QPoint(15, 15));
  QCOMPARE(maskImage(kvCurHand1), maskImage(LoadQCursor(":/CUR_HAND1.cur")));
  QVERIFY(maskImage(kvCurHand1) != maskImage(kvCurHand2));

  DeinitCursors();
  for (QCursor* c : all) {
    QCOMPARE(c->shape(), Qt::ArrowCursor);
    QVERIFY(c->bitmap(Qt::ReturnByValue).isNull());
  }
}

void TestCursors::splashAndIconResources_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QSize>("size"); // empty: any size
  QTest::newRow("Splash") << QStringLiteral(":/Splash") << QSize();
  QTest::newRow("SplashHPC") << QStringLiteral(":/SplashHPC") << QSize();
  const char* const icons[] = {"msg_error", "msg_warn", "msg_info", "msg_other", "trash", "action_plus", "action_minus",
                               "show_point_coord", "select_all_checkbox", "select_invert_checkbox",
                               "select_none_checkbox"};
  for (const char* icon : icons)
    for (int size : {16, 24, 32}) {
      const QString path = QStringLiteral(":/kvicon/%1_%2x%2").arg(QLatin1String(icon)).arg(size);
      QTest::newRow(qPrintable(path)) << path << QSize(size, size);
    }
}

void TestCursors::splashAndIconResources() {
  QFETCH(QString, path);
  QFETCH(QSize, size);
  QVERIFY2(QFile::exists(path), qPrintable(path));
  const QImage img(path);
  QVERIFY(!img.isNull());
  if (size.isValid()) {
    QCOMPARE(img.size(), size);
    QVERIFY(img.hasAlphaChannel());
  } else {
    QVERIFY(img.width() >= 300 && img.height() >= 200);
  }
}

// Cursor files from Debian packages that we did not write: a one-bit cursor
// of the wxWidgets samples and the 32-bit cursors of a screenshot tool.
// Fetched at test time, never kept in the repository.
void TestCursors::realWorldCursors() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  QProcess apt;
  apt.setWorkingDirectory(dir.path());
  apt.setProcessChannelMode(QProcess::MergedChannels);
  apt.start(QStringLiteral("apt-get"), {QStringLiteral("download"), QStringLiteral("wx3.2-examples"), QStringLiteral("shutter")});
  if (!apt.waitForFinished(180000) || apt.exitStatus() != QProcess::NormalExit || apt.exitCode() != 0) {
    apt.kill();
    apt.waitForFinished();
    QSKIP(qPrintable(QStringLiteral("apt-get download wx3.2-examples shutter failed (no package lists or no network?): ") +
                     QString::fromLocal8Bit(apt.readAll()).trimmed().right(300)));
  }
  const QString root = dir.filePath(QStringLiteral("x"));
  for (const QString& deb : QDir(dir.path()).entryList({QStringLiteral("*.deb")})) {
    QProcess x;
    x.start(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), dir.filePath(deb), root});
    QVERIFY(x.waitForFinished(60000));
    QCOMPARE(x.exitCode(), 0);
  }

  int decoded = 0, oneBit = 0, argb = 0;
  QDirIterator it(root, {QStringLiteral("*.cur")}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.size() > 62);
    auto u16 = [&](int o) { return int(uchar(bytes[o])) | int(uchar(bytes[o + 1])) << 8; };
    const int count = u16(4), width = uchar(bytes[6]), hotX = u16(10), hotY = u16(12);
    const int offset = u16(18);
    const int bitCount = u16(offset + 14);
    const QString name = QFileInfo(path).fileName();
    if (count != 1) {
      QVERIFY2(QRegularExpression(assertion(QStringLiteral("Hdr.Count == 1"))).match(loadError(bytes)).hasMatch(),
               qPrintable(name));
      continue;
    }
    if (bitCount != 1 && bitCount != 32) {
      QCOMPARE(loadError(bytes), QStringLiteral("@QCursor LoadQCursor(TKvStream &): Unexpected BitCount %1").arg(bitCount));
      continue;
    }
    const QString error = loadError(bytes);
    QVERIFY2(error == QLatin1String("(no error)"), qPrintable(name + QStringLiteral(": ") + error));
    const QCursor c = load(bytes);
    QCOMPARE(c.hotSpot(), QPoint(hotX, hotY));
    if (bitCount == 1) {
      QCOMPARE(c.bitmap(Qt::ReturnByValue).size(), QSize(width, width));
      ++oneBit;
    } else {
      const QImage img = c.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
      QCOMPARE(img.size(), QSize(width, width));
      int opaque = 0;
      for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) opaque += qAlpha(img.pixel(x, y)) > 0;
      QVERIFY2(opaque > 0 && opaque < width * width, qPrintable(name));
      ++argb;
    }
    ++decoded;
  }
  qInfo("decoded %d cursor files from Debian packages (%d one-bit, %d 32-bit)", decoded, oneBit, argb);
  QVERIFY(oneBit >= 1);
  QVERIFY(argb >= 1);
}

QTEST_MAIN(TestCursors)
#include "tst_cursors.moc"
