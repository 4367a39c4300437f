// The stream adapter under Qt's readers and writers, and help files along the
// help path.

#include "appservices/kvqthelp.h"
#include "appservices/tkvstreamtoqtiodevice.h"
#include "module/kvqttranslator.h"

#include "kvsuite/kvstream.h"

#include "kvtestsupport.h"
#include "kvurlsink.h"

#include <QDataStream>
#include <QDesktopServices>
#include <QImageReader>
#include <QImageWriter>
#include <QMessageBox>

namespace {

// A string stream that refuses every transfer once `budget` bytes have moved.
class TFailingStream : public TKvStringStream {
public:
  TFailingStream(std::string data, unsigned long budget) : TKvStringStream(std::move(data)), FBudget(budget) {}
  unsigned long Read(void* data, unsigned long size) override {
    return Refuse(size) ? invalid_value : Spend(TKvStringStream::Read(data, std::min(size, FBudget)));
  }
  unsigned long Write(const void* data, unsigned long size) override {
    return Refuse(size) ? invalid_value : Spend(TKvStringStream::Write(data, std::min(size, FBudget)));
  }

private:
  bool Refuse(unsigned long size) const { return FBudget == 0 && size > 0; }
  unsigned long Spend(unsigned long n) {
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

} // namespace

class TstAdapters : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    qputenv("KV_LANG", "en");
    QVERIFY(KvQtInstallTranslator("en"));
  }
  void init();
  void cleanup();

  void roundTrip_data();
  void roundTrip();
  void failingStream_data();
  void failingStream();

  void showHelp_data();
  void showHelp();

private:
  QString FHelp;
  TUrlSink FSink;
};

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
  for (int size : {0, 4097, 1 << 20})
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
  QVERIFY(stream->setPosition64(0));
  TKvStreamToQtIODevice dev(stream);
  QDataStream in(&dev);
  QByteArray back;
  qint32 tail = 0;
  in >> back >> tail;
  QCOMPARE(in.status(), QDataStream::Ok);
  QVERIFY(back == data);
  QCOMPARE(tail, qint32(-77));
}

void TstAdapters::failingStream_data() {
  QTest::addColumn<QString>("use");
  QTest::addColumn<int>("budget");
  QTest::newRow("write refused midway") << "write" << 5000;
  QTest::newRow("read refused midway") << "read" << 5000;
  QTest::newRow("image read refused midway") << "image" << 40;
}

void TstAdapters::failingStream() {
  QFETCH(QString, use);
  QFETCH(int, budget);
  // A complete record to read back: a 100 000-byte array or a PNG picture.
  auto whole = new_a<TKvStringStream>();
  {
    TKvStreamToQtIODevice d(whole);
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(Qt::red);
    QDataStream out(&d);
    if (use == "image")
      QVERIFY(QImageWriter(&d, "png").write(img));
    else
      out << Pattern(100000);
  }
  TKvStreamToQtIODevice dev(var_a<TKvStream*>(new TFailingStream(whole->str(), static_cast<unsigned long>(budget))));
  QDataStream data(&dev);
  QByteArray back;
  if (use == "write")
    QCOMPARE((data << Pattern(100000)).status(), QDataStream::WriteFailed);
  else if (use == "read")
    QCOMPARE((data >> back).status(), QDataStream::ReadPastEnd);
  else
    QVERIFY(QImageReader(&dev, "png").read().isNull());
  QVERIFY(dev.errorString().startsWith(use == "write" ? "Write error" : "Read error"));
}

void TstAdapters::showHelp_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("altName");
  QTest::addColumn<QStringList>("files");
  QTest::addColumn<bool>("viewerFails");
  QTest::addColumn<QString>("opened"); // relative to the help folder
  QTest::addColumn<QString>("warning"); // "%h" stands for the help folder
  QTest::newRow("pdf appended") << "guide" << "" << QStringList{"2/guide.pdf", "2/guide"} << false << "2/guide.pdf"
                                << "";
  QTest::newRow("rtf gets no pdf: last prefix named")
      << "contrib.rtf" << "" << QStringList{"1/contrib.rtf.pdf"} << false << ""
      << "The help file \"%h/2/contrib.rtf\" was not found.";
  QTest::newRow("missing pair: last prefix named")
      << "none" << "other" << QStringList() << false << ""
      << "The help was not found: neither \"%h/2/none.pdf\" nor \"%h/2/other.pdf\" exists.";
  QTest::newRow("viewer fails") << "guide" << "" << QStringList{"1/guide.pdf"} << true << ""
                                << "The help file \"%h/1/guide.pdf\" could not be opened.\n"
                                   "Check that a program for viewing it is installed.";
}

void TstAdapters::showHelp() {
  QFETCH(QString, name);
  QFETCH(QString, altName);
  QFETCH(QStringList, files);
  QFETCH(bool, viewerFails);
  QFETCH(QString, opened);
  QFETCH(QString, warning);
  for (const QString& f : files) {
    QDir().mkpath(QFileInfo(FHelp + "/" + f).path());
    QFile file(FHelp + "/" + f);
    QVERIFY(file.open(QIODevice::WriteOnly));
  }
  qputenv("KV_STATIC_CONFIG_13", QStringLiteral("%1/1/; %1/2/").arg(FHelp).toUtf8());
  if (altName.isEmpty())
    QCOMPARE(QtQueryHelpFile(name.toStdString()), !opened.isEmpty() || viewerFails);
  if (viewerFails) { // the "file" handler cannot be called: the desktop could not open it
    QDesktopServices::setUrlHandler("file", &FSink, "noSuchSlot");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No such method"));
  }
  QString shown;
  kvtest::ModalDriver driver([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    QVERIFY(box && box->icon() == QMessageBox::Warning);
    shown = box->text();
    box->accept();
  });
  driver.start();
  QCOMPARE(QtShowHelpFile(name.toStdString(), altName.toStdString()), warning.isEmpty());
  QCOMPARE(shown, QString(warning).replace("%h", FHelp));
  QCOMPARE(FSink.Urls, opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl::fromLocalFile(FHelp + "/" + opened)});
}

QTEST_MAIN(TstAdapters)
#include "tst_adapters.moc"
