// Every gallery page, in the language (KV_LANG) and at the scale
// (QT_SCALE_FACTOR) of the run, with a light and a dark palette: every page
// shows its window and no text in it is cut off or drawn over another. The
// checker itself is tested on windows with known faults.

#include "capturestage.h"
#include "gallery.h"
#include "layoutcheck.h"

#include "kvtestsupport.h"

#include "module/kvmodule_initializer.h"

#include "kvsuite/kvmessage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

using WindowMaker = std::function<QWidget*()>;
Q_DECLARE_METATYPE(WindowMaker)
Q_DECLARE_METATYPE(GalleryTheme)

class TestGallery : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    Init_KvQtCpnt();
    const QString lang = qEnvironmentVariable("KV_LANG", "en");
    QVERIFY2(GalleryUseLanguage(lang), qPrintable(lang));
  }
  void cleanupTestCase() { Deinit_KvQtCpnt(); }
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void pages_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<GalleryTheme>("theme");
    const std::vector<GalleryPage> pages = GalleryPages();
    for (GalleryTheme theme : {GalleryTheme::Light, GalleryTheme::Dark})
      for (size_t i = 0; i < pages.size(); ++i)
        QTest::addRow("%s/%s", pages[i].Id, qPrintable(GalleryThemeName(theme))) << int(i) << theme;
  }
  void pages() {
    QFETCH(int, index);
    QFETCH(GalleryTheme, theme);
    GalleryUseTheme(theme);
    QStringList problems;
    CaptureStage stage([&](QWidget* w) { problems << FindTextProblems(w); });
    const bool built = BuildPage(GalleryPages()[size_t(index)], stage);
    QVERIFY2(built, qPrintable(stage.Errors().join("; ")));
    QVERIFY2(problems.isEmpty(), qPrintable("\n" + problems.join("\n")));
  }

  // The stage never waits for a person: a modal window is answered with its
  // escape button, a call that shows nothing and a failing page are errors.
  void stageAnswersModalWindows() {
    int seen = 0;
    CaptureStage stage([&](QWidget* w) { seen += w->isVisible(); });
    int answer = 0;
    stage.PresentModal([&] {
      QMessageBox box(QMessageBox::Question, "Overviews", "Build overviews now?", QMessageBox::Yes | QMessageBox::No);
      box.setEscapeButton(QMessageBox::No);
      answer = box.exec();
    });
    QCOMPARE(seen, 1);
    QCOMPARE(answer, int(QMessageBox::No));
    QVERIFY(stage.Errors().isEmpty());
  }
  void stageReportsFailures_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("modal call shows nothing") << 0 << "without showing";
    QTest::newRow("page throws") << 1 << "no such layer";
    QTest::newRow("page presents nothing") << 2 << "no window";
  }
  void stageReportsFailures() {
    QFETCH(int, kind);
    QFETCH(QString, expected);
    static int s_kind;
    s_kind = kind;
    const GalleryPage page{"broken", "Broken page", [](GalleryStage& stage) {
                             if (s_kind == 0)
                               stage.PresentModal([] {});
                             else if (s_kind == 1)
                               throw TKvMessage("@no such layer");
                           }};
    CaptureStage stage([](QWidget*) {}, 500);
    QVERIFY(!BuildPage(page, stage));
    QVERIFY2(stage.Errors().join("; ").contains(expected), qPrintable(stage.Errors().join("; ")));
  }

  // The checker finds each kind of fault, and nothing in a sound form.
  void checker_data() {
    QTest::addColumn<WindowMaker>("make");
    QTest::addColumn<QString>("expected");
    const QString longText = "Pulkovo 1942 / Gauss-Kruger zone 7 (EPSG:28407)";
    QTest::newRow("sound form") << WindowMaker([=] {
      auto* w = new QWidget;
      auto* l = new QVBoxLayout(w);
      auto* g = new QGroupBox("Coordinate system", w);
      auto* gl = new QVBoxLayout(g);
      gl->addWidget(new QLabel(longText, g));
      gl->addWidget(new QCheckBox("Reproject on the fly", g));
      l->addWidget(g);
      auto* wrapped = new QLabel(longText + " " + longText, w);
      wrapped->setWordWrap(true);
      l->addWidget(wrapped);
      l->addWidget(new QPushButton("Apply", w));
      return w;
    }) << QString();
    QTest::newRow("narrow label") << WindowMaker([=] {
      auto* w = new QWidget;
      auto* l = new QLabel(longText, w);
      l->setGeometry(0, 0, 60, 30);
      w->resize(200, 40);
      return w;
    }) << "QLabel";
    QTest::newRow("wrapped label too low") << WindowMaker([=] {
      auto* w = new QWidget;
      auto* l = new QLabel(longText + " " + longText, w);
      l->setWordWrap(true);
      l->setGeometry(0, 0, 120, l->fontMetrics().height() + 2);
      w->resize(200, 100);
      return w;
    }) << "QLabel";
    QTest::newRow("narrow button") << WindowMaker([=] {
      auto* w = new QWidget;
      auto* b = new QPushButton("Reproject the layer", w);
      b->setGeometry(0, 0, 70, 30);
      w->resize(200, 40);
      return w;
    }) << "QPushButton";
    QTest::newRow("narrow check box") << WindowMaker([=] {
      auto* w = new QWidget;
      auto* c = new QCheckBox(longText, w);
      c->setGeometry(0, 0, 80, 30);
      w->resize(200, 40);
      return w;
    }) << "QCheckBox";
    QTest::newRow("group title wider than the box") << WindowMaker([=] {
      auto* w = new QWidget;
      auto* g = new QGroupBox(longText, w);
      g->setGeometry(0, 0, 90, 60);
      w->resize(200, 80);
      return w;
    }) << "title";
    QTest::newRow("overlapping labels") << WindowMaker([] {
      auto* w = new QWidget;
      auto* a = new QLabel("Elevation", w);
      auto* b = new QLabel("Slope", w);
      a->setGeometry(0, 0, 100, 30);
      b->setGeometry(10, 5, 100, 30);
      w->resize(200, 40);
      return w;
    }) << "overlap";
    QTest::newRow("label outside its parent") << WindowMaker([] {
      auto* w = new QWidget;
      auto* l = new QLabel("Aspect", w);
      l->setGeometry(150, 0, 100, 30);
      w->resize(200, 40);
      return w;
    }) << "sticks out";
    QTest::newRow("column out of sight") << WindowMaker([] {
      auto* w = new QWidget;
      auto* t = new QTreeWidget(w);
      t->setHeaderLabels({"Layer", "Coordinate system"});
      t->header()->resizeSection(0, 300);
      t->setGeometry(0, 0, 200, 100);
      w->resize(200, 100);
      return w;
    }) << "Coordinate system";
  }
  void checker() {
    GalleryUseTheme(GalleryTheme::Light);
    QFETCH(WindowMaker, make);
    QFETCH(QString, expected);
    std::unique_ptr<QWidget> w(make());
    CaptureStage::Settle(w.get());
    const QStringList problems = FindTextProblems(w.get());
    if (expected.isEmpty())
      QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    else
      QVERIFY2(problems.size() == 1 && problems[0].contains(expected), qPrintable(problems.join("\n")));
  }
};

QTEST_MAIN(TestGallery)
#include "tst_gallery.moc"
