// Worker threads and the pause: ThreadTick must block every worker while
// the frame is paused and must release every one of them on resume, however
// the pause and resume interleave with the workers' calls.
//
// Each wait below is bounded by a watchdog: a lost wake-up fails the test
// (and, if a worker cannot be freed at all, aborts it) instead of hanging.

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

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kWatchdog = std::chrono::seconds(5);
constexpr int kWorkers = 4;

// Workers around one frame. The epoch is odd while the frame is paused: it is
// made odd only after SetPaused(true) has returned and even again before
// SetPaused(false) is called, so a ThreadTick that began in an odd epoch must
// not return within that epoch.
class Workers {
public:
  Workers(TKvQtProgressFrame& frame, TKvProgressHandler& handler) : FFrame(frame), FHandler(handler) {
    for (int i = 0; i < kWorkers; ++i)
      FSlots.push_back(std::make_unique<Slot>());
    for (int i = 0; i < kWorkers; ++i)
      FThreads.emplace_back([this, i] { Run(i); });
  }
  ~Workers() { Stop(); }

  void Pause() {
    FFrame.SetPaused(true);
    FEpoch.fetch_add(1);
  }
  void Resume() {
    FEpoch.fetch_add(1);
    FFrame.SetPaused(false);
  }
  uint64_t Epoch() const { return FEpoch.load(); }
  int Violations() const { return FViolations.load(); }
  uint64_t Passes(int i) const { return FSlots[size_t(i)]->passes.load(); }
  // The epoch in which worker i last entered ThreadTick.
  uint64_t Entered(int i) const { return FSlots[size_t(i)]->entered.load(); }
  bool Inside(int i) const { return FSlots[size_t(i)]->inside.load(); }

  // Waits until the condition holds; false when the watchdog ran out.
  static bool WaitFor(const std::function<bool()>& condition) {
    const auto deadline = Clock::now() + kWatchdog;
    while (!condition()) {
      if (Clock::now() > deadline)
        return false;
      std::this_thread::sleep_for(std::chrono::microseconds(20));
    }
    return true;
  }

  // Every worker gets past ThreadTick at least once more.
  bool AllProgress() {
    std::vector<uint64_t> before;
    for (int i = 0; i < kWorkers; ++i)
      before.push_back(Passes(i));
    return WaitFor([&] {
      for (int i = 0; i < kWorkers; ++i)
        if (Passes(i) <= before[size_t(i)])
          return false;
      return true;
    });
  }

  // Ends the workers; a worker that cannot be freed aborts the test run.
  void Stop() {
    if (FThreads.empty())
      return;
    FStop.store(true);
    FEpoch.fetch_add(FEpoch.load() & 1);
    FFrame.SetPaused(false);
    if (!WaitFor([&] { return FFinished.load() == kWorkers; }))
      qFatal("a worker stays blocked in ThreadTick after the frame was resumed");
    for (std::thread& t : FThreads)
      t.join();
    FThreads.clear();
  }

private:
  struct Slot {
    std::atomic<uint64_t> passes{0};
    std::atomic<uint64_t> entered{0};
    std::atomic<bool> inside{false};
  };

  void Run(int i) {
    Slot& slot = *FSlots[size_t(i)];
    // Half of the workers go through the handler, half straight to the frame.
    const bool viaHandler = i % 2 == 0;
    while (!FStop.load()) {
      const uint64_t epoch = FEpoch.load();
      slot.entered.store(epoch);
      slot.inside.store(true);
      if (viaHandler)
        FHandler.ThreadTick();
      else
        FFrame.ThreadTick();
      slot.inside.store(false);
      if ((epoch & 1) && FEpoch.load() == epoch)
        FViolations.fetch_add(1);
      slot.passes.fetch_add(1);
      // Stands for the work between two ticks; lets a just-woken worker
      // get a core on a small machine.
      std::this_thread::yield();
    }
    FFinished.fetch_add(1);
  }

  TKvQtProgressFrame& FFrame;
  TKvProgressHandler& FHandler;
  std::vector<std::unique_ptr<Slot>> FSlots;
  std::vector<std::thread> FThreads;
  std::atomic<uint64_t> FEpoch{0};
  std::atomic<int> FViolations{0};
  std::atomic<int> FFinished{0};
  std::atomic<bool> FStop{false};
};

} // namespace

class TestProgressThreads : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanupTestCase() { Deinit_KvQtCpnt(); }
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void runningFrameNeverBlocks();
  void pauseStopsEveryWorker();
  void rapidPauseResumeLosesNoWakeUp();
};

void TestProgressThreads::runningFrameNeverBlocks() {
  TKvQtProgressFrame frame;
  auto root = TKvCommonProgressImpl<TKvQtProgressFrame>::CreateRoot(&frame);
  Workers workers(frame, *root);
  for (int round = 0; round < 3; ++round)
    QVERIFY(workers.AllProgress());
  workers.Stop();
}

// Strict mode: after each pause every worker ends up inside ThreadTick (a
// worker may have entered just before the epoch turned odd, after the flag
// was set), none gets past it more than that once until the resume, no call
// begun during the pause returns, and all of them get past it after the resume.
void TestProgressThreads::pauseStopsEveryWorker() {
  TKvQtProgressFrame frame;
  auto root = TKvCommonProgressImpl<TKvQtProgressFrame>::CreateRoot(&frame);
  Workers workers(frame, *root);
  for (int cycle = 0; cycle < 1000; ++cycle) {
    workers.Pause();
    const uint64_t paused = workers.Epoch();
    QVERIFY2(Workers::WaitFor([&] {
               for (int i = 0; i < kWorkers; ++i)
                 if (!workers.Inside(i) || workers.Entered(i) + 1 < paused)
                   return false;
               return true;
             }),
             "a worker never reached ThreadTick during the pause");
    std::vector<uint64_t> passes;
    for (int i = 0; i < kWorkers; ++i)
      passes.push_back(workers.Passes(i));
    // Give blocked workers every chance to slip through.
    for (int spin = 0; spin < 50; ++spin)
      std::this_thread::yield();
    for (int i = 0; i < kWorkers; ++i)
      QVERIFY2(workers.Passes(i) <= passes[size_t(i)] + 1, "a worker kept running while paused");
    QCOMPARE(workers.Violations(), 0);
    workers.Resume();
    QVERIFY2(workers.AllProgress(), "a worker stayed blocked after the resume");
  }
  QCOMPARE(workers.Violations(), 0);
  workers.Stop();
  QVERIFY(!frame.IsPaused());
}

// Thousands of pauses and resumes in quick succession, racing the workers'
// tests of the flag; every so often all workers must still move.
void TestProgressThreads::rapidPauseResumeLosesNoWakeUp() {
  TKvQtProgressFrame frame;
  auto root = TKvCommonProgressImpl<TKvQtProgressFrame>::CreateRoot(&frame);
  Workers workers(frame, *root);
  for (int cycle = 0; cycle < 5000; ++cycle) {
    workers.Pause();
    if (cycle % 3 == 0)
      std::this_thread::yield();
    workers.Resume();
    if (cycle % 100 == 99)
      QVERIFY2(workers.AllProgress(), "lost wake-up: a worker stayed blocked after the resume");
  }
  QVERIFY2(workers.AllProgress(), "lost wake-up: a worker stayed blocked after the resume");
  QCOMPARE(workers.Violations(), 0);
  workers.Stop();
}

QTEST_MAIN(TestProgressThreads)
#include "tst_progress_threads.moc"
