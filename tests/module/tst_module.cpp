// Module entry points and the application holder.

#include "kvtestsupport.h"

#include "appservices/kvqtcursors.h"
#include "module/kvmodule_initializer.h"
#include "module/kvqtappholder.h"

#include "kvsuite/kvconfig.h"

#include <QKeyEvent>

namespace {

bool cursorIsLoaded(const QCursor& c) { return c.shape() == Qt::BitmapCursor; }

} // namespace

class TestModule : public QObject {
  Q_OBJECT
private slots:
  void initIsCounted();
  void topWindowIsActiveWindow();
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }
};

void TestModule::initIsCounted() {
  auto& m = KvModule_Initializer::getInst();
  const int suiteBefore = KvSuiteInitCount("KvCoreUtils");
  Init_KvQtCpnt();
  Init_KvQtCpnt();
  QCOMPARE(m.initCount(), uint64_t(2));
  QVERIFY(m.cursorsLoaded());
  QVERIFY(cursorIsLoaded(kvCurHand1));
  // The suite libraries were brought up once, not twice.
  QCOMPARE(KvSuiteInitCount("KvCoreUtils"), suiteBefore + 1);
  QCOMPARE(KvSuiteInitCount("KvCoreGuiUtils"), suiteBefore + 1);

  Deinit_KvQtCpnt();
  QVERIFY(cursorIsLoaded(kvCurHand1));
  QCOMPARE(KvSuiteInitCount("KvCoreUtils"), suiteBefore + 1);
  // The last Deinit undoes it all; an unbalanced one is ignored, and the next
  // Init repeats the first-time work.
  Deinit_KvQtCpnt();
  Deinit_KvQtCpnt();
  QCOMPARE(m.initCount(), uint64_t(0));
  QVERIFY(!cursorIsLoaded(kvCurHand1));
  QCOMPARE(KvSuiteInitCount("KvCoreUtils"), suiteBefore);
  Init_KvQtCpnt();
  QVERIFY(cursorIsLoaded(kvCurMagic));
  Deinit_KvQtCpnt();
  QVERIFY(!cursorIsLoaded(kvCurMagic));
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
