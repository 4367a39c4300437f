// The log view stream: records become rows, control bytes are escaped,
// records split anywhere give the same rows, a storm from a worker bigger
// than the table's limit ends as if fed one by one with a bounded queue, and
// the log redirect that feeds it survives outputs removed while it writes.

#include "kvtestsupport.h"

#include "logview/tkvqtlogtable.h"
#include "logview/tkvqtlogviewstream.h"

#include "kvsuite/kvlog.h"
#include "kvsuite/kvtime.h"

#include <atomic>
#include <functional>
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

// Everything a row shows and keeps, one line per row.
QStringList rows(const TKvQtLogTable& t) {
  QStringList out;
  int row = 0;
  for (const TKvQtLogTable::TLogMessage& m : t.Messages()) {
    out << QString("%1 %2 %3 [%4] %5 | %6 %7")
             .arg(m.type)
             .arg(m.level)
             .arg(m.code)
             .arg(QString::fromStdString(m.source), QString::fromStdString(m.text), t.item(row, 1)->text())
             .arg(t.isRowHidden(row));
    ++row;
  }
  return out;
}

// Counts what it is given and runs a hook on each write.
class Probe : public TKvStream {
public:
  unsigned long Write(const void*, unsigned long size) override {
    bytes += size;
    if (onWrite)
      onWrite();
    return size;
  }
  unsigned long bytes = 0;
  std::function<void()> onWrite;
};

} // namespace

class TestLogViewStream : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { qputenv("KV_MODULE_SETTINGS", "LogViewMsgTimeFormat=0"); }
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void escapes_data();
  void escapes();
  void piecesGiveTheSameRows();
  void writesAfterDetach();
  void reentrantWrite();
  void stormMatchesOneByOne_data();
  void stormMatchesOneByOne();
  void redirectOutputRemovedWhileWriting_data();
  void redirectOutputRemovedWhileWriting();
};

void TestLogViewStream::escapes_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QString>("shown");
  QTest::newRow("line feeds are kept") << QByteArray("a\nb\n") << "a\nb\n";
  QTest::newRow("carriage return") << QByteArray("a\r\nb") << "a\\x0d\nb";
  QTest::newRow("record separator inside text") << QByteArray("\x1e" "KV1") << "\\x1eKV1";
  QTest::newRow("delete and utf-8 stay") << QByteArray("\x7f Ошибка ✓") << QStringLiteral("\x7f Ошибка ✓");
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

void TestLogViewStream::piecesGiveTheSameRows() {
  // Sources of every kind: the header is length-prefixed, so a split inside
  // the source (or right at its edges) must not matter.
  const std::string bytes = KvLogFormatRecord("Importer", "first\nline", lmtWarning, 2, -42, kTime) + "stray bytes" +
                            KvLogFormatRecord("a b: c", "\tsecond", lmtError, 0, 7, kTime) +
                            KvLogFormatRecord("Импорт \x1eKV1 ", "", lmtInfo, 4, 0, kTime) +
                            KvLogFormatRecord(std::string(300, 's'), "third", lmtInfo, 1, 0, "");
  TKvQtLogTable whole;
  write(*new_a<TKvQtLogViewStream>(&whole), bytes);
  QCOMPARE(texts(whole), (QStringList{"first\nlinestray bytes", "\\x09second", "", "third"}));
  QCOMPARE(whole.Messages().back().source, std::string(300, 's'));
  QCOMPARE(whole.Messages().front().code, -42);

  for (size_t piece : {size_t(1), size_t(2), size_t(7), size_t(33)}) {
    TKvQtLogTable split;
    auto stream = new_a<TKvQtLogViewStream>(&split);
    for (size_t i = 0; i < bytes.size(); i += piece)
      write(*stream, bytes.substr(i, piece));
    QCOMPARE(rows(split), rows(whole));
  }
}

void TestLogViewStream::writesAfterDetach() {
  TKvQtLogTable table;
  auto stream = new_a<TKvQtLogViewStream>(&table);
  write(*stream, record("before") + record("split").substr(0, 10));
  const std::string queued = record("queued on a worker");
  std::thread([&]() { stream->Write(queued.data(), queued.size()); }).join();
  stream->Detach();
  QVERIFY(!bool(*stream));
  QCoreApplication::processEvents();
  write(*stream, record("split").substr(10) + record("after"));
  std::thread([&]() { QCOMPARE(stream->Write(queued.data(), queued.size()), static_cast<unsigned long>(queued.size())); }).join();
  QVERIFY(stream->Flush());
  QCoreApplication::processEvents();
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

void TestLogViewStream::stormMatchesOneByOne_data() {
  QTest::addColumn<int>("maximum");
  QTest::addColumn<int>("protectedNewest");
  QTest::addColumn<int>("level");
  QTest::newRow("default limit") << 1000 << 100 << int(TKvQtLogTable::mlOther);
  QTest::newRow("small limit, detail hidden") << 50 << 10 << int(TKvQtLogTable::mlInfo);
  QTest::newRow("everything protected") << 50 << 100 << int(TKvQtLogTable::mlOther);
}

void TestLogViewStream::stormMatchesOneByOne() {
  QFETCH(int, maximum);
  QFETCH(int, protectedNewest);
  QFETCH(int, level);
  const int kRecords = 20000;
  // Mostly detail information, which the purge drops first: the few other
  // records must then outlive thousands of newer ones.
  auto kind = [](int i) -> const char* {
    return i % 97 == 0 ? "E3" : i % 89 == 0 ? "W3" : i % 83 == 0 ? "D2" : i % 79 == 0 ? "I1" : i % 2 ? "I3" : "I4";
  };
  std::vector<std::string> records;
  for (int i = 0; i < kRecords; ++i) {
    const char* k = kind(i);
    std::string bytes = KvLogFormatRecord("src" + std::to_string(i % 3),
                                          std::string(k) + "#" + std::to_string(i) + (i % 11 == 0 ? "\n" : ""), k[0],
                                          k[1] - '0', i, kTime);
    if (i % 13 == 0)
      bytes += " unframed";
    records.push_back(bytes);
  }

  TKvQtLogTable storm, oneByOne;
  for (TKvQtLogTable* t : {&storm, &oneByOne}) {
    t->SetMaxMessages(static_cast<unsigned long>(maximum), static_cast<unsigned long>(protectedNewest));
    t->SetMessageLevel(TKvQtLogTable::TMessageLevel(level));
  }
  auto stormStream = new_a<TKvQtLogViewStream>(&storm);
  std::thread([&]() {
    for (const std::string& r : records)
      stormStream->Write(r.data(), static_cast<unsigned long>(r.size()));
  }).join();
  // The GUI thread fell behind by the whole storm: the queue stays bounded.
  QVERIFY2(stormStream->QueuedRecords() <= size_t(2 * maximum + 1025), "the queue was not condensed");
  while (stormStream->QueuedRecords() > 0)
    QCoreApplication::processEvents();
  QCoreApplication::processEvents();

  auto stream = new_a<TKvQtLogViewStream>(&oneByOne);
  for (const std::string& r : records)
    write(*stream, r);
  QCOMPARE(oneByOne.rowCount(), maximum);
  QCOMPARE(rows(storm), rows(oneByOne));
}

void TestLogViewStream::redirectOutputRemovedWhileWriting_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::newRow("a record") << QByteArray::fromStdString(record("text", lmtWarning));
  QTest::newRow("a header that does not parse") << QByteArray("\x1eKV1 not a header\n");
  QTest::newRow("unframed bytes") << QByteArray("plain text");
}

void TestLogViewStream::redirectOutputRemovedWhileWriting() {
  QFETCH(QByteArray, bytes);
  auto redirect = new_a<TKvLogRedirect>();
  auto first = new_a<Probe>();
  auto second = new_a<Probe>();
  auto third = new_a<Probe>();
  for (const auto& p : {first, second, third})
    redirect->AddStream(p, TKvLogRedirect::GetAllFilter(), false);
  // The first output drops the second and its last reference while the
  // redirect is still handing out these bytes.
  TKvStream* doomed = second.get();
  second.reset();
  first->onWrite = [&]() {
    if (doomed) {
      redirect->RemoveStream(doomed);
      doomed = nullptr;
    }
  };
  write(*redirect, bytes.toStdString());
  QCOMPARE(redirect->StreamCount(), size_t(2));
  QCOMPARE(third->bytes, static_cast<unsigned long>(bytes.size()));
  write(*redirect, record("next"));
  QCOMPARE(first->bytes, third->bytes);
}

QTEST_MAIN(TestLogViewStream)
#include "tst_logviewstream.moc"
