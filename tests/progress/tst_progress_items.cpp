// Progress items: the position shown, time texts, and the iterations panel.

#include "kvtestsupport.h"
#include "progresstestutil.h"

#include "module/kvmodule_initializer.h"
#include "progress/tdrawwidget_p.h"
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
  void iterationsPanel();
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

void TestProgressItems::iterationsPanel() {
  QWidget host;
  auto* layout = new QVBoxLayout(&host);
  TQtProgressInterfaces interfaces(&host, layout, nullptr);
  TKvQtIterationsProgress& it = interfaces.IterationsProgress();
  it.Start(1.0, &linearPos);
  QPointer<TQtIterationsWidget> panel = it.Panel();
  QVERIFY(panel && layout->count() == 1);
  QVERIFY_EXCEPTION_THROWN(it.Start(1.0, &linearPos), TKvMessage);
  // The plot keeps the newest 200 values.
  for (int i = 1; i <= 201; ++i)
    QVERIFY(it.NextIteration(i, i, -1));
  QCOMPARE(panel->Plot()->Values().size(), size_t(200));
  QCOMPARE(panel->Plot()->Values().front(), 2.0);
  it.End();
  QVERIFY(!panel);
  QCOMPARE(layout->count(), 0);
  it.Start(1.0, &linearPos); // a panel still shown dies with the service
}

QTEST_MAIN(TestProgressItems)
#include "tst_progress_items.moc"
