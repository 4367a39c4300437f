// The progress frame: levels and their items, start and finish records, the
// application-name prefix, the status line, pause, cancel, outside control
// commands and the translated buttons.

#include "kvtestsupport.h"
#include "progresstestutil.h"

#include "module/kvmodule_initializer.h"
#include "module/kvqttranslator.h"
#include "progress/ikvqtguiprogress.h"
#include "progress/tkvqtprogressframe.h"
#include "progress/tkvqtprogressitem.h"

#include "kvsuite/kvmessage.h"
#include "kvsuite/kvprogress.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <deque>
#include <memory>

namespace {

class FakeControl : public TKvProgressControl {
public:
  std::deque<int> commands;
  std::vector<int> notes;
  int reads = 0;
  int GetPendingCommand() override {
    ++reads;
    if (commands.empty())
      return pcNone;
    const int c = commands.front();
    commands.pop_front();
    return c;
  }
  void Notify(int state) override { notes.push_back(state); }
};

// The items in the scroll area, top to bottom.
QList<TKvQtProgressItem*> items(TKvQtProgressFrame& frame) {
  QList<TKvQtProgressItem*> out;
  auto* layout = frame.findChild<QVBoxLayout*>(QStringLiteral("scrollAreaLayout"));
  if (!layout)
    return out;
  for (int i = 0; i < layout->count(); ++i)
    if (auto* item = qobject_cast<TKvQtProgressItem*>(layout->itemAt(i)->widget()))
      if (item->objectName() == QLatin1String("TKvQtProgressItem"))
        out << item;
  return out;
}

QString itemMessage(TKvQtProgressItem* item) {
  return item->findChild<QLabel*>(QStringLiteral("LbMessage"))->text();
}

QPushButton* button(TKvQtProgressFrame& frame, const char* name) {
  return frame.findChild<QPushButton*>(QLatin1String(name));
}

std::string res(const char* key) { return KvQtResString(key); }

std::string startText(const std::string& message) {
  return (TKvMessage(res("global.PrgBegan_msg")) << message).std_str();
}

QString statusText(TKvQtProgressFrame& frame) {
  return frame.findChild<QLabel*>(QStringLiteral("LbStatusText"))->text();
}

// Answers the next message box with a standard button.
void answer(QWidget* w, QMessageBox::StandardButton b) {
  auto* box = qobject_cast<QMessageBox*>(w);
  QVERIFY(box);
  QVERIFY(box->button(b));
  box->button(b)->click();
}

} // namespace

class TestProgressFrame : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void cleanupTestCase();
  void init();
  void cleanup();

  void formLayout();
  void levelsAreItemsInOrder();
  void levelTooDeepThrows();
  void queriesOfMissingLevels();
  void startAndEndRecords_data();
  void startAndEndRecords();
  void endLogsEveryLevelInnermostFirst();
  void startDropsDeeperLevelsSilently();
  void appNamePrefix_data();
  void appNamePrefix();
  void indefiniteLevelLeavesAppName();
  void extHeightGrowsOnlyWithNestedLevels();
  void noEventsWithoutTrueModal();
  void endNeverThrows();
  void cancelConfirmedBecomesBreak();
  void cancelDeclinedResumes();
  void cancelWhilePausedEndsThePause();
  void cancelIgnoredWhenNotTrueModal();
  void pauseInsideCancelRequest();
  void pauseChangesTitlesAndNotifies();
  void doPauseBlocksUntilResumed();
  void controlCommands_data();
  void controlCommands();
  void controlCanPauseAndResume();
  void setTimerWaitLevels();
  void englishButtons();

private:
  QString FAppName;
};

void TestProgressFrame::initTestCase() {
  Init_KvQtCpnt();
  FAppName = QCoreApplication::applicationName();
}

void TestProgressFrame::cleanupTestCase() { Deinit_KvQtCpnt(); }

void TestProgressFrame::init() {
  QCoreApplication::setApplicationName(QStringLiteral("Editor"));
  TKvQtProgressFrame::SetTimeoutsSt(100, 100);
}

void TestProgressFrame::cleanup() {
  QCoreApplication::setApplicationName(FAppName);
  KvQtRemoveTranslator();
  KV_VERIFY_NO_TOPLEVELS();
}

void TestProgressFrame::formLayout() {
  TKvQtProgressFrame frame;
  QCOMPARE(frame.objectName(), QStringLiteral("TKvQtProgressFrame"));
  QCOMPARE(frame.minimumSize(), QSize(100, 240));
  auto* vl = qobject_cast<QVBoxLayout*>(frame.layout());
  QVERIFY(vl);
  QCOMPARE(vl->objectName(), QStringLiteral("verticalLayout"));
  QCOMPARE(vl->count(), 4);
  QCOMPARE(vl->itemAt(0)->widget()->objectName(), QStringLiteral("LbStatusText"));
  QCOMPARE(vl->itemAt(1)->layout()->objectName(), QStringLiteral("verticalLayout_9"));
  QCOMPARE(vl->itemAt(2)->layout()->objectName(), QStringLiteral("ExtendersLayout"));
  QCOMPARE(vl->itemAt(3)->layout()->objectName(), QStringLiteral("horizontalLayout_3"));
  QCOMPARE(vl->stretch(1), 1);
  // Only Pause/Resume and Cancel are offered.
  QVERIFY(button(frame, "BtnPause")->isHidden());
  QVERIFY(button(frame, "BtnResume")->isHidden());
  QVERIFY(button(frame, "BtnAuxFunctions")->isHidden());
  QVERIFY(!button(frame, "BtnPauseResume")->isHidden());
  QVERIFY(!button(frame, "BtnCancel")->isHidden());
  QCOMPARE(button(frame, "BtnPauseResume")->text(), button(frame, "BtnPause")->text());
  QCOMPARE(statusText(frame), QString::fromStdString(res("global.RunMsg")));
  // The extension area is the GUI-panel service's layout.
  auto* gui = KvGetInterface<IKvQtGuiProgress>(frame.KvInterface(), &IKvQtGuiProgress::IKvQtGuiProgressUIDObj);
  QVERIFY(gui);
  QCOMPARE(gui->CreateWidget(), static_cast<QWidget*>(&frame));
  QVERIFY(KvGetInterface<IKvIterationsProgress>(frame.KvInterface(),
                                                &IKvIterationsProgress::IKvIterationsProgressUIDObj));
  // The frame's meta-object offers exactly its five button slots and no signals.
  const QMetaObject* mo = frame.metaObject();
  QCOMPARE(mo->methodCount() - mo->methodOffset(), 5);
}

void TestProgressFrame::levelsAreItemsInOrder() {
  TKvQtProgressFrame frame;
  frame.SetMessage(0, "outer");
  frame.SetMessage(1, "middle");
  frame.SetPos(2, 0.5);
  frame.SetPos(1, 0.25);
  QCOMPARE(frame.GetLevelCount(), 3ul);
  QCOMPARE(frame.GetInnermostProgressLevel(), 2ul);
  const auto list = items(frame);
  QCOMPARE(list.size(), 3);
  QCOMPARE(itemMessage(list[0]), QStringLiteral("outer"));
  QCOMPARE(itemMessage(list[1]), QStringLiteral("middle"));
  QCOMPARE(list[1]->GetPos(), 0.25);
  QCOMPARE(list[2]->GetPos(), 0.5);
  // Only level 0 shows the time row.
  QVERIFY(!list[0]->findChild<QWidget*>(QStringLiteral("labelsHolder"))->isHidden());
  QVERIFY(list[1]->findChild<QWidget*>(QStringLiteral("labelsHolder"))->isHidden());

  frame.RemoveLevels(1);
  QCOMPARE(items(frame).size(), 1);
  QCOMPARE(frame.GetMessage(0), std::string("outer"));
}

void TestProgressFrame::levelTooDeepThrows() {
  TKvQtProgressFrame frame;
  frame.SetPos(0, 0.1);
  try {
    frame.SetPos(2, 0.5);
    QFAIL("no exception");
  } catch (const TKvMessage& e) {
    QCOMPARE(e.std_str(),
             std::string("@TKvQtProgressFrame::EnsureLevel(): prg_level too big. prg_level=2, FProgressLevels.size()=1"));
  }
  QCOMPARE(frame.GetLevelCount(), 1ul);
  frame.SetPos(1, 0.5);
  frame.SetPos(2, 0.5);
  QCOMPARE(frame.GetLevelCount(), 3ul);
}

void TestProgressFrame::queriesOfMissingLevels() {
  TKvQtProgressFrame frame;
  QCOMPARE(frame.GetInnermostProgressLevel(), 0ul);
  frame.SetOptions(0, 0);
  frame.SetOptions(1, 42);
  QCOMPARE(frame.GetOptions(1), 42);
  QCOMPARE(frame.GetMessage(5), std::string());
  QCOMPARE(frame.GetOptions(5), 0);
  QCOMPARE(frame.GetLevelCount(), 2ul);
  QCOMPARE(frame.GetPos(2), 0.0);
  QCOMPARE(frame.GetLevelCount(), 3ul);
}

void TestProgressFrame::startAndEndRecords_data() {
  QTest::addColumn<QString>("message");
  QTest::addColumn<int>("logLevel");
  QTest::addColumn<int>("recorded");
  QTest::newRow("empty message, important level, is demoted") << QString() << 2 << 5;
  QTest::newRow("message kept at its level") << QStringLiteral("Копирование") << 2 << 2;
  QTest::newRow("empty message, level above 5 kept") << QString() << 7 << 7;
  QTest::newRow("message, level above 5 kept") << QStringLiteral("x") << 7 << 7;
}

void TestProgressFrame::startAndEndRecords() {
  QFETCH(QString, message);
  QFETCH(int, logLevel);
  QFETCH(int, recorded);
  TKvQtProgressFrame frame;
  kvtest::LogCapture log;
  frame.SetPos(0, 0);
  frame.SetMessage(1, message.toStdString());
  log.clear();
  frame.Start(1, logLevel);
  auto records = log.records("Progress");
  QCOMPARE(records.size(), size_t(1));
  QCOMPARE(records[0].type, 'I');
  QCOMPARE(records[0].level, recorded);
  QCOMPARE(records[0].text, startText(message.toStdString()));

  log.clear();
  frame.End(1);
  records = log.records("Progress");
  QCOMPARE(records.size(), size_t(1));
  QCOMPARE(records[0].level, recorded);
  const std::string expected =
      (TKvMessage(res("global.PrgFinished_msg_time")) << message.toStdString() << std::string("@@")).std_str();
  // The elapsed time is whatever the clock says; compare around it.
  const size_t at = expected.find("@@");
  QVERIFY(at != std::string::npos);
  QCOMPARE(records[0].text.substr(0, at), expected.substr(0, at));
  QCOMPARE(frame.GetLevelCount(), 1ul);
}

void TestProgressFrame::endLogsEveryLevelInnermostFirst() {
  TKvQtProgressFrame frame;
  for (unsigned long i = 0; i < 3; ++i) {
    frame.SetMessage(i, "L" + std::to_string(i));
    frame.Start(i, 3);
  }
  kvtest::LogCapture log;
  frame.End(0);
  const auto records = log.records("Progress");
  QCOMPARE(records.size(), size_t(3));
  const std::string format = res("global.PrgFinished_msg_time");
  const std::string head = format.substr(0, format.find("%1%"));
  QCOMPARE(records[0].text.substr(0, head.size() + 2), head + "L2");
  QCOMPARE(records[1].text.substr(0, head.size() + 2), head + "L1");
  QCOMPARE(records[2].text.substr(0, head.size() + 2), head + "L0");
  QCOMPARE(frame.GetLevelCount(), 0ul);
  QVERIFY(items(frame).isEmpty());
}

void TestProgressFrame::startDropsDeeperLevelsSilently() {
  TKvQtProgressFrame frame;
  frame.SetPos(0, 0.1);
  frame.SetPos(1, 0.1);
  frame.SetPos(2, 0.1);
  kvtest::LogCapture log;
  frame.Start(0, 3);
  QCOMPARE(frame.GetLevelCount(), 1ul);
  const auto records = log.records("Progress");
  QCOMPARE(records.size(), size_t(1));
  QCOMPARE(records[0].text, startText(std::string()));
  frame.End(0);
}

void TestProgressFrame::appNamePrefix_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("started");
  QTest::addColumn<QString>("quarter");
  QTest::addColumn<QString>("ended");
  QTest::newRow("named application") << "Editor" << "{0.0 %} - Editor" << "{25.0 %} - Editor" << "Editor";
  QTest::newRow("braced name without separator keeps the prefix") << "{x}" << "{0.0 %}" << "{25.0 %}" << "{25.0 %}";
  QTest::newRow("stale prefix is replaced") << "{3.0 %} - Editor" << "{0.0 %} - Editor" << "{25.0 %} - Editor"
                                            << "Editor";
}

void TestProgressFrame::appNamePrefix() {
  QFETCH(QString, name);
  QFETCH(QString, started);
  QFETCH(QString, quarter);
  QFETCH(QString, ended);
  QCoreApplication::setApplicationName(name);
  TKvQtProgressFrame frame;
  frame.Start(0, 3);
  QCOMPARE(QCoreApplication::applicationName(), started);
  frame.SetPos(0, 0.25);
  QCOMPARE(QCoreApplication::applicationName(), quarter);
  // Nested levels do not touch the name.
  frame.SetPos(1, 0.9);
  QCOMPARE(QCoreApplication::applicationName(), quarter);
  frame.SetPos(0, 0.4567);
  TKvQtProgressFrame::SetAppTitlePrefix(0.25);
  frame.End(0);
  QCOMPARE(QCoreApplication::applicationName(), ended);
}

void TestProgressFrame::indefiniteLevelLeavesAppName() {
  TKvQtProgressFrame frame;
  frame.StartIndefinite(0, 3);
  QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Editor"));
  // Started all the same: positions of level 0 show in the name.
  frame.SetPos(0, 0.5);
  QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("{50.0 %} - Editor"));
  auto* item = items(frame).value(0);
  QVERIFY(item);
  QVERIFY(item->findChild<QLabel*>(QStringLiteral("LbCurr"))->isHidden());
  frame.End(0);
}

void TestProgressFrame::extHeightGrowsOnlyWithNestedLevels() {
  TKvQtProgressFrame frame;
  std::vector<int> reported;
  frame.SetOnExtHeightChanged([&](int h) { reported.push_back(h); });
  frame.SetPos(0, 0);
  QVERIFY(reported.empty());
  QCOMPARE(frame.GetExtHeight(), 0);
  frame.SetPos(1, 0);
  QCOMPARE(reported.size(), size_t(1));
  const int one = frame.GetExtHeight();
  QVERIFY(one > 0);
  QVERIFY(reported.back() >= one);
  frame.SetPos(2, 0);
  QCOMPARE(reported.size(), size_t(2));
  QVERIFY(frame.GetExtHeight() > one);
  frame.End(1);
  frame.SetPos(1, 0);
  // Shrinking and growing back to a height already seen reports nothing.
  QCOMPARE(reported.size(), size_t(2));
  frame.End(0);
  QCOMPARE(reported.size(), size_t(2));
}

void TestProgressFrame::noEventsWithoutTrueModal() {
  TKvQtProgressFrame frame;
  FakeControl control;
  frame.SetProgressControl(&control);
  frame.SetPos(0, 0.5);
  QCOMPARE(control.reads, 0);

  bool allow = false;
  int asked = 0;
  frame.SetMakeTrueModal([&] {
    ++asked;
    return allow;
  });
  frame.SetPos(0, 0.6);
  QCOMPARE(asked, 1);
  QCOMPARE(control.reads, 0);
  allow = true;
  frame.SetPos(0, 0.7);
  QCOMPARE(control.reads, 1);
  QVERIFY(frame.MakeTrueModal());

  frame.SetMakeTrueModal(nullptr);
  frame.SetTrueModalFlag(true);
  frame.Refresh();
  QCOMPARE(control.reads, 2);
  frame.SetProgressControl(nullptr);
}

namespace {
class ThrowingControl : public TKvProgressControl {
public:
  int GetPendingCommand() override { throw TKvMessage("@boom"); }
  void Notify(int) override {}
};
} // namespace

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
  QCOMPARE(records[0].type, 'I');
  QCOMPARE(records[1].type, 'E');
  QCOMPARE(records[1].level, 0);
  QCOMPARE(records[1].text, std::string("@TKvQtProgressFrame::End(1), msg=\"\"a\"\": Exception \"@boom\""));
  QCOMPARE(frame.GetLevelCount(), 1ul);
}

void TestProgressFrame::cancelConfirmedBecomesBreak() {
  TKvQtProgressFrame frame;
  frame.SetTrueModalFlag(true);
  frame.Start(0, 3);
  bool pausedDuringQuestion = false;
  QString statusDuringQuestion;
  kvtest::ModalDriver driver([&](QWidget* w) {
    pausedDuringQuestion = frame.IsPaused();
    statusDuringQuestion = statusText(frame);
    answer(w, QMessageBox::Yes);
  });
  driver.start();
  button(frame, "BtnCancel")->click();
  QVERIFY(driver.fired());
  QVERIFY(pausedDuringQuestion);
  QCOMPARE(statusDuringQuestion, QString::fromStdString(res("global.PauseMsg")));

  QVERIFY(frame.IsCancelled());
  QVERIFY(!frame.IsPaused());
  QVERIFY(!button(frame, "BtnCancel")->isEnabled());
  QCOMPARE(frame.GetStatusState(), TKvQtProgressFrame::ssCancel);
  QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("{0.0 %} - Editor"));

  kvtest::LogCapture log;
  try {
    frame.CheckBreak();
    QFAIL("no break");
  } catch (const TKvMessage& e) {
    QCOMPARE(e.std_str(), res("global.Msg_UserBreak"));
  }
  const auto records = log.records("Progress");
  QCOMPARE(records.size(), size_t(1));
  QCOMPARE(records[0].type, 'W');
  QCOMPARE(records[0].level, 1);
  QCOMPARE(frame.GetStatusState(), TKvQtProgressFrame::ssRun);
  QVERIFY(button(frame, "BtnCancel")->isEnabled());

  // Raised once; the break flag stays.
  frame.CheckBreak();
  QVERIFY(frame.UserBreak());
  QVERIFY_EXCEPTION_THROWN(frame.UserBreakE(), TKvMessage);
  frame.ResetProgress();
  QVERIFY(!frame.UserBreak());
  frame.UserBreakE();
  frame.End(0);
}

void TestProgressFrame::cancelDeclinedResumes() {
  TKvQtProgressFrame frame;
  frame.SetTrueModalFlag(true);
  kvtest::ModalDriver driver([&](QWidget* w) { answer(w, QMessageBox::No); });
  driver.start();
  button(frame, "BtnCancel")->click();
  QVERIFY(driver.fired());
  QVERIFY(!frame.IsCancelled());
  QVERIFY(!frame.IsPaused());
  QCOMPARE(frame.GetStatusState(), TKvQtProgressFrame::ssRun);
  QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Editor"));
  QVERIFY(button(frame, "BtnCancel")->isEnabled());
  frame.CheckBreak();

  // Declined while paused: the pause goes on.
  frame.SetPaused(true);
  kvtest::ModalDriver again([&](QWidget* w) { answer(w, QMessageBox::No); });
  again.start();
  button(frame, "BtnCancel")->click();
  QVERIFY(again.fired());
  QVERIFY(frame.IsPaused());
  frame.SetPaused(false);
}

void TestProgressFrame::cancelWhilePausedEndsThePause() {
  TKvQtProgressFrame frame;
  frame.SetTrueModalFlag(true);
  frame.SetPaused(true);
  kvtest::ModalDriver driver([&](QWidget* w) { answer(w, QMessageBox::Yes); });
  driver.start();
  button(frame, "BtnCancel")->click();
  QVERIFY(driver.fired());
  QVERIFY(!frame.IsPaused());
  QCOMPARE(frame.GetStatusState(), TKvQtProgressFrame::ssCancel);
  QVERIFY(!button(frame, "BtnCancel")->isEnabled());
  QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Editor"));
  QVERIFY_EXCEPTION_THROWN(frame.CheckBreak(), TKvMessage);
  QCOMPARE(frame.GetStatusState(), TKvQtProgressFrame::ssRun);
  QVERIFY(button(frame, "BtnCancel")->isEnabled());
}

void TestProgressFrame::cancelIgnoredWhenNotTrueModal() {
  TKvQtProgressFrame frame;
  kvtest::ModalDriver driver([&](QWidget* w) { answer(w, QMessageBox::Yes); }, 1000);
  driver.start();
  button(frame, "BtnCancel")->click();
  QVERIFY(!driver.fired());
  QVERIFY(!frame.IsCancelled());
  QVERIFY(!frame.IsPaused());
}

void TestProgressFrame::pauseInsideCancelRequest() {
  TKvQtProgressFrame frame;
  frame.SetCancelled(true);
  QCOMPARE(frame.GetStatusState(), TKvQtProgressFrame::ssCancel);
  frame.SetPaused(true);
  QCOMPARE(frame.GetStatusState(), TKvQtProgressFrame::ssPause);
  frame.SetPaused(false);
  QCOMPARE(frame.GetStatusState(), TKvQtProgressFrame::ssCancel);
  QCOMPARE(statusText(frame), QString::fromStdString(res("global.CancelMsg")));
  QVERIFY_EXCEPTION_THROWN(frame.CheckBreak(), TKvMessage);
  QCOMPARE(frame.GetStatusState(), TKvQtProgressFrame::ssRun);

  // Cancel disabled by the embedding code keeps the button off.
  frame.SetCancelDisabled(true);
  QVERIFY(!button(frame, "BtnCancel")->isEnabled());
  frame.SetCancelled(true);
  QVERIFY_EXCEPTION_THROWN(frame.CheckBreak(), TKvMessage);
  QVERIFY(!button(frame, "BtnCancel")->isEnabled());
  frame.SetCancelDisabled(false);
  QVERIFY(button(frame, "BtnCancel")->isEnabled());
}

void TestProgressFrame::pauseChangesTitlesAndNotifies() {
  TKvQtProgressFrame frame;
  frame.setWindowTitle(QStringLiteral("Copy"));
  FakeControl control;
  frame.SetProgressControl(&control);
  const QString label = QString::fromStdString(res("global.PauseLabel"));

  // Resuming a running frame still notifies and leaves the titles alone.
  frame.SetPaused(false);
  QCOMPARE(control.notes, std::vector<int>{2});
  QCOMPARE(frame.windowTitle(), QStringLiteral("Copy"));
  QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Editor"));

  frame.SetPaused(true);
  QCOMPARE(QCoreApplication::applicationName(), label + QStringLiteral("Editor"));
  QCOMPARE(frame.windowTitle(), QStringLiteral("Copy") + label);
  QCOMPARE(button(frame, "BtnPauseResume")->text(), button(frame, "BtnResume")->text());
  QVERIFY(!button(frame, "BtnPause")->isEnabled());
  QVERIFY(button(frame, "BtnResume")->isEnabled());
  QCOMPARE(control.notes.back(), 1);

  frame.SetPaused(false);
  QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Editor"));
  QCOMPARE(frame.windowTitle(), QStringLiteral("Copy"));
  QCOMPARE(button(frame, "BtnPauseResume")->text(), button(frame, "BtnPause")->text());
  QCOMPARE(control.notes.back(), 2);
  frame.SetProgressControl(nullptr);
}

void TestProgressFrame::doPauseBlocksUntilResumed() {
  TKvQtProgressFrame frame;
  frame.DoPause();
  QVERIFY(!frame.IsPaused()); // not true-modal: nothing happens

  frame.SetTrueModalFlag(true);
  bool sawPause = false;
  bool watchdog = false;
  QTimer::singleShot(0, &frame, [&] {
    sawPause = frame.IsPaused() && frame.GetStatusState() == TKvQtProgressFrame::ssPause;
    button(frame, "BtnPauseResume")->click();
  });
  QTimer guard;
  guard.setSingleShot(true);
  connect(&guard, &QTimer::timeout, &frame, [&] {
    watchdog = true;
    frame.SetPaused(false);
  });
  guard.start(5000);
  button(frame, "BtnPauseResume")->click(); // runs DoPause until the click above
  guard.stop();
  QVERIFY(!watchdog);
  QVERIFY(sawPause);
  QVERIFY(!frame.IsPaused());
  QCOMPARE(frame.GetStatusState(), TKvQtProgressFrame::ssRun);
}

void TestProgressFrame::controlCommands_data() {
  QTest::addColumn<int>("command");
  QTest::addColumn<bool>("cancelled");
  QTest::addColumn<bool>("paused");
  QTest::addColumn<QString>("error");
  QTest::newRow("nothing") << 0 << false << false << QString();
  QTest::newRow("pause ignored without true-modal event loop") << 1 << false << false << QString();
  QTest::newRow("resume of a running frame") << 2 << false << false << QString();
  QTest::newRow("cancel") << 3 << true << false << QString();
  QTest::newRow("unknown command is logged")
      << 7 << false << false
      << QStringLiteral("@TKvQtProgressFrame::ProcessProgressControl(): Unknown progress control command (7).");
}

void TestProgressFrame::controlCommands() {
  QFETCH(int, command);
  QFETCH(bool, cancelled);
  QFETCH(bool, paused);
  QFETCH(QString, error);
  TKvQtProgressFrame frame;
  FakeControl control;
  frame.SetProgressControl(&control);
  control.commands.push_back(command);
  kvtest::LogCapture log;
  frame.ProcessProgressControl();
  QCOMPARE(control.reads, 1);
  QCOMPARE(frame.IsCancelled(), cancelled);
  QCOMPARE(frame.IsPaused(), paused);
  const auto records = log.records();
  if (error.isEmpty()) {
    QVERIFY(records.empty());
  } else {
    QCOMPARE(records.size(), size_t(1));
    QCOMPARE(records[0].type, 'E');
    QCOMPARE(records[0].level, 5);
    QCOMPARE(QString::fromStdString(records[0].text), error);
  }
  if (cancelled) {
    QVERIFY(!button(frame, "BtnCancel")->isEnabled());
    QVERIFY_EXCEPTION_THROWN(frame.CheckBreak(), TKvMessage);
  }
  frame.SetProgressControl(nullptr);
}

void TestProgressFrame::controlCanPauseAndResume() {
  // Pause from the control blocks the operation (inside its next update);
  // the control's later resume, read while paused, releases it.
  TKvQtProgressFrame frame;
  frame.SetTrueModalFlag(true);
  FakeControl control;
  control.commands = {1, 0, 2};
  frame.SetProgressControl(&control);
  bool watchdog = false;
  QTimer guard;
  guard.setSingleShot(true);
  connect(&guard, &QTimer::timeout, &frame, [&] {
    watchdog = true;
    frame.SetPaused(false);
  });
  guard.start(5000);
  frame.SetPos(0, 0.5);
  guard.stop();
  QVERIFY(!watchdog);
  QVERIFY(!frame.IsPaused());
  QVERIFY(control.commands.empty());
  QCOMPARE(control.notes, (std::vector<int>{1, 2}));
  frame.SetProgressControl(nullptr);
}

void TestProgressFrame::setTimerWaitLevels() {
  TKvQtProgressFrame frame;
  frame.SetPos(0, 0);
  frame.SetPos(1, 0);
  QVERIFY_EXCEPTION_THROWN(frame.SetTimerWait(3, true), TKvMessage);
  frame.SetTimerWait(3, false); // continues the clocks of levels 0 and 1 only
  QCOMPARE(frame.GetLevelCount(), 2ul);
  frame.SetTimerWait(2, true);
  QCOMPARE(frame.GetLevelCount(), 3ul);
}

void TestProgressFrame::englishButtons() {
  QVERIFY(KvQtInstallTranslator(QStringLiteral("en_US")));
  {
    TKvQtProgressFrame frame;
    QCOMPARE(button(frame, "BtnCancel")->text(), QStringLiteral("Cancel"));
    QCOMPARE(button(frame, "BtnPause")->text(), QStringLiteral("Pause"));
    QCOMPARE(button(frame, "BtnResume")->text(), QStringLiteral("Resume"));
    QCOMPARE(button(frame, "BtnPauseResume")->text(), QStringLiteral("Pause"));
    frame.SetPos(0, 0);
    auto* item = items(frame).value(0);
    QVERIFY(item);
    QCOMPARE(item->findChild<QLabel*>(QStringLiteral("LbTimeElapsedTitle"))->text(), QStringLiteral("Elapsed:"));
  }
  QVERIFY(!KvQtInstallTranslator(QStringLiteral("xx")));
  QVERIFY(KvQtInstallTranslator(QStringLiteral("ru")));
  TKvQtProgressFrame frame;
  QCOMPARE(button(frame, "BtnCancel")->text(), QString::fromUtf8("Отмена"));
  QVERIFY(KvQtTranslationLanguages().contains(QStringLiteral("en")));
}

QTEST_MAIN(TestProgressFrame)
#include "tst_progress_frame.moc"
