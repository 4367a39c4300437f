// The suite's core services: log records and their parser (however the
// bytes are split), the redirect, concurrent logging, message texts, the
// remaining-time estimate and date-time texts.

#include "kvsuite/kvlog.h"
#include "kvsuite/kvmessage.h"
#include "kvsuite/kvstream.h"
#include "kvsuite/kvtime.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QtTest>

#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>
#include <tuple>

namespace {

struct TRecord {
  TKvLogRecordHeader Header;
  std::string Text;
};

bool operator==(const TRecord& a, const TRecord& b) {
  auto fields = [](const TRecord& r) {
    return std::tie(r.Header.Time, r.Header.Type, r.Header.Level, r.Header.Code, r.Header.Source, r.Header.TextSize, r.Text);
  };
  return fields(a) == fields(b);
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
  // The trace of bytes fed in two pieces cut at every position is this one.
  void VerifySplits(const std::string& bytes) const {
    for (size_t cut = 0; cut <= bytes.size(); ++cut) {
      TTrace split;
      split.FeedPiece(bytes.data(), cut);
      split.FeedPiece(bytes.data() + cut, bytes.size() - cut);
      if (split.Events != Events)
        QFAIL(qPrintable(QString("split at %1 changes the parse").arg(cut)));
    }
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

// The texts of the records in `bytes`.
QStringList Texts(const std::string& bytes) {
  TTrace t;
  t.Feed(bytes);
  QStringList texts;
  for (const TRecord& r : t.Records)
    texts << QString::fromStdString(r.Text);
  return texts;
}

TRecord MakeRecord(std::string time, TKvLogMsgType type, TKvLogMsgLevel level, int code, std::string source,
                   std::string text) {
  const uint64_t size = text.size();
  return {{std::move(time), type, level, code, std::move(source), size}, std::move(text)};
}

std::string Format(const TRecord& r) {
  return KvLogFormatRecord(r.Header.Source, r.Text, r.Header.Type, r.Header.Level, r.Header.Code, r.Header.Time);
}

// Sets a stream as the process-wide log for one scope.
struct TLogScope {
  explicit TLogScope(const var_a<TKvStream*>& log) : FSaved(KvLogGetLogV()) { KvLogSetLogV(log); }
  ~TLogScope() { KvLogSetLogV(FSaved); }
  var_a<TKvStream*> FSaved;
};

} // namespace

Q_DECLARE_METATYPE(std::string)

namespace QTest {
template <> char* toString(const std::string& s) { return toPrettyCString(s.data(), int(s.size())); }
} // namespace QTest

class TestSuiteCore : public QObject {
  Q_OBJECT

private slots:
  void parserSplitInvariance();
  void parserResync_data();
  void parserResync();
  void redirectRouting();
  void concurrentLogWrites();
  void messageFill_data();
  void messageFill();
  void remainingTime_data();
  void remainingTime();
  void dateTime_data();
  void dateTime();
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
  QVERIFY(whole.Records == records);
  QCOMPARE(whole.Unframed, std::string("before\nbetween\nafter"));
  QCOMPARE(whole.Ends, int(records.size()) - whole.FailedHeaders);
  whole.VerifySplits(bytes);

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
  QTest::newRow("garbage after RS") << std::string("\x1eXYZ junk\n") << 1 << std::string("XYZ junk\n");
  QTest::newRow("source longer than a header may be")
      << std::string("\x1eKV1 t I 3 0 99999:abc") << 1 << std::string(":abc");
  QTest::newRow("text length past the limit")
      << std::string("\x1eKV1 t I 3 0 0: 99999999999\nbody\n") << 1 << std::string("body\n");
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
  whole.VerifySplits(bytes);
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

  struct TIn { TKvLogMsgType Type; int Level; const char* Text; };
  const std::vector<TIn> inputs = {{lmtError, 0, "E0"},   {lmtError, 3, "E3"},   {lmtError, 4, "E4"},
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

  QCOMPARE(Texts(counterOut->str()), (QStringList{"E0", "E3", "W3", "I1", "I-2"}));
  QCOMPARE(Texts(windowOut->str()), (QStringList{"E0", "E3", "W3", "I1", "I2", "I3", "I-2"}));
  // The all-filter output sees exactly what was written.
  QCOMPARE(allOut->str(), written);

  // Adding a stream again replaces its filter instead of doubling it.
  redirect.AddStream(windowOut, TKvLogRedirect::MakeFilter(TKvLogRedirect::fPassUnframed, 0, 0, 0, 0, 0, 0), false);
  QCOMPARE(redirect.StreamCount(), size_t(3));
  windowOut->clear();
  redirect.WriteStr(KvLogFormatRecord("", "E1", lmtError, 1, 0) + "loose");
  QCOMPARE(windowOut->str(), std::string("loose"));

  redirect.RemoveStream(windowOut.get());
  // A weak output is not kept alive, and is dropped once gone.
  auto weak = newobj_a<TKvStringStream>();
  std::weak_ptr<TKvStream> watch = weak.shared();
  redirect.AddStream(weak, TKvLogRedirect::GetAllFilter(), true);
  redirect.WriteStr(KvLogFormatRecord("", "one", lmtInfo, 3, 0));
  QCOMPARE(Texts(weak->str()), QStringList{"one"});
  weak.reset();
  QVERIFY(watch.expired());
  QCOMPARE(redirect.StreamCount(), size_t(2));
  redirect.WriteStr(KvLogFormatRecord("", "two", lmtInfo, 3, 0));
  QCOMPARE(Texts(allOut->str()).mid(int(inputs.size())), (QStringList{"E1", "one", "two"}));
}

// The process-wide log --------------------------------------------------------------

void TestSuiteCore::concurrentLogWrites() {
  auto out = newobj_a<TKvStringStream>();
  const int threads = 4, perThread = 400;
  auto text = [](int i) { return std::to_string(i) + "\n" + std::string(static_cast<size_t>(i % 97), '\x1e'); };
  {
    TLogScope scope(out);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
      workers.emplace_back([t, text] {
        const std::string source = "thread" + std::to_string(t);
        for (int i = 0; i < perThread; ++i)
          KvLogWrite(i % 3 == 0 ? lmtInfo : i % 3 == 1 ? lmtWarning : lmtError, source, text(i), 3, i);
      });
    for (std::thread& w : workers)
      w.join();
  }
  TTrace trace;
  trace.Feed(out->str());
  QCOMPARE(trace.Unframed, std::string());
  QCOMPARE(int(trace.Records.size()), threads * perThread);
  std::vector<int> next(threads, 0);
  for (const TRecord& r : trace.Records) {
    const int i = next[std::stoul(r.Header.Source.substr(6))]++;
    QCOMPARE(r.Header.Code, i); // each thread's records in its order, none lost
    QCOMPARE(r.Text, text(i));
  }
}

// Messages ------------------------------------------------------------------------

void TestSuiteCore::messageFill_data() {
  QTest::addColumn<QString>("format");
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<QString>("expected");

  QTest::newRow("out of order") << "@%2% before %1%" << QStringList{"a", "b"} << "@b before a";
  QTest::newRow("placeholder inside a value stays")
      << "%1% and %2%" << QStringList{"<%2%>", "b"} << "<%2%> and b";
  QTest::newRow("two-digit placeholders")
      << "%1%|%10%|%11%" << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "ten"} << "1|ten|%11%";
  QTest::newRow("percent signs that are not placeholders")
      << "100%% %0% %x% %1" << QStringList{"a"} << "100%% %0% %x% %1";
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
  QCOMPARE(m.IsTechnical(), format.startsWith('@'));
}

// Time ----------------------------------------------------------------------------

void TestSuiteCore::remainingTime_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<int>("askEvery"); // ms
  QTest::newRow("steady rate, asked often") << 0 << 50;
  QTest::newRow("position in coarse steps") << 1 << 100;
  QTest::newRow("rate drops to a tenth at 80 %") << 2 << 100;
}

// A 60 s operation: at a steady rate the estimate follows the true remaining
// time closely; however the rate changes, it never reads 0 before the end.
void TestSuiteCore::remainingTime() {
  QFETCH(int, kind);
  QFETCH(int, askEvery);
  auto position = [kind](double t) {
    switch (kind) {
    case 1: return std::floor(t / 5000) * 5000 / 60000; // one step every 5 s
    case 2: return t < 48000 ? t / 60000 : 0.8 + (t - 48000) / 600000;
    default: return t / 60000;
    }
  };
  TTimeCounter c;
  for (uint64_t t = 1000; position(double(t)) < 1; t += uint64_t(askEvery)) {
    const double pos = position(double(t));
    const int64_t left = c.GetRemainingTimeAt(pos, t);
    if (pos < 0.005)
      continue;
    QVERIFY2(left > 0, qPrintable(QStringLiteral("0 left at %1 ms").arg(t)));
    if (kind == 0)
      QVERIFY2(std::abs(double(left) - (60000.0 - double(t))) <= 100, qPrintable(QString::number(t)));
  }
}

void TestSuiteCore::dateTime_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("utc"); // as ToRFCString(3) renders it; empty: invalid

  QTest::newRow("UTC with milliseconds") << "2026-12-05T19:00:00.123Z" << "2026-12-05T19:00:00.123Z";
  QTest::newRow("offset east, day before") << "2026-01-01T01:00:00.123+02:00" << "2025-12-31T23:00:00.123Z";
  QTest::newRow("microseconds are cut") << "2000-01-01T00:00:00.999999Z" << "2000-01-01T00:00:00.999Z";
  QTest::newRow("no zone") << "2026-12-05T19:00:00" << "";
  QTest::newRow("leap year by the 400-year rule") << "2000-02-29T00:00:00Z" << "2000-02-29T00:00:00.000Z";
  QTest::newRow("not a leap year") << "2100-02-29T00:00:00Z" << "";
  QTest::newRow("short offset") << "2026-12-05T19:00:00+03" << "";
}

void TestSuiteCore::dateTime() {
  QFETCH(QString, text);
  QFETCH(QString, utc);
  const TKvDateTime t = TKvDateTime::FromRFCString(text.toStdString());
  QCOMPARE(t.IsValid(), !utc.isEmpty());
  QCOMPARE(QString::fromStdString(t.ToRFCString(3)), utc);
  if (utc.isEmpty()) {
    QVERIFY(t.ToLocaleString().empty());
    return;
  }
  // The epoch milliseconds agree with Qt's reading of the same instant.
  QCOMPARE(t.MSecsSinceEpoch(), QDateTime::fromString(utc, Qt::ISODateWithMs).toMSecsSinceEpoch());
  QCOMPARE(QString::fromStdString(t.ToRFCString(0)), utc.left(19) + "Z");
  // Local time as Qt shows it, read back to the same instant.
  const QDateTime local = QDateTime::fromMSecsSinceEpoch(t.MSecsSinceEpoch());
  QCOMPARE(QString::fromStdString(t.ToLocaleString(1)), local.toString("yyyy-MM-dd HH:mm:ss.zzz"));
  QCOMPARE(TKvDateTime::FromRFCString(t.ToRFCString(3, TKvDateTime::tzLocal)).MSecsSinceEpoch(), t.MSecsSinceEpoch());
}

QTEST_GUILESS_MAIN(TestSuiteCore)
#include "tst_suite_core.moc"
