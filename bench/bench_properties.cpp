// Opening a property sheet of 5,000 rows against a plain QTreeWidget with the
// same rows and columns, in one run: construction, filling, showing and the
// first paint, then closing.
//
//   treewidget: QTreeWidget, two columns (name, value text), tool tips on both,
//               the header sized to the contents, items added in one call
//   ours:       TKvQPropertiesDlg::setParams over 5,000 descriptors of mixed
//               kinds (int, double, bool, string, enum), shown the same way
//
// Counters: milliseconds per opening, and for ours the ratio to the tree
// widget (time over time: at most 2 is the target).

#include "kvbenchmain.h"
#include "properties/tenumproperty.h"
#include "properties/tkvqpropertiesdlg.h"
#include "properties/tqproperties.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <deque>
#include <memory>

namespace {

const int kRows = 5000;
double GTreeWidgetMs = 0;

// The caller's variables and their descriptors, made once.
struct TSheetData {
  std::deque<int> ints;
  std::deque<double> doubles;
  std::deque<bool> bools;
  std::deque<std::string> strings;
  std::deque<int> enums;
  TQProperties props;

  TSheetData() {
    for (int i = 0; i < kRows; ++i) {
      const std::string name = "Parameter " + std::to_string(i);
      switch (i % 5) {
      case 0:
        ints.push_back(i);
        props.AddItem(new TTypeProperty<int>(name, "An integer", 1, 0, 1000000, &ints.back()));
        break;
      case 1:
        doubles.push_back(i * 0.25);
        props.AddItem(new TTypeProperty<double>(name, "A number", 0.25, -1e9, 1e9, &doubles.back()));
        break;
      case 2:
        bools.push_back(i % 2 == 0);
        props.AddItem(new TBoolProperty(name, "A switch", &bools.back()));
        break;
      case 3:
        strings.push_back("value " + std::to_string(i));
        props.AddItem(new TStringProperty(name, "A text", &strings.back()));
        break;
      default:
        enums.push_back(i % 3);
        props.AddItem(new TEnumProperty(name, "A choice", &enums.back(), sizeof(int), {0, 1, 2},
                                        {"first", "second", "third"}));
        break;
      }
    }
  }
};

TSheetData& Data() {
  static TSheetData data;
  return data;
}

template <class F> double TimeMs(F open) {
  QCoreApplication::processEvents();
  QElapsedTimer timer;
  timer.start();
  open();
  return timer.nsecsElapsed() * 1e-6;
}

void ShowAndPaint(QWidget* w) {
  w->resize(600, 500);
  w->show();
  QCoreApplication::processEvents();
  w->repaint();
}

void BM_TreeWidget(benchmark::State& state) {
  TSheetData& data = Data();
  // The texts the property rows show, prepared outside the timing.
  QStringList names, values, tips;
  for (unsigned long i = 0; i < data.props.GetSize(); ++i) {
    names << QString::fromStdString(data.props.GetItem(i)->FName);
    values << QString::number(i);
    tips << QString::fromStdString(data.props.GetItem(i)->FDescription);
  }
  double total = 0;
  for (auto _ : state) {
    const double ms = TimeMs([&] {
      auto tree = std::make_unique<QTreeWidget>();
      tree->setColumnCount(2);
      tree->setHeaderLabels({"Property", "Value"});
      tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
      QList<QTreeWidgetItem*> items;
      items.reserve(kRows);
      for (int i = 0; i < kRows; ++i) {
        auto* item = new QTreeWidgetItem({names[i], values[i]});
        item->setToolTip(0, tips[i]);
        item->setToolTip(1, tips[i]);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        items << item;
      }
      tree->addTopLevelItems(items);
      ShowAndPaint(tree.get());
    });
    state.SetIterationTime(ms * 1e-3);
    total += ms;
  }
  GTreeWidgetMs = total / double(state.iterations());
  state.counters["ms_per_opening"] = GTreeWidgetMs;
}

void BM_PropertySheet(benchmark::State& state) {
  TSheetData& data = Data();
  double total = 0;
  for (auto _ : state) {
    const double ms = TimeMs([&] {
      auto dialog = std::make_unique<TKvQPropertiesDlg>(nullptr);
      dialog->setParams(&data.props);
      ShowAndPaint(dialog.get());
    });
    state.SetIterationTime(ms * 1e-3);
    total += ms;
  }
  const double ms = total / double(state.iterations());
  state.counters["ms_per_opening"] = ms;
  if (GTreeWidgetMs > 0)
    state.counters["ratio_to_treewidget"] = ms / GTreeWidgetMs;
}

} // namespace

BENCHMARK(BM_TreeWidget)->Iterations(5)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_PropertySheet)->Iterations(5)->Unit(benchmark::kMillisecond)->UseManualTime();

KV_BENCHMARK_QAPPLICATION_MAIN()
