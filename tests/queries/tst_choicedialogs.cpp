#include "dialogs/tkvbuttondecisiondlg.h"
#include "dialogs/tkvqtchecksdialog.h"
#include "dialogs/tkvqtmultiselectdlg.h"
#include "dialogs/tkvqtqueryrbselectdlg.h"
#include "dialogs/tkvqtquerystringlistdlg.h"
#include "dialogs/tkvqtqueryuniquestringdlg.h"
#include "dialogs/ttextquickviewdlg.h"
#include "module/kvmodule_initializer.h"

#include "kvsuite/kvchecks.h"
#include "kvsuite/kvmessage.h"

#include "querytestutil.h"

#include <QAction>
#include <QButtonGroup>
#include <QGridLayout>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolBar>

#include <algorithm>
#include <climits>

using qtest::drive;

namespace {

std::vector<std::string> toStd(const QStringList& list) {
  std::vector<std::string> v;
  for (const QString& s : list)
    v.push_back(s.toStdString());
  return v;
}

template <class T> T* child(QWidget* w, const char* name) {
  T* c = w->findChild<T*>(QString::fromLatin1(name));
  if (!c)
    qWarning("no child %s", name);
  return c;
}

// Types text the way an input method commits it, so any character (also one
// outside the BMP) arrives in one piece and passes the edit's validator.
void typeText(QLineEdit* edit, const QString& text) {
  for (uint c : text.toUcs4()) {
    QInputMethodEvent ev;
    ev.setCommitString(QString::fromUcs4(&c, 1));
    QApplication::sendEvent(edit, &ev);
  }
}

QString res(const char* key) { return QString::fromStdString(KvQtResString(key)); }

// "click:N" (command button N), "escape", "closebox", "cancel".
void finish(QWidget* w, const QString& action, QAbstractButton* cancel = nullptr) {
  if (action.startsWith("click:")) {
    w->findChild<QButtonGroup*>()->button(action.mid(6).toInt())->click();
  } else if (action == "escape") {
    kvtest::pressEscape(w);
  } else if (action == "closebox") {
    kvtest::closeBox(w);
  } else if (action == "cancel" && cancel) {
    cancel->click();
  } else {
    QFAIL(qPrintable("unknown action " + action));
  }
}

} // namespace

class TstChoiceDialogs : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanup();

  void rbSelect_data();
  void rbSelect();
  void ownerDiesWhileOpen();
  void buttonDecision_data();
  void buttonDecision();
  void checksRefuseNullFlag();
  void uniqueNameTyping();
  void uniqueNameForbidden_data();
  void uniqueNameForbidden();
  void stringList_data();
  void stringList();
  void multiSelect_data();
  void multiSelect();
};

void TstChoiceDialogs::initTestCase() { Init_KvQtCpnt(); }

void TstChoiceDialogs::cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

void TstChoiceDialogs::rbSelect_data() {
  QTest::addColumn<QStringList>("buttons");
  QTest::addColumn<int>("focusIndex");
  QTest::addColumn<int>("icon");
  QTest::addColumn<QString>("action");
  QTest::addColumn<int>("expected");
  const QStringList abc{"A", "B", "C"};
  QTest::newRow("second button, focused") << abc << 1 << 4 << "click:1" << 1;
  QTest::newRow("close button") << abc << 0 << 1 << "cancel" << -1;
  QTest::newRow("escape") << abc << 0 << 2 << "escape" << -1;
  QTest::newRow("close box") << abc << 0 << 3 << "closebox" << -1;
  QTest::newRow("empty list shows only the close button") << QStringList() << 0 << 0 << "cancel" << -1;
  QTest::newRow("focus index past the end") << abc << 5 << 9 << "click:2" << 2;
}

void TstChoiceDialogs::rbSelect() {
  QFETCH(QStringList, buttons);
  QFETCH(int, focusIndex);
  QFETCH(int, icon);
  QFETCH(QString, action);
  QFETCH(int, expected);
  int pushButtons = -1;
  bool iconShown = false;
  QString focused, text, title;
  const int r = drive(
      [&](QWidget* w) {
        pushButtons = w->findChildren<QPushButton*>().size();
        iconShown = !child<QLabel>(w, "icon")->pixmap(Qt::ReturnByValue).isNull();
        text = child<QLabel>(w, "label")->text();
        title = w->windowTitle();
        auto* fb = qobject_cast<QPushButton*>(w->focusWidget());
        focused = fb && fb->objectName() != "CancelButton" ? fb->text() : QString();
        finish(w, action, child<QPushButton>(w, "CancelButton"));
      },
      [&] {
        return TKvQtQueryRBSelectDlg::ExecuteU("Caption", "Text \xd0\x96", toStd(buttons),
                                               static_cast<unsigned long>(focusIndex),
                                               static_cast<TKvQDialog::TIcon>(icon));
      });
  QCOMPARE(r, expected);
  QCOMPARE(pushButtons, buttons.size() + 1);
  QCOMPARE(iconShown, icon >= 1 && icon <= 4);
  QCOMPARE(text, QString::fromUtf8("Text \xd0\x96"));
  QCOMPARE(title, QString("Caption"));
  QCOMPARE(focused, buttons.value(focusIndex));
}

void TstChoiceDialogs::ownerDiesWhileOpen() {
  // Dialogs owned by the active window die with it inside their modal loop:
  // the call answers "closed" and nothing is deleted twice.
  for (int which = 0; which < 2; ++which) {
    QPointer<QWidget> owner = new QWidget;
    owner->show();
    QApplication::setActiveWindow(owner);
    const int r = drive([&](QWidget*) { delete owner.data(); },
                        [&] {
                          if (which == 1) {
                            TTextQuickViewDlg::Execute("C", "T");
                            return -1;
                          }
                          return TKvQtQueryRBSelectDlg::ExecuteU("C", "T", {"A"}, 0, TKvQDialog::iconWarning);
                        });
    QCOMPARE(r, -1);
    QVERIFY(owner.isNull());
  }
}

void TstChoiceDialogs::buttonDecision_data() {
  QTest::addColumn<int>("count");
  QTest::addColumn<int>("orientation");
  QTest::addColumn<qulonglong>("defaultIndex");
  QTest::addColumn<qulonglong>("cancelIndex");
  QTest::addColumn<QString>("action");
  QTest::addColumn<qulonglong>("expected");
  QTest::addColumn<int>("columns");
  QTest::addColumn<int>("rows");
  const qulonglong none = ULONG_MAX;
  QTest::newRow("25 in a grid: 3 columns, 9 rows") << 25 << 2 << 0ull << none << "click:24" << 24ull << 3 << 9;
  QTest::newRow("25 in one column, escape gives the last") << 25 << 0 << 0ull << none << "escape" << 24ull << 1
                                                           << 25;
  QTest::newRow("3 in one row, close box gives the last") << 3 << 1 << 0ull << none << "closebox" << 2ull << 3 << 1;
  QTest::newRow("cancel index equal to the count") << 3 << 1 << 0ull << 3ull << "escape" << 2ull << 3 << 1;
  QTest::newRow("valid cancel index") << 3 << 7 << 0ull << 1ull << "escape" << 1ull << 1 << 3;
  QTest::newRow("default index past the end: last is default") << 4 << 0 << 9ull << none << "click:0" << 0ull << 1
                                                               << 4;
}

void TstChoiceDialogs::buttonDecision() {
  QFETCH(int, count);
  QFETCH(int, orientation);
  QFETCH(qulonglong, defaultIndex);
  QFETCH(qulonglong, cancelIndex);
  QFETCH(QString, action);
  QFETCH(qulonglong, expected);
  QFETCH(int, columns);
  QFETCH(int, rows);
  QStringList buttons;
  for (int i = 0; i < count; ++i)
    buttons << QString("B%1").arg(i);
  int gotColumns = 0, gotRows = 0;
  QString defaultText, lastInFirstRow;
  const TKvOrientation o = static_cast<TKvOrientation>(orientation);
  const auto act = [&](QWidget* w) {
    auto* grid = static_cast<TKvButtonDecisionDlg*>(w)->grid();
    gotColumns = grid->columnCount();
    gotRows = grid->rowCount();
    for (QPushButton* b : w->findChildren<QPushButton*>())
      if (b->isDefault())
        defaultText = b->text();
    finish(w, action);
  };
  const unsigned long r =
      cancelIndex == ULONG_MAX && defaultIndex == 0
          ? drive(act, [&] { return KvQtGetChButtonDecision("", "Text", toStd(buttons), o); })
          : drive(act, [&] {
              return TKvButtonDecisionDlg::Execute("C", "Text", toStd(buttons), o, defaultIndex, cancelIndex);
            });
  QCOMPARE(qulonglong(r), expected);
  QCOMPARE(gotColumns, columns);
  QCOMPARE(gotRows, rows);
  QCOMPARE(defaultText, buttons.value(int(std::min<qulonglong>(defaultIndex, count - 1))));
}

void TstChoiceDialogs::checksRefuseNullFlag() {
  bool a = true;
  const std::vector<std::pair<std::string, bool*>> list{{"a", &a}, {"null", nullptr}};
  QVERIFY_EXCEPTION_THROWN(KvQtGetChecks("C", "T", list), TKvMessage);
  QVERIFY(a);
}

void TstChoiceDialogs::uniqueNameTyping() {
  // Steps: text typed (or "<bs>" for a backspace), then OK enabled and message key after it.
  struct Step { const char* type; bool okEnabled; const char* message; };
  const Step steps[] = {{"A", false, "global.ErrNameExist"},
                        {"<bs>", false, "global.ErrEmptyName"},
                        {"a", true, nullptr},
                        {"B", true, nullptr},
                        {"<bs>", true, nullptr}};
  std::string value = "";
  const bool r = drive(
      [&](QWidget* w) {
        auto* edit = child<QLineEdit>(w, "LineEdit");
        for (const Step& s : steps) {
          if (QByteArray(s.type) == "<bs>")
            QTest::keyClick(edit, Qt::Key_Backspace);
          else
            typeText(edit, s.type);
          QCOMPARE(child<QPushButton>(w, "OkBtn")->isEnabled(), s.okEnabled);
          QCOMPARE(child<QLabel>(w, "ErrorLabel")->text(), s.message ? res(s.message) : QString());
        }
        child<QPushButton>(w, "OkBtn")->click();
      },
      [&] { return TKvQtQueryUniqueStringDlg::ExecuteEx("Prompt", "Title", {"A", "B", "A"}, "", value); });
  QVERIFY(r);
  QCOMPARE(value, std::string("a"));
}

void TstChoiceDialogs::uniqueNameForbidden_data() {
  QTest::addColumn<QString>("forbidden");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("result");
  QTest::newRow("slash, backslash, asterisk: backslash escapes the asterisk")
      << "/\\*" << "a/b*c\\" << "abc\\";
  QTest::newRow("square brackets") << "[]" << "[x]" << "x";
  QTest::newRow("range") << "0-9" << "a1b9-" << "ab-";
  QTest::newRow("Cyrillic letter barred whole") << QString::fromUtf8("\xd0\xb6")
                                                << QString::fromUtf8("\xd0\xb6\xd1\x83\xd0\xba")
                                                << QString::fromUtf8("\xd1\x83\xd0\xba");
  QTest::newRow("character outside the BMP") << QString::fromUtf8("\xf0\x9f\x98\x80")
                                             << QString::fromUtf8("a\xf0\x9f\x98\x80\xf0\x9f\x98\x81")
                                             << QString::fromUtf8("a\xf0\x9f\x98\x81");
  QTest::newRow("trailing backslash bars itself") << "a\\" << "ab\\c" << "bc";
}

void TstChoiceDialogs::uniqueNameForbidden() {
  QFETCH(QString, forbidden);
  QFETCH(QString, typed);
  QFETCH(QString, result);
  std::string value;
  QVERIFY(drive(
      [&](QWidget* w) {
        typeText(child<QLineEdit>(w, "LineEdit"), typed);
        child<QPushButton>(w, "OkBtn")->click();
      },
      [&] { return TKvQtQueryUniqueStringDlg::Execute("P", "", {}, forbidden.toStdString(), &value); }));
  QCOMPARE(QString::fromStdString(value), result);
}

void TstChoiceDialogs::stringList_data() {
  QTest::addColumn<bool>("multiple");
  QTest::addColumn<QList<int>>("clicks"); // rows clicked with Ctrl held
  QTest::addColumn<QString>("finish");    // ok, cancel, dblclick:N
  QTest::addColumn<QStringList>("expected");
  QTest::addColumn<int>("count"); // items: a, b, c, then filler
  QTest::newRow("single mode keeps one") << false << QList<int>{0, 2} << "ok" << QStringList{"c"} << 3;
  QTest::newRow("multiple mode") << true << QList<int>{0, 2} << "ok" << QStringList{"a", "c"} << 3;
  QTest::newRow("multiple, nothing selected") << true << QList<int>{} << "ok" << QStringList{} << 3;
  QTest::newRow("cancel") << true << QList<int>{1} << "cancel" << QStringList{} << 3;
  QTest::newRow("double click") << false << QList<int>{} << "dblclick:1" << QStringList{"b"} << 3;
  QTest::newRow("10000 items, multiple") << true << QList<int>{0, 2} << "ok" << QStringList{"a", "c"} << 10000;
  QTest::newRow("10000 items, cancel") << true << QList<int>{0, 1} << "cancel" << QStringList{} << 10000;
}

void TstChoiceDialogs::stringList() {
  QFETCH(bool, multiple);
  QFETCH(QList<int>, clicks);
  QFETCH(QString, finish);
  QFETCH(QStringList, expected);
  QFETCH(int, count);
  std::vector<std::string> items{"a", "b", "c"};
  for (int i = 3; i < count; ++i)
    items.push_back("item " + std::to_string(i));
  int preselected = -1;
  const auto act = [&](QWidget* w) {
    auto* list = child<QListWidget>(w, "StringsListWidget");
    QCOMPARE(list->count(), count);
    preselected = list->selectedItems().size();
    const auto click = [list](int row, bool dbl) {
      const QPoint p = list->visualItemRect(list->item(row)).center();
      QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, p);
      if (dbl)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    };
    for (int row : clicks)
      click(row, false);
    if (finish.startsWith("dblclick:"))
      click(finish.mid(9).toInt(), true);
    else
      child<QPushButton>(w, finish == "ok" ? "OkBtn" : "CancelBtn")->click();
  };
  std::vector<std::string> got =
      drive(act, [&] { return TKvQtQueryStringListDlg::Execute(items, multiple, "Caption"); });
  std::sort(got.begin(), got.end());
  QCOMPARE(got, toStd(expected));
  QCOMPARE(preselected, 0);
}

void TstChoiceDialogs::multiSelect_data() {
  QTest::addColumn<int>("count");
  QTest::addColumn<QString>("action"); // actionXxx to trigger, then ok or cancel
  QTest::addColumn<bool>("ok");
  QTest::addColumn<int>("checkedAfter");
  QTest::newRow("invert one of three") << 3 << "actionInvert" << true << 2;
  QTest::newRow("uncheck all, cancel") << 3 << "actionUncheckAll" << false << 1;
  QTest::newRow("10000 items, check all") << 10000 << "actionCheckAll" << true << 10000;
}

void TstChoiceDialogs::multiSelect() {
  QFETCH(int, count);
  QFETCH(QString, action);
  QFETCH(bool, ok);
  QFETCH(int, checkedAfter);
  std::vector<std::string> items(static_cast<size_t>(count), "item");
  std::vector<bool> values(items.size(), false);
  values[0] = true;
  QStringList toolOrder;
  const auto act = [&](QWidget* w) {
    for (QAction* a : child<QToolBar>(w, "ToolBar")->actions())
      toolOrder << a->objectName();
    child<QAction>(w, qPrintable(action))->trigger();
    child<QPushButton>(w, ok ? "OkBtn" : "CancelBtn")->click();
  };
  QCOMPARE(drive(act, [&] { return TKvQtMultiSelectDlg::Execute("C", items, &values); }), ok);
  QCOMPARE(int(std::count(values.begin(), values.end(), true)), checkedAfter);
  QCOMPARE(toolOrder, (QStringList{"actionCheckAll", "actionUncheckAll", "actionInvert"}));
  if (action == "actionInvert")
    QVERIFY(!values[0]);
}

QTEST_MAIN(TstChoiceDialogs)
#include "tst_choicedialogs.moc"
