// The progress frame: start and finish records, pause, cancel (one break per
// cancel) and outside control commands.

#include "kvtestsupport.h"
#include "progresstestutil.h"

#include "module/kvmodule_initializer.h"
#include "module/kvqttranslator.h"
#include "progress/tkvqtprogressframe.h"

#include "kvsuite/kvmessage.h"
#include "kvsuite/kvprogress.h"

#include <QMessageBox>
#include <QPushButton>

#include <deque>

namespace {

// Hands out queued commands and records the states it is told about.
class FakeControl : public TKvProgressControl {
public:
  std::deque<int> commands;
  std::vector<int> notes;
  int reads = 0;
  int GetPendingCommand() override {
    ++reads;
    const int c = commands.empty() ? int(pcNone) : commands.front();
    if (!commands.empty())
      commands.pop_front();
    return c;
  }
  void Notify(int state) override { notes.push_back(state); }
};

class ThrowingControl : public TKvProgressControl {
public:
  int GetPendingCommand() override { throw TKvMessage("@boom"); }
  void Notify(int) override {}
};

QPushButton* button(TKvQtProgressFrame& frame, const char* name) {
  return frame.findChild<QPushButton*>(QLatin1String(name));
}

std::string res(const char* key) { return KvQtResString(key); }

void answer(QWidget* w, QMessageBox::StandardButton b) {
  auto* box = qobject_cast<QMessageBox*>(w);
  QVERIFY(box && box->button(b));
  box->button(b)->click();
}

} // namespace

class TestProgressFrame : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void cleanupTestCase() { Deinit_KvQtCpnt(); }
  void init();
  void cleanup();

  void startAndEndRecords_data();
  void startAndEndRecords();
  void endNeverThrows();
  void cancelQuestion_data();
  void cancelQuestion();
  void pauseBlocksUntilResumed_data();
  void pauseBlocksUntilResumed();
  void controlCommands();

private:
  QString FAppName;
};

void TestProgressFrame::initTestCase() {
  Init_KvQtCpnt();
  FAppName = QCoreApplication::applicationName();
}

void TestProgressFrame::init() {
  QCoreApplication::setApplicationName(QStringLiteral("Editor"));
  TKvQtProgressFrame::SetTimeoutsSt(100, 100);
}

void TestProgressFrame::cleanup() {
  QCoreApplication::setApplicationName(FAppName);
  KvQtRemoveTranslator();
  KV_VERIFY_NO_TOPLEVELS();
}

void TestProgressFrame::startAndEndRecords_data() {
  QTest::addColumn<QString>("message");
  QTest::addColumn<int>("logLevel");
  QTest::addColumn<int>("recorded");
  QTest::newRow("empty message, important level, is demoted") << QString() << 2 << 5;
  QTest::newRow("message kept at its level") << QStringLiteral("Копирование") << 2 << 2;
  QTest::newRow("empty message, level above 5 kept") << QString() << 7 << 7;
}

void TestProgressFrame::startAndEndRecords() {
  QFETCH(QString, message);
  QFETCH(int, logLevel);
  QFETCH(int, recorded);
  const std::string msg = message.toStdString();
  TKvQtProgressFrame frame;
  kvtest::LogCapture log;
  frame.SetMessage(0, "");
  frame.SetMessage(1, msg);
  frame.SetPos(2, 0); // Start drops the deeper levels without a record
  log.clear();
  frame.Start(1, logLevel);
  QCOMPARE(frame.GetLevelCount(), 2ul);
  auto records = log.records("Progress");
  QCOMPARE(records.size(), size_t(1));
  QCOMPARE(records[0].type, 'I');
  QCOMPARE(records[0].level, recorded);
  QCOMPARE(records[0].text, (TKvMessage(res("global.PrgBegan_msg")) << msg).std_str());

  log.clear();
  frame.End(1);
  records = log.records("Progress");
  QCOMPARE(records.size(), size_t(1));
  QCOMPARE(records[0].level, recorded);
  // The elapsed time is whatever the clock says; compare up to it.
  const std::string expected = (TKvMessage(res("global.PrgFinished_msg_time")) << msg << std::string("@@")).std_str();
  const size_t at = expected.find("@@");
  QCOMPARE(records[0].text.substr(0, at), expected.substr(0, at));
  QCOMPARE(frame.GetLevelCount(), 1ul);
}

void TestProgressFrame::endNeverThrows() {
  TKvQtProgressFrame frame;
  frame.SetMessage(0, "a");
  frame.SetMessage(1, "b");
  ThrowingControl control;
  frame.SetProgressControl(&control);
  frame.SetTrueModalFlag(true);
  kvtest::LogCapture log;
  try {
    frame.End(1);
  } catch (...) {
    QFAIL("End let an exception out");
  }
  frame.SetProgressControl(nullptr);
  const auto records = log.records("Progress");
  QCOMPARE(records.size(), size_t(2));
  QCOMPARE(records[1].text, std::string("@TKvQtProgressFrame::End(1), msg=\"\"a\"\": Exception \"@boom\""));
  QCOMPARE(frame.GetLevelCount(), 1ul);
}

void TestProgressFrame::cancelQuestion_data() {
  QTest::addColumn<bool>("trueModal");
  QTest::addColumn<bool>("pausedBefore");
  QTest::addColumn<bool>("confirm");
  QTest::addColumn<bool>("cancelled");
  QTest::addColumn<bool>("pausedAfter");
  QTest::newRow("confirmed while running") << true << false << true << true << false;
  QTest::newRow("declined while running resumes") << true << false << false << false << false;
  QTest::newRow("declined while paused keeps the pause") << true << true << false << false << true;
  QTest::newRow("confirmed while paused ends the pause") << true << true << true << true << false;
  QTest::newRow("not true-modal: nothing is asked") << false << false << true << false << false;
}

void TestProgressFrame::cancelQuestion() {
  QFETCH(bool, trueModal);
  QFETCH(bool, pausedBefore);
  QFETCH(bool, confirm);
  QFETCH(bool, cancelled);
  QFETCH(bool, pausedAfter);
  TKvQtProgressFrame frame;
  frame.SetTrueModalFlag(trueModal);
  frame.SetPaused(pausedBefore);
  kvtest::ModalDriver driver([&](QWidget* w) { answer(w, confirm ? QMessageBox::Yes : QMessageBox::No); });
  driver.start();
  button(frame, "BtnCancel")->click();
  QCOMPARE(driver.fired(), trueModal);
  QCOMPARE(frame.IsCancelled(), cancelled);
  QCOMPARE(frame.IsPaused(), pausedAfter);
  QCOMPARE(button(frame, "BtnCancel")->isEnabled(), !cancelled);
  frame.SetPaused(false);
  QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Editor"));
  QCOMPARE(frame.GetStatusState(), cancelled ? TKvQtProgressFrame::ssCancel : TKvQtProgressFrame::ssRun);
  kvtest::LogCapture log;
  if (cancelled) {
    try {
      frame.CheckBreak();
      QFAIL("no break");
    } catch (const TKvMessage& e) {
      QCOMPARE(e.std_str(), res("global.Msg_UserBreak"));
    }
    QCOMPARE(log.records("Progress").size(), size_t(1));
    QVERIFY(frame.UserBreak());
  }
  frame.CheckBreak(); // one break for one cancel
  QCOMPARE(frame.GetStatusState(), TKvQtProgressFrame::ssRun);
  QVERIFY(button(frame, "BtnCancel")->isEnabled());
}

void TestProgressFrame::pauseBlocksUntilResumed_data() {
  QTest::addColumn<bool>("byControl");
  QTest::newRow("pause and resume buttons") << false;
  // The control's resume is read while paused.
  QTest::newRow("control commands inside an update") << true;
}

void TestProgressFrame::pauseBlocksUntilResumed() {
  QFETCH(bool, byControl);
  TKvQtProgressFrame frame;
  frame.SetTrueModalFlag(true);
  FakeControl control;
  control.commands = {1, 0, 2};
  bool sawPause = false, watchdog = false;
  QTimer::singleShot(5000, &frame, [&] {
    watchdog = true;
    frame.SetPaused(false);
  });
  if (byControl) {
    frame.SetProgressControl(&control);
    frame.SetPos(0, 0.5);
    frame.SetProgressControl(nullptr);
    QVERIFY(control.commands.empty());
    QCOMPARE(control.notes, (std::vector<int>{1, 2}));
  } else {
    QTimer::singleShot(0, &frame, [&] {
      sawPause = frame.IsPaused() && frame.GetStatusState() == TKvQtProgressFrame::ssPause;
      button(frame, "BtnPauseResume")->click();
    });
    button(frame, "BtnPauseResume")->click(); // pauses until the click above
    QVERIFY(sawPause);
  }
  QVERIFY(!watchdog);
  QVERIFY(!frame.IsPaused());
  QCOMPARE(frame.GetStatusState(), TKvQtProgressFrame::ssRun);
}

// One command is read per call: an unknown one is logged, a cancel cancels.
void TestProgressFrame::controlCommands() {
  TKvQtProgressFrame frame;
  FakeControl control;
  frame.SetProgressControl(&control);
  control.commands = {7, 3};
  kvtest::LogCapture log;
  frame.ProcessProgressControl();
  QVERIFY(!frame.IsCancelled());
  const auto records = log.records();
  QCOMPARE(records.size(), size_t(1));
  QCOMPARE(QString("%1%2 %3").arg(records[0].type).arg(records[0].level).arg(QString::fromStdString(records[0].text)),
           "E5 @TKvQtProgressFrame::ProcessProgressControl(): Unknown progress control command (7).");
  frame.ProcessProgressControl();
  QCOMPARE(control.reads, 2);
  QVERIFY(frame.IsCancelled());
  QVERIFY_EXCEPTION_THROWN(frame.CheckBreak(), TKvMessage);
  frame.SetProgressControl(nullptr);
}

QTEST_MAIN(TestProgressFrame)
#include "tst_progress_frame.moc"
