// The log window and the log-bound progress: records logged anywhere reach
// the window, the previous log and the counter (also in a flood from a
// worker, with the window responsive), level buttons and the automatic level,
// smart-modal showing, waiting for OK, growth with the progress panels. The
// smart-modal timeout (100 s) is beyond any test: the window only shows when
// a test asks for it.

#include "kvtestsupport.h"

#include "logview/kvqtlogprogress.h"
#include "logview/tkvqtlogprogressimpl_p.h"
#include "logview/tkvqtlogtable.h"
#include "logview/tkvqtlogviewstream.h"
#include "logview/tqtlogview.h"
#include "progress/tkvqtprogressframe.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvlog.h"
#include "kvsuite/kvmessage.h"
#include "kvsuite/kvprogress.h"
#include "kvsuite/kvtime.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <atomic>
#include <thread>

namespace {

template <class T> T* child(QWidget* w, const char* name) { return w->findChild<T*>(QLatin1String(name)); }

QStringList checkedButtons(TQtLogView& v) {
  QStringList out;
  for (const char* name : {"BtnE", "BtnW", "BtnI", "BtnO"})
    if (child<QPushButton>(&v, name)->isChecked())
      out << name;
  return out;
}

QStringList counters(TQtLogView& v) {
  QStringList out;
  for (const char* name : {"LbE", "LbW", "LbI", "LbO"})
    out << child<QLabel>(&v, name)->text();
  return out;
}

// The window of the (only) log progress alive.
TQtLogView* liveView() {
  TQtLogView* view = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* lv = qobject_cast<TQtLogView*>(w))
      view = lv;
  return view;
}

// Presses OK on the log window once it is the modal window.
class OkPresser : public kvtest::ModalDriver {
public:
  OkPresser()
      : ModalDriver([](QWidget* w) { QTest::mouseClick(child<QPushButton>(w, "BtnOK"), Qt::LeftButton); }, 5000,
                    [](QWidget* w) { return qobject_cast<TQtLogView*>(w) != nullptr; }) {}
};

} // namespace

class TestLogView : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanup();

  void hookedLog();
  void levelButtonsAndAutomaticLevel();
  void warningWaitsForOK();
  void floodKeepsWindowResponsive();
};

void TestLogView::initTestCase() {
  qputenv("KV_MODULE_SETTINGS", "PrgSMTimeout=100000;PrgTimeout=50;LogViewMsgTimeFormat=0");
}

void TestLogView::cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

void TestLogView::hookedLog() {
  auto previous = new_a<TKvStringStream>();
  const var_a<TKvStream*> saved = KvLogGetLogV();
  KvLogSetLogV(previous);
  {
    var_a<TKvLogProgress*> lp = KvQtLogProgress();
    lp->HookLog(); // twice: one redirect
    TQtLogView* view = liveView();
    TKvQtLogTable* table = view->GetLogTable();
    KvLogWriteWarning("Importer", "the file has no projection", 1, 12);
    KvLogWriteInfo("", "internal", 4, 0); // above level 3: not for the window
    QCOMPARE(table->rowCount(), 1);
    const TKvQtLogTable::TLogMessage& m = table->Messages().back();
    QCOMPARE(m.text, TKvDateTime::FromRFCString(m.timeText).ToLocaleString(1) + ": the file has no projection");
    QVERIFY(lp->HaveImportantMessages());
    QVERIFY(previous->str().find("internal") != std::string::npos);
    lp->UnhookLog();
    QCOMPARE(KvLogGetLogV().get(), static_cast<TKvStream*>(previous.get()));
    lp->HookLog();
  }
  QCOMPARE(KvLogGetLogV().get(), static_cast<TKvStream*>(previous.get()));
  KvLogSetLogV(saved);
}

void TestLogView::levelButtonsAndAutomaticLevel() {
  TQtLogView v;
  TKvQtLogTable* t = v.GetLogTable();
  QCOMPARE(checkedButtons(v), (QStringList{"BtnE", "BtnW", "BtnI", "BtnO"}));
  // Detail alone keeps level 3; the first real message lowers it once.
  t->AddMessage(lmtInfo, 4, 0, "", "", "o");
  QCOMPARE(t->GetMessageLevel(), TKvQtLogTable::mlOther);
  t->AddMessage(lmtWarning, 3, 0, "", "", "w");
  QCOMPARE(checkedButtons(v), (QStringList{"BtnE", "BtnW", "BtnI"}));
  QTest::mouseClick(child<QPushButton>(&v, "BtnO"), Qt::LeftButton);
  t->AddMessage(lmtError, 0, 0, "", "", "e");
  QCOMPARE(t->GetMessageLevel(), TKvQtLogTable::mlOther); // the user's choice stays
  QCOMPARE(counters(v), (QStringList{"1", "1", "0", "1"}));
  // Emptied: level 3 and armed again.
  v.ClearLog();
  QCOMPARE(counters(v), (QStringList{"0", "0", "0", "0"}));
  t->AddMessage(lmtInfo, 1, 0, "", "", "information");
  QCOMPARE(t->GetMessageLevel(), TKvQtLogTable::mlInfo);
}

void TestLogView::warningWaitsForOK() {
  var_a<TKvLogProgress*> lp = KvQtLogProgress();
  TQtLogView* view = liveView();
  QVERIFY(view);
  lp->ModalShow();
  {
    var_a<TKvProgressHandler*> p = lp->CreateProgress();
    p->Start();
    KvLogWriteInfo("", "detail", 3, 0);
    KvLogWriteWarning("", "look at this", 1, 0);
    p->Stop();
  }
  QVERIFY(lp->HaveImportantMessages());
  OkPresser ok;
  ok.start();
  lp->WaitOK(false);
  QVERIFY2(ok.fired(), "the window did not wait for OK");
  QVERIFY(child<QWidget>(view, "OKHolder")->isHidden());
  QCOMPARE(view->GetLogTable()->rowCount(), 0);
  QVERIFY(!lp->HaveImportantMessages());
  lp->WaitOK(false); // confirmed once: nothing more to wait for
  lp->ModalHide();
  QVERIFY(!view->isVisible());

  // Not smart-modal: returns at once.
  KvLogWriteError("", "error", 0, 0);
  lp->WaitOK(true);
  QVERIFY(lp->HaveImportantMessages());
}

void TestLogView::floodKeepsWindowResponsive() {
  auto previous = new_a<TKvLogCounter>();
  const var_a<TKvStream*> saved = KvLogGetLogV();
  KvLogSetLogV(previous);
  {
    var_a<TKvLogProgress*> lp = KvQtLogProgress();
    TQtLogView* view = liveView();
    view->ModalShow();
    // A limit high enough that the window cannot build rows as fast as the
    // worker writes records: only slices keep it responsive.
    TKvQtLogTable* table = view->GetLogTable();
    table->SetMaxMessages(100000, 100);
    const long kCap = 1000000;
    std::atomic<bool> fired{false};
    std::atomic<long> written{0};
    std::thread worker([&]() {
      for (long i = 0; i < kCap && !fired; ++i, ++written)
        KvLogWriteWarning("worker", "feature " + std::to_string(i) + " has no geometry", 3, 0);
    });
    // Once the flood is well under way, a zero-delay timer must get its turn
    // while the worker still writes.
    while (written < 20000)
      std::this_thread::yield();
    long writtenWhenFired = -1;
    QTimer::singleShot(0, [&]() {
      writtenWhenFired = written;
      fired = true;
    });
    while (!fired && written < kCap)
      QCoreApplication::processEvents();
    worker.join();
    QVERIFY2(writtenWhenFired >= 0 && writtenWhenFired < kCap, "the timer waited for the end of the flood");

    while (view->GetStream()->QueuedRecords() > 0)
      QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    // Nothing lost: the previous log and the counter saw every record, the
    // table holds the newest that its limit keeps.
    const unsigned long n = static_cast<unsigned long>(written.load());
    QCOMPARE(previous->GetWarningCount(), n);
    QCOMPARE(static_cast<TKvQtLogProgressImpl*>(lp.get())->Counter()->GetWarningCount(), n);
    QCOMPARE(static_cast<unsigned long>(table->rowCount()), std::min(n, 100000ul));
    QVERIFY(QString::fromStdString(table->Messages().back().text).endsWith(QString("feature %1 has no geometry").arg(n - 1)));
    view->ModalHide();
  }
  KvLogSetLogV(saved);
}

QTEST_MAIN(TestLogView)
#include "tst_logview.moc"
