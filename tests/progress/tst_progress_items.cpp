// Progress items and bars, the busy indicator, the GUI-panel service and
// the iterations panel.

#include "kvtestsupport.h"
#include "progresstestutil.h"

#include "module/kvmodule_initializer.h"
#include "progress/qtprogressindicatorwidget.h"
#include "progress/tdrawwidget_p.h"
#include "progress/tkvqtguiprogress.h"
#include "progress/tkvqtiterationsprogress.h"
#include "progress/tkvqtprogressbar.h"
#include "progress/tkvqtprogressitem.h"
#include "progress/tqtiterationswidget.h"
#include "progress/tqtprogressinterfaces.h"

#include "kvsuite/kvmessage.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace {
QLabel* label(QWidget* w, const char* name) { return w->findChild<QLabel*>(QLatin1String(name)); }

double linearPos(double value, double top, double low) { return (top - value) / (top - low); }

bool imageIsBlank(QWidget& w) {
  QImage image(w.size(), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  w.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0)
        return false;
  return true;
}
} // namespace

class TestProgressItems : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanupTestCase() { Deinit_KvQtCpnt(); }
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void itemForm();
  void positionIsClamped_data();
  void positionIsClamped();
  void timeFormat_data();
  void timeFormat();
  void remainingUnknownAtStart();
  void indefiniteHidesPercentage();
  void barKeepsValueAcrossIndefinite();
  void indicator();
  void panelsShowAndHide();
  void iterationsPanel();
  void iterationsWindowAndSigma();
  void iterationsStopButton();
  void iterationsMisuse();
  void iterationsPlotBars();
  void interfaceLookup();
};

void TestProgressItems::itemForm() {
  TKvQtProgressItem item(true, nullptr);
  QCOMPARE(item.objectName(), QStringLiteral("TKvQtProgressItem"));
  auto* vl = qobject_cast<QVBoxLayout*>(item.layout());
  QVERIFY(vl);
  QCOMPARE(vl->itemAt(0)->widget()->objectName(), QStringLiteral("labelsHolder"));
  QCOMPARE(vl->itemAt(1)->widget()->objectName(), QStringLiteral("LbMessage"));
  QCOMPARE(vl->itemAt(2)->layout()->objectName(), QStringLiteral("horizontalLayout"));
  auto* bar = item.findChild<TKvQtProgressBar*>(QStringLiteral("ProgressBar"));
  QVERIFY(bar);
  QVERIFY(!bar->isTextVisible());
  QCOMPARE(bar->maximum(), 100);
  QCOMPARE(label(&item, "LbCurr")->minimumWidth(), 50);
  QCOMPARE(label(&item, "LbCurr")->maximumWidth(), 50);
  QCOMPARE(label(&item, "LbTimeElapsedTitle")->text(), QString::fromUtf8("Прошло:"));
  QCOMPARE(label(&item, "LbTimeLeftTitle")->text(), QString::fromUtf8("Осталось:"));
  item.SetMessage("Чтение");
  QCOMPARE(item.GetMessage(), std::string("Чтение"));
}

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
  QTest::newRow("zero") << 0.0 << "0:00:00.0";
  QTest::newRow("tenths round up into the next second") << 59960.0 << "0:01:00.0";
  QTest::newRow("hours are not padded") << 3723460.0 << "1:02:03.5";
  QTest::newRow("many hours") << 36000000000.0 << "10000:00:00.0";
  QTest::newRow("beyond 10000 hours") << 36000000001.0 << ">9999:59:59.9";
}

void TestProgressItems::timeFormat() {
  QFETCH(double, ms);
  QFETCH(QString, text);
  QCOMPARE(QString::fromStdString(TKvQtProgressItem::FormatTime(ms)), text);
}

void TestProgressItems::remainingUnknownAtStart() {
  TKvQtProgressItem item(true, nullptr);
  item.ResetTimer();
  item.StartTimer();
  item.SetPos(0.001);
  QCOMPARE(label(&item, "LbTimeLeft")->text(), QStringLiteral("--:--:--.-"));
  QCOMPARE(item.GetElapsedTimeStr().substr(0, 5), std::string("0:00:"));
}

void TestProgressItems::indefiniteHidesPercentage() {
  TKvQtProgressItem top(true, nullptr);
  top.SetIndefinite(true);
  for (const char* name : {"LbCurr", "LbSlash", "LbTimeLeftTitle", "LbTimeLeft"})
    QVERIFY2(label(&top, name)->isHidden(), name);
  QVERIFY(!label(&top, "LbTimeElapsed")->isHidden());
  QVERIFY(!top.findChild<QWidget*>(QStringLiteral("labelsHolder"))->isHidden());
  top.SetIndefinite(false);
  QVERIFY(!label(&top, "LbCurr")->isHidden());

  TKvQtProgressItem nested(false, nullptr);
  QVERIFY(nested.findChild<QWidget*>(QStringLiteral("labelsHolder"))->isHidden());
}

void TestProgressItems::barKeepsValueAcrossIndefinite() {
  TKvQtProgressBar bar;
  QVERIFY(bar.isBarIndefinite());
  QVERIFY(!bar.isTextVisible());
  bar.setBarIndefinite(false);
  bar.setValue(37.9);
  QCOMPARE(bar.value(), 37);
  bar.setBarIndefinite(true);
  QCOMPARE(bar.maximum(), 0);
  QCOMPARE(bar.value(), 0);
  bar.setBarIndefinite(false);
  QCOMPARE(bar.maximum(), 100);
  // The busy display forgot the value: it starts over from 0.
  QCOMPARE(bar.value(), 0);
  bar.setValue(55.0);
  bar.setBarIndefinite(false); // no change, nothing happens
  QCOMPARE(bar.value(), 55);
}

void TestProgressItems::indicator() {
  QtProgressIndicatorWidget w;
  w.resize(40, 40);
  QCOMPARE(w.sizeHint(), QSize(20, 20));
  QCOMPARE(w.heightForWidth(33), 33);
  QCOMPARE(w.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
  QCOMPARE(w.focusPolicy(), Qt::NoFocus);
  QVERIFY(!w.isAnimated());
  QVERIFY(imageIsBlank(w));
  w.setDisplayedWhenStopped(true);
  QVERIFY(!imageIsBlank(w));
  w.setDisplayedWhenStopped(false);

  w.setAnimationDelay(5);
  w.startAnimation();
  QVERIFY(w.isAnimated());
  QTRY_VERIFY(w.angle() != 0);
  QVERIFY(!imageIsBlank(w));
  w.stopAnimation();
  QVERIFY(!w.isAnimated());
  QVERIFY(imageIsBlank(w));
  w.startAnimation();
  QCOMPARE(w.angle(), 0);
  QCOMPARE(w.property("delay").toInt(), 5);
  w.setProperty("color", QColor(Qt::red));
  QCOMPARE(w.color(), QColor(Qt::red));
  w.stopAnimation();
}

void TestProgressItems::panelsShowAndHide() {
  QWidget host;
  auto* layout = new QVBoxLayout(&host);
  std::vector<int> heights;
  TKvQtGuiProgress gui(&host, nullptr, [&](int h) { heights.push_back(h); });
  QCOMPARE(gui.CreateWidget(), &host);

  auto* first = new QWidget(gui.CreateWidget());
  first->setMinimumHeight(120);
  first->setMaximumHeight(120);
  // Without a layout the panel has nowhere to go.
  QVERIFY_EXCEPTION_THROWN(gui.ShowWidget(&host, first), TKvMessage);
  gui.SetLayout(layout);
  gui.ShowWidget(&host, first);
  QCOMPARE(heights, std::vector<int>{120});
  QVERIFY_EXCEPTION_THROWN(gui.ShowWidget(&host, first), std::logic_error);
  QCOMPARE(gui.Panels().size(), size_t(1));
  QCOMPARE(layout->count(), 1);

  auto* second = new QWidget(&host);
  gui.ShowWidget(&host, second);
  gui.HideWidget(&host, first);
  QCOMPARE(gui.Panels(), std::vector<QWidget*>{second});
  QCOMPARE(layout->count(), 1);
  QCOMPARE(heights.size(), size_t(2));

  kvtest::LogCapture log;
  gui.HideWidget(&host, first);
  const auto records = log.records();
  QCOMPARE(records.size(), size_t(1));
  QCOMPARE(records[0].type, 'E');
  QCOMPARE(records[0].level, 5);
  QCOMPARE(records[0].text, std::string("@TKvQtGuiProgress::DestroyPanel(): Panel not found."));
  gui.Arrange();
  QCOMPARE(heights.back(), 0);

  try {
    TKvQtGuiProgress bad(nullptr, nullptr, nullptr);
    QFAIL("no exception");
  } catch (const TKvMessage& e) {
    QVERIFY(e.std_str().find("TKvQtGuiProgress::TKvQtGuiProgress(QWidget *, QBoxLayout *, "
                             "TKvQtGuiProgress::THeightChangedEvent)") != std::string::npos);
    QVERIFY(e.std_str().find("(FPnExtenders)==false.") != std::string::npos);
  }
}

void TestProgressItems::iterationsPanel() {
  QWidget host;
  auto* layout = new QVBoxLayout(&host);
  TQtProgressInterfaces interfaces(&host, layout, nullptr);
  TKvQtIterationsProgress& it = interfaces.IterationsProgress();
  it.Start(0.01, &linearPos);
  TQtIterationsWidget* panel = it.Panel();
  QVERIFY(panel);
  QCOMPARE(panel->parentWidget(), &host);
  QCOMPARE(layout->count(), 1);
  QCOMPARE(label(panel, "LbIter")->text(), QStringLiteral("0"));
  QCOMPARE(label(panel, "LbSigma0Caption")->text(), QString());
  QCOMPARE(panel->Format(), std::string("%.3lg"));
  try {
    it.Start(0.01, &linearPos);
    QFAIL("no exception");
  } catch (const TKvMessage& e) {
    QCOMPARE(e.std_str(), std::string("@TKvQtIterationsProgress::Start(): Start() called twice."));
  }
  QCOMPARE(it.Panel(), panel);
  QVERIFY(it.NextIteration(1, 0.5, 0.25));
  QCOMPARE(label(panel, "LbDiff")->text(), QStringLiteral("0.5"));
  QPointer<TQtIterationsWidget> guard(panel);
  it.End();
  QVERIFY(!guard);
  QVERIFY(!it.Panel());
  QCOMPARE(layout->count(), 0);
  QVERIFY(interfaces.GuiProgress().Panels().empty());

  // A panel still shown dies with the service.
  it.Start(1.0, &linearPos);
  guard = it.Panel();
}

void TestProgressItems::iterationsWindowAndSigma() {
  TQtIterationsWidget w("%.2f", nullptr);
  w.Start(1.0, &linearPos);
  const QString caption = QString::fromUtf8("Сигма:");
  for (int i = 1; i <= 201; ++i)
    QVERIFY(w.NextIteration(i, i, -1));
  const auto& values = w.Plot()->Values();
  QCOMPARE(values.size(), size_t(200));
  QCOMPARE(values.front(), 2.0);
  QCOMPARE(values.back(), 201.0);
  QCOMPARE(w.Plot()->MaxValue(), 201.0);
  QCOMPARE(label(&w, "LbIter")->text(), QStringLiteral("201"));
  QCOMPARE(label(&w, "LbDiff")->text(), QStringLiteral("201.00"));
  QCOMPARE(label(&w, "LbSigma0")->text(), QString());
  QCOMPARE(label(&w, "LbSigma0Caption")->text(), QString());
  w.NextIteration(202, 1, 0.5);
  QCOMPARE(label(&w, "LbSigma0")->text(), QStringLiteral("0.5"));
  QCOMPARE(label(&w, "LbSigma0Caption")->text(), caption);
  w.NextIteration(203, 1, 1234567.0);
  QCOMPARE(label(&w, "LbSigma0")->text(), QStringLiteral("1.23457e+06"));

  // Formats that cannot print one double fall back to the default.
  QCOMPARE(TQtIterationsWidget("%s", nullptr).Format(), std::string("%.3lg"));
  QCOMPARE(TQtIterationsWidget("%f %f", nullptr).Format(), std::string("%.3lg"));
  QCOMPARE(TQtIterationsWidget("%Lf", nullptr).Format(), std::string("%.3lg"));
  QCOMPARE(TQtIterationsWidget("d=%+8.3e %%", nullptr).Format(), std::string("d=%+8.3e %%"));
}

void TestProgressItems::iterationsStopButton() {
  TQtIterationsWidget w(nullptr, nullptr);
  w.Start(1.0, &linearPos);
  auto* stop = w.findChild<QPushButton*>(QStringLiteral("BtnStop"));
  QVERIFY(stop->isEnabled());
  QVERIFY(!stop->toolTip().isEmpty());
  stop->click();
  QVERIFY(!stop->isEnabled());
  QVERIFY(!w.CheckIterationBreak());
  QVERIFY(!w.NextIteration(1, 1, 1));
  QVERIFY(!w.ResetIterationBreak());
  QVERIFY(stop->isEnabled());
  QVERIFY(w.ResetIterationBreak());
  QVERIFY(w.NextIteration(2, 1, 1));
  stop->click();
  w.End();
  QVERIFY(w.CheckIterationBreak());
}

void TestProgressItems::iterationsMisuse() {
  QWidget host;
  TKvQtGuiProgress gui(&host, new QVBoxLayout(&host), nullptr);
  TKvQtIterationsProgress it(&gui);
  try {
    it.NextIteration(1, 1, 1);
    QFAIL("no exception");
  } catch (const TKvMessage& e) {
    QVERIFY(e.std_str().find("virtual bool TKvQtIterationsProgress::NextIteration(int, double, double)") !=
            std::string::npos);
    QVERIFY(e.std_str().find("(FFmIterations)==false.") != std::string::npos);
  }
  QVERIFY_EXCEPTION_THROWN(it.CheckIterationBreak(), TKvMessage);
  kvtest::LogCapture log;
  it.End();
  const auto records = log.records();
  QCOMPARE(records.size(), size_t(1));
  QCOMPARE(records[0].text, std::string("@TKvQtIterationsProgress::End(): End() called without matching Start()."));
  QCOMPARE(records[0].level, 5);

  // A missing mapping is refused before anything is shown.
  try {
    it.Start(1.0, nullptr);
    QFAIL("no exception");
  } catch (const TKvMessage& e) {
    QVERIFY(e.std_str().find("void TQtIterationsWidget::Start(double, TQtIterationsWidget::TFnValueToPos)") !=
            std::string::npos);
    QVERIFY(e.std_str().find("(value_to_pos)==false.") != std::string::npos);
  }
  QVERIFY(!it.Panel());
  QVERIFY(gui.Panels().empty());
  QVERIFY_EXCEPTION_THROWN(TKvQtIterationsProgress(nullptr), TKvMessage);
}

void TestProgressItems::iterationsPlotBars() {
  // H = 110 gives bars of 12 pixels, right-aligned: only the newest values
  // that fit are drawn; the oldest (left) ones fall off.
  TDrawWidget plot;
  plot.resize(300, 111);
  plot.Reset(1.0, [](double v, double, double) { return v > 0 ? 0.0 : 1.0; });
  plot.AddValue(5); // newest value fills its whole bar
  QImage image(plot.size(), QImage::Format_RGB32);
  plot.render(&image);
  // Inside the newest bar, half-way up: white.
  QCOMPARE(QColor(image.pixel(plot.width() - 8, 50)), QColor(Qt::white));
  // Left of it, the older zero values draw nothing: the grey background.
  QCOMPARE(QColor(image.pixel(plot.width() - 30, 50)), QColor(128, 128, 128));
}

void TestProgressItems::interfaceLookup() {
  QWidget host;
  TQtProgressInterfaces interfaces(&host, new QVBoxLayout(&host), nullptr);
  IKvInterface* i = &interfaces;
  QCOMPARE(i->GetInterface_Int(&IKvIterationsProgress::IKvIterationsProgressUIDObj),
           static_cast<IKvInterface*>(&interfaces.IterationsProgress()));
  QCOMPARE(i->GetInterface_Int(&IKvQtGuiProgress::IKvQtGuiProgressUIDObj),
           static_cast<IKvInterface*>(&interfaces.GuiProgress()));
  TKvUIDObject other{"other"};
  QCOMPARE(i->GetInterface_Int(&other), static_cast<IKvInterface*>(nullptr));
  QCOMPARE(KvGetInterface<IKvQtGuiProgress>(i, &IKvQtGuiProgress::IKvQtGuiProgressUIDObj),
           static_cast<IKvQtGuiProgress*>(&interfaces.GuiProgress()));
}

QTEST_MAIN(TestProgressItems)
#include "tst_progress_items.moc"
