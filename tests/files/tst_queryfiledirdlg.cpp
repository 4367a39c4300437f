// The folder query dialog: its form, the four entry points, OK and Cancel.

#include "filetestutil.h"

#include "dialogs/tkvqtqueryfiledirdlg.h"
#include "files/tkvqdiredit.h"
#include "module/kvmodule_initializer.h"

#include <QLabel>
#include <QPushButton>

namespace {

struct Seen {
  QString title, text, folder, editTitle;
  QSize size;
};

// Answers the dialog: optionally types `typed` into the folder edit, then
// presses OK (or Cancel).
kvtest::ModalDriver::Action answer(Seen* seen, bool ok, const QString& typed = QString()) {
  return [=](QWidget* w) {
    QCOMPARE(w->objectName(), QStringLiteral("TKvQueryFileDirDlg"));
    auto* edit = w->findChild<TKvQDirEdit*>("dirEdit");
    QVERIFY(edit);
    seen->title = w->windowTitle();
    seen->text = w->findChild<QLabel*>("lblText")->text();
    seen->folder = QString::fromStdString(edit->getDirectory());
    seen->size = w->size();
    if (!typed.isNull()) {
      edit->lineEdit()->clear();
      QTest::keyClicks(edit->lineEdit(), typed);
    }
    w->findChild<QPushButton*>(ok ? "btnOK" : "btnCancel")->click();
  };
}

} // namespace

class TstQueryFileDirDlg : public QObject {
  Q_OBJECT
private Q_SLOTS:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanupTestCase() { Deinit_KvQtCpnt(); }
  void cleanup() {
    QCOMPARE(kvtest::closeStrayModals(), 0);
    KV_VERIFY_NO_TOPLEVELS();
  }

  void executeForms();
  void cancelLeavesValues();
  void formTexts();
};

void TstQueryFileDirDlg::executeForms() {
  Seen seen;
  std::string result = "old";
  kvtest::ModalDriver d1(answer(&seen, true, "\"/typed dir\""));
  d1.start();
  QVERIFY(TKvQtQueryFileDirDlg::Execute("Where?", "/start", &result));
  QVERIFY(d1.fired());
  QCOMPARE(seen.title, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
  QCOMPARE(seen.text, QStringLiteral("Where?"));
  QCOMPARE(seen.folder, QStringLiteral("/start"));
  QCOMPARE(result, std::string("/typed dir"));

  // A null result pointer: still true on OK.
  kvtest::ModalDriver d2(answer(&seen, true));
  d2.start();
  QVERIFY(TKvQtQueryFileDirDlg::Execute("Where?", "/start", static_cast<std::string*>(nullptr)));
  QVERIFY(d2.fired());

  TKvPath path;
  kvtest::ModalDriver d3(answer(&seen, true));
  d3.start();
  QVERIFY(TKvQtQueryFileDirDlg::Execute("Where?", "/p", &path));
  QCOMPARE(path.str(), std::string("/p"));

  std::string folder = "/f \xc3\xa4";
  kvtest::ModalDriver d4(answer(&seen, true, "/g"));
  d4.start();
  QVERIFY(TKvQtQueryFileDirDlg::ExecuteEx("Text", "Caption", folder));
  QCOMPARE(seen.title, QStringLiteral("Caption"));
  QCOMPARE(seen.folder, QString::fromUtf8("/f \xc3\xa4"));
  QCOMPARE(folder, std::string("/g"));

  TKvPath tp("/tp");
  kvtest::ModalDriver d5(answer(&seen, true, "/tq"));
  d5.start();
  QVERIFY(TKvQtQueryFileDirDlg::ExecuteEx("Text", "Caption", tp));
  QCOMPARE(seen.folder, QStringLiteral("/tp"));
  QCOMPARE(tp.str(), std::string("/tq"));
}

void TstQueryFileDirDlg::cancelLeavesValues() {
  Seen seen;
  std::string s = "keep";
  TKvPath p("/keep");
  std::string f = "/kf";
  TKvPath tp("/ktp");
  for (int i = 0; i < 4; ++i) {
    kvtest::ModalDriver d(answer(&seen, false, "/changed"));
    d.start();
    bool r = true;
    switch (i) {
    case 0: r = TKvQtQueryFileDirDlg::Execute("t", "/x", &s); break;
    case 1: r = TKvQtQueryFileDirDlg::Execute("t", "/x", &p); break;
    case 2: r = TKvQtQueryFileDirDlg::ExecuteEx("t", "c", f); break;
    default: r = TKvQtQueryFileDirDlg::ExecuteEx("t", "c", tp); break;
    }
    QVERIFY(d.fired());
    QVERIFY(!r);
  }
  QCOMPARE(s, std::string("keep"));
  QCOMPARE(p.str(), std::string("/keep"));
  QCOMPARE(f, std::string("/kf"));
  QCOMPARE(tp.str(), std::string("/ktp"));
}

void TstQueryFileDirDlg::formTexts() {
  TKvQtQueryFileDirDlg dlg("Prompt", "Title", "/d");
  QCOMPARE(dlg.size(), QSize(384, 83));
  QCOMPARE(dlg.windowTitle(), QStringLiteral("Title"));
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
