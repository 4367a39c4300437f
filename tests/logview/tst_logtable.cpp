// The log message table: trimmed rows measured again, level filtering, the
// purge (one by one and in batches) and copying.

#include "kvtestsupport.h"

#include "appservices/kvqtclipboard.h"
#include "logview/tkvqtlogtable.h"

#include "kvsuite/kvlog.h"
#include "kvsuite/kvtime.h"

#include <QScrollBar>

namespace {

const char* const kTime = "2026-12-05T19:00:00.123Z";

std::string localePrefix(const std::string& time = kTime) {
  return TKvDateTime::FromRFCString(time).ToLocaleString(1) + ": ";
}

QString rowText(const TKvQtLogTable& t, int row) { return t.item(row, 1)->text(); }

QStringList bodies(const TKvQtLogTable& t) {
  QStringList out;
  for (const TKvQtLogTable::TLogMessage& m : t.Messages())
    out << QString::fromStdString(m.text.substr(m.prefixLength));
  return out;
}

// "E3 W1 I4 D0": type letter and level per message; the body is the token,
// "#" and the message's position in the list.
std::vector<TKvQtLogTable::TNewMessage> messages(const QString& tokens, int first = 0) {
  std::vector<TKvQtLogTable::TNewMessage> out;
  for (const QString& token : tokens.split(' ', Qt::SkipEmptyParts))
    out.push_back({token[0].toLatin1(), token.mid(1).toInt(), 0, kTime, "",
                   QString("%1#%2").arg(token).arg(first + int(out.size())).toStdString()});
  return out;
}

void addOneByOne(TKvQtLogTable& t, const std::vector<TKvQtLogTable::TNewMessage>& list) {
  for (const TKvQtLogTable::TNewMessage& m : list)
    t.AddMessage(m.type, m.level, m.code, m.timeText, m.source, m.text);
}

QString clipboard() { return QString::fromStdString(KvGetQClipboardText()); }

} // namespace

class TestLogTable : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanup();

  void trimmedRowIsMeasuredAgain_data();
  void trimmedRowIsMeasuredAgain();
  void levelFiltering();
  void purge_data();
  void purge();
  void clipboardAndLookups();
};

void TestLogTable::initTestCase() {
  // The first table of the process reads the format; later ones must not.
  qputenv("KV_MODULE_SETTINGS", "LogViewMsgTimeFormat=1");
  TKvQtLogTable first;
  qputenv("KV_MODULE_SETTINGS", "LogViewMsgTimeFormat=0");
  TKvQtLogTable second;
  QCOMPARE(TKvQtLogTable::GetMsgTimeFormatGlobal(), TKvQtLogTable::mtfRFC);
  TKvQtLogTable::SetMsgTimeFormatGlobal(TKvQtLogTable::mtfLocale, false);
}

void TestLogTable::cleanup() {
  TKvQtLogTable::SetMsgTimeFormatGlobal(TKvQtLogTable::mtfLocale, false);
  KV_VERIFY_NO_TOPLEVELS();
}

void TestLogTable::trimmedRowIsMeasuredAgain_data() {
  QTest::addColumn<bool>("batch");
  QTest::newRow("one by one") << false;
  QTest::newRow("in one batch") << true;
}

void TestLogTable::trimmedRowIsMeasuredAgain() {
  QFETCH(bool, batch);
  TKvQtLogTable t;
  t.resize(400, 300);
  t.show();
  t.SetMessageLevel(TKvQtLogTable::mlInfo);
  auto list = messages("I1 I1 I4 I1");
  list[1].text = "ends with a line feed\n";
  list[3].text = "ends too\n";
  if (batch) {
    list.push_back(messages("I1", 4)[0]);
    t.AddMessages(list);
  } else {
    addOneByOne(t, {list[0], list[1]});
    QCoreApplication::processEvents(); // measured with its empty last line
    QVERIFY(t.rowHeight(1) > t.rowHeight(0));
    addOneByOne(t, {list[2], list[3], messages("I1", 4)[0]});
  }
  QCoreApplication::processEvents();
  // A hidden message below leaves the line feed alone; a visible one trims
  // it, and the row loses the empty line.
  QVERIFY(rowText(t, 1).endsWith('\n'));
  QCOMPARE(rowText(t, 3), QString::fromStdString(localePrefix()) + "ends too");
  QCOMPARE(t.rowHeight(3), t.rowHeight(0));
  QCOMPARE(t.Messages().back().text, localePrefix() + "I1#4");
  QCOMPARE(std::next(t.Messages().begin(), 3)->text, localePrefix() + "ends too\n");
}

void TestLogTable::levelFiltering() {
  TKvQtLogTable t;
  t.resize(300, 120);
  t.show();
  addOneByOne(t, messages("E5 W5 I2 I3"));
  const std::pair<TKvQtLogTable::TMessageLevel, int> steps[] = {
    {TKvQtLogTable::mlError, 1}, {TKvQtLogTable::mlWarning, 2}, {TKvQtLogTable::mlOther, 4}, {TKvQtLogTable::mlInfo, 3}};
  for (const auto& s : steps) {
    t.SetMessageLevel(s.first);
    int row = 0;
    for (const TKvQtLogTable::TLogMessage& m : t.Messages()) {
      QCOMPARE(m.visible, row < s.second);
      QCOMPARE(t.isRowHidden(row++), !m.visible);
    }
  }
  // New rows are scrolled into view; setting the same level does not scroll.
  addOneByOne(t, messages(QString("W1 ").repeated(100)));
  QCoreApplication::processEvents();
  QScrollBar* bar = t.verticalScrollBar();
  QVERIFY(bar->maximum() > 0);
  QCOMPARE(bar->value(), bar->maximum());
  bar->setValue(0);
  t.SetMessageLevel(TKvQtLogTable::mlInfo);
  QCOMPARE(bar->value(), 0);
  t.SetMessageLevel(TKvQtLogTable::mlWarning);
  QCOMPARE(bar->value(), bar->maximum());
}

void TestLogTable::purge_data() {
  QTest::addColumn<int>("maximum");
  QTest::addColumn<int>("protectedNewest");
  QTest::addColumn<QString>("before"); // already in the table
  QTest::addColumn<QString>("added");  // one by one, or in one batch
  QTest::addColumn<QString>("kept");   // empty: only one by one and batch must agree
  QTest::newRow("oldest detail outside the protected goes first")
    << 4 << 1 << "" << "E0 I3 W1 I4 I1" << "E0#0 W1#2 I4#3 I1#4";
  QTest::newRow("errors and warnings of level 3 are not detail")
    << 3 << 0 << "" << "I1 E3 W3 I3" << "I1#0 E3#1 W3#2";
  QTest::newRow("debug records are not detail") << 2 << 0 << "" << "D4 I4 E0" << "D4#0 E0#2";
  QTest::newRow("no detail left: the oldest goes") << 3 << 1 << "" << "E0 W0 I3 E0 E0" << "W0#1 E0#3 E0#4";
  QTest::newRow("protected detail survives") << 3 << 2 << "" << "E0 E0 I3 I3" << "E0#1 I3#2 I3#3";
  QTest::newRow("all protected: strictly from the front") << 3 << 5 << "" << "I3 E0 I3 E0 I3" << "I3#2 E0#3 I3#4";
  QTest::newRow("no limit") << 0 << 5 << "" << "I3 I3 I3 I3" << "I3#0 I3#1 I3#2 I3#3";
  QTest::newRow("batch onto a full table") << 3 << 1 << "E0 E0 I3" << "W1 W1" << "E0#1 W1#3 W1#4";
  QTest::newRow("burst far beyond the limit")
    << 7 << 2 << "E0 I3 W3" << QString("I3 E3 W1 I4 I1 D5 I3 ").repeated(30) << "";
  QTest::newRow("burst, everything protected") << 5 << 9 << "I3 E0" << QString("I4 W1 E3 ").repeated(20) << "";
}

void TestLogTable::purge() {
  QFETCH(int, maximum);
  QFETCH(int, protectedNewest);
  QFETCH(QString, before);
  QFETCH(QString, added);
  QFETCH(QString, kept);
  const auto prefill = messages(before);
  auto list = messages(added, int(prefill.size()));
  TKvQtLogTable oneByOne, batch;
  for (TKvQtLogTable* t : {&oneByOne, &batch}) {
    t->SetMaxMessages(static_cast<unsigned long>(maximum), static_cast<unsigned long>(protectedNewest));
    addOneByOne(*t, prefill);
  }
  addOneByOne(oneByOne, list);
  int calls = 0;
  batch.OnMessagesChanged = [&calls]() { ++calls; };
  batch.AddMessages(list);
  QCOMPARE(calls, 1);
  if (!kept.isEmpty())
    QCOMPARE(bodies(oneByOne).join(' '), kept);
  QCOMPARE(bodies(batch), bodies(oneByOne));
  QCOMPARE(batch.rowCount(), oneByOne.rowCount());
  for (int row = 0; row < batch.rowCount(); ++row)
    QCOMPARE(rowText(batch, row), rowText(oneByOne, row));
}

void TestLogTable::clipboardAndLookups() {
  TKvQtLogTable t;
  t.show();
  t.AddMessage(lmtError, 1, 0, kTime, "", "line one\nline two");
  t.AddMessage(lmtInfo, 4, 0, kTime, "", "hidden");
  t.AddMessage(lmtWarning, 2, 17, kTime, "Src", std::string("cr\r tab\t nul") + '\0' + "\x1f\x7f" + "é");
  t.AppendMessage(" appended");
  t.SetMessageLevel(TKvQtLogTable::mlWarning);
  const std::string p = localePrefix();
  QTest::keySequence(&t, QKeySequence(QKeySequence::Copy));
  QCOMPARE(clipboard(), QString::fromStdString(p + "line one\r\nline two\r\n" + p + "cr\\= tab\t nul\\0\\O\x7f" "é appended\r\n"));
  t.ClipboardCopy(true);
  const std::string records =
    KvLogFormatRecord("", "line one\nline two", lmtError, 1, 0, kTime) +
    KvLogFormatRecord("Src", std::string("cr\r tab\t nul") + '\0' + "\x1f\x7f" + "é appended", lmtWarning, 2, 17, kTime);
  QCOMPARE(clipboard(), QString::fromStdString(records)
                          .replace('\r', "\\=")
                          .replace('\n', "\r\n")
                          .replace(QChar(0), "\\0")
                          .replace(QChar(0x1e), "\\N")
                          .replace(QChar(0x1f), "\\O"));
}

QTEST_MAIN(TestLogTable)
#include "tst_logtable.moc"
