// The log view stream: records become rows, control bytes are escaped,
// detached streams swallow writes, and records logged on other threads reach
// the table on the GUI thread only.

#include "kvtestsupport.h"

#include "logview/tkvqtlogtable.h"
#include "logview/tkvqtlogviewstream.h"

#include "kvsuite/kvlog.h"
#include "kvsuite/kvtime.h"

#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

namespace {

const char* const kTime = "2026-12-05T19:00:00.123Z";

std::string prefix(const std::string& time = kTime) {
  return TKvDateTime::FromRFCString(time).ToLocaleString(1) + ": ";
}

std::string record(const std::string& text, TKvLogMsgType type = lmtInfo, TKvLogMsgLevel level = 1,
                   const std::string& source = std::string()) {
  return KvLogFormatRecord(source, text, type, level, 0, kTime);
}

void write(TKvStream& s, const std::string& bytes) {
  QCOMPARE(s.Write(bytes.data(), static_cast<unsigned long>(bytes.size())), static_cast<unsigned long>(bytes.size()));
}

QStringList texts(const TKvQtLogTable& t) {
  QStringList out;
  for (const TKvQtLogTable::TLogMessage& m : t.Messages())
    out << QString::fromStdString(m.text.substr(m.prefixLength));
  return out;
}

// Makes a redirect with the stream the process log for as long as it lives.
class LogToStream {
public:
  explicit LogToStream(const var_a<TKvStream*>& stream) : FSaved(KvLogGetLogV()) {
    auto redirect = new_a<TKvLogRedirect>();
    redirect->AddStream(stream, TKvLogRedirect::GetAllFilter(), false);
    KvLogSetLogV(redirect);
  }
  ~LogToStream() { KvLogSetLogV(FSaved); }

private:
  var_a<TKvStream*> FSaved;
};

} // namespace

class TestLogViewStream : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { qputenv("KV_MODULE_SETTINGS", "LogViewMsgTimeFormat=0"); }
  void cleanup();

  void escapes_data();
  void escapes();
  void recordFields();
  void piecesGiveTheSameRows();
  void bodyBeforeHeader();
  void brokenHeaderAddsNothing();
  void inertOperations();
  void writesAfterDetach();
  void reentrantWrite();
  void recordsFromWorkerThreads();
  void workerRecordsAfterDetachAreDropped();
};

void TestLogViewStream::cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

void TestLogViewStream::escapes_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QString>("shown");
  QTest::newRow("plain text") << QByteArray("hello") << "hello";
  QTest::newRow("line feeds are kept") << QByteArray("a\nb\n") << "a\nb\n";
  QTest::newRow("tab") << QByteArray("a\tb") << "a\\x09b";
  QTest::newRow("carriage return") << QByteArray("a\r\nb") << "a\\x0d\nb";
  QTest::newRow("nul") << QByteArray("a\0b", 3) << "a\\x00b";
  QTest::newRow("record separator inside text") << QByteArray("\x1e" "KV1") << "\\x1eKV1";
  QTest::newRow("unit separator") << QByteArray("\x1f") << "\\x1f";
  QTest::newRow("escape and bell") << QByteArray("\x1b[0m\x07") << "\\x1b[0m\\x07";
  QTest::newRow("delete stays") << QByteArray("\x7f") << "\x7f";
  QTest::newRow("utf-8 stays") << QByteArray("Ошибка ✓") << QStringLiteral("Ошибка ✓");
  QTest::newRow("backslash x is not doubled") << QByteArray("\\x41") << "\\x41";
  QTest::newRow("empty text") << QByteArray() << "";
}

void TestLogViewStream::escapes() {
  QFETCH(QByteArray, text);
  QFETCH(QString, shown);
  TKvQtLogTable table;
  auto stream = new_a<TKvQtLogViewStream>(&table);
  write(*stream, record(text.toStdString()));
  QCOMPARE(table.rowCount(), 1);
  QCOMPARE(table.item(0, 1)->text(), QString::fromStdString(prefix()) + shown);
}

void TestLogViewStream::recordFields() {
  TKvQtLogTable table;
  auto stream = new_a<TKvQtLogViewStream>(&table);
  write(*stream, KvLogFormatRecord("Importer", "file is damaged", lmtError, 2, -42, kTime) +
                   KvLogFormatRecord("", "detail", lmtInfo, 4, 0, kTime));
  QCOMPARE(table.rowCount(), 2);
  const TKvQtLogTable::TLogMessage& m = table.Messages().front();
  QCOMPARE(m.type, int(lmtError));
  QCOMPARE(m.level, 2);
  QCOMPARE(m.code, -42);
  QCOMPARE(m.source, std::string("Importer"));
  QCOMPARE(m.timeText, std::string(kTime));
  QCOMPARE(m.text, prefix() + "file is damaged");
  QCOMPARE(int(table.Messages().back().messageClass), int(TKvQtLogTable::mlOther));
}

void TestLogViewStream::piecesGiveTheSameRows() {
  const std::string bytes = record("first\nline", lmtWarning) + "stray bytes" + record("\tsecond", lmtError) +
                            record("", lmtInfo, 4) + record("third");
  TKvQtLogTable whole;
  write(*new_a<TKvQtLogViewStream>(&whole), bytes);

  for (size_t piece : {size_t(1), size_t(2), size_t(7), size_t(33)}) {
    TKvQtLogTable split;
    auto stream = new_a<TKvQtLogViewStream>(&split);
    for (size_t i = 0; i < bytes.size(); i += piece)
      write(*stream, bytes.substr(i, piece));
    QCOMPARE(split.rowCount(), whole.rowCount());
    for (int row = 0; row < whole.rowCount(); ++row)
      QCOMPARE(split.item(row, 1)->text(), whole.item(row, 1)->text());
  }
  QCOMPARE(texts(whole), (QStringList{"first\nlinestray bytes", "\\x09second", "", "third"}));
}

void TestLogViewStream::bodyBeforeHeader() {
  TKvQtLogTable table;
  auto stream = new_a<TKvQtLogViewStream>(&table);
  write(*stream, "plain\ttext");
  QCOMPARE(table.rowCount(), 1);
  const TKvQtLogTable::TLogMessage& m = table.Messages().front();
  QCOMPARE(m.type, int(lmtInfo));
  QCOMPARE(m.level, 3);
  QCOMPARE(m.text, prefix("") + "plain\\x09text");
}

void TestLogViewStream::brokenHeaderAddsNothing() {
  TKvQtLogTable table;
  auto stream = new_a<TKvQtLogViewStream>(&table);
  write(*stream, "\x1eKV1 this is not a header\n");
  const int rowsAfterGarbage = table.rowCount();
  write(*stream, record("after"));
  QCOMPARE(texts(table).mid(rowsAfterGarbage), QStringList{"after"});
  for (const TKvQtLogTable::TLogMessage& m : table.Messages())
    QVERIFY2(m.text.find("KV1") == std::string::npos, "header bytes reached the table");
}

void TestLogViewStream::inertOperations() {
  TKvQtLogTable table;
  auto stream = new_a<TKvQtLogViewStream>(&table);
  char buf[4];
  QCOMPARE(stream->Read(buf, sizeof buf), 0ul);
  QCOMPARE(stream->getPosition(), 0ul);
  QCOMPARE(stream->getSize(), 0ul);
  QVERIFY(!stream->setSize(10));
  QVERIFY(!stream->setPosition(1));
  QVERIFY(stream->Flush());
  QCOMPARE(stream->Write(buf, 0), 0ul);
  QCOMPARE(table.rowCount(), 0);
  QVERIFY(bool(*stream));
}

void TestLogViewStream::writesAfterDetach() {
  TKvQtLogTable table;
  auto stream = new_a<TKvQtLogViewStream>(&table);
  const std::string first = record("before");
  // Half a record before the detach, the rest after: nothing shows and the
  // parser keeps its place.
  write(*stream, first + record("split").substr(0, 10));
  stream->Detach();
  QVERIFY(!bool(*stream));
  QVERIFY(stream->Flush());
  write(*stream, record("split").substr(10) + record("after"));
  QCOMPARE(texts(table), QStringList{"before"});
}

void TestLogViewStream::reentrantWrite() {
  TKvQtLogTable table;
  auto stream = new_a<TKvQtLogViewStream>(&table);
  bool logged = false;
  table.OnMessagesChanged = [&]() {
    if (logged)
      return;
    logged = true;
    write(*stream, record("from the callback"));
  };
  write(*stream, record("outer body"));
  QCOMPARE(texts(table), (QStringList{"outer body", "from the callback"}));
}

void TestLogViewStream::recordsFromWorkerThreads() {
  TKvQtLogTable table;
  table.SetMaxMessages(0, 0);
  table.show();
  QThread* const gui = QThread::currentThread();
  std::atomic<int> offThread{0};
  table.OnMessagesChanged = [&]() {
    if (QThread::currentThread() != gui)
      ++offThread;
  };
  auto stream = new_a<TKvQtLogViewStream>(&table);
  const int kThreads = 4;
  const int kRecords = 300;
  {
    LogToStream hook(stream);
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t)
      workers.emplace_back([t]() {
        for (int i = 0; i < kRecords; ++i)
          KvLogWriteInfo("worker", "T" + std::to_string(t) + "-" + std::to_string(i), 1, 0);
      });
    // The GUI thread logs meanwhile; its records appear at once.
    for (int i = 0; i < 50; ++i)
      KvLogWriteWarning("gui", "G-" + std::to_string(i), 1, 0);
    for (std::thread& w : workers)
      w.join();
    QCoreApplication::processEvents();
  }
  QCOMPARE(offThread.load(), 0);
  QCOMPARE(table.rowCount(), kThreads * kRecords + 50);

  std::vector<int> next(kThreads, 0);
  int nextGui = 0;
  for (const QString& text : texts(table)) {
    if (text.startsWith("G-")) {
      QCOMPARE(text, QString("G-%1").arg(nextGui++));
      continue;
    }
    const QStringList parts = text.mid(1).split('-');
    QCOMPARE(parts.size(), 2);
    const int t = parts[0].toInt();
    QCOMPARE(parts[1].toInt(), next[t]++);
  }
  for (int t = 0; t < kThreads; ++t)
    QCOMPARE(next[t], kRecords);
}

void TestLogViewStream::workerRecordsAfterDetachAreDropped() {
  auto table = std::make_unique<TKvQtLogTable>();
  auto stream = new_a<TKvQtLogViewStream>(table.get());
  const std::string queued = record("queued");
  std::thread([&]() { stream->Write(queued.data(), queued.size()); }).join();
  QCOMPARE(table->rowCount(), 0);
  // The window goes before the GUI thread gets round to the queued bytes.
  stream->Detach();
  table.reset();
  QCoreApplication::processEvents();
  const std::string late = record("late");
  unsigned long written = 0;
  std::thread([&]() { written = stream->Write(late.data(), late.size()); }).join();
  QCOMPARE(written, static_cast<unsigned long>(late.size()));
  QCoreApplication::processEvents();
  QVERIFY(!bool(*stream));
}

QTEST_MAIN(TestLogViewStream)
#include "tst_logviewstream.moc"
