// Progress calls sit in the innermost loops of long operations. Measures the
// handler's calls between display updates against QProgressDialog::setValue
// on a shown, non-modal dialog (range 0..kDialogRange, one step per call, the
// way an operation reports item by item), in the same process.
//
// Counters: ns_per_call (our call), x_faster (QProgressDialog::setValue time
// divided by ours), and for the chain x_one_level (three levels divided by one).
// They are computed from this thread's CPU time, so that other load on the
// machine does not distort them; the peer's X server work is not counted,
// which only favours the peer.

#include "module/kvmodule_initializer.h"
#include "progress/tkvcommonprogressimpl.h"
#include "progress/tkvqtprogressframe.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QProgressDialog>

#include <algorithm>
#include <ctime>
#include <memory>

namespace {

typedef TKvCommonProgressImpl<TKvQtProgressFrame> Impl;
// This thread's CPU time in nanoseconds.
struct Clock {
  typedef double time_point;
  static double now() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e9 + double(ts.tv_nsec);
  }
};

constexpr int kDialogRange = 10000;
// Longer than any run: nothing becomes due while measuring.
constexpr unsigned kNever = 1000000000u;

double NsSince(Clock::time_point start, int64_t calls) {
  return (Clock::now() - start) / double(calls);
}

// The peer's cost per call, measured once.
double DialogNsPerCall() {
  static const double ns = [] {
    QProgressDialog dialog;
    dialog.setWindowModality(Qt::NonModal);
    dialog.setMinimumDuration(0);
    dialog.setRange(0, kDialogRange);
    dialog.show();
    QCoreApplication::processEvents();
    int v = 0;
    for (int i = 0; i < 2000; ++i)
      dialog.setValue(v = (v + 1) % kDialogRange);
    const int64_t calls = 200000;
    const auto start = Clock::now();
    for (int64_t i = 0; i < calls; ++i)
      dialog.setValue(v = (v + 1) % kDialogRange);
    return NsSince(start, calls);
  }();
  return ns;
}

struct Fixture {
  Fixture() {
    TKvQtProgressFrame::SetTimeoutsSt(kNever, kNever);
    frame = std::make_unique<TKvQtProgressFrame>();
    frame->show();
    root = Impl::CreateRoot(frame.get());
    root->Start();
  }
  ~Fixture() {
    root.reset();
    frame.reset();
    TKvQtProgressFrame::SetTimeoutsSt(100, 100);
  }
  std::unique_ptr<TKvQtProgressFrame> frame;
  var_a<TKvProgressHandler*> root;
};

void Report(benchmark::State& state, Clock::time_point start) {
  const double ns = NsSince(start, int64_t(state.iterations()));
  state.counters["ns_per_call"] = ns;
  state.counters["x_faster"] = DialogNsPerCall() / ns;
}

void BM_QProgressDialog_setValue(benchmark::State& state) {
  QProgressDialog dialog;
  dialog.setWindowModality(Qt::NonModal);
  dialog.setMinimumDuration(0);
  dialog.setRange(0, kDialogRange);
  dialog.show();
  QCoreApplication::processEvents();
  int v = 0;
  for (auto _ : state)
    dialog.setValue(v = (v + 1) % kDialogRange);
  state.counters["ns_per_call_measured_once"] = DialogNsPerCall();
}
BENCHMARK(BM_QProgressDialog_setValue);

void BM_MoveNB(benchmark::State& state) {
  Fixture f;
  TKvProgressHandler* h = f.root.get();
  const auto start = Clock::now();
  for (auto _ : state)
    benchmark::DoNotOptimize(h->MoveNB(1e-12, false));
  Report(state, start);
}
BENCHMARK(BM_MoveNB);

void BM_Tick(benchmark::State& state) {
  Fixture f;
  TKvProgressHandler* h = f.root.get();
  const auto start = Clock::now();
  for (auto _ : state)
    h->Tick();
  Report(state, start);
}
BENCHMARK(BM_Tick);

void BM_CheckBreak(benchmark::State& state) {
  Fixture f;
  TKvProgressHandler* h = f.root.get();
  const auto start = Clock::now();
  for (auto _ : state)
    h->CheckBreak();
  Report(state, start);
}
BENCHMARK(BM_CheckBreak);

// One level against three levels of SubProgress handlers, each driven 0..1
// by MoveNB on the innermost one. The ratio compares the best of several
// interleaved batches of each, so that a burst of other load hits both alike.
double DriveNsPerCall(TKvProgressHandler* h, int64_t calls) {
  const double step = 1.0 / double(calls);
  h->SetPosNB(0.0);
  const auto start = Clock::now();
  for (int64_t i = 0; i < calls; ++i)
    benchmark::DoNotOptimize(h->MoveNB(step, false));
  return NsSince(start, calls);
}

void BM_MoveNB_ThreeLevels(benchmark::State& state) {
  Fixture f;
  auto a = f.root->SubProgress(0.0, 1.0, 3, 3);
  a->Start();
  auto b = a->SubProgress(0.0, 1.0, 3, 3);
  b->Start();
  auto c = b->SubProgress(0.0, 1.0, 3, 3);
  c->Start();
  double one = 1e30, three = 1e30;
  for (int batch = 0; batch < 7; ++batch) {
    one = std::min(one, DriveNsPerCall(f.root.get(), 300000));
    three = std::min(three, DriveNsPerCall(c.get(), 300000));
  }
  TKvProgressHandler* h = c.get();
  const auto start = Clock::now();
  for (auto _ : state)
    benchmark::DoNotOptimize(h->MoveNB(1e-12, false));
  Report(state, start);
  state.counters["x_one_level"] = three / one;
  c.reset();
  b.reset();
  a.reset();
}
BENCHMARK(BM_MoveNB_ThreeLevels);

// With the default 100 ms timeouts: what an operation really pays per call,
// display updates included.
void BM_MoveNB_DefaultTimeouts(benchmark::State& state) {
  Fixture f;
  TKvQtProgressFrame::SetTimeoutsSt(100, 100);
  f.root->SetPosNB(0.0);
  TKvProgressHandler* h = f.root.get();
  const auto start = Clock::now();
  for (auto _ : state)
    benchmark::DoNotOptimize(h->MoveNB(1e-12, false));
  Report(state, start);
}
BENCHMARK(BM_MoveNB_DefaultTimeouts)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Init_KvQtCpnt();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Deinit_KvQtCpnt();
  return 0;
}
