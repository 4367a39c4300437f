// The application holder in a process whose application object is core-only.

#include "module/kvqtappholder.h"

#include <QCoreApplication>
#include <QtTest>

class TestModuleCore : public QObject {
  Q_OBJECT
private slots:
  void coreApplicationHasNoTopWindow() {
    QVERIFY(KvQtAppHolder::KvGetApp() != nullptr);
    QCOMPARE(KvQtAppHolder::KvGetTopWindow(), static_cast<QWidget*>(nullptr));
    KvQtAppHolder::InitApp(); // does nothing, and must not crash, without widgets
    KvQtAppHolder::ProcessMessages();
  }
};

QTEST_GUILESS_MAIN(TestModuleCore)
#include "tst_module_core.moc"
