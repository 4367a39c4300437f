// The log view's real path against two plain Qt ways of showing a capped
// log, in one run: 30,000 short records, at most 1000 kept, the widget
// shown and events processed every 100 records.
//
//   ours:      KvLogWriteInfo -> log redirect -> TKvQtLogViewStream -> parser -> TKvQtLogTable
//   plaintext: QPlainTextEdit::appendPlainText with setMaximumBlockCount(1000)
//   listview:  QListView over a QStringListModel, the oldest row removed past 1000
//
// Counters: records per second, and for ours the ratio to each peer (above 1
// means ours is faster; 5 is the aim against the faster one).

#include "kvbenchmain.h"
#include "logview/tkvqtlogtable.h"
#include "logview/tkvqtlogviewstream.h"

#include "kvsuite/kvlog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QPlainTextEdit>
#include <QStringListModel>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const int kRecords = 30000;
const int kCap = 1000;
const int kBatch = 100;

// Rates of the peers, measured before ours runs (benchmarks run in order).
double GPlainTextRate = 0;
double GListViewRate = 0;

const std::vector<std::string>& Texts() {
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> t;
    t.reserve(kRecords);
    for (int i = 0; i < kRecords; ++i)
      t.push_back("Processed tile " + std::to_string(i) + " of the mosaic");
    return t;
  }();
  return texts;
}

// Runs `feed(i)` for every record, processing events every kBatch records,
// and answers records per second of wall time.
template <class F> double Run(F feed) {
  QCoreApplication::processEvents();
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < kRecords; ++i) {
    feed(i);
    if (i % kBatch == kBatch - 1)
      QCoreApplication::processEvents();
  }
  return kRecords / (timer.nsecsElapsed() * 1e-9);
}

void BM_PlainTextEdit(benchmark::State& state) {
  const auto& texts = Texts();
  for (auto _ : state) {
    QPlainTextEdit edit;
    edit.setMaximumBlockCount(kCap);
    edit.resize(600, 400);
    edit.show();
    GPlainTextRate = Run([&](int i) { edit.appendPlainText(QString::fromStdString(texts[i])); });
  }
  state.counters["records_per_second"] = GPlainTextRate;
}

void BM_ListView(benchmark::State& state) {
  const auto& texts = Texts();
  for (auto _ : state) {
    QStringListModel model;
    QListView view;
    view.setModel(&model);
    view.resize(600, 400);
    view.show();
    GListViewRate = Run([&](int i) {
      const int row = model.rowCount();
      model.insertRows(row, 1);
      model.setData(model.index(row), QString::fromStdString(texts[i]));
      if (model.rowCount() > kCap)
        model.removeRows(0, 1);
    });
  }
  state.counters["records_per_second"] = GListViewRate;
}

void BM_LogViewRealPath(benchmark::State& state) {
  const auto& texts = Texts();
  const var_a<TKvStream*> saved = KvLogGetLogV();
  double rate = 0;
  for (auto _ : state) {
    TKvQtLogTable table;
    table.SetMaxMessages(kCap, 100);
    table.resize(600, 400);
    table.show();
    auto stream = new_a<TKvQtLogViewStream>(&table);
    auto redirect = new_a<TKvLogRedirect>();
    redirect->AddStream(stream, TKvLogRedirect::GetAllFilter(), false);
    KvLogSetLogV(redirect);
    rate = Run([&](int i) { KvLogWriteInfo("", texts[i], 3, 0); });
    KvLogSetLogV(saved);
    stream->Detach();
    if (table.rowCount() != kCap)
      state.SkipWithError("the table does not hold the capped number of rows");
  }
  state.counters["records_per_second"] = rate;
  if (GPlainTextRate > 0)
    state.counters["ratio_vs_plaintext"] = rate / GPlainTextRate;
  if (GListViewRate > 0)
    state.counters["ratio_vs_listview"] = rate / GListViewRate;
}

} // namespace

BENCHMARK(BM_PlainTextEdit)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ListView)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LogViewRealPath)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

KV_BENCHMARK_QAPPLICATION_MAIN()
