// Worker threads and the pause: ThreadTick blocks every worker while the
// frame is paused and releases every one of them on each resume, however the
// pause and resume interleave with the workers' calls. Every wait is bounded
// by a watchdog, so a lost wake-up fails instead of hanging.

#include "kvtestsupport.h"

#include "module/kvmodule_initializer.h"
#include "progress/tkvcommonprogressimpl.h"
#include "progress/tkvqtprogressframe.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr int kWorkers = 4;

// Waits until the condition holds; false when the watchdog ran out.
bool WaitFor(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline)
      return false;
    std::this_thread::sleep_for(std::chrono::microseconds(20));
  }
  return true;
}

// Workers around one frame, half through the handler, half straight to the
// frame. The epoch is odd while paused: made odd after SetPaused(true)
// returned and even before SetPaused(false), so a ThreadTick begun in an odd
// epoch must not return within it.
class Workers {
public:
  Workers(TKvQtProgressFrame& frame, TKvProgressHandler& handler) : FFrame(frame), FHandler(handler) {
    for (auto& slot : FSlots)
      slot = std::make_unique<Slot>();
    for (int i = 0; i < kWorkers; ++i)
      FThreads.emplace_back([this, i] { Run(i); });
  }
  // Only after the test's last check: this resume would free a stuck worker.
  ~Workers() {
    FStop.store(true);
    FFrame.SetPaused(false);
    if (!WaitFor([&] { return FFinished.load() == kWorkers; }))
      qFatal("a worker stays blocked in ThreadTick");
    for (std::thread& t : FThreads)
      t.join();
  }

  void Pause() {
    FFrame.SetPaused(true);
    FEpoch.fetch_add(1);
  }
  void Resume() {
    FEpoch.fetch_add(1);
    FFrame.SetPaused(false);
  }
  int Violations() const { return FViolations.load(); }
  // Every worker is inside ThreadTick, entered in this pause or just before.
  bool AllInside() const {
    for (const auto& s : FSlots)
      if (!s->inside.load() || s->entered.load() + 1 < FEpoch.load())
        return false;
    return true;
  }
  // Every worker gets past ThreadTick at least once more.
  bool AllMove() const {
    uint64_t before[kWorkers];
    for (int i = 0; i < kWorkers; ++i)
      before[i] = FSlots[i]->passes.load();
    return WaitFor([&] {
      for (int i = 0; i < kWorkers; ++i)
        if (FSlots[i]->passes.load() <= before[i])
          return false;
      return true;
    });
  }

private:
  struct Slot {
    std::atomic<uint64_t> passes{0}, entered{0};
    std::atomic<bool> inside{false};
  };

  void Run(int i) {
    Slot& slot = *FSlots[size_t(i)];
    while (!FStop.load()) {
      const uint64_t epoch = FEpoch.load();
      slot.entered.store(epoch);
      slot.inside.store(true);
      if (i % 2 == 0)
        FHandler.ThreadTick();
      else
        FFrame.ThreadTick();
      slot.inside.store(false);
      if ((epoch & 1) && FEpoch.load() == epoch)
        FViolations.fetch_add(1);
      slot.passes.fetch_add(1);
      std::this_thread::yield(); // the work between two ticks
    }
    FFinished.fetch_add(1);
  }

  TKvQtProgressFrame& FFrame;
  TKvProgressHandler& FHandler;
  std::unique_ptr<Slot> FSlots[kWorkers];
  std::vector<std::thread> FThreads;
  std::atomic<uint64_t> FEpoch{0};
  std::atomic<int> FViolations{0}, FFinished{0};
  std::atomic<bool> FStop{false};
};

} // namespace

class TestProgressThreads : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanupTestCase() { Deinit_KvQtCpnt(); }
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void everyResumeReleasesEveryWorker_data();
  void everyResumeReleasesEveryWorker();
  void destroyingPausedFrameReleasesWorkers();
};

void TestProgressThreads::everyResumeReleasesEveryWorker_data() {
  QTest::addColumn<int>("cycles");
  QTest::addColumn<bool>("holdUntilAllInside");
  QTest::newRow("every worker blocked before each resume") << 300 << true;
  QTest::newRow("resume racing the workers' tests of the flag") << 20000 << false;
}

// Every worker must move after EACH resume, before the next one could wake
// a worker that missed its wake-up; the last resume is checked the same way.
void TestProgressThreads::everyResumeReleasesEveryWorker() {
  QFETCH(int, cycles);
  QFETCH(bool, holdUntilAllInside);
  TKvQtProgressFrame frame;
  auto root = TKvCommonProgressImpl<TKvQtProgressFrame>::CreateRoot(&frame);
  Workers workers(frame, *root);
  QVERIFY2(workers.AllMove(), "a running frame blocked a worker");
  for (int cycle = 0; cycle < cycles; ++cycle) {
    workers.Pause();
    if (holdUntilAllInside)
      QVERIFY2(WaitFor([&] { return workers.AllInside(); }), "a worker kept running while paused");
    else if (cycle % 3 == 0)
      std::this_thread::yield();
    workers.Resume();
    QVERIFY2(workers.AllMove(), qPrintable(QStringLiteral("lost wake-up after resume %1").arg(cycle)));
  }
  QCOMPARE(workers.Violations(), 0);
}

// Workers blocked in the pause when the frame goes away wake up and leave
// without touching the destroyed frame. Whether a worker wakes late enough to
// touch it is a race, so it runs many times with many low-priority workers;
// the sanitizer build sees any access to the freed frame.
void TestProgressThreads::destroyingPausedFrameReleasesWorkers() {
  for (int round = 0; round < 20; ++round) {
    auto* frame = new TKvQtProgressFrame;
    frame->SetPaused(true);
    const int count = 16;
    std::atomic<int> entered{0}, left{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < count; ++i)
      threads.emplace_back([&] {
        (void)::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), 19);
        entered.fetch_add(1);
        frame->ThreadTick();
        left.fetch_add(1);
      });
    QVERIFY(WaitFor([&] { return entered.load() == count; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20)); // into the wait
    QCOMPARE(left.load(), 0);
    delete frame;
    QVERIFY2(WaitFor([&] { return left.load() == count; }), "a worker stayed blocked");
    for (std::thread& t : threads)
      t.join();
  }
}

QTEST_MAIN(TestProgressThreads)
#include "tst_progress_threads.moc"
