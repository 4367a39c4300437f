// The log message table: classes and icons, time prefixes and their
// process-wide format, level filtering, the purge, the callback and copying.

#include "kvtestsupport.h"

#include "appservices/kvqtclipboard.h"
#include "appservices/kvqticonlib.h"
#include "logview/tkvqtlogtable.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvlog.h"
#include "kvsuite/kvtime.h"

#include <QScrollBar>

namespace {

const char* const kTime = "2026-12-05T19:00:00.123Z";

std::string localePrefix(const std::string& time) {
  return TKvDateTime::FromRFCString(time).ToLocaleString(1) + ": ";
}

QString rowText(const TKvQtLogTable& t, int row) { return t.item(row, 1)->text(); }

// Adds n messages of one kind whose texts are "<tag><i>".
void addMany(TKvQtLogTable& t, int n, TKvLogMsgType type, TKvLogMsgLevel level, const char* tag) {
  for (int i = 0; i < n; ++i)
    t.AddMessage(type, level, 0, kTime, "", tag + std::to_string(i));
}

// The texts of all messages (without prefixes), in order.
QStringList bodies(const TKvQtLogTable& t) {
  QStringList out;
  for (const TKvQtLogTable::TLogMessage& m : t.Messages())
    out << QString::fromStdString(m.text.substr(m.prefixLength));
  return out;
}

QString clipboard() { return QString::fromStdString(KvGetQClipboardText()); }

} // namespace

class TestLogTable : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanup();

  void timeFormatIsReadOnce();
  void timeFormatSave();
  void classesAndIcons_data();
  void classesAndIcons();
  void rowTextAndPrefix();
  void previousRowLosesTrailingLineFeed();
  void appendMessage();
  void rowsFitTheirText();
  void levelFiltering();
  void sameLevelDoesNotScroll();
  void callback();
  void purgeDefaults();
  void purgeFallsBackToOldest();
  void purgeLimits();
  void clipboardPlain();
  void clipboardRecords();
  void clipboardByKey();
  void itemLookups();
};

void TestLogTable::initTestCase() {
  // The first table of the process reads the format; later ones must not.
  qputenv("KV_MODULE_SETTINGS", "LogViewMsgTimeFormat=1");
  TKvQtLogTable first;
  QCOMPARE(TKvQtLogTable::GetMsgTimeFormatGlobal(), TKvQtLogTable::mtfRFC);
  qputenv("KV_MODULE_SETTINGS", "LogViewMsgTimeFormat=0");
}

void TestLogTable::cleanup() {
  TKvQtLogTable::SetMsgTimeFormatGlobal(TKvQtLogTable::mtfLocale, false);
  KV_VERIFY_NO_TOPLEVELS();
}

void TestLogTable::timeFormatIsReadOnce() {
  TKvQtLogTable second;
  QCOMPARE(TKvQtLogTable::GetMsgTimeFormatGlobal(), TKvQtLogTable::mtfRFC);
  second.AddMessage(lmtInfo, 1, 0, kTime, "", "x");
  const std::string rfc = TKvDateTime::FromRFCString(kTime).ToRFCString(3, TKvDateTime::tzLocal) + ": x";
  QCOMPARE(second.Messages().back().text, rfc);

  // A new format applies to later rows only.
  TKvQtLogTable::SetMsgTimeFormatGlobal(TKvQtLogTable::mtfLocale, false);
  second.AddMessage(lmtInfo, 1, 0, kTime, "", "y");
  QCOMPARE(second.Messages().front().text, rfc);
  QCOMPARE(second.Messages().back().text, localePrefix(kTime) + "y");
}

void TestLogTable::timeFormatSave() {
  qunsetenv("KV_MODULE_SETTINGS");
  // The value read at start (1) is what the settings hold as far as the
  // table knows: saving 1 writes nothing.
  KvSetModuleDebugMode("LogViewMsgTimeFormat", 7);
  TKvQtLogTable::SetMsgTimeFormatGlobal(TKvQtLogTable::mtfRFC, true);
  QCOMPARE(KvModuleDebugMode("LogViewMsgTimeFormat"), 7);
  TKvQtLogTable::SetMsgTimeFormatGlobal(TKvQtLogTable::mtfLocale, true);
  QCOMPARE(KvModuleDebugMode("LogViewMsgTimeFormat"), 0);

  // A failed save is logged and the format is switched all the same.
  const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", "/proc/version/impossible");
  const var_a<TKvStream*> savedLog = KvLogGetLogV();
  auto log = new_a<TKvStringStream>();
  KvLogSetLogV(log);
  TKvQtLogTable::SetMsgTimeFormatGlobal(TKvQtLogTable::mtfRFC, true);
  KvLogSetLogV(savedLog);
  qputenv("XDG_CONFIG_HOME", savedConfig);
  QCOMPARE(TKvQtLogTable::GetMsgTimeFormatGlobal(), TKvQtLogTable::mtfRFC);
  QVERIFY2(!log->str().empty(), "the failed save was not logged");
  // Not recorded as saved: the next save of the same value writes again.
  TKvQtLogTable::SetMsgTimeFormatGlobal(TKvQtLogTable::mtfRFC, true);
  QCOMPARE(KvModuleDebugMode("LogViewMsgTimeFormat"), 1);
}

void TestLogTable::classesAndIcons_data() {
  QTest::addColumn<int>("type");
  QTest::addColumn<int>("level");
  QTest::addColumn<int>("cls");
  QTest::addColumn<QString>("icon");
  QTest::newRow("error of least importance") << int(lmtError) << 9 << 0 << "msg_error";
  QTest::newRow("warning of level 5") << int(lmtWarning) << 5 << 1 << "msg_warn";
  QTest::newRow("information of level 2") << int(lmtInfo) << 2 << 2 << "msg_info";
  QTest::newRow("information of level 3 is detail") << int(lmtInfo) << 3 << 3 << "";
  QTest::newRow("debug record of level 1 counts as information") << int(lmtDebug) << 1 << 2 << "msg_info";
  QTest::newRow("unknown type of level 4") << int('Z') << 4 << 3 << "";
}

void TestLogTable::classesAndIcons() {
  QFETCH(int, type);
  QFETCH(int, level);
  QFETCH(int, cls);
  QFETCH(QString, icon);
  TKvQtLogTable t;
  t.AddMessage(type, level, 7, kTime, "src", "text");
  QCOMPARE(int(t.Messages().back().messageClass), cls);
  QCOMPARE(t.OnGetItemImage(0), cls);
  QVERIFY(t.item(0, 0)->text().isEmpty());
  const QIcon shown = t.item(0, 0)->icon();
  QCOMPARE(shown.isNull(), icon.isEmpty());
  if (!icon.isEmpty())
    QCOMPARE(shown.pixmap(16, 16).toImage(), KvGetIconFromIconLib(icon.toStdString(), 16, 16).pixmap(16, 16).toImage());
}

void TestLogTable::rowTextAndPrefix() {
  TKvQtLogTable t;
  t.AddMessage(lmtWarning, 1, 42, kTime, "source", "Привет, мир");
  const TKvQtLogTable::TLogMessage& m = t.Messages().back();
  const std::string prefix = localePrefix(kTime);
  QCOMPARE(m.text, prefix + "Привет, мир");
  QCOMPARE(m.prefixLength, uint64_t(prefix.size()));
  QCOMPARE(rowText(t, 0), QString::fromStdString(m.text));

  // Neither an empty nor a broken time text stops a message.
  t.AddMessage(lmtInfo, 1, 0, "", "", "a");
  t.AddMessage(lmtInfo, 1, 0, "not a time", "", "b");
  QCOMPARE(t.rowCount(), 3);
  QCOMPARE(t.Messages().back().text, localePrefix("not a time") + "b");
}

void TestLogTable::previousRowLosesTrailingLineFeed() {
  TKvQtLogTable t;
  t.SetMessageLevel(TKvQtLogTable::mlInfo);
  t.AddMessage(lmtInfo, 1, 0, kTime, "", "ends with a line feed\n");
  t.AddMessage(lmtInfo, 4, 0, kTime, "", "hidden detail");
  QVERIFY2(rowText(t, 0).endsWith('\n'), "a hidden message must not trim the row above it");
  t.AddMessage(lmtInfo, 1, 0, kTime, "", "ends too\n");
  QVERIFY2(rowText(t, 0).endsWith('\n'), "only the row just above is trimmed");
  t.AddMessage(lmtInfo, 1, 0, kTime, "", "visible");
  QCOMPARE(rowText(t, 2), QString::fromStdString(localePrefix(kTime)) + "ends too");
  QCOMPARE(std::next(t.Messages().begin(), 2)->text, localePrefix(kTime) + "ends too\n");
}

void TestLogTable::appendMessage() {
  TKvQtLogTable t;
  int calls = 0;
  t.OnMessagesChanged = [&calls]() { ++calls; };
  // Without a row to continue, a detail row of its own.
  t.AppendMessage("orphan body");
  QCOMPARE(calls, 1);
  const TKvQtLogTable::TLogMessage& m = t.Messages().back();
  QCOMPARE(m.type, int(lmtInfo));
  QCOMPARE(m.level, 3);
  QCOMPARE(m.text, localePrefix("") + "orphan body");

  t.AppendMessage(" and more\nlines");
  QCOMPARE(t.rowCount(), 1);
  QCOMPARE(calls, 1);
  QCOMPARE(rowText(t, 0), QString::fromStdString(localePrefix("") + "orphan body and more\nlines"));
}

void TestLogTable::rowsFitTheirText() {
  TKvQtLogTable t;
  t.resize(400, 300);
  t.show();
  t.AddMessage(lmtInfo, 1, 0, kTime, "", "one line");
  t.AddMessage(lmtInfo, 1, 0, kTime, "", "one line");
  QCoreApplication::processEvents();
  const int single = t.rowHeight(0);
  QVERIFY(single > 0);
  t.AppendMessage("\nsecond\nthird");
  t.FlushLayout();
  QVERIFY2(t.rowHeight(1) > 2 * single, "the row did not grow with its text");

  // A long text wraps at the column's width: narrower window, taller row.
  t.AddMessage(lmtInfo, 1, 0, kTime, "", "many words that need more room than a narrow column gives them");
  QCoreApplication::processEvents();
  const int wide = t.rowHeight(2);
  t.resize(200, 300);
  QCoreApplication::processEvents();
  QVERIFY2(t.rowHeight(2) > wide, "the row did not follow the column's width");
}

void TestLogTable::levelFiltering() {
  TKvQtLogTable t;
  t.AddMessage(lmtError, 5, 0, kTime, "", "e");
  t.AddMessage(lmtWarning, 5, 0, kTime, "", "w");
  t.AddMessage(lmtInfo, 2, 0, kTime, "", "i");
  t.AddMessage(lmtInfo, 3, 0, kTime, "", "o");
  const std::pair<TKvQtLogTable::TMessageLevel, int> steps[] = {
      {TKvQtLogTable::mlError, 1}, {TKvQtLogTable::mlWarning, 2}, {TKvQtLogTable::mlInfo, 3},
      {TKvQtLogTable::mlOther, 4}, {TKvQtLogTable::mlError, 1}};
  for (const auto& s : steps) {
    t.SetMessageLevel(s.first);
    int row = 0;
    for (const TKvQtLogTable::TLogMessage& m : t.Messages()) {
      QCOMPARE(m.visible, row < s.second);
      QCOMPARE(t.isRowHidden(row), row >= s.second);
      ++row;
    }
  }
  // Hidden on arrival, kept, counted, shown later.
  t.AddMessage(lmtInfo, 4, 0, kTime, "", "late detail");
  QVERIFY(t.isRowHidden(4));
  QCOMPARE(t.CountMessages(), (TKvQtLogTable::TMessageCounts{1, 1, 1, 2}));
  t.SetMessageLevel(TKvQtLogTable::mlOther);
  QVERIFY(!t.isRowHidden(4));
}

void TestLogTable::sameLevelDoesNotScroll() {
  TKvQtLogTable t;
  t.resize(300, 120);
  t.show();
  addMany(t, 200, lmtInfo, 1, "m");
  QCoreApplication::processEvents();
  QScrollBar* bar = t.verticalScrollBar();
  QVERIFY(bar->maximum() > 0);
  QCOMPARE(bar->value(), bar->maximum()); // new rows were brought into view
  t.SetScrollToEnd(false);
  bar->setValue(0);
  addMany(t, 5, lmtInfo, 1, "n");
  QCoreApplication::processEvents();
  QCOMPARE(bar->value(), 0);
  t.SetScrollToEnd(true);
  bar->setValue(0);
  t.SetMessageLevel(TKvQtLogTable::mlOther);
  QCOMPARE(bar->value(), 0);
  t.SetMessageLevel(TKvQtLogTable::mlInfo);
  QCOMPARE(bar->value(), bar->maximum());
}

void TestLogTable::callback() {
  TKvQtLogTable t;
  int calls = 0;
  int rowsSeen = -1;
  t.OnMessagesChanged = [&]() {
    ++calls;
    rowsSeen = t.rowCount();
  };
  t.Clear(); // already empty: no change
  t.AddMessage(lmtInfo, 1, 0, kTime, "", "a");
  QCOMPARE(calls, 1);
  QCOMPARE(rowsSeen, 1);
  t.SetMessageLevel(TKvQtLogTable::mlError);
  t.Clear();
  QCOMPARE(calls, 2);
  QCOMPARE(rowsSeen, 0);
  t.Clear();
  QCOMPARE(calls, 2);
}

void TestLogTable::purgeDefaults() {
  TKvQtLogTable t;
  // Old detail, then 998 important messages, then one more detail message.
  t.AddMessage(lmtInfo, 3, 0, kTime, "", "old detail");
  addMany(t, 998, lmtWarning, 1, "w");
  t.AddMessage(lmtInfo, 4, 0, kTime, "", "new detail");
  QCOMPARE(t.rowCount(), 1000);
  t.AddMessage(lmtWarning, 1, 0, kTime, "", "one too many");
  QCOMPARE(t.rowCount(), 1000);
  QCOMPARE(int(t.Messages().size()), 1000);
  const QStringList b = bodies(t);
  QCOMPARE(b.front(), QString("w0"));
  QVERIFY2(b.contains("new detail"), "a protected detail message was purged");
  QCOMPARE(rowText(t, 0), QString::fromStdString(localePrefix(kTime) + "w0"));
}

void TestLogTable::purgeFallsBackToOldest() {
  TKvQtLogTable t;
  t.SetMaxMessages(10, 2);
  addMany(t, 8, lmtError, 0, "e");
  // Detail among the protected newest survives; the oldest detail goes first.
  addMany(t, 3, lmtInfo, 3, "d");
  QCOMPARE(bodies(t), (QStringList{"e0", "e1", "e2", "e3", "e4", "e5", "e6", "e7", "d1", "d2"}));
  t.AddMessage(lmtError, 0, 0, kTime, "", "e8");
  // d1 is now outside the protected two.
  QCOMPARE(bodies(t), (QStringList{"e0", "e1", "e2", "e3", "e4", "e5", "e6", "e7", "d2", "e8"}));
  t.AddMessage(lmtError, 0, 0, kTime, "", "e9");
  t.AddMessage(lmtError, 0, 0, kTime, "", "e10");
  // No detail left: the oldest goes.
  QCOMPARE(bodies(t).front(), QString("e1"));
  QCOMPARE(rowText(t, 0), QString::fromStdString(localePrefix(kTime) + "e1"));
  QCOMPARE(t.rowCount(), 10);
}

void TestLogTable::purgeLimits() {
  TKvQtLogTable lowered;
  addMany(lowered, 5, lmtError, 0, "e");
  addMany(lowered, 5, lmtInfo, 3, "d");
  lowered.SetMaxMessages(6, 1);
  QCOMPARE(bodies(lowered), (QStringList{"e0", "e1", "e2", "e3", "e4", "d4"}));
  for (int row = 0; row < lowered.rowCount(); ++row)
    QCOMPARE(rowText(lowered, row), QString::fromStdString(localePrefix(kTime)) + bodies(lowered).at(row));

  TKvQtLogTable allProtected;
  allProtected.SetMaxMessages(50, 100);
  addMany(allProtected, 30, lmtError, 0, "e");
  addMany(allProtected, 30, lmtInfo, 4, "d");
  QCOMPARE(allProtected.rowCount(), 50);
  QCOMPARE(bodies(allProtected).front(), QString("e10"));

  TKvQtLogTable unlimited;
  unlimited.SetMaxMessages(0, 5);
  addMany(unlimited, 1200, lmtInfo, 4, "d");
  QCOMPARE(unlimited.rowCount(), 1200);
}

void TestLogTable::clipboardPlain() {
  TKvQtLogTable t;
  t.AddMessage(lmtError, 1, 0, kTime, "", "line one\nline two");
  t.AddMessage(lmtInfo, 4, 0, kTime, "", "hidden");
  t.AddMessage(lmtWarning, 1, 0, kTime, "", std::string("cr\r tab\t nul") + '\0' + "\x1f" + "\x7f" + "é");
  t.SetMessageLevel(TKvQtLogTable::mlWarning);
  t.ClipboardCopy(false);
  const std::string p = localePrefix(kTime);
  QCOMPARE(clipboard(), QString::fromStdString(p + "line one\r\nline two\r\n" + p + "cr\\= tab\t nul\\0\\O\x7f" "é\r\n"));
}

void TestLogTable::clipboardRecords() {
  TKvQtLogTable t;
  t.AddMessage(lmtWarning, 2, 17, kTime, "Src", "first\nsecond");
  t.AppendMessage(" appended");
  t.AddMessage(lmtInfo, 4, 0, kTime, "", "hidden");
  t.SetMessageLevel(TKvQtLogTable::mlInfo);
  t.ClipboardCopy(true);
  const std::string record = KvLogFormatRecord("Src", "first\nsecond appended", lmtWarning, 2, 17, kTime);
  QCOMPARE(clipboard(), QString::fromStdString(record).replace("\n", "\r\n").replace(QChar(0x1e), "\\N"));
}

void TestLogTable::clipboardByKey() {
  TKvQtLogTable t;
  t.show();
  t.AddMessage(lmtInfo, 1, 0, kTime, "", "copied");
  KvSetQClipboardText(std::string("before"));
  QTest::keySequence(&t, QKeySequence(QKeySequence::Copy));
  const QString copied = QString::fromStdString(localePrefix(kTime) + "copied\r\n");
  QCOMPARE(clipboard(), copied);
  KvSetQClipboardText(std::string("before"));
  QTest::keyClick(&t, Qt::Key_Down); // other keys still move through the view
  QCOMPARE(clipboard(), QString("before"));
}

void TestLogTable::itemLookups() {
  TKvQtLogTable t;
  QCOMPARE(t.OnGetItemText(0), QString("@Error Line"));
  QCOMPARE(t.OnGetItemImage(0), 3);
  t.AddMessage(lmtError, 0, 0, kTime, "", "first");
  t.AddMessage(lmtWarning, 0, 0, kTime, "", "second");
  const QString p = QString::fromStdString(localePrefix(kTime));
  QCOMPARE(t.OnGetItemText(1), p + "second");
  // Out of range rows fall back to the first message.
  QCOMPARE(t.OnGetItemText(-1), p + "first");
  QCOMPARE(t.OnGetItemImage(2), 0);
}

QTEST_MAIN(TestLogTable)
#include "tst_logtable.moc"
