// The progress handler over a frame: placement of children on levels,
// sub-range mapping and breaks.

#include "kvtestsupport.h"
#include "progresstestutil.h"

#include "module/kvmodule_initializer.h"
#include "progress/tkvcommonprogressimpl.h"
#include "progress/tkvqtprogressframe.h"

#include "kvsuite/kvmessage.h"

#include <stdexcept>

namespace {
typedef TKvCommonProgressImpl<TKvQtProgressFrame> Impl;

Impl* impl(const var_a<TKvProgressHandler*>& h) { return dynamic_cast<Impl*>(h.get()); }

} // namespace

class TestProgressHandler : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanupTestCase() {
    TKvQtProgressFrame::SetTimeoutsSt(100, 100);
    Deinit_KvQtCpnt();
  }
  void init() { TKvQtProgressFrame::SetTimeoutsSt(0, 0); }
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void subRanges();
  void placement_data();
  void placement();
  void tickRefreshesAndChecksBreak();
  void stopAndDestructionNeverThrow();
};

void TestProgressHandler::subRanges() {
  TKvQtProgressFrame frame;
  auto root = Impl::CreateRoot(&frame);
  root->Start();
  // Two children share the root's range one after the other.
  for (int half = 0; half < 2; ++half) {
    auto child = root->SubProgress(half * 0.5, half * 0.5 + 0.5, 3, 3);
    child->SetMessage(half ? "second" : "first");
    child->Start();
    QCOMPARE(frame.GetMessage(1), std::string(half ? "second" : "first"));
    child->SetPosNB(0.5);
    QCOMPARE(frame.GetPos(1), 0.5);
    QCOMPARE(frame.GetPos(0), half * 0.5 + 0.25);
    child->Stop();
    QCOMPARE(frame.GetLevelCount(), 1ul);
  }
  QCOMPARE(frame.GetPos(0), 1.0);

  // A chain multiplies the ranges.
  auto a = root->SubProgress(0.5, 1.0, 3, 3);
  a->Start();
  auto b = a->SubProgress(0.0, 0.5, 3, 3);
  b->Start();
  b->SetPosNB(1.0);
  QCOMPARE(frame.GetPos(0), 0.75);
  b.reset();
  a.reset();
  root->Stop();
  QCOMPARE(frame.GetLevelCount(), 0ul);
}

void TestProgressHandler::placement_data() {
  QTest::addColumn<int>("parentVisibility"); // -1: the root itself
  QTest::addColumn<int>("visibility");
  QTest::addColumn<int>("own");
  QTest::addColumn<int>("levelBelowParent");
  QTest::newRow("visible child of owner gets a level") << -1 << 3 << int(Impl::oplOwn) << 1;
  QTest::newRow("invisible child of owner shares, visible") << -1 << 4 << int(Impl::oplShareVisible) << 0;
  QTest::newRow("least important child shares, important") << -1 << 5 << int(Impl::oplShareImportant) << 0;
  QTest::newRow("visible child of an important sharer shares") << 5 << 3 << int(Impl::oplShareImportant) << 0;
  QTest::newRow("important child of an important sharer gets a level") << 5 << 1 << int(Impl::oplOwn) << 1;
}

void TestProgressHandler::placement() {
  QFETCH(int, parentVisibility);
  QFETCH(int, visibility);
  QFETCH(int, own);
  QFETCH(int, levelBelowParent);
  TKvQtProgressFrame frame;
  auto root = Impl::CreateRoot(&frame);
  root->Start();
  var_a<TKvProgressHandler*> parent = root;
  if (parentVisibility >= 0) {
    parent = root->SubProgress(0, 1, parentVisibility, 3);
    parent->Start();
  }
  auto child = parent->SubProgress(0, 1, visibility, 3);
  QCOMPARE(int(impl(child)->OwnPrgLevel()), own);
  QCOMPARE(impl(child)->PrgLevel(), impl(parent)->PrgLevel() + levelBelowParent);
  child->Start();
  QCOMPARE(frame.GetLevelCount(), impl(parent)->PrgLevel() + 1 + levelBelowParent);
  child->SetPosNB(0.5);
  QCOMPARE(frame.GetPos(0), 0.5);
  if (!levelBelowParent) { // options of a sharer land on the shared level
    child->SetOptions(6);
    QCOMPARE(frame.GetOptions(impl(parent)->PrgLevel()), 6);
  }
  child.reset();
  parent.reset();
  root.reset();
  QCOMPARE(frame.GetLevelCount(), 0ul);
}

void TestProgressHandler::tickRefreshesAndChecksBreak() {
  TKvQtProgressFrame frame;
  auto root = Impl::CreateRoot(&frame);
  root->Start();
  frame.SetCancelled(true);
  QVERIFY_EXCEPTION_THROWN(root->Tick(), TKvMessage);
  QVERIFY(root->UserBreak());
  root->CheckBreak(); // raised once
  frame.SetCancelled(true);
  QVERIFY_EXCEPTION_THROWN(root->SetOptions(1), TKvMessage);
  frame.SetCancelled(true);
  auto child = root->SubProgress(0, 1, 3, 3);
  QVERIFY_EXCEPTION_THROWN(child->Start(), TKvMessage);
  QVERIFY(!child->IsStarted());
  QCOMPARE(frame.GetLevelCount(), 1ul);
}

void TestProgressHandler::stopAndDestructionNeverThrow() {
  TKvQtProgressFrame frame;
  auto root = Impl::CreateRoot(&frame);
  root->Start();
  auto a = root->SubProgress(0, 1, 3, 3);
  a->Start();
  auto b = a->SubProgress(0, 1, 3, 3);
  b->Start();
  // Someone removed the levels under the handlers: the parent update of the
  // grandchild's Stop now fails inside the frame.
  frame.RemoveLevels(0);
  QVERIFY_EXCEPTION_THROWN(a->SetPosNB(0.5), TKvMessage);
  try {
    b.reset();
    a.reset();
    root.reset();
  } catch (...) {
    QFAIL("destruction let an exception out");
  }
}

QTEST_MAIN(TestProgressHandler)
#include "tst_progress_handler.moc"
