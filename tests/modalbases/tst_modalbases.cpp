#include "module/centerwidgetonscreen.h"
#include "module/kvmodule_initializer.h"
#include "module/tkvqdialog.h"
#include "module/tkvqmainwindow.h"
#include "module/tkvqtautoblocksignals.h"
#include "module/tkvqtautofreeze.h"

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
  void dialogDefaultParentAndFlags();
  void dialogDeleteOnClose();
  void dialogDeletedDuringExec();

  void mainWindowResult_data();
  void mainWindowResult();
  void mainWindowHideKeepsExecRunning();
  void mainWindowFinalizeSignals_data();
  void mainWindowFinalizeSignals();
  void mainWindowDeleteOnClose();
  void mainWindowRecursionRefused();
  void mainWindowDeletedDuringExec_data();
  void mainWindowDeletedDuringExec();
  void mainWindowWithParent();

  void autoFreezeNests();
  void autoBlockSignalsNests();
  void centerOnScreen();
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
  QTest::newRow("reject") << "reject" << 5101 << ended;
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
    else if (action == "reject")
      dlg.reject();
    else
      kvtest::pressEscape(w);
  });
  driver.start();
  QCOMPARE(dlg.exec(), expected);
  QVERIFY(driver.fired());
  QCOMPARE(log, hooks);
  QVERIFY(!dlg.isVisible());
  QCOMPARE(accepted.count(), expected == 5100 ? 1 : 0);
  QCOMPARE(rejected.count(), expected == 5101 ? 1 : 0);
  QCOMPARE(finished.count(), 1);
  QCOMPARE(finished.at(0).at(0).toInt(), expected);
}

void TstModalBases::dialogDefaultParentAndFlags() {
  QWidget main;
  main.show();
  QApplication::setActiveWindow(&main);
  QTRY_COMPARE(QApplication::activeWindow(), &main);
  {
    TKvQDialog dlg(nullptr, Qt::Popup);
    QCOMPARE(dlg.parentWidget(), &main);
    // Qt adds the system-menu hint that a close button implies.
    QCOMPARE(int(dlg.windowFlags() & ~Qt::WindowSystemMenuHint), 0x0A001003);
    QCOMPARE(dlg.windowType(), Qt::Dialog);
  }
  QWidget other;
  TKvQDialog explicitParent(&other);
  QCOMPARE(explicitParent.parentWidget(), &other);
  main.hide();
  QApplication::setActiveWindow(nullptr);
  TKvQDialog orphan;
  QVERIFY(!orphan.parentWidget());
}

void TstModalBases::dialogDeleteOnClose() {
  QStringList log;
  QPointer<HookDialog> dlg = new HookDialog(&log);
  dlg->setAttribute(Qt::WA_DeleteOnClose);
  kvtest::ModalDriver driver([&](QWidget*) { dlg->accept(); });
  driver.start();
  QCOMPARE(dlg->exec(), 5100);
  QVERIFY(driver.fired());
  QVERIFY(dlg.isNull());
  QCOMPARE(log.last(), QString("AfterHide"));
}

void TstModalBases::dialogDeletedDuringExec() {
  QStringList log;
  QPointer<HookDialog> dlg = new HookDialog(&log);
  kvtest::ModalDriver driver([&](QWidget*) { delete dlg.data(); });
  driver.start();
  QCOMPARE(dlg->exec(), 5101);
  QVERIFY(driver.fired());
  QVERIFY(dlg.isNull());
  QVERIFY(!log.contains("AfterHide"));
}

void TstModalBases::mainWindowResult_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<int>("expected");
  QTest::newRow("close box") << "close" << 5101;
  QTest::newRow("accept") << "accept" << 5100;
  QTest::newRow("reject") << "reject" << 5101;
  QTest::newRow("done with another code") << "done" << 42;
}

void TstModalBases::mainWindowResult() {
  QFETCH(QString, action);
  QFETCH(int, expected);
  TKvQMainWindow win;
  QCOMPARE(win.result(), 5101);
  QSignalSpy accepted(&win, &TKvQMainWindow::accepted);
  QSignalSpy rejected(&win, &TKvQMainWindow::rejected);
  QSignalSpy finished(&win, &TKvQMainWindow::finished);
  bool modalWhileRunning = false;
  kvtest::ModalDriver driver([&](QWidget* w) {
    modalWhileRunning = w == &win && win.isModal() && win.isExecuting();
    if (action == "close")
      kvtest::closeBox(w);
    else if (action == "accept")
      win.accept();
    else if (action == "reject")
      win.reject();
    else
      win.done(42);
  });
  driver.start();
  QCOMPARE(win.exec(), expected);
  QVERIFY(driver.fired());
  QVERIFY(modalWhileRunning);
  QVERIFY(!win.isVisible());
  QVERIFY(!win.isExecuting());
  QVERIFY2(!win.testAttribute(Qt::WA_ShowModal), "the modal attribute is restored");
  QCOMPARE(win.result(), expected);
  QCOMPARE(accepted.count(), expected == 5100 ? 1 : 0);
  QCOMPARE(rejected.count(), expected == 5101 ? 1 : 0);
  QCOMPARE(finished.count(), 1);
  QCOMPARE(finished.at(0).at(0).toInt(), expected);
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

void TstModalBases::mainWindowFinalizeSignals_data() {
  QTest::addColumn<int>("code");
  QTest::addColumn<int>("acceptedCount");
  QTest::addColumn<int>("rejectedCount");
  QTest::newRow("code 5100 emits accepted") << 5100 << 1 << 0;
  QTest::newRow("code 5101 emits rejected") << 5101 << 0 << 1;
  QTest::newRow("other code emits neither") << 3 << 0 << 0;
}

void TstModalBases::mainWindowFinalizeSignals() {
  QFETCH(int, code);
  QFETCH(int, acceptedCount);
  QFETCH(int, rejectedCount);
  TKvQMainWindow win;
  QSignalSpy accepted(&win, &TKvQMainWindow::accepted);
  QSignalSpy rejected(&win, &TKvQMainWindow::rejected);
  QSignalSpy finished(&win, &TKvQMainWindow::finished);
  kvtest::ModalDriver driver([&](QWidget*) {
    win.hide(7);
    win.finalize(7, code);
  });
  driver.start();
  QCOMPARE(win.exec(), 7);
  QVERIFY(driver.fired());
  QCOMPARE(accepted.count(), acceptedCount);
  QCOMPARE(rejected.count(), rejectedCount);
  QCOMPARE(finished.count(), 1);
  QCOMPARE(finished.at(0).at(0).toInt(), 7);
}

void TstModalBases::mainWindowDeleteOnClose() {
  QPointer<TKvQMainWindow> win = new TKvQMainWindow;
  win->setAttribute(Qt::WA_DeleteOnClose);
  bool deleteOnCloseWhileRunning = true;
  kvtest::ModalDriver driver([&](QWidget*) {
    deleteOnCloseWhileRunning = win->testAttribute(Qt::WA_DeleteOnClose);
    win->accept();
  });
  driver.start();
  QCOMPARE(win->exec(), 5100);
  QVERIFY(driver.fired());
  QVERIFY(!deleteOnCloseWhileRunning);
  QVERIFY(win.isNull());
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

void TstModalBases::mainWindowDeletedDuringExec_data() {
  QTest::addColumn<bool>("later");
  QTest::newRow("delete") << false;
  QTest::newRow("deleteLater") << true;
}

void TstModalBases::mainWindowDeletedDuringExec() {
  QFETCH(bool, later);
  QPointer<TKvQMainWindow> win = new TKvQMainWindow;
  kvtest::ModalDriver driver([&](QWidget*) {
    if (later)
      win->deleteLater();
    else
      delete win.data();
  });
  driver.start();
  QCOMPARE(win->exec(), 5101);
  QVERIFY(driver.fired());
  QVERIFY(win.isNull());
}

void TstModalBases::mainWindowWithParent() {
  QWidget owner;
  auto* win = new TKvQMainWindow(&owner);
  const Qt::WindowFlags added = Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                Qt::WindowCloseButtonHint;
  QCOMPARE(win->windowFlags() & added, added);
  QVERIFY(win->isWindow());
  kvtest::ModalDriver driver([&](QWidget*) { win->accept(); });
  driver.start();
  QCOMPARE(win->exec(), 5100);
  QVERIFY(driver.fired());
}

void TstModalBases::autoFreezeNests() {
  QWidget w;
  {
    TKvQtAutoFreeze outer(&w);
    QVERIFY(!w.updatesEnabled());
    {
      TKvQtAutoFreeze inner(&w);
      QVERIFY(!w.updatesEnabled());
    }
    QVERIFY2(!w.updatesEnabled(), "the inner guard did not freeze, so it does not thaw");
  }
  QVERIFY(w.updatesEnabled());

  w.setUpdatesEnabled(false);
  { TKvQtAutoFreeze guard(&w); }
  QVERIFY2(!w.updatesEnabled(), "frozen by someone else stays frozen");

  { TKvQtAutoFreeze none(nullptr); }
  auto* doomed = new QWidget;
  {
    TKvQtAutoFreeze guard(doomed);
    delete doomed;
  }
}

void TstModalBases::autoBlockSignalsNests() {
  QObject o;
  {
    TKvQtAutoBlockSignals outer(&o);
    QVERIFY(o.signalsBlocked());
    { TKvQtAutoBlockSignals inner(&o); }
    QVERIFY(o.signalsBlocked());
  }
  QVERIFY(!o.signalsBlocked());
  o.blockSignals(true);
  { TKvQtAutoBlockSignals guard(&o); }
  QVERIFY(o.signalsBlocked());
  { TKvQtAutoBlockSignals none(nullptr); }
}

void TstModalBases::centerOnScreen() {
  QWidget w;
  w.resize(240, 120);
  CenterWidgetOnScreen(&w);
  const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
  QCOMPARE(w.size(), QSize(240, 120));
  QVERIFY(qAbs(w.geometry().center().x() - avail.center().x()) <= 1);
  QVERIFY(qAbs(w.geometry().center().y() - avail.center().y()) <= 1);
  CenterWidgetOnScreen(nullptr);

  QStringList log;
  HookDialog dlg(&log);
  dlg.resize(100, 60);
  dlg.center();
  QVERIFY(qAbs(dlg.geometry().center().x() - avail.center().x()) <= 1);
}

QTEST_MAIN(TstModalBases)
#include "tst_modalbases.moc"
