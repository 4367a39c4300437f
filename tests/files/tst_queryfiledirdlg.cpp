// The folder query dialog: its form and its four entry points.

#include "filetestutil.h"

#include "dialogs/tkvqtqueryfiledirdlg.h"
#include "files/tkvqdiredit.h"
#include "module/kvmodule_initializer.h"

#include <QLabel>
#include <QPushButton>

class TstQueryFileDirDlg : public QObject {
  Q_OBJECT
private Q_SLOTS:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanupTestCase() { Deinit_KvQtCpnt(); }
  void cleanup() {
    QCOMPARE(kvtest::closeStrayModals(), 0);
    KV_VERIFY_NO_TOPLEVELS();
  }

  void entryPoints_data();
  void entryPoints();
  void form();
};

void TstQueryFileDirDlg::entryPoints_data() {
  QTest::addColumn<int>("form"); // 0 Execute(string*), 1 Execute(TKvPath*), 2 ExecuteEx(string&), 3 ExecuteEx(TKvPath&)
  QTest::addColumn<bool>("ok");
  for (int form = 0; form < 4; ++form) {
    QTest::addRow("form %d OK", form) << form << true;
    QTest::addRow("form %d cancelled", form) << form << false;
  }
}

void TstQueryFileDirDlg::entryPoints() {
  QFETCH(int, form);
  QFETCH(bool, ok);
  QString title, text, start;
  kvtest::ModalDriver driver([&](QWidget* w) {
    QCOMPARE(w->objectName(), QStringLiteral("TKvQueryFileDirDlg"));
    auto* edit = w->findChild<TKvQDirEdit*>("dirEdit");
    title = w->windowTitle();
    text = w->findChild<QLabel*>("lblText")->text();
    start = QString::fromStdString(edit->getDirectory());
    edit->lineEdit()->clear();
    QTest::keyClicks(edit->lineEdit(), "\"/typed dir\"");
    w->findChild<QPushButton*>(ok ? "btnOK" : "btnCancel")->click();
  });
  driver.start();
  std::string s = "/start";
  TKvPath p("/start");
  bool result = false;
  switch (form) {
  case 0: result = TKvQtQueryFileDirDlg::Execute("Where?", "/start", &s); break;
  case 1: result = TKvQtQueryFileDirDlg::Execute("Where?", "/start", &p); break;
  case 2: result = TKvQtQueryFileDirDlg::ExecuteEx("Where?", "Caption", s); break;
  default: result = TKvQtQueryFileDirDlg::ExecuteEx("Where?", "Caption", p); break;
  }
  QVERIFY(driver.fired());
  QCOMPARE(result, ok);
  QCOMPARE(text, QStringLiteral("Where?"));
  QCOMPARE(start, QStringLiteral("/start"));
  QCOMPARE(title, form < 2 ? QFileInfo(QCoreApplication::applicationFilePath()).fileName() : QString("Caption"));
  const std::string expected = ok ? "/typed dir" : "/start";
  QCOMPARE(form % 2 == 0 ? s : p.str(), expected);
}

void TstQueryFileDirDlg::form() {
  kvtest::ModalDriver driver([](QWidget* w) { w->findChild<QPushButton*>("btnOK")->click(); });
  driver.start();
  QVERIFY(TKvQtQueryFileDirDlg::Execute("t", "/x", static_cast<std::string*>(nullptr)));
  QVERIFY(driver.fired());
  TKvQtQueryFileDirDlg dlg("Prompt", "Title", "/d");
  QCOMPARE(dlg.size(), QSize(384, 83));
  QCOMPARE(dlg.directory(), std::string("/d"));
  // The folder edit's browse dialog carries the form's caption.
  filetest::DialogSeen seen;
  QVERIFY(filetest::withFileDialog({{}, {}, true}, &seen,
                                   [&] { dlg.findChild<TKvQDirEdit*>("dirEdit")->browse(); }));
  QCOMPARE(seen.title, QCoreApplication::translate("TKvQueryFileDirDlg", "Выбор папки",
                                                   "KvQtCpnt:TKvQueryFileDirDlg.dirEdit"));
}

QTEST_MAIN(TstQueryFileDirDlg)
#include "tst_queryfiledirdlg.moc"
