// The stream adapter under Qt's readers and writers, help files along the help
// path, and the clickable label.

#include "appservices/kvqthelp.h"
#include "appservices/tkvstreamtoqtiodevice.h"
#include "widgets/tkvclickableqlabel.h"

#include "kvsuite/kvmessage.h"
#include "kvsuite/kvstream.h"

#include "kvtestsupport.h"

#include <QDataStream>
#include <QDesktopServices>
#include <QImageReader>
#include <QImageWriter>
#include <QMessageBox>
#include <QPainter>
#include <QSignalSpy>
#include <QTextStream>
#include <QUrl>

namespace {

// A string stream that fails every transfer once `budget` bytes have moved.
class TFailingStream : public TKvStringStream {
public:
  TFailingStream(std::string data, unsigned long budget) : TKvStringStream(std::move(data)), FBudget(budget) {}
  unsigned long Read(void* data, unsigned long size) override { return Spend(size, [&](unsigned long n) {
      return TKvStringStream::Read(data, n); }); }
  unsigned long Write(const void* data, unsigned long size) override { return Spend(size, [&](unsigned long n) {
      return TKvStringStream::Write(data, n); }); }

private:
  template <class F> unsigned long Spend(unsigned long size, F move) {
    if (FBudget == 0 && size > 0)
      return invalid_value;
    const unsigned long n = move(std::min(size, FBudget));
    FBudget -= n;
    return n;
  }
  unsigned long FBudget;
};

QByteArray Pattern(int size) {
  QByteArray b(size, Qt::Uninitialized);
  for (int i = 0; i < size; ++i)
    b[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return b;
}

// Receives the documents that would have been opened by the desktop.
class TUrlSink : public QObject {
  Q_OBJECT
public:
  QList<QUrl> Urls;
public slots:
  void open(const QUrl& url) { Urls << url; }
};

} // namespace

class TstAdapters : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void init();
  void cleanup();

  void roundTrip_data();
  void roundTrip();
  void textAndImages();
  void failingStream_data();
  void failingStream();
  void afterClose();
  void seekDropsReadAhead_data();
  void seekDropsReadAhead();

  void showHelp_data();
  void showHelp();
  void helpNotOpened();

  void labelClicked_data();
  void labelClicked();

private:
  // Writes `files` (relative to the two help folders "1/" and "2/") and
  // points the help path at both.
  void makeHelp(const QStringList& files);
  QString FHelp;
  TUrlSink FSink;
};

void TstAdapters::initTestCase() { qputenv("KV_LANG", "en"); }

void TstAdapters::init() {
  FHelp = kvtest::freshDir("help");
  FSink.Urls.clear();
  QDesktopServices::setUrlHandler("file", &FSink, "open");
}

void TstAdapters::cleanup() {
  QDesktopServices::unsetUrlHandler("file");
  qunsetenv("KV_STATIC_CONFIG_13");
  KV_VERIFY_NO_TOPLEVELS();
}

void TstAdapters::roundTrip_data() {
  QTest::addColumn<int>("size");
  for (int size : {0, 1, 4095, 4096, 4097, 1 << 20})
    QTest::newRow(qPrintable(QStringLiteral("%1 bytes").arg(size))) << size;
}

void TstAdapters::roundTrip() {
  QFETCH(int, size);
  const QByteArray data = Pattern(size);
  auto stream = new_a<TKvStringStream>();
  {
    TKvStreamToQtIODevice dev(stream);
    QDataStream out(&dev);
    out << data << qint32(-77);
    QCOMPARE(out.status(), QDataStream::Ok);
    QCOMPARE(dev.pos(), qint64(size + 8));
  }
  QCOMPARE(stream->str().size(), size_t(size + 8));
  QVERIFY(stream->setPosition64(0));

  TKvStreamToQtIODevice dev(stream);
  QDataStream in(&dev);
  QByteArray back;
  qint32 tail = 0;
  in >> back >> tail;
  QCOMPARE(in.status(), QDataStream::Ok);
  QCOMPARE(back.size(), size);
  QVERIFY(back == data);
  QCOMPARE(tail, qint32(-77));
  // Raw bytes through read()/write() after a reset.
  QVERIFY(dev.reset());
  QCOMPARE(dev.write(data), qint64(size));
  QVERIFY(dev.reset());
  QVERIFY(dev.read(size) == data);
}

void TstAdapters::textAndImages() {
  auto stream = new_a<TKvStringStream>();
  TKvStreamToQtIODevice dev(stream);
  {
    QTextStream out(&dev);
    out.setCodec("UTF-8");
    out << QString::fromUtf8("Рельеф, м\n") << "line 2\r\n" << 3.5 << '\n';
  }
  QVERIFY(dev.reset());
  QTextStream in(&dev);
  in.setCodec("UTF-8");
  QStringList lines;
  for (QString l = in.readLine(); !l.isNull(); l = in.readLine())
    lines << l;
  QCOMPARE(lines, (QStringList{QString::fromUtf8("Рельеф, м"), "line 2", "3.5"}));

  QImage img(37, 21, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter(&img).fillRect(3, 4, 20, 10, QColor(10, 200, 30, 128));
  for (const QByteArray& format : {QByteArray("png"), QByteArray("bmp")}) {
    auto imgStream = new_a<TKvStringStream>();
    TKvStreamToQtIODevice out(imgStream);
    QImageWriter writer(&out, format);
    QVERIFY2(writer.write(img), qPrintable(writer.errorString()));
    TKvStreamToQtIODevice back(var_a<TKvStream*>(new TKvFixedMemStream(imgStream->str())));
    QImageReader reader(&back); // the format is recognised from the bytes
    QCOMPARE(reader.format(), format);
    const QImage read = reader.read();
    QVERIFY2(!read.isNull(), qPrintable(reader.errorString()));
    if (format == "png")
      QCOMPARE(read.convertToFormat(QImage::Format_ARGB32), img);
    else
      QCOMPARE(read.size(), img.size());
  }
}

void TstAdapters::failingStream_data() {
  QTest::addColumn<QString>("use");
  QTest::addColumn<int>("budget");
  QTest::newRow("write refused at once") << "write" << 0;
  QTest::newRow("write refused midway") << "write" << 5000;
  QTest::newRow("read refused at once") << "read" << 0;
  QTest::newRow("read refused midway") << "read" << 5000;
  QTest::newRow("image read refused midway") << "image" << 40;
}

void TstAdapters::failingStream() {
  QFETCH(QString, use);
  QFETCH(int, budget);
  // A complete record to read back: a 100 000-byte array and a PNG picture.
  std::string bytes;
  {
    auto s = new_a<TKvStringStream>();
    TKvStreamToQtIODevice d(s);
    if (use == "image") {
      QImage img(64, 64, QImage::Format_RGB32);
      img.fill(Qt::red);
      QVERIFY(QImageWriter(&d, "png").write(img));
    } else {
      QDataStream out(&d);
      out << Pattern(100000);
    }
    bytes = s->str();
  }
  TKvStreamToQtIODevice dev(var_a<TKvStream*>(new TFailingStream(bytes, static_cast<unsigned long>(budget))));
  if (use == "write") {
    QDataStream out(&dev);
    out << Pattern(100000);
    QCOMPARE(out.status(), QDataStream::WriteFailed);
  } else if (use == "read") {
    QDataStream in(&dev);
    QByteArray back;
    in >> back;
    QCOMPARE(in.status(), QDataStream::ReadPastEnd);
  } else {
    QImageReader reader(&dev, "png");
    QVERIFY(reader.read().isNull());
  }
  QVERIFY(!dev.errorString().isEmpty());
}

void TstAdapters::afterClose() {
  auto stream = new_a<TKvStringStream>(std::string("0123456789"));
  TKvStreamToQtIODevice dev(stream);
  QVERIFY(dev.open(QIODevice::ReadOnly)); // the mode is ignored
  QCOMPARE(dev.openMode(), QIODevice::OpenMode(QIODevice::ReadWrite));
  QCOMPARE(stream.use_count(), 2L);
  QSignalSpy closing(&dev, &QIODevice::aboutToClose);
  dev.close();
  QCOMPARE(closing.count(), 1);
  QCOMPARE(stream.use_count(), 1L);
  QCOMPARE(dev.openMode(), QIODevice::OpenMode(QIODevice::ReadWrite));
  char c;
  QCOMPARE(dev.read(&c, 1), qint64(-1));
  QCOMPARE(dev.write("x", 1), qint64(-1));
  QCOMPARE(dev.pos(), qint64(-1));
  QCOMPARE(dev.size(), qint64(-1));
  QVERIFY(!dev.seek(0));
  QVERIFY(!dev.reset());
  QVERIFY(dev.open(QIODevice::ReadWrite));
  QCOMPARE(dev.read(&c, 1), qint64(-1)); // re-opening does not bring the stream back
  QCOMPARE(stream->str(), std::string("0123456789"));
}

void TstAdapters::seekDropsReadAhead_data() {
  QTest::addColumn<bool>("fixed");
  QTest::addColumn<bool>("seekPastEnd");
  QTest::newRow("string stream") << false << true;
  QTest::newRow("fixed memory stream") << true << false;
}

void TstAdapters::seekDropsReadAhead() {
  QFETCH(bool, fixed);
  QFETCH(bool, seekPastEnd);
  const std::string ten = "0123456789";
  var_a<TKvStream*> stream = fixed ? var_a<TKvStream*>(new TKvFixedMemStream(ten))
                                   : var_a<TKvStream*>(new TKvStringStream(ten));
  TKvStreamToQtIODevice dev(stream);
  QVERIFY(dev.isSequential());
  QCOMPARE(dev.size(), qint64(10));
  QVERIFY(dev.atEnd()); // nothing read ahead yet, whatever the stream holds
  QCOMPARE(dev.read(1), QByteArray("0"));
  QVERIFY(!dev.atEnd()); // Qt read the rest ahead
  QCOMPARE(dev.pos(), qint64(10));
  QVERIFY(dev.seek(5));
  QCOMPARE(dev.read(2), QByteArray("56"));
  QVERIFY(dev.reset());
  QCOMPARE(dev.readAll(), QByteArray("0123456789"));
  QVERIFY(dev.atEnd());
  QCOMPARE(dev.seek(100), seekPastEnd); // the stream's own answer
  QVERIFY(!dev.seek(-1));
}

void TstAdapters::makeHelp(const QStringList& files) {
  for (const QString& f : files) {
    QDir().mkpath(QFileInfo(FHelp + "/" + f).path());
    QFile file(FHelp + "/" + f);
    QVERIFY(file.open(QIODevice::WriteOnly));
  }
  qputenv("KV_STATIC_CONFIG_13", QStringLiteral("%1/1/; %1/2/").arg(FHelp).toUtf8());
}

void TstAdapters::showHelp_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("altName");
  QTest::addColumn<QStringList>("files");
  QTest::addColumn<QString>("opened"); // relative to the help folders; empty: a warning
  QTest::addColumn<QStringList>("named"); // the paths the warning names
  QTest::newRow("pdf appended") << "guide" << "" << QStringList{"2/guide.pdf", "2/guide"} << "2/guide.pdf"
                                << QStringList();
  QTest::newRow("first prefix wins") << "guide" << "" << QStringList{"1/guide.pdf", "2/guide.pdf"}
                                     << "1/guide.pdf" << QStringList();
  QTest::newRow("rtf searched as given") << "contrib.rtf" << "" << QStringList{"1/contrib.rtf"}
                                         << "1/contrib.rtf" << QStringList();
  QTest::newRow("rtf gets no pdf") << "contrib.rtf" << "" << QStringList{"1/contrib.rtf.pdf"} << ""
                                   << QStringList{"2/contrib.rtf"};
  QTest::newRow("alternative in the first prefix") << "main" << "alt" << QStringList{"1/alt.pdf", "2/main.pdf"}
                                                   << "1/alt.pdf" << QStringList();
  QTest::newRow("missing: last prefix named") << "none" << "" << QStringList() << "" << QStringList{"2/none.pdf"};
  QTest::newRow("missing pair: last prefix named") << "none" << "other" << QStringList() << ""
                                                   << QStringList{"2/none.pdf", "2/other.pdf"};
}

void TstAdapters::showHelp() {
  QFETCH(QString, name);
  QFETCH(QString, altName);
  QFETCH(QStringList, files);
  QFETCH(QString, opened);
  QFETCH(QStringList, named);
  makeHelp(files);
  if (altName.isEmpty())
    QCOMPARE(QtQueryHelpFile(name.toStdString()), !opened.isEmpty());
  QString warning;
  kvtest::ModalDriver driver([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    QVERIFY(box);
    QCOMPARE(box->icon(), QMessageBox::Warning);
    warning = box->text();
    box->accept();
  });
  driver.start();
  QCOMPARE(QtShowHelpFile(name.toStdString(), altName.toStdString()), !opened.isEmpty());
  QCOMPARE(driver.fired(), opened.isEmpty());
  if (!opened.isEmpty()) {
    QCOMPARE(FSink.Urls, QList<QUrl>{QUrl::fromLocalFile(FHelp + "/" + opened)});
  } else {
    QVERIFY(FSink.Urls.isEmpty());
    for (const QString& path : named)
      QVERIFY2(warning.contains("\"" + FHelp + "/" + path + "\""), qPrintable(warning));
    QVERIFY2(!warning.contains(FHelp + "/1/"), qPrintable(warning));
  }
}

void TstAdapters::helpNotOpened() {
  makeHelp({"1/guide.pdf"});
  QDesktopServices::setUrlHandler("file", &FSink, "noSuchSlot");
  QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No such method"));
  QString warning;
  kvtest::ModalDriver driver([&](QWidget* w) {
    warning = static_cast<QMessageBox*>(w)->text();
    static_cast<QMessageBox*>(w)->accept();
  });
  driver.start();
  QVERIFY(!QtShowHelpFile("guide", ""));
  QVERIFY(driver.fired());
  QVERIFY2(warning.startsWith(QStringLiteral("The help file \"%1/1/guide.pdf\" could not be opened.").arg(FHelp)),
           qPrintable(warning));
}

void TstAdapters::labelClicked_data() {
  QTest::addColumn<int>("intButton");
  QTest::newRow("left") << int(Qt::LeftButton);
  QTest::newRow("right") << int(Qt::RightButton);
  QTest::newRow("middle") << int(Qt::MiddleButton);
}

void TstAdapters::labelClicked() {
  QFETCH(int, intButton);
  const auto button = static_cast<Qt::MouseButton>(intButton);
  QWidget parent;
  int parentPresses = 0;
  struct TCounter : QObject {
    int* Count;
    explicit TCounter(int* c) : Count(c) {}
    bool eventFilter(QObject*, QEvent* e) override {
      *Count += e->type() == QEvent::MouseButtonPress;
      return false;
    }
  } counter(&parentPresses);
  parent.installEventFilter(&counter);
  auto* label = new TKvClickableQLabel("Contributors", &parent);
  QSignalSpy clicked(label, &TKvClickableQLabel::clicked);
  QTest::mousePress(label, button, Qt::NoModifier, QPoint(2, 2));
  QTest::mouseRelease(label, button, Qt::NoModifier, QPoint(2, 2));
  QCOMPARE(clicked.count(), 1);
  QCOMPARE(parentPresses, 0); // taken by the label, not passed up
}

QTEST_MAIN(TstAdapters)
#include "tst_adapters.moc"
