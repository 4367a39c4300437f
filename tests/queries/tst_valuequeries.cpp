// The number parsers, the value queries built on them and named checks.

#include "dialogs/kvqtvaluequeries.h"
#include "module/kvmodule_initializer.h"

#include "kvsuite/kvchecks.h"
#include "kvsuite/kvmessage.h"
#include "kvsuite/kvrangeparse.h"

#include "querytestutil.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include <climits>
#include <clocale>
#include <cmath>

namespace {

using qtest::drive;

const double kNo = std::nan(""); // "refused" in the tables

// Sets the input dialog's answer and presses OK; an invalid value cancels.
void answerInput(QWidget* w, const QVariant& value) {
  auto* dlg = qobject_cast<QInputDialog*>(w);
  QVERIFY(dlg);
  if (value.type() == QVariant::Double)
    dlg->setDoubleValue(value.toDouble());
  else if (value.type() == QVariant::Int)
    dlg->setIntValue(value.toInt());
  else if (value.type() == QVariant::String)
    dlg->setTextValue(value.toString());
  else
    return dlg->reject();
  dlg->accept();
}

} // namespace

class TstValueQueries : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void doubleGrammar_data();
  void doubleGrammar();
  void ulongGrammar_data();
  void ulongGrammar();
  void parsersIgnoreCLocale();
  void checkGetWarns_data();
  void checkGetWarns();
  void queryNumbers_data();
  void queryNumbers();
  void queryText();
  void queryItem_data();
  void queryItem();
};

void TstValueQueries::doubleGrammar_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<bool>("comma");
  QTest::addColumn<double>("min");
  QTest::addColumn<double>("max");
  QTest::addColumn<double>("value"); // NaN: refused
  const double inf = HUGE_VAL;
  const auto row = [](const char* name, QByteArray text, bool comma, double min, double max, double value) {
    QTest::newRow(name) << text << comma << min << max << value;
  };
  row("blanks around", " \t2 \n", false, 0, 10, 2);
  row("plus sign, no digit before the point", "+.5", false, 0, 10, 0.5);
  row("negative exponent, upper E", "25E-1", false, 0, 10, 2.5);
  row("minus zero reads as zero", "-0", false, 0, 0, 0);
  row("decimal comma with the flag", "1,5", true, 0, 10, 1.5);
  row("decimal comma without the flag", "1,5", false, 0, 10, kNo);
  row("two separators", "1.000,5", true, 0, 1e9, kNo);
  row("digit group with a blank", "1 000", true, 0, 1e6, kNo);
  row("hexadecimal", "0x10", false, 0, 100, kNo);
  row("nan", "nan", false, -inf, inf, kNo);
  row("infinity", "inf", false, -inf, inf, kNo);
  row("overflow", "1e400", false, -inf, inf, kNo);
  row("underflow to zero", "1e-400", false, -inf, inf, kNo);
  row("subnormal kept", "1e-310", false, 0, 1, 1e-310);
  row("zero with a huge exponent", "0e999999999999", false, 0, 1, 0);
  row("blank", "   ", false, -inf, inf, kNo);
  row("exponent without digits", "1e", false, -inf, inf, kNo);
  row("embedded NUL", QByteArray("1\0" "2", 3), false, -inf, inf, kNo);
  row("at the bounds", "-2.5", false, -2.5, -2.5, -2.5);
  row("just above", "10.000000001", false, 0, 10, kNo);
  row("NaN bound refuses", "1", false, kNo, 10, kNo);
  row("empty range refuses", "5", false, 10, 0, kNo);
}

void TstValueQueries::doubleGrammar() {
  QFETCH(QByteArray, text);
  QFETCH(bool, comma);
  QFETCH(double, min);
  QFETCH(double, max);
  QFETCH(double, value);
  double got = -123;
  const std::string s(text.constData(), static_cast<size_t>(text.size()));
  QCOMPARE(KvStringToDoubleRange(s, min, max, &got, comma), !std::isnan(value));
  QCOMPARE(got, std::isnan(value) ? -123.0 : value); // the preset stays on failure
  if (value == 0)
    QVERIFY(!std::signbit(got));
  QCOMPARE(KvStringToDoubleRange(s, min, max, nullptr, comma), !std::isnan(value));
}

void TstValueQueries::ulongGrammar_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<bool>("ok");
  QTest::addColumn<qulonglong>("value");
  QTest::newRow("plus, blanks, leading zeros") << QByteArray(" +007\t") << true << 7ull;
  QTest::newRow("largest") << QByteArray("18446744073709551615") << true << qulonglong(ULONG_MAX);
  QTest::newRow("overflow") << QByteArray("18446744073709551616") << false << 0ull;
  QTest::newRow("minus zero") << QByteArray("-0") << false << 0ull;
  QTest::newRow("decimal point") << QByteArray("5.0") << false << 0ull;
  QTest::newRow("plus only") << QByteArray("+") << false << 0ull;
}

void TstValueQueries::ulongGrammar() {
  QFETCH(QByteArray, text);
  QFETCH(bool, ok);
  QFETCH(qulonglong, value);
  unsigned long got = 77;
  QCOMPARE(KvStringToUlongRange(text.toStdString(), 0, ULONG_MAX, &got), ok);
  QCOMPARE(qulonglong(got), ok ? value : 77ull);
  if (ok && value < ULONG_MAX) { // bounds are inclusive
    QVERIFY(KvStringToUlongRange(text.toStdString(), value, value, &got));
    QVERIFY(!KvStringToUlongRange(text.toStdString(), value + 1, ULONG_MAX, &got));
  }
}

void TstValueQueries::parsersIgnoreCLocale() {
  // A German LC_NUMERIC makes strtod stop at "."; our parsers must not care.
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  const bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "C.UTF-8");
  double d = 0;
  const bool ok = KvStringToDoubleRange("2.5", 0, 10, &d);
  std::setlocale(LC_NUMERIC, saved.c_str());
  QVERIFY(ok);
  QCOMPARE(d, 2.5);
  if (!switched)
    qInfo("no other locale installed; checked under the current one only");
}

void TstValueQueries::checkGetWarns_data() {
  QTest::addColumn<bool>("isDouble");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("nullValue");
  QTest::addColumn<bool>("ok");
  QTest::addColumn<double>("expected");
  QTest::newRow("double in range") << true << " 2,5 " << false << true << 2.5;
  QTest::newRow("double bad, null value") << true << "abc" << true << false << 0.0;
  QTest::newRow("double out of range") << true << "11" << false << false << 0.0;
  QTest::newRow("ulong in range, null value") << false << "7" << true << true << 7.0;
  QTest::newRow("ulong negative") << false << "-1" << false << false << 0.0;
  QTest::newRow("ulong invalid UTF-8") << false << QString::fromUtf8("\xff" "1") << false << false << 0.0;
}

void TstValueQueries::checkGetWarns() {
  QFETCH(bool, isDouble);
  QFETCH(QString, typed);
  QFETCH(bool, nullValue);
  QFETCH(bool, ok);
  QFETCH(double, expected);
  QWidget window;
  auto* other = new QLineEdit(&window);
  auto* edit = new QLineEdit(typed, &window);
  window.show();
  QApplication::setActiveWindow(&window);
  other->setFocus();
  QString boxText;
  bool editHadFocus = false;
  kvtest::ModalDriver driver([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    QVERIFY(box && box->icon() == QMessageBox::Warning);
    boxText = box->text();
    editHadFocus = window.focusWidget() == edit;
    box->button(QMessageBox::Ok)->click();
  }, 3000);
  driver.start();
  double d = -1;
  unsigned long u = 99;
  QCOMPARE(isDouble ? CheckGetDouble(edit, nullValue ? nullptr : &d, 0, 10)
                    : CheckGetUlong(edit, nullValue ? nullptr : &u, 0, 10), ok);
  QCOMPARE(driver.fired(), !ok);
  if (ok) {
    QCOMPARE(isDouble ? d : double(u), nullValue ? (isDouble ? -1.0 : 99.0) : expected);
    return;
  }
  QCOMPARE(isDouble ? d : double(u), isDouble ? -1.0 : 99.0); // untouched
  // The message names what was typed and both bounds.
  TKvMessage m(KvQtResString("global.Err_IncorrectNumber_curr_min_max"));
  if (isDouble)
    m << typed.toStdString() << 0.0 << 10.0;
  else
    m << typed.toStdString() << 0ul << 10ul;
  QCOMPARE(boxText, QString::fromStdString(m.std_str()).trimmed());
  QVERIFY(boxText.contains(typed) && boxText.contains("10"));
  QCOMPARE(editHadFocus, isDouble); // only the double check moves the focus
}

void TstValueQueries::queryNumbers_data() {
  QTest::addColumn<bool>("isDouble");
  QTest::addColumn<double>("preset");
  QTest::addColumn<QVariant>("answer"); // invalid: cancel
  QTest::addColumn<double>("expected");
  QTest::newRow("double ok") << true << 1.0 << QVariant(2.25) << 2.25;
  QTest::newRow("double cancel keeps the preset") << true << 1.5 << QVariant() << 1.5;
  QTest::newRow("long ok") << false << 3.0 << QVariant(8) << 8.0;
  QTest::newRow("long beyond 32 bits, cancel: truncated") << false << double(0x100000005LL) << QVariant() << 5.0;
}

void TstValueQueries::queryNumbers() {
  QFETCH(bool, isDouble);
  QFETCH(double, preset);
  QFETCH(QVariant, answer);
  QFETCH(double, expected);
  double d = preset;
  long l = static_cast<long>(preset);
  int decimals = -1;
  const auto act = [&](QWidget* w) {
    if (auto* dlg = qobject_cast<QInputDialog*>(w))
      decimals = dlg->doubleDecimals();
    answerInput(w, answer);
  };
  const bool r = isDouble ? drive(act, [&] { return KvQtQueryDoubleStd("T", "L", d, 0, 10, 2.9); })
                          : drive(act, [&] { return KvQtQueryLong("T", "L", l, -1000, 1000); });
  QCOMPARE(r, answer.isValid());
  QCOMPARE(isDouble ? d : double(l), expected);
  if (isDouble)
    QCOMPARE(decimals, 2); // truncated towards zero
}

void TstValueQueries::queryText() {
  QString q = "preset", shown;
  const auto cancel = [&](QWidget* w) {
    shown = qobject_cast<QInputDialog*>(w)->textValue();
    answerInput(w, {});
  };
  QVERIFY(!drive(cancel, [&] { return KvQtQueryTextInput("T", "L", q); }));
  QCOMPARE(shown, QString("preset"));
  QVERIFY(q.isEmpty()); // the QString form empties on cancel
  std::string s("keep\0me", 7);
  QVERIFY(!drive(cancel, [&] { return KvQtQueryTextInputStd("T", "L", s); }));
  QCOMPARE(s, std::string("keep\0me", 7)); // the Std form keeps it
  QCOMPARE(shown.size(), 7);
  QVERIFY(drive([&](QWidget* w) { answerInput(w, QString::fromUtf8("\xd0\x96")); },
                [&] { return KvQtQueryTextInputStd("T", "L", s); }));
  QCOMPARE(s, std::string("\xd0\x96"));
}

void TstValueQueries::queryItem_data() {
  QTest::addColumn<QStringList>("items");
  QTest::addColumn<int>("index");
  QTest::addColumn<int>("pick"); // -1: cancel
  QTest::addColumn<int>("expectedIndex");
  QTest::addColumn<QString>("expectedText");
  const QStringList dup{"a", "b", "a"};
  QTest::newRow("equal items give the first") << dup << 0 << 2 << 0 << "a";
  QTest::newRow("cancel keeps the index, text of the preset") << dup << 1 << -1 << 1 << "b";
  QTest::newRow("cancel with index past the end") << dup << 7 << -1 << 7 << "";
  QTest::newRow("index past the end, ok") << dup << 7 << 1 << 1 << "b";
  QTest::newRow("empty list, ok") << QStringList() << 0 << 0 << -1 << "";
}

void TstValueQueries::queryItem() {
  QFETCH(QStringList, items);
  QFETCH(int, index);
  QFETCH(int, pick);
  QFETCH(int, expectedIndex);
  QFETCH(QString, expectedText);
  const auto act = [&](QWidget* w) {
    auto* dlg = qobject_cast<QInputDialog*>(w);
    QComboBox* combo = dlg->findChild<QComboBox*>();
    QVERIFY(combo && !combo->isEditable());
    if (pick < 0)
      return dlg->reject();
    combo->setCurrentIndex(pick);
    dlg->accept();
  };
  int i = index;
  QString text = "untouched";
  QCOMPARE(drive(act, [&] { return KvQtQueryItem("T", "L", items, i, text); }), pick >= 0);
  QCOMPARE(i, expectedIndex);
  QCOMPARE(text, expectedText);
  // The Std form leaves both alone on cancel.
  std::vector<std::string> v;
  for (const QString& s : items)
    v.push_back(s.toStdString());
  int j = index;
  std::string t = "untouched";
  QCOMPARE(drive(act, [&] { return KvQtQueryItemStd("T", "L", v, j, t); }), pick >= 0);
  QCOMPARE(j, expectedIndex);
  QCOMPARE(QString::fromStdString(t), pick >= 0 ? expectedText : QString("untouched"));
}

QTEST_MAIN(TstValueQueries)
#include "tst_valuequeries.moc"
