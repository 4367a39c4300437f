// The suite's core services: log records and their parser, redirect and
// counter, the process-wide log, messages, streams, time and strings.

#include "kvsuite/kvlog.h"
#include "kvsuite/kvmessage.h"
#include "kvsuite/kvstream.h"
#include "kvsuite/kvstrings.h"
#include "kvsuite/kvtime.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cfenv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace {

struct TRecord {
  TKvLogRecordHeader Header;
  std::string Text;
};

bool operator==(const TRecord& a, const TRecord& b) {
  return a.Header.Time == b.Header.Time && a.Header.Type == b.Header.Type && a.Header.Level == b.Header.Level &&
         a.Header.Code == b.Header.Code && a.Header.Source == b.Header.Source &&
         a.Header.TextSize == b.Header.TextSize && a.Text == b.Text;
}

// Everything a parser reports, with consecutive bytes of one kind joined, so
// that two feeds of the same bytes compare equal however they were split.
class TTrace : public TKvLogParser {
public:
  std::string Events;
  std::vector<TRecord> Records;
  std::string Unframed;
  int FailedHeaders = 0;
  int Ends = 0;

  void Feed(const std::string& bytes) { Parse(bytes.data(), static_cast<unsigned long>(bytes.size())); }
  // Each piece in a buffer of its own size, so that reading past it is caught.
  void FeedPiece(const char* data, size_t size) {
    std::unique_ptr<char[]> copy(new char[size ? size : 1]);
    std::memcpy(copy.get(), data, size);
    Parse(copy.get(), static_cast<unsigned long>(size));
  }

protected:
  void DoHeaderParsed(bool ok) override {
    FLastKind = 0;
    if (!ok) {
      ++FailedHeaders;
      Events += "<bad>";
      return;
    }
    QVERIFY(InRecord());
    const TKvLogRecordHeader& h = Header();
    Events += "<hdr " + h.Time + " " + std::to_string(h.Type) + " " + std::to_string(h.Level) + " " +
              std::to_string(h.Code) + " " + h.Source + " " + std::to_string(h.TextSize) + ">";
    Records.push_back({h, std::string()});
  }
  void RawWrite(const void* data, unsigned long size, bool flag) override {
    const char kind = flag ? (InRecord() ? 't' : 'h') : (InRecord() ? 'b' : 'u');
    const std::string bytes(static_cast<const char*>(data), size);
    if (kind != FLastKind)
      Events += std::string("|") + kind + ":";
    FLastKind = kind;
    Events += bytes;
    if (kind == 'b')
      Records.back().Text += bytes;
    if (kind == 'u')
      Unframed += bytes;
  }
  void DoRecordEnd() override {
    FLastKind = 0;
    ++Ends;
    Events += "<end>";
  }

private:
  char FLastKind = 0;
};

std::vector<TRecord> ReadRecords(const std::string& bytes, std::string* unframed = nullptr) {
  TTrace t;
  t.Feed(bytes);
  if (unframed)
    *unframed = t.Unframed;
  return t.Records;
}

std::vector<std::string> Texts(const std::vector<TRecord>& records) {
  std::vector<std::string> texts;
  for (const TRecord& r : records)
    texts.push_back(r.Text);
  return texts;
}

TRecord MakeRecord(const std::string& time, TKvLogMsgType type, TKvLogMsgLevel level, int code,
                   const std::string& source, const std::string& text) {
  TRecord r;
  r.Header.Time = time;
  r.Header.Type = type;
  r.Header.Level = level;
  r.Header.Code = code;
  r.Header.Source = source;
  r.Header.TextSize = text.size();
  r.Text = text;
  return r;
}

std::string Format(const TRecord& r) {
  return KvLogFormatRecord(r.Header.Source, r.Text, r.Header.Type, r.Header.Level, r.Header.Code, r.Header.Time);
}

// Sets a stream as the process-wide log for one scope.
class TLogScope {
public:
  explicit TLogScope(const var_a<TKvStream*>& log) : FSaved(KvLogGetLogV()) { KvLogSetLogV(log); }
  ~TLogScope() { KvLogSetLogV(FSaved); }

private:
  var_a<TKvStream*> FSaved;
};

// Catches what is written to file descriptor 2 while it lives.
class TStderrCapture {
public:
  TStderrCapture() : FFile(std::tmpfile()) {
    std::fflush(stderr);
    FSaved = ::dup(2);
    ::dup2(fileno(FFile), 2);
  }
  ~TStderrCapture() { Restore(); }
  std::string Text() {
    Restore();
    std::string out;
    std::rewind(FFile);
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, FFile)) > 0)
      out.append(buf, n);
    return out;
  }

private:
  void Restore() {
    if (FSaved < 0)
      return;
    std::fflush(stderr);
    ::dup2(FSaved, 2);
    ::close(FSaved);
    FSaved = -1;
  }
  std::FILE* FFile;
  int FSaved = -1;
};

// A log stream that logs again from inside its own Write.
class TChattyStream : public TKvStringStream {
public:
  unsigned long Write(const void* data, unsigned long size) override {
    const unsigned long n = TKvStringStream::Write(data, size);
    if (FTalk-- > 0)
      KvLogWriteWarning("chatty", "nested", lmlVisible, 0);
    return n;
  }
  int FTalk = 1;
};

} // namespace

Q_DECLARE_METATYPE(std::string)

namespace QTest {
template <> char* toString(const std::string& s) { return toPrettyCString(s.data(), int(s.size())); }
template <> char* toString(const std::vector<std::string>& v) {
  QByteArray out = "{";
  for (const std::string& s : v) {
    char* item = toString(s);
    out += item;
    out += ", ";
    delete[] item;
  }
  return qstrdup((out + "}").constData());
}
} // namespace QTest

class TestSuiteCore : public QObject {
  Q_OBJECT

private slots:
  void parserSplitInvariance();
  void parserResync_data();
  void parserResync();
  void redirectRouting();
  void redirectThreads();
  void redirectWeakOutputs();
  void counterFlag_data();
  void counterFlag();
  void concurrentLogWrites();
  void logSetAndNesting();
  void stderrStream();
  void messageFill_data();
  void messageFill();
  void numberFormat_data();
  void numberFormat();
  void messageValueKinds();
  void exceptionReason();
  void streams();
  void getLine_data();
  void getLine();
  void fileStream();
  void tickCount();
  void timeCounter();
  void formatDuration_data();
  void formatDuration();
  void dateTime_data();
  void dateTime();
  void dateTimeLocal();
  void fpuSaver();
  void trimAndLists_data();
  void trimAndLists();
  void splitMerge();
  void rangeParsers_data();
  void rangeParsers();
  void paths_data();
  void paths();
  void sysMsgDialog();
};

// Parser ----------------------------------------------------------------------

void TestSuiteCore::parserSplitInvariance() {
  std::string nasty("a\x1e" "KV1 b\n\0c\r\n\x1e\x1e", 15);
  const std::vector<TRecord> records = {
      MakeRecord("2026-12-05T19:00:00.123Z", lmtError, 0, -7, "src", "plain text"),
      MakeRecord("2026-12-05T19:00:01.000Z", lmtWarning, 3, 0, std::string("s\x1e:\n ", 5), nasty),
      MakeRecord("2026-12-05T19:00:02.500Z", lmtInfo, 5, 2147483647, "", ""),
      MakeRecord("2026-12-05T19:00:03.000Z", 1000, -1, INT_MIN, "numeric type", "\n"),
      MakeRecord("2026-12-05T19:00:04.000Z", lmtDebug, 9, 1, "x", std::string(3000, '\x1e')),
  };
  std::string bytes = "before\n";
  for (const TRecord& r : records)
    bytes += Format(r) + (r.Header.Code == 0 ? "between\n" : "");
  bytes += "after";

  TTrace whole;
  whole.Feed(bytes);
  QCOMPARE(whole.Records.size(), records.size());
  for (size_t i = 0; i < records.size(); ++i)
    QVERIFY2(whole.Records[i] == records[i], qPrintable(QString("record %1 differs").arg(i)));
  QCOMPARE(whole.Unframed, std::string("before\nbetween\nafter"));
  QCOMPARE(whole.FailedHeaders, 0);
  QCOMPARE(whole.Ends, int(records.size()));

  for (size_t cut = 0; cut <= bytes.size(); ++cut) {
    TTrace split;
    split.FeedPiece(bytes.data(), cut);
    split.FeedPiece(bytes.data() + cut, bytes.size() - cut);
    if (split.Events != whole.Events)
      QFAIL(qPrintable(QString("split at %1 changes the parse").arg(cut)));
  }

  QRandomGenerator rng(12345);
  for (int run = 0; run < 200; ++run) {
    TTrace pieces;
    const int maxPiece = run < 20 ? 2 : 1 + rng.bounded(600);
    for (size_t pos = 0; pos < bytes.size();) {
      const size_t n = std::min<size_t>(rng.bounded(maxPiece + 1), bytes.size() - pos); // 0 included
      pieces.FeedPiece(bytes.data() + pos, n);
      pos += n;
    }
    QCOMPARE(pieces.Events, whole.Events);
  }
}

void TestSuiteCore::parserResync_data() {
  QTest::addColumn<std::string>("prefix");
  QTest::addColumn<int>("failed");
  QTest::addColumn<std::string>("unframed");

  QTest::newRow("torn header, then a record") << std::string("\x1eKV1 2026-12-05T19:00") << 1 << std::string();
  QTest::newRow("torn header inside the magic") << std::string("\x1eKV") << 1 << std::string();
  QTest::newRow("garbage after RS") << std::string("\x1eXYZ junk\n") << 1 << std::string("XYZ junk\n");
  QTest::newRow("lone RS bytes") << std::string("\x1e\x1e\x1e") << 3 << std::string();
  QTest::newRow("space in the time") << std::string("\x1eKV1 2026 12 I 3 0 0: 1\nx\n") << 1
                                     << std::string("I 3 0 0: 1\nx\n");
  QTest::newRow("source longer than a header may be")
      << std::string("\x1eKV1 t I 3 0 99999:abc") << 1 << std::string(":abc");
  QTest::newRow("text length past the limit")
      << std::string("\x1eKV1 t I 3 0 0: 99999999999\nbody\n") << 1 << std::string("body\n");
  QTest::newRow("level out of int range")
      << std::string("\x1eKV1 t I 99999999999 0 0: 2\nhi\n") << 1 << std::string("hi\n");
  QTest::newRow("code out of int range")
      << std::string("\x1eKV1 t I 1 3000000000 0: 2\nhi\n") << 1 << std::string("hi\n");
  QTest::newRow("two-letter type") << std::string("\x1eKV1 t EE 1 0 0: 2\nhi\n") << 1 << std::string("hi\n");
  QTest::newRow("text shorter than announced")
      << std::string("\x1eKV1 t I 1 0 0: 1\nhi\n") << 0 << std::string("i\n");
}

void TestSuiteCore::parserResync() {
  QFETCH(std::string, prefix);
  QFETCH(int, failed);
  QFETCH(std::string, unframed);
  const TRecord good = MakeRecord("2026-12-05T19:00:00.000Z", lmtWarning, 1, 4, "after", "still here");
  const std::string bytes = prefix + Format(good);

  TTrace whole;
  whole.Feed(bytes);
  QCOMPARE(whole.FailedHeaders, failed);
  QCOMPARE(whole.Unframed, unframed);
  QVERIFY(!whole.Records.empty());
  QVERIFY(whole.Records.back() == good);
  for (size_t cut = 0; cut <= bytes.size(); ++cut) {
    TTrace split;
    split.FeedPiece(bytes.data(), cut);
    split.FeedPiece(bytes.data() + cut, bytes.size() - cut);
    QCOMPARE(split.Events, whole.Events);
  }
}

// Redirect and counter ----------------------------------------------------------

void TestSuiteCore::redirectRouting() {
  TKvLogRedirect redirect;
  auto counterOut = newobj_a<TKvStringStream>();
  auto windowOut = newobj_a<TKvStringStream>();
  auto allOut = newobj_a<TKvStringStream>();
  redirect.AddStream(counterOut, TKvLogRedirect::MakeFilter(0, 3, 3, 1, 3, 3, 1), false);
  redirect.AddStream(windowOut, TKvLogRedirect::MakeFilter(0, 3, 3, 3, 3, 3, 3), false);
  redirect.AddStream(allOut, TKvLogRedirect::GetAllFilter(), false);
  QCOMPARE(redirect.StreamCount(), size_t(3));

  struct TIn { TKvLogMsgType Type; int Level; const char* Text; };
  const TIn inputs[] = {{lmtError, 0, "E0"},   {lmtError, 3, "E3"},   {lmtError, 4, "E4"},
                        {lmtWarning, 3, "W3"}, {lmtWarning, 5, "W5"}, {lmtInfo, 1, "I1"},
                        {lmtInfo, 2, "I2"},    {lmtInfo, 3, "I3"},    {lmtInfo, 4, "I4"},
                        {lmtDebug, 0, "D0"},   {lmtInfo, -2, "I-2"}};
  std::string written;
  for (const TIn& in : inputs) {
    const std::string r = KvLogFormatRecord("src", in.Text, in.Type, in.Level, 0);
    written += r;
    QCOMPARE(redirect.Write(r.data(), static_cast<unsigned long>(r.size())), static_cast<unsigned long>(r.size()));
  }
  const std::string plain = "plain text\n\x1eKV1 broken\n";
  written += plain;
  redirect.WriteStr(plain);

  std::string unframed;
  QCOMPARE(Texts(ReadRecords(counterOut->str(), &unframed)),
           (std::vector<std::string>{"E0", "E3", "W3", "I1", "I-2"}));
  QCOMPARE(unframed, std::string());
  QCOMPARE(Texts(ReadRecords(windowOut->str(), &unframed)),
           (std::vector<std::string>{"E0", "E3", "W3", "I1", "I2", "I3", "I-2"}));
  QCOMPARE(unframed, std::string());
  // The all-filter output sees exactly what was written.
  QCOMPARE(allOut->str(), written);

  // Adding a stream again replaces its filter instead of doubling it.
  redirect.AddStream(windowOut, TKvLogRedirect::MakeFilter(TKvLogRedirect::fPassUnframed, 0, 0, 0, 0, 0, 0), false);
  QCOMPARE(redirect.StreamCount(), size_t(3));
  windowOut->clear();
  redirect.WriteStr(KvLogFormatRecord("", "E1", lmtError, 1, 0) + "loose");
  QCOMPARE(windowOut->str(), std::string("loose"));

  redirect.RemoveStream(windowOut.get());
  QCOMPARE(redirect.StreamCount(), size_t(2));
  windowOut->clear();
  redirect.WriteStr(KvLogFormatRecord("", "E0", lmtError, 0, 0));
  QCOMPARE(windowOut->str(), std::string());
}

void TestSuiteCore::redirectThreads() {
  // The main thread may log details, other threads only failures.
  auto out = newobj_a<TKvStringStream>();
  auto redirect = newobj_a<TKvLogRedirect>();
  redirect->AddStream(out, TKvLogRedirect::MakeFilter(0, 9, 9, 9, 0, 0, 0), false);
  TLogScope scope(redirect);

  KvLogWriteInfo("main", "main detail", 5, 0);
  std::thread worker([] {
    KvLogWriteInfo("worker", "worker detail", 5, 0);
    KvLogWriteError("worker", "worker failure", 0, 0);
    KvLogWriteWarning("worker", "worker warning", 1, 0);
  });
  worker.join();
  KvLogWriteWarning("main", "main warning", 9, 0);
  QCOMPARE(Texts(ReadRecords(out->str())),
           (std::vector<std::string>{"main detail", "worker failure", "main warning"}));
}

void TestSuiteCore::redirectWeakOutputs() {
  TKvLogRedirect redirect;
  auto strong = newobj_a<TKvStringStream>();
  auto weak = newobj_a<TKvStringStream>();
  std::weak_ptr<TKvStream> watch = weak.shared();
  redirect.AddStream(strong, TKvLogRedirect::GetAllFilter(), false);
  redirect.AddStream(weak, TKvLogRedirect::GetAllFilter(), true);
  QCOMPARE(redirect.StreamCount(), size_t(2));

  redirect.WriteStr(KvLogFormatRecord("", "one", lmtInfo, 3, 0));
  QCOMPARE(Texts(ReadRecords(weak->str())), std::vector<std::string>{"one"});

  weak.reset();
  QVERIFY(watch.expired()); // the redirect did not keep it
  QCOMPARE(redirect.StreamCount(), size_t(1));
  redirect.WriteStr(KvLogFormatRecord("", "two", lmtInfo, 3, 0));
  QCOMPARE(Texts(ReadRecords(strong->str())), (std::vector<std::string>{"one", "two"}));
}

void TestSuiteCore::counterFlag_data() {
  QTest::addColumn<int>("type");
  QTest::addColumn<int>("level");
  QTest::addColumn<bool>("important");
  QTest::addColumn<bool>("passesFilter"); // the filter a log-bound progress gives its counter

  QTest::newRow("routine information") << int(lmtInfo) << 3 << false << false;
  QTest::newRow("detail information") << int(lmtInfo) << 2 << false << false;
  QTest::newRow("important information") << int(lmtInfo) << 1 << true << true;
  QTest::newRow("critical information") << int(lmtInfo) << 0 << true << true;
  QTest::newRow("warning") << int(lmtWarning) << 3 << true << true;
  QTest::newRow("invisible warning") << int(lmtWarning) << 4 << true << false;
  QTest::newRow("error") << int(lmtError) << 3 << true << true;
  QTest::newRow("internal error") << int(lmtError) << 5 << true << false;
  QTest::newRow("debug") << int(lmtDebug) << 0 << false << false;
}

void TestSuiteCore::counterFlag() {
  QFETCH(int, type);
  QFETCH(int, level);
  QFETCH(bool, important);
  QFETCH(bool, passesFilter);
  const std::string record = KvLogFormatRecord("", "x", type, level, 0);

  TKvLogCounter direct;
  QVERIFY(!direct.HaveImportantMessages());
  direct.WriteStr(record);
  QCOMPARE(direct.HaveImportantMessages(), important);
  QCOMPARE(direct.GetTotalCount(), 1ul);
  QCOMPARE(direct.GetErrorCount(), type == lmtError ? 1ul : 0ul);
  QCOMPARE(direct.GetWarningCount(), type == lmtWarning ? 1ul : 0ul);
  QCOMPARE(direct.GetInfoCount(), type == lmtInfo ? 1ul : 0ul);
  direct.ResetCounters();
  QVERIFY(!direct.HaveImportantMessages());
  QCOMPARE(direct.GetTotalCount(), 0ul);

  auto counter = newobj_a<TKvLogCounter>();
  TKvLogRedirect redirect;
  redirect.AddStream(counter, TKvLogRedirect::MakeFilter(0, 3, 3, 1, 3, 3, 1), false);
  redirect.WriteStr(record);
  QCOMPARE(counter->GetTotalCount(), passesFilter ? 1ul : 0ul);
  QCOMPARE(counter->HaveImportantMessages(), passesFilter && important);
}

// The process-wide log --------------------------------------------------------------

void TestSuiteCore::concurrentLogWrites() {
  auto out = newobj_a<TKvStringStream>();
  const int threads = 4, perThread = 400;
  {
    TLogScope scope(out);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
      workers.emplace_back([t] {
        for (int i = 0; i < perThread; ++i) {
          const std::string text = std::to_string(i) + "\n" + std::string(static_cast<size_t>(i % 97), '\x1e');
          const std::string source = "thread" + std::to_string(t);
          switch (i % 3) {
          case 0: KvLogWriteInfo(source, text, 3, i); break;
          case 1: KvLogWriteWarning(source, text, 3, i); break;
          default: KvLogWrite(lmtError, source, text, 3, i); break;
          }
        }
      });
    for (std::thread& w : workers)
      w.join();
  }
  std::string unframed;
  const std::vector<TRecord> records = ReadRecords(out->str(), &unframed);
  QCOMPARE(unframed, std::string());
  QCOMPARE(int(records.size()), threads * perThread);
  std::vector<int> next(threads, 0);
  for (const TRecord& r : records) {
    const int t = std::stoi(r.Header.Source.substr(6));
    const int i = next[static_cast<size_t>(t)]++;
    QCOMPARE(r.Header.Code, i); // each thread's records in its order, none lost
    QCOMPARE(r.Text, std::to_string(i) + "\n" + std::string(static_cast<size_t>(i % 97), '\x1e'));
  }
}

void TestSuiteCore::logSetAndNesting() {
  const var_a<TKvStream*> before = KvLogGetLogV();
  QVERIFY(before);
  auto chatty = newobj_a<TChattyStream>();
  KvLogSetLogV(chatty);
  QVERIFY(KvLogGetLogV() == var_a<TKvStream*>(chatty));
  KvLogWriteInfo("outer", "first", 3, 0);
  KvLogSetLogV(before);
  QVERIFY(KvLogGetLogV() == before);

  // The record the stream wrote from inside its Write follows the one it was
  // writing instead of tearing it.
  const std::vector<TRecord> records = ReadRecords(chatty->str());
  QCOMPARE(Texts(records), (std::vector<std::string>{"first", "nested"}));
  QCOMPARE(records[1].Header.Type, int(lmtWarning));

  // A null log means the default one, never no log.
  KvLogSetLogV(var_a<TKvStream*>());
  QVERIFY(KvLogGetLogV());
  KvLogSetLogV(before);
}

void TestSuiteCore::stderrStream() {
  const var_a<TKvStream*> stream = KvLogCreateStderrStream();
  std::string out;
  {
    TStderrCapture capture;
    KvLogWriteRecord(*stream, "src", "a\x1b[31mb\nline2", lmtWarning, 3, 0, "2026-12-05T19:00:00.123Z");
    KvLogWriteRecord(*stream, "", "plain", lmtError, 3, 0, "not a time");
    stream->WriteStr("loose\tbytes\x07\n");
    out = capture.Text();
  }
  const std::string local =
      QDateTime::fromMSecsSinceEpoch(Q_INT64_C(1796497200123)).toString("yyyy-MM-dd HH:mm:ss.zzz").toStdString();
  QCOMPARE(out, local + " W [src] a\\x1b[31mb\n  line2\n" + "not_a_time E plain\n" + "loose\tbytes\\x07\n");
}

// Messages ------------------------------------------------------------------------

void TestSuiteCore::messageFill_data() {
  QTest::addColumn<QString>("format");
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<QString>("expected");

  QTest::newRow("in order") << "@%1% then %2%" << QStringList{"a", "b"} << "@a then b";
  QTest::newRow("out of order") << "%2% before %1%" << QStringList{"a", "b"} << "b before a";
  QTest::newRow("every occurrence") << "%1%-%1%-%1%" << QStringList{"x"} << "x-x-x";
  QTest::newRow("placeholder inside a value stays")
      << "%1% and %2%" << QStringList{"<%2%>", "b"} << "<%2%> and b";
  QTest::newRow("missing value keeps the placeholder") << "%1% %2%" << QStringList{"a"} << "a %2%";
  QTest::newRow("extra value is dropped") << "only %1%" << QStringList{"a", "b"} << "only a";
  QTest::newRow("two-digit placeholders")
      << "%1%|%10%|%11%" << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "ten"} << "1|ten|%11%";
  QTest::newRow("percent signs that are not placeholders")
      << "100%% %0% %x% %1" << QStringList{"a"} << "100%% %0% %x% %1";
  QTest::newRow("adjacent") << "%1%%2%" << QStringList{"a", "b"} << "ab";
  QTest::newRow("empty format") << "" << QStringList{"a"} << "";
}

void TestSuiteCore::messageFill() {
  QFETCH(QString, format);
  QFETCH(QStringList, args);
  QFETCH(QString, expected);
  TKvMessage m(format.toStdString());
  for (const QString& a : args)
    m << a.toStdString();
  QCOMPARE(QString::fromStdString(m.std_str()), expected);
  QCOMPARE(QString::fromUtf8(m.what()), expected);
  QCOMPARE(QString::fromStdString(m.format()), format);
  QCOMPARE(m.NextArg(), args.size() + 1);
  QCOMPARE(m.IsTechnical(), format.startsWith('@'));
}

void TestSuiteCore::numberFormat_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<QString>("expected");

  QTest::newRow("tenth") << 0.1 << "0.1";
  QTest::newRow("two and a half") << 2.5 << "2.5";
  QTest::newRow("million") << 1e6 << "1000000";
  QTest::newRow("negative") << -2.5 << "-2.5";
  QTest::newRow("zero") << 0.0 << "0";
  QTest::newRow("negative zero") << -0.0 << "0";
  QTest::newRow("binary noise rounded away") << 0.1 + 0.2 << "0.3";
  QTest::newRow("third") << 1.0 / 3 << "0.333333333333333";
  QTest::newRow("smallest fixed") << 1e-5 << "0.00001";
  QTest::newRow("below fixed") << 1.5e-7 << "1.5e-7";
  QTest::newRow("largest fixed") << 123456789012345.0 << "123456789012345";
  QTest::newRow("rounds to 15 digits") << 1234567.891234567891 << "1234567.89123457";
  QTest::newRow("above fixed") << 1e15 << "1e+15";
  QTest::newRow("large") << -2.5e20 << "-2.5e+20";
  QTest::newRow("not a number") << std::nan("") << "nan";
  QTest::newRow("infinity") << HUGE_VAL << "inf";
  QTest::newRow("minus infinity") << -HUGE_VAL << "-inf";
}

void TestSuiteCore::numberFormat() {
  QFETCH(double, value);
  QFETCH(QString, expected);
  QCOMPARE(QString::fromStdString(TKvMessage::FormatNumber(value)), expected);
  QCOMPARE(QString::fromStdString((TKvMessage("v=%1%") << value).std_str()), "v=" + expected);
}

void TestSuiteCore::messageValueKinds() {
  TKvMessage m("%1% %2% %3% %4% %5% %6% %7% %8%");
  m << INT_MIN << 4294967295u << LLONG_MIN << ULLONG_MAX << true << 'c' << static_cast<const char*>(nullptr)
    << std::string("s");
  QCOMPARE(m.std_str(), std::string("-2147483648 4294967295 -9223372036854775808 18446744073709551615 true c "
                                    "(null) s"));
}

void TestSuiteCore::exceptionReason() {
  QCOMPARE(QString::fromStdString(KvGetExceptionReason()), QString("No exception"));
  try {
    throw TKvMessage("@Bad %1%") << 42;
  } catch (...) {
    QCOMPARE(KvGetExceptionReason(), std::string("@Bad 42"));
  }
  try {
    throw std::runtime_error("runtime trouble");
  } catch (...) {
    QCOMPARE(KvGetExceptionReason(), std::string("runtime trouble"));
  }
  try {
    throw 17;
  } catch (...) {
    QCOMPARE(KvGetExceptionReason(), std::string("Unknown exception"));
  }
  const int line = __LINE__ + 2;
  try {
    KV_ASSERT_IN("void f(int)", 1 + 1 == 3);
  } catch (const TKvMessage& m) {
    QCOMPARE(m.std_str(), "@Internal logic error in void f(int) (" + std::to_string(line) + "): (1 + 1 == 3)==false.");
    QVERIFY(m.IsTechnical());
  }
}

// Streams -------------------------------------------------------------------------

void TestSuiteCore::streams() {
  // A reader over memory reads exactly its bytes.
  const size_t size = 10;
  std::unique_ptr<char[]> bytes(new char[size]);
  std::memcpy(bytes.get(), "0123456789", size);
  TKvFixedMemStream mem(bytes.get(), size, "res:/table.bin");
  char buf[16] = {};
  QCOMPARE(mem.Read(buf, 4), 4ul);
  QVERIFY(mem.setPosition64(size));
  QVERIFY(mem.eof());
  QCOMPARE(mem.Read(buf, 4), 0ul);
  QVERIFY(!mem.setPosition64(size + 1));
  QCOMPARE(mem.getPosition64(), uint64_t(size));
  QCOMPARE(mem.Write("x", 1), TKvStream::invalid_value);
  QVERIFY(mem.setPosition(7));
  QCOMPARE(mem.Read(buf, sizeof buf), 3ul);
  QCOMPARE(std::string(buf, 3), std::string("789"));

  // A short read throws and names the stream.
  QVERIFY(mem.setPosition(6));
  try {
    mem.ReadAllE(buf, 8);
    QFAIL("no exception for a short read");
  } catch (const TKvMessage& m) {
    QVERIFY2(m.std_str().find("res:/table.bin") != std::string::npos, m.what());
    QVERIFY2(m.std_str().find('4') != std::string::npos, m.what());
  }
  TKvStringStream unnamed("ab");
  QVERIFY_EXCEPTION_THROWN(unnamed.ReadAllE(buf, 3), TKvMessage);
  QVERIFY(unnamed.setPosition(0));
  QVERIFY(!unnamed.ReadAll(buf, 3));

  // The copying form keeps its own bytes.
  TKvFixedMemStream owned(std::string("xyz"));
  QCOMPARE(owned.getSize64(), uint64_t(3));
  QVERIFY(owned.ReadAll(buf, 3));
  QCOMPARE(std::string(buf, 3), std::string("xyz"));

  // A string stream grows and fills gaps with zero bytes.
  TKvStringStream s;
  QVERIFY(s.WriteStr("abc"));
  QVERIFY(s.setPosition64(5));
  QVERIFY(s.WriteStr("z"));
  QCOMPARE(s.str(), std::string("abc\0\0z", 6));
  QVERIFY(s.setPosition(1));
  QVERIFY(s.WriteStr("B"));
  QCOMPARE(s.str(), std::string("aBc\0\0z", 6));
  QVERIFY(s.setSize(2));
  QCOMPARE(s.str(), std::string("aB"));

  // The base stream moves nothing.
  TKvStream base;
  QCOMPARE(base.Read(buf, 1), TKvStream::invalid_value);
  QVERIFY(!base.WriteStr("x"));
  QVERIFY_EXCEPTION_THROWN(base.WriteAllE("x", 1), TKvMessage);
  QVERIFY(base.eof());
}

void TestSuiteCore::getLine_data() {
  QTest::addColumn<std::string>("bytes");
  QTest::addColumn<QStringList>("lines");

  QTest::newRow("empty") << std::string() << QStringList();
  QTest::newRow("one line with LF") << std::string("x\n") << QStringList{"x"};
  QTest::newRow("last line without LF") << std::string("a\nb") << QStringList{"a", "b"};
  QTest::newRow("CRLF and empty lines") << std::string("a\r\n\n\r\nc") << QStringList{"a", "", "", "c"};
  QTest::newRow("CR alone stays inside") << std::string("a\rb\n") << QStringList{"a\rb"};
  QTest::newRow("long lines") << std::string(1500, 'q') + "\n" + std::string(700, 'w')
                              << QStringList{QString(1500, 'q'), QString(700, 'w')};
}

void TestSuiteCore::getLine() {
  QFETCH(std::string, bytes);
  QFETCH(QStringList, lines);
  TKvStringStream s(bytes);
  TKvFixedMemStream m(bytes);
  for (TKvStream* stream : {static_cast<TKvStream*>(&s), static_cast<TKvStream*>(&m)}) {
    QStringList got;
    std::string line;
    while (stream->getLine(line))
      got << QString::fromStdString(line);
    QCOMPARE(got, lines);
    QVERIFY(stream->eof());
  }
  // Reading goes on right after the line feed.
  TKvStringStream t(bytes + "\nrest");
  std::string line;
  while (t.getLine(line) && line != "rest") {
  }
  QCOMPARE(line, std::string("rest"));
}

void TestSuiteCore::fileStream() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const std::string name = dir.filePath("f.bin").toStdString();
  {
    TKvFileStream f(name, TKvFileStream::fmWrite);
    QVERIFY(f.WriteStr("line1\nline2\n"));
    QCOMPARE(f.getSize64(), uint64_t(12));
  }
  {
    TKvFileStream f(name, TKvFileStream::fmAppend);
    QVERIFY(f.WriteStr("tail"));
  }
  TKvFileStream f(name, TKvFileStream::fmRead);
  std::string line;
  QVERIFY(f.getLine(line));
  QCOMPARE(line, std::string("line1"));
  QCOMPARE(f.getPosition64(), uint64_t(6));
  char buf[32];
  try {
    f.ReadAllE(buf, sizeof buf);
    QFAIL("no exception for a short read");
  } catch (const TKvMessage& m) {
    QVERIFY2(m.std_str().find(name) != std::string::npos, m.what());
  }
  QVERIFY(f.Close());
  QVERIFY(!bool(f));
  QCOMPARE(f.Read(buf, 1), TKvStream::invalid_value);

  const std::string missing = dir.filePath("missing/x").toStdString();
  try {
    TKvFileStream g(missing, TKvFileStream::fmRead);
    QFAIL("opening a missing file did not throw");
  } catch (const TKvMessage& m) {
    QVERIFY2(m.std_str().find(missing) != std::string::npos, m.what());
  }
}

// Time ----------------------------------------------------------------------------

void TestSuiteCore::tickCount() {
  // The tick is the coarse monotonic clock in milliseconds, cut to 32 bits:
  // it lies between two readings of that clock taken around it.
  auto coarseMs = [] {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000 + static_cast<uint64_t>(ts.tv_nsec) / 1000000;
  };
  const uint64_t before = coarseMs();
  const uint32_t tick = KvGetTickCount();
  const uint64_t after = coarseMs();
  QVERIFY(uint32_t(tick - uint32_t(before)) <= uint32_t(after - before));

  // Elapsed time by unsigned difference survives the wrap.
  const uint32_t then = 0xFFFFFF00u;
  const uint32_t now = then + 0x200u;
  QCOMPARE(now, 0x100u);
  QCOMPARE(uint32_t(now - then), 0x200u);
}

void TestSuiteCore::timeCounter() {
  TTimeCounter c;
  QVERIFY(!c.IsRunning());
  QCOMPARE(c.GetTime(), uint64_t(0));
  c.Start();
  QVERIFY(c.IsRunning());
  c.Wait(true);
  QVERIFY(!c.IsRunning());
  const uint64_t paused = c.GetTime();
  QCOMPARE(c.GetTime(), paused); // nothing counts while paused
  c.Wait(false);
  QVERIFY(c.IsRunning());
  QVERIFY(c.GetTime() >= paused);
  QCOMPARE(c.GetRemainingTime(1.0), int64_t(0));
  QCOMPARE(c.GetRemainingTime(0.001), int64_t(-1));
  QCOMPARE(c.GetRemainingTime(std::nan("")), int64_t(-1));
  c.Reset();
  QVERIFY(!c.IsRunning());
  QCOMPARE(c.GetTime(), uint64_t(0));
  QCOMPARE(c.GetRemainingTime(0.5), int64_t(-1)); // nothing elapsed: no estimate
}

void TestSuiteCore::formatDuration_data() {
  QTest::addColumn<qulonglong>("ms");
  QTest::addColumn<QString>("text");
  QTest::newRow("zero") << 0ull << "0:00";
  QTest::newRow("under a second") << 999ull << "0:00";
  QTest::newRow("minutes") << 754000ull << "12:34";
  QTest::newRow("one hour") << 3600000ull << "1:00:00";
  QTest::newRow("many hours") << 100ull * 3600000 + 61000 << "100:01:01";
}

void TestSuiteCore::formatDuration() {
  QFETCH(qulonglong, ms);
  QFETCH(QString, text);
  QCOMPARE(QString::fromStdString(TTimeCounter::FormatDuration(ms)), text);
}

void TestSuiteCore::dateTime_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("valid");
  QTest::addColumn<QString>("utc"); // as ToRFCString(3) renders it

  QTest::newRow("UTC with milliseconds") << "2026-12-05T19:00:00.123Z" << true << "2026-12-05T19:00:00.123Z";
  QTest::newRow("offset east") << "2026-12-05T22:00:00.123+03:00" << true << "2026-12-05T19:00:00.123Z";
  QTest::newRow("offset west, half hour") << "2026-12-05T13:30:00-05:30" << true << "2026-12-05T19:00:00.000Z";
  QTest::newRow("no fraction") << "2000-01-01T00:00:00Z" << true << "2000-01-01T00:00:00.000Z";
  QTest::newRow("one fraction digit") << "2000-01-01T00:00:00.5Z" << true << "2000-01-01T00:00:00.500Z";
  QTest::newRow("microseconds are cut") << "2000-01-01T00:00:00.999999Z" << true << "2000-01-01T00:00:00.999Z";
  QTest::newRow("lower-case t and z") << "2024-02-29t12:00:00z" << true << "2024-02-29T12:00:00.000Z";
  QTest::newRow("space for T") << "2024-02-29 12:00:00Z" << true << "2024-02-29T12:00:00.000Z";
  QTest::newRow("before 1970") << "1969-12-31T23:59:59.999Z" << true << "1969-12-31T23:59:59.999Z";
  QTest::newRow("day across the offset") << "2026-01-01T01:00:00+02:00" << true << "2025-12-31T23:00:00.000Z";
  QTest::newRow("empty") << "" << false << "";
  QTest::newRow("no zone") << "2026-12-05T19:00:00" << false << "";
  QTest::newRow("February 30") << "2026-02-30T00:00:00Z" << false << "";
  QTest::newRow("not a leap year") << "2100-02-29T00:00:00Z" << false << "";
  QTest::newRow("hour 24") << "2026-12-05T24:00:00Z" << false << "";
  QTest::newRow("empty fraction") << "2026-12-05T19:00:00.Z" << false << "";
  QTest::newRow("trailing text") << "2026-12-05T19:00:00Z " << false << "";
  QTest::newRow("short offset") << "2026-12-05T19:00:00+03" << false << "";
}

void TestSuiteCore::dateTime() {
  QFETCH(QString, text);
  QFETCH(bool, valid);
  QFETCH(QString, utc);
  const TKvDateTime t = TKvDateTime::FromRFCString(text.toStdString());
  QCOMPARE(t.IsValid(), valid);
  QCOMPARE(QString::fromStdString(t.ToRFCString(3)), utc);
  if (!valid)
    return;
  // The epoch milliseconds agree with Qt's reading of the same instant.
  QCOMPARE(t.MSecsSinceEpoch(), QDateTime::fromString(utc, Qt::ISODateWithMs).toMSecsSinceEpoch());
  const TKvDateTime back = TKvDateTime::FromRFCString(t.ToRFCString(3));
  QCOMPARE(back.MSecsSinceEpoch(), t.MSecsSinceEpoch());
  QCOMPARE(QString::fromStdString(t.ToRFCString(0)), utc.left(19) + "Z");
  QCOMPARE(QString::fromStdString(t.ToRFCString(1)), utc.left(21) + "Z");
}

void TestSuiteCore::dateTimeLocal() {
  for (const int64_t ms : {Q_INT64_C(1796497200123), Q_INT64_C(1719835200000), Q_INT64_C(-1)}) {
    const TKvDateTime t = TKvDateTime::FromMSecsSinceEpoch(ms);
    const QDateTime q = QDateTime::fromMSecsSinceEpoch(ms);
    QCOMPARE(QString::fromStdString(t.ToLocaleString(0)), q.toString("yyyy-MM-dd HH:mm:ss"));
    QCOMPARE(QString::fromStdString(t.ToLocaleString(1)), q.toString("yyyy-MM-dd HH:mm:ss.zzz"));
    const std::string local = t.ToRFCString(3, TKvDateTime::tzLocal);
    QCOMPARE(TKvDateTime::FromRFCString(local).MSecsSinceEpoch(), ms);
  }
  QVERIFY(TKvDateTime().ToLocaleString().empty());
  QVERIFY(TKvDateTime::Now().IsValid());
}

void TestSuiteCore::fpuSaver() {
  std::feclearexcept(FE_ALL_EXCEPT);
  const int rounding = std::fegetround();
  {
    TKvFPUSaver saver;
    std::fesetround(FE_UPWARD);
    std::feraiseexcept(FE_DIVBYZERO);
    QCOMPARE(std::fegetround(), FE_UPWARD);
  }
  QCOMPARE(std::fegetround(), rounding);
  QVERIFY(!std::fetestexcept(FE_DIVBYZERO));
}

// Strings and paths -----------------------------------------------------------

void TestSuiteCore::trimAndLists_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("separator");
  QTest::addColumn<bool>("keepEmpty");
  QTest::addColumn<QStringList>("items");

  QTest::newRow("semicolons by default") << " a ; b;c " << 0 << false << QStringList{"a", "b", "c"};
  QTest::newRow("empty items dropped") << "a;;b; ;" << 0 << false << QStringList{"a", "b"};
  QTest::newRow("empty items kept") << "a;;b; ;" << 0 << true << QStringList{"a", "", "b", "", ""};
  QTest::newRow("other separator") << "a,b;c" << int(',') << false << QStringList{"a", "b;c"};
  QTest::newRow("blank text is no list") << " \t\r\n" << 0 << true << QStringList();
  QTest::newRow("all blank kinds trimmed") << "\t\v\f x \r\n" << 0 << false << QStringList{"x"};
}

void TestSuiteCore::trimAndLists() {
  QFETCH(QString, text);
  QFETCH(int, separator);
  QFETCH(bool, keepEmpty);
  QFETCH(QStringList, items);
  QStringList got;
  for (const std::string& s : parse_strings(text.toStdString(), static_cast<char>(separator), keepEmpty))
    got << QString::fromStdString(s);
  QCOMPARE(got, items);
}

void TestSuiteCore::splitMerge() {
  QCOMPARE(KvSplitString("a::b::::c", "::"), (std::vector<std::string>{"a", "b", "", "c"}));
  QCOMPARE(KvSplitString("", ","), std::vector<std::string>{""});
  QCOMPARE(KvSplitString("a,b", ""), std::vector<std::string>{"a,b"});
  for (const char* text : {"a::b::::c", "", "::", "x"})
    QCOMPARE(KvMergeStrings(KvSplitString(text, "::"), "::"), std::string(text));
  QCOMPARE(trim("  \t"), std::string());
  QCOMPARE(Quorvant::ssprintf("%s-%03d", std::string(300, 'x').c_str(), 7), std::string(300, 'x') + "-007");
  QVERIFY(Is2Power(1) && Is2Power(1ull << 63) && !Is2Power(0) && !Is2Power(6));
}

void TestSuiteCore::rangeParsers_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<double>("min");
  QTest::addColumn<double>("max");
  QTest::addColumn<bool>("okDouble");
  QTest::addColumn<double>("valueDouble");
  QTest::addColumn<bool>("okUlong");

  QTest::newRow("integer") << "42" << 0.0 << 100.0 << true << 42.0 << true;
  QTest::newRow("blanks around") << " \t42 " << 0.0 << 100.0 << true << 42.0 << true;
  QTest::newRow("plus sign") << "+7" << 0.0 << 100.0 << true << 7.0 << true;
  QTest::newRow("decimal point") << "2.5" << 0.0 << 100.0 << true << 2.5 << false;
  QTest::newRow("decimal comma") << "2,5" << 0.0 << 100.0 << true << 2.5 << false;
  QTest::newRow("exponent") << "1e2" << 0.0 << 100.0 << true << 100.0 << false;
  QTest::newRow("at the bounds") << "100" << 100.0 << 100.0 << true << 100.0 << true;
  QTest::newRow("above") << "101" << 0.0 << 100.0 << false << 0.0 << false;
  QTest::newRow("below") << "-1" << 0.0 << 100.0 << false << 0.0 << false;
  QTest::newRow("negative in range") << "-1.5" << -2.0 << 0.0 << true << -1.5 << false;
  QTest::newRow("trailing junk") << "12abc" << 0.0 << 100.0 << false << 0.0 << false;
  QTest::newRow("two points") << "1.000,5" << 0.0 << 1e9 << false << 0.0 << false;
  QTest::newRow("empty") << "" << 0.0 << 100.0 << false << 0.0 << false;
  QTest::newRow("inner blank") << "1 2" << 0.0 << 100.0 << false << 0.0 << false;
  QTest::newRow("infinity") << "inf" << -HUGE_VAL << HUGE_VAL << false << 0.0 << false;
  QTest::newRow("double sign") << "+-1" << -2.0 << 2.0 << false << 0.0 << false;
  QTest::newRow("too large for ulong") << "99999999999999999999" << 0.0 << 1e30 << true << 1e20 << false;
}

void TestSuiteCore::rangeParsers() {
  QFETCH(QString, text);
  QFETCH(double, min);
  QFETCH(double, max);
  QFETCH(bool, okDouble);
  QFETCH(double, valueDouble);
  QFETCH(bool, okUlong);
  double d = -123;
  QCOMPARE(KvStringToDoubleRange(text.toStdString(), d, min, max), okDouble);
  QCOMPARE(d, okDouble ? valueDouble : -123.0); // untouched on failure
  unsigned long u = 77;
  const unsigned long umin = min < 0 ? 0 : static_cast<unsigned long>(min);
  const unsigned long umax = max > 1e19 ? ULONG_MAX : max < 0 ? 0 : static_cast<unsigned long>(max);
  QCOMPARE(KvStringToUlongRange(text.toStdString(), u, umin, umax), okUlong);
  QCOMPARE(u, okUlong ? static_cast<unsigned long>(valueDouble) : 77ul);
}

void TestSuiteCore::paths_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("dir");
  QTest::addColumn<QString>("ext");
  QTest::addColumn<QString>("nameOnly");
  QTest::addColumn<QString>("name");

  QTest::newRow("plain") << "/a/b.txt" << "/a/" << ".txt" << "b" << "b.txt";
  QTest::newRow("two extensions") << "/a/b.tar.gz" << "/a/" << ".gz" << "b.tar" << "b.tar.gz";
  QTest::newRow("dot in a folder") << "/a.d/b" << "/a.d/" << "" << "b" << "b";
  QTest::newRow("hidden file") << "/home/.profile" << "/home/" << "" << ".profile" << ".profile";
  QTest::newRow("no folder") << "x.cpp" << "" << ".cpp" << "x" << "x.cpp";
  QTest::newRow("folder only") << "/a/b/" << "/a/b/" << "" << "" << "";
  QTest::newRow("trailing dot") << "/a/b." << "/a/" << "." << "b" << "b.";
}

void TestSuiteCore::paths() {
  QFETCH(QString, path);
  QFETCH(QString, dir);
  QFETCH(QString, ext);
  QFETCH(QString, nameOnly);
  QFETCH(QString, name);
  const std::string p = path.toStdString();
  QCOMPARE(QString::fromStdString(KvExtractFilePath(p)), dir);
  QCOMPARE(QString::fromStdString(KvExtractFilePath(TKvPath(p))), dir);
  QCOMPARE(QString::fromStdString(KvExtractFileExt(p)), ext);
  QCOMPARE(QString::fromStdString(KvExtractFileNameOnly(p)), nameOnly);
  QCOMPARE(QString::fromStdString(KvExtractFileName(p)), name);
  QCOMPARE(QString::fromStdString(KvExtractFilePath(p) + KvExtractFileName(p)), path);
}

void TestSuiteCore::sysMsgDialog() {
  QCOMPARE((TKvPath("/a") / "b").str(), std::string("/a/b"));
  QCOMPARE((TKvPath("/a/") / "/b").str(), std::string("/a/b"));
  QCOMPARE(KvExcludeTrailing(KvIncludeTrailing("/x", '/'), '/'), std::string("/x"));
  QVERIFY(KvFileExists(KvGetExecutableFileName()));
  QVERIFY(!KvDirectoryExists(KvGetExecutableFileName()));
  QVERIFY(KvDirectoryExists(KvExtractFilePath(KvGetExecutableFileName())));
  QVERIFY(!KvFileExists(""));

  // Without a reachable display the message only goes to the terminal, and
  // the call returns instead of waiting for anybody.
  const QByteArray display = qgetenv("DISPLAY");
  const bool hadDisplay = qEnvironmentVariableIsSet("DISPLAY");
  std::string out;
  {
    TStderrCapture capture;
    qunsetenv("DISPLAY");
    KvDisplaySysMsgDialog("Caption", "no display", true);
    qputenv("DISPLAY", ":9876"); // nothing listens there
    KvDisplaySysMsgDialog("Caption", "-unreachable display", true);
    KvDisplaySysMsgDialog("", "not modal", false);
    out = capture.Text();
  }
  if (hadDisplay)
    qputenv("DISPLAY", display);
  else
    qunsetenv("DISPLAY");
  QCOMPARE(out, std::string("Caption: no display\nCaption: -unreachable display\nnot modal\n"));
  KvDebugBreak(); // no debugger attached: nothing happens
}

QTEST_GUILESS_MAIN(TestSuiteCore)
#include "tst_suite_core.moc"
