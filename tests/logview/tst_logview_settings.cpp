// The settings the first log window of a process reads, and what out-of-range
// values fall back to. Built once per set of settings (they are read once
// per process): KV_SETTINGS, EXPECT_SM_TIMEOUT and EXPECT_PRG_TIMEOUT.

#include "kvtestsupport.h"

#include "logview/tqtlogview.h"
#include "progress/tkvqtprogressframe.h"

class TestLogViewSettings : public QObject {
  Q_OBJECT
private slots:
  // Build definitions cannot carry ";": the list comes separated by ",".
  void initTestCase() { qputenv("KV_MODULE_SETTINGS", QByteArray(KV_SETTINGS).replace(',', ';')); }
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void timeouts() {
    TQtLogView v;
    QCOMPARE(TQtLogView::GetSmartModalTimeout(), unsigned(EXPECT_SM_TIMEOUT));
    unsigned update = 0, tick = 0;
    TKvQtProgressFrame::GetTimeoutsSt(&update, &tick);
    QCOMPARE(update, unsigned(EXPECT_PRG_TIMEOUT));
    QCOMPARE(tick, unsigned(EXPECT_PRG_TIMEOUT));
  }

  void smartModalShow() {
    TQtLogView v;
    v.SmartModalShow();
    // Without a timeout the window shows at once; otherwise not before it.
    QCOMPARE(v.isVisible(), EXPECT_SM_TIMEOUT == 0);
    QCOMPARE(v.GetProgress()->IsTrueModal(), EXPECT_SM_TIMEOUT == 0);
    v.SmartModalHide();
    QVERIFY(!v.isVisible());
  }
};

QTEST_MAIN(TestLogViewSettings)
#include "tst_logview_settings.moc"
