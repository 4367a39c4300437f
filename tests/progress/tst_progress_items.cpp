// Progress items and bars, the busy indicator, the GUI-panel service and
// the iterations panel.

#include "kvtestsupport.h"
#include "progresstestutil.h"

#include "module/kvmodule_initializer.h"
#include "progress/tdrawwidget_p.h"
#include "progress/tkvqtguiprogress.h"
#include "progress/tkvqtiterationsprogress.h"
#include "progress/tkvqtprogressbar.h"
#include "progress/tkvqtprogressitem.h"
#include "progress/tqtiterationswidget.h"
#include "progress/tqtprogressinterfaces.h"

#include "kvsuite/kvmessage.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel* label(QWidget* w, const char* name) { return w->findChild<QLabel*>(QLatin1String(name)); }

double linearPos(double value, double top, double low) { return (top - value) / (top - low); }

} // namespace

class TestProgressItems : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanupTestCase() { Deinit_KvQtCpnt(); }
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void positionIsClamped_data();
  void positionIsClamped();
  void timeFormat_data();
  void timeFormat();
  void panelsShowAndHide();
  void iterationsPanel();
  void iterationsWindowAndSigma();
};

void TestProgressItems::positionIsClamped_data() {
  QTest::addColumn<double>("pos");
  QTest::addColumn<double>("stored");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<int>("bar");
  QTest::newRow("negative gives 0") << -0.5 << 0.0 << " 0.0%" << 0;
  QTest::newRow("above 1 gives 1") << 1.7 << 1.0 << " 100.0%" << 100;
  QTest::newRow("one decimal") << 0.4567 << 0.4567 << " 45.7%" << 45;
  QTest::newRow("not a number gives 0") << qQNaN() << 0.0 << " 0.0%" << 0;
}

void TestProgressItems::positionIsClamped() {
  QFETCH(double, pos);
  QFETCH(double, stored);
  QFETCH(QString, shown);
  QFETCH(int, bar);
  TKvQtProgressItem item(false, nullptr);
  item.SetPos(pos);
  QCOMPARE(item.GetPos(), stored);
  QCOMPARE(label(&item, "LbCurr")->text(), shown);
  QCOMPARE(item.findChild<TKvQtProgressBar*>()->value(), bar);
}

void TestProgressItems::timeFormat_data() {
  QTest::addColumn<double>("ms");
  QTest::addColumn<QString>("text");
  QTest::newRow("tenths round up into the next second") << 59960.0 << "0:01:00.0";
  QTest::newRow("hours are not padded") << 3723460.0 << "1:02:03.5";
  QTest::newRow("10000 hours exactly") << 36000000000.0 << "10000:00:00.0";
  QTest::newRow("beyond 10000 hours") << 36000000001.0 << ">9999:59:59.9";
}

void TestProgressItems::timeFormat() {
  QFETCH(double, ms);
  QFETCH(QString, text);
  QCOMPARE(QString::fromStdString(TKvQtProgressItem::FormatTime(ms)), text);
}

void TestProgressItems::panelsShowAndHide() {
  QWidget host;
  auto* layout = new QVBoxLayout(&host);
  std::vector<int> heights;
  TKvQtGuiProgress gui(&host, nullptr, [&](int h) { heights.push_back(h); });
  auto* first = new QWidget(gui.CreateWidget());
  first->setFixedHeight(120);
  // Without a layout the panel has nowhere to go.
  QVERIFY_EXCEPTION_THROWN(gui.ShowWidget(&host, first), TKvMessage);
  gui.SetLayout(layout);
  gui.ShowWidget(&host, first);
  QCOMPARE(heights, std::vector<int>{120});

  auto* second = new QWidget(&host);
  gui.ShowWidget(&host, second);
  gui.HideWidget(&host, first);
  QCOMPARE(gui.Panels(), std::vector<QWidget*>{second});
  QCOMPARE(layout->count(), 1);
  QCOMPARE(heights.size(), size_t(2));

  gui.Arrange();
  QCOMPARE(heights.back(), 0);
}

void TestProgressItems::iterationsPanel() {
  QWidget host;
  auto* layout = new QVBoxLayout(&host);
  TQtProgressInterfaces interfaces(&host, layout, nullptr);
  TKvQtIterationsProgress& it = interfaces.IterationsProgress();
  it.Start(0.01, &linearPos);
  QPointer<TQtIterationsWidget> panel = it.Panel();
  QVERIFY(panel);
  QCOMPARE(layout->count(), 1);
  QVERIFY_EXCEPTION_THROWN(it.Start(0.01, &linearPos), TKvMessage);
  QCOMPARE(it.Panel(), panel.data());
  QVERIFY(it.NextIteration(1, 0.5, 0.25));
  QCOMPARE(label(panel, "LbDiff")->text(), QStringLiteral("0.5"));
  it.End();
  QVERIFY(!panel && !it.Panel());
  QCOMPARE(layout->count(), 0);
  QVERIFY(interfaces.GuiProgress().Panels().empty());

  // A panel still shown dies with the service.
  it.Start(1.0, &linearPos);
}

void TestProgressItems::iterationsWindowAndSigma() {
  TQtIterationsWidget w("%.2f", nullptr);
  w.Start(1.0, &linearPos);
  for (int i = 1; i <= 201; ++i)
    QVERIFY(w.NextIteration(i, i, -1));
  const auto& values = w.Plot()->Values();
  QCOMPARE(values.size(), size_t(200));
  QCOMPARE(values.front(), 2.0);
  QCOMPARE(values.back(), 201.0);
  QCOMPARE(label(&w, "LbDiff")->text(), QStringLiteral("201.00"));
  QCOMPARE(label(&w, "LbSigma0Caption")->text(), QString()); // no sigma yet
  w.NextIteration(202, 1, 1234567.0);
  QCOMPARE(label(&w, "LbSigma0")->text(), QStringLiteral("1.23457e+06"));
  // Formats that cannot print one double fall back to the default.
  for (const char* bad : {"%s", "%f %f", "%Lf"})
    QCOMPARE(TQtIterationsWidget(bad, nullptr).Format(), std::string("%.3lg"));
}

QTEST_MAIN(TestProgressItems)
#include "tst_progress_items.moc"
