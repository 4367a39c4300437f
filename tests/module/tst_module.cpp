// Module entry points, resource strings and the application holder.

#include "kvtestsupport.h"

#include "appservices/kvqtcursors.h"
#include "module/kvmodule_initializer.h"
#include "module/kvqtappholder.h"

#include "kvsuite/kvconfig.h"

#include <QFile>
#include <QKeyEvent>

namespace {

bool cursorIsLoaded(const QCursor& c) { return c.shape() == Qt::BitmapCursor; }

} // namespace

class TestModule : public QObject {
  Q_OBJECT
private slots:
  void resourcesRegisteredAtLoad();
  void initIsCounted();
  void unbalancedDeinitIsIgnored();
  void shiftState_data();
  void shiftState();
  void topWindowIsActiveWindow();
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }
};

void TestModule::resourcesRegisteredAtLoad() {
  // Nothing has called Init_KvQtCpnt yet: the bundles come with the library.
  QCOMPARE(KvModule_Initializer::getInst().initCount(), uint64_t(0));
  for (const char* path : {":/CUR_NONE.cur", ":/CUR_HAND1.cur", ":/CUR_ZOOMOUT2.cur", ":/CUR_DRAGGING.cur"}) {
    QFile f(QString::fromLatin1(path));
    QVERIFY2(f.open(QIODevice::ReadOnly), path);
    QCOMPARE(f.size(), qint64(326));
  }
  QVERIFY(QFile::exists(":/Splash"));
  QVERIFY(QFile::exists(":/SplashHPC"));
}

void TestModule::initIsCounted() {
  auto& m = KvModule_Initializer::getInst();
  const int suiteBefore = KvSuiteInitCount("KvCoreUtils");
  // (The load-time cursors are not asked anything: Qt gives a cursor made
  // before the application object no data.)
  Init_KvQtCpnt();
  Init_KvQtCpnt();
  QCOMPARE(m.initCount(), uint64_t(2));
  QVERIFY(m.cursorsLoaded());
  QVERIFY(cursorIsLoaded(kvCurHand1));
  QCOMPARE(kvCurDefault.shape(), Qt::ArrowCursor);
  // The suite libraries were brought up once, not twice.
  QCOMPARE(KvSuiteInitCount("KvCoreUtils"), suiteBefore + 1);
  QCOMPARE(KvSuiteInitCount("KvConfig"), suiteBefore + 1);
  QCOMPARE(KvSuiteInitCount("KvCoreGuiUtils"), suiteBefore + 1);

  Deinit_KvQtCpnt();
  QCOMPARE(m.initCount(), uint64_t(1));
  QVERIFY(cursorIsLoaded(kvCurHand1));
  QCOMPARE(KvSuiteInitCount("KvCoreUtils"), suiteBefore + 1);

  Deinit_KvQtCpnt();
  QCOMPARE(m.initCount(), uint64_t(0));
  QVERIFY(!m.cursorsLoaded());
  QVERIFY(!cursorIsLoaded(kvCurHand1));
  QCOMPARE(KvSuiteInitCount("KvCoreUtils"), suiteBefore);

  // A later Init repeats the first-time work.
  Init_KvQtCpnt();
  QVERIFY(cursorIsLoaded(kvCurMagic));
  QCOMPARE(KvSuiteInitCount("KvConfig"), suiteBefore + 1);
  Deinit_KvQtCpnt();
  QVERIFY(!cursorIsLoaded(kvCurMagic));
}

void TestModule::unbalancedDeinitIsIgnored() {
  auto& m = KvModule_Initializer::getInst();
  const int suiteBefore = KvSuiteInitCount("KvCoreUtils");
  Deinit_KvQtCpnt();
  Deinit_KvQtCpnt();
  QCOMPARE(m.initCount(), uint64_t(0));
  QCOMPARE(KvSuiteInitCount("KvCoreUtils"), suiteBefore);
  // And the count is not driven below zero: one Init still initialises.
  Init_KvQtCpnt();
  QVERIFY(m.cursorsLoaded());
  Deinit_KvQtCpnt();
}

void TestModule::shiftState_data() {
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<int>("expected");
  QTest::newRow("shift") << int(Qt::ShiftModifier) << 1;
  QTest::newRow("alt") << int(Qt::AltModifier) << 2;
  QTest::newRow("control") << int(Qt::ControlModifier) << 4;
  QTest::newRow("all three, keypad and meta ignored")
      << int(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::KeypadModifier | Qt::MetaModifier) << 7;
}

void TestModule::shiftState() {
  QFETCH(int, modifiers);
  QFETCH(int, expected);
  QKeyEvent ev(QEvent::KeyPress, Qt::Key_F5, Qt::KeyboardModifiers(modifiers));
  QCOMPARE(KvGetShiftState(ev), expected);
  QCOMPARE(KvGetKeyCode(ev), int(Qt::Key_F5));
}

void TestModule::topWindowIsActiveWindow() {
  QWidget w;
  w.show();
  w.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  QCOMPARE(KvQtAppHolder::KvGetTopWindow(), &w);
  QCOMPARE(KvQtAppHolder::KvGetApp(), QCoreApplication::instance());
  // The application's own icon survives.
  QPixmap own(16, 16);
  own.fill(Qt::red);
  QApplication::setWindowIcon(QIcon(own));
  KvQtAppHolder::InitApp();
  QVERIFY(!QApplication::windowIcon().isNull());
  QApplication::setWindowIcon(QIcon());
}

QTEST_MAIN(TestModule)
#include "tst_module.moc"
