#include "module/centerwidgetonscreen.h"
#include "module/kvmodule_initializer.h"
#include "module/tkvqdialog.h"
#include "module/tkvqmainwindow.h"

#include "kvtestsupport.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>

namespace {

// Records its hooks into a list that outlives it.
class HookDialog : public TKvQDialog {
public:
  explicit HookDialog(QStringList* log, QWidget* parent = nullptr) : TKvQDialog(parent), FLog(log) {}

protected:
  void DoBeforeModalShow() override { *FLog << "BeforeShow"; }
  void DoAfterModalShow() override { *FLog << "AfterShow"; }
  void DoBeforeModalHide() override { *FLog << "BeforeHide"; }
  void DoAfterModalHide() override { *FLog << "AfterHide"; }

private:
  QStringList* FLog;
};

bool isMessageBox(QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; }

} // namespace

class TstModalBases : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanup();

  void dialogHooksAndResult_data();
  void dialogHooksAndResult();
  void deletedDuringExec_data();
  void deletedDuringExec();

  void mainWindowResult_data();
  void mainWindowResult();
  void mainWindowHideKeepsExecRunning();
  void mainWindowRecursionRefused();

};

void TstModalBases::cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

void TstModalBases::dialogHooksAndResult_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<int>("expected");
  QTest::addColumn<QStringList>("hooks");
  const QStringList closed{"BeforeShow", "AfterShow", "BeforeHide", "AfterHide"};
  const QStringList ended{"BeforeShow", "AfterShow", "AfterHide"};
  QTest::newRow("close box rejects after BeforeHide") << "close" << 5101 << closed;
  QTest::newRow("accept") << "accept" << 5100 << ended;
  QTest::newRow("escape rejects") << "escape" << 5101 << ended;
}

void TstModalBases::dialogHooksAndResult() {
  QFETCH(QString, action);
  QFETCH(int, expected);
  QFETCH(QStringList, hooks);
  QStringList log;
  HookDialog dlg(&log);
  QSignalSpy accepted(&dlg, &QDialog::accepted);
  QSignalSpy rejected(&dlg, &QDialog::rejected);
  QSignalSpy finished(&dlg, &QDialog::finished);
  kvtest::ModalDriver driver([&](QWidget* w) {
    QCOMPARE(w, &dlg);
    if (action == "close")
      kvtest::closeBox(w);
    else if (action == "accept")
      dlg.accept();
    else
      kvtest::pressEscape(w);
  });
  driver.start();
  QCOMPARE(dlg.exec(), expected);
  QVERIFY(driver.fired());
  QCOMPARE(log, hooks);
  QCOMPARE(accepted.count(), expected == 5100 ? 1 : 0);
  QCOMPARE(rejected.count(), expected == 5101 ? 1 : 0);
  QCOMPARE(finished.count(), 1);
}

void TstModalBases::deletedDuringExec_data() {
  QTest::addColumn<bool>("mainWindow");
  QTest::addColumn<QString>("how");
  QTest::addColumn<int>("expected");
  QTest::newRow("dialog, delete on close") << false << "close" << 5100;
  QTest::newRow("main window, delete on close") << true << "close" << 5100;
  QTest::newRow("dialog, delete") << false << "delete" << 5101;
  QTest::newRow("main window, delete") << true << "delete" << 5101;
  QTest::newRow("main window, deleteLater") << true << "later" << 5101;
}

// The window dies inside its own exec: exec still returns, nothing touches
// the dead window. A main window closed with WA_DeleteOnClose is not deleted
// before exec has its result.
void TstModalBases::deletedDuringExec() {
  QFETCH(bool, mainWindow);
  QFETCH(QString, how);
  QFETCH(int, expected);
  QStringList log;
  QPointer<QWidget> w = mainWindow ? static_cast<QWidget*>(new TKvQMainWindow) : new HookDialog(&log);
  w->setAttribute(Qt::WA_DeleteOnClose, how == "close");
  bool deleteOnCloseWhileRunning = false;
  kvtest::ModalDriver driver([&](QWidget*) {
    deleteOnCloseWhileRunning = w->testAttribute(Qt::WA_DeleteOnClose);
    if (how == "close")
      QMetaObject::invokeMethod(w, "accept");
    else
      how == "later" ? w->deleteLater() : delete w.data();
  });
  driver.start();
  int r = 0;
  QVERIFY(QMetaObject::invokeMethod(w, "exec", Qt::DirectConnection, Q_RETURN_ARG(int, r)));
  QCOMPARE(r, expected);
  QVERIFY(driver.fired());
  QVERIFY(w.isNull());
  QCOMPARE(log.contains("AfterHide"), how == "close" && !mainWindow);
  if (mainWindow && how == "close")
    QVERIFY(!deleteOnCloseWhileRunning);
}

void TstModalBases::mainWindowResult_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<int>("expected");
  QTest::addColumn<int>("acceptedCount");
  QTest::addColumn<int>("rejectedCount");
  QTest::newRow("close box") << "close" << 5101 << 0 << 1;
  QTest::newRow("accept") << "accept" << 5100 << 1 << 0;
  // finalize() keeps the result of hide() and signals by its own code.
  QTest::newRow("finalize with code 5100 emits accepted") << "finalize:5100" << 7 << 1 << 0;
}

void TstModalBases::mainWindowResult() {
  QFETCH(QString, action);
  QFETCH(int, expected);
  QFETCH(int, acceptedCount);
  QFETCH(int, rejectedCount);
  TKvQMainWindow win;
  QCOMPARE(win.result(), 5101);
  QSignalSpy accepted(&win, &TKvQMainWindow::accepted);
  QSignalSpy rejected(&win, &TKvQMainWindow::rejected);
  QSignalSpy finished(&win, &TKvQMainWindow::finished);
  bool modalWhileRunning = false;
  kvtest::ModalDriver driver([&](QWidget* w) {
    modalWhileRunning = w == &win && win.isModal() && win.isExecuting();
    if (action == "close") {
      kvtest::closeBox(w);
    } else if (action == "accept") {
      win.accept();
    } else if (action == "done") {
      win.done(42);
    } else {
      win.hide(7);
      win.finalize(7, action.section(':', 1).toInt());
    }
  });
  driver.start();
  QCOMPARE(win.exec(), expected);
  QVERIFY(driver.fired());
  QVERIFY(modalWhileRunning);
  QVERIFY(!win.isVisible() && !win.isExecuting());
  QVERIFY2(!win.testAttribute(Qt::WA_ShowModal), "the modal attribute is restored");
  QCOMPARE(accepted.count(), acceptedCount);
  QCOMPARE(rejected.count(), rejectedCount);
  QCOMPARE(finished.count(), 1);
  QCOMPARE(finished.at(0).at(0).toInt(), expected);
  QCOMPARE(win.result(), expected);
}

void TstModalBases::mainWindowHideKeepsExecRunning() {
  TKvQMainWindow win;
  QSignalSpy finished(&win, &TKvQMainWindow::finished);
  bool hiddenButRunning = false;
  kvtest::ModalDriver driver([&](QWidget*) {
    win.hide(5100);
    QTimer::singleShot(0, &win, [&] {
      hiddenButRunning = !win.isVisible() && win.isExecuting() && finished.isEmpty();
      win.finalize(5100, 5100);
    });
  });
  driver.start();
  QCOMPARE(win.exec(), 5100);
  QVERIFY(driver.fired());
  QVERIFY(hiddenButRunning);
  QCOMPARE(finished.count(), 1);
}

void TstModalBases::mainWindowRecursionRefused() {
  TKvQMainWindow win;
  int inner = 0;
  bool runningAfterRefusal = false;
  QString message;
  kvtest::ModalDriver errorBox([&](QWidget* w) {
    message = static_cast<QMessageBox*>(w)->text();
    static_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click();
  }, 5000, isMessageBox);
  kvtest::ModalDriver driver([&](QWidget*) {
    errorBox.start();
    inner = win.exec();
    runningAfterRefusal = win.isExecuting() && win.isVisible();
    win.accept();
  }, 5000, [&](QWidget* w) { return w == &win; });
  driver.start();
  QCOMPARE(win.exec(), 5100);
  QVERIFY(driver.fired());
  QVERIFY(errorBox.fired());
  QCOMPARE(inner, -1);
  QCOMPARE(message, QString("TKvQMainWindow::exec: Recursive call detected"));
  QVERIFY(runningAfterRefusal);
}

QTEST_MAIN(TstModalBases)
#include "tst_modalbases.moc"
