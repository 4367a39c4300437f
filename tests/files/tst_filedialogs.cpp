// The file and folder choosers (filter grammar, filter numbers in and out,
// default extension on save, starting folders, the remembered last folder),
// the folder query dialog, and the file-system list and tree views.

#include "filetestutil.h"

#include "dialogs/tkvqtqueryfiledirdlg.h"
#include "files/kvqtfiledialogs.h"
#include "files/tkvqdiredit.h"
#include "files/tkvqtfilefilter.h"
#include "files/tkvqtsystemlistview.h"
#include "files/tkvqtsystemtreeview.h"
#include "module/kvmodule_initializer.h"

#include "kvsuite/kvconfig.h"

#include <QFileSystemModel>
#include <QPushButton>

using filetest::DialogSeen;
using filetest::withFileDialog;

namespace {

const char* const kTxtAll = "Text files (*.txt)|*.txt|All files (*)|*";

std::string lastDir() { return GlobalOT(1)->GetS<std::string>("last_dir_path"); }
void setLastDir(const QString& dir) { GlobalOT(1)->SetS<std::string>("last_dir_path", QtToKvStr(dir)); }

} // namespace

class TstFileDialogs : public QObject {
  Q_OBJECT
private Q_SLOTS:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanupTestCase() { Deinit_KvQtCpnt(); }
  void init() { setLastDir(QString()); }
  void cleanup() {
    QCOMPARE(kvtest::closeStrayModals(), 0);
    KV_VERIFY_NO_TOPLEVELS();
  }

  void filterGrammar_data();
  void filterGrammar();
  void openFilterNumbers_data();
  void openFilterNumbers();
  void saveDefaultExtension_data();
  void saveDefaultExtension();
  void startingFolders();
  void openManyAndFolder();
  void manyRealFormats();
  void queryFolder_data();
  void queryFolder();
  void systemViews_data();
  void systemViews();
};

void TstFileDialogs::filterGrammar_data() {
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QStringList>("names");
  QTest::addColumn<QStringList>("exts"); // default extension of each name
  QTest::newRow("pairs") << kTxtAll << QStringList{"Text files (*.txt)", "All files (*)"} << QStringList{".txt", ""};
  QTest::newRow("empty string") << "" << QStringList{""} << QStringList{""};
  QTest::newRow("odd parts: last name has no pattern")
      << "A (*.a)|*.a|B (*.b)" << QStringList{"A (*.a)", "B (*.b)"} << QStringList{".a", ""};
  QTest::newRow("trailing bar") << "A (*.a)|*.a|" << QStringList{"A (*.a)", ""} << QStringList{".a", ""};
  QTest::newRow("empty parts kept") << "||A|*.a;*.b" << QStringList{"", "A"} << QStringList{"", ".a"};
  QTest::newRow("first pattern wins, double extension") << "T (*.txt)|*.tar.gz;*.txt|U|*.asc"
                                                         << QStringList{"T (*.txt)", "U"} << QStringList{".tar.gz", ".asc"};
  QTest::newRow("no real extension") << "M|Makefile|Q|*.t?t|S|*. x|E|;*.a"
                                     << QStringList{"M", "Q", "S", "E"} << QStringList{"", "", "", ""};
}

void TstFileDialogs::filterGrammar() {
  QFETCH(QString, filter);
  QFETCH(QStringList, names);
  QFETCH(QStringList, exts);
  const TKvQtFileFilter f(filter);
  QCOMPARE(f.qtFilter(), names.join(";;"));
  for (int i = 0; i < names.size(); ++i) {
    QCOMPARE(f.defaultExt(static_cast<unsigned long>(i + 1)), exts.at(i));
    QCOMPARE(f.nameOf(static_cast<unsigned long>(i + 1)), names.at(i));
  }
}

void TstFileDialogs::openFilterNumbers_data() {
  QTest::addColumn<int>("idxIn");
  QTest::addColumn<QString>("pick");     // filter the user picks; empty: leave it
  QTest::addColumn<bool>("cancel");
  QTest::addColumn<QString>("startsOn"); // filter the dialog shows first
  QTest::addColumn<int>("idxOut");
  QTest::newRow("starts on 2, user picks 1") << 2 << "Text files (*.txt)" << false << "All files (*)" << 1;
  QTest::newRow("0 selects nothing, accepted") << 0 << "" << false << "Text files (*.txt)" << 1;
  QTest::newRow("too large selects nothing") << 9 << "" << false << "Text files (*.txt)" << 1;
  QTest::newRow("cancel without preselection") << 0 << "" << true << "Text files (*.txt)" << 0;
  QTest::newRow("cancel keeps preselection") << 2 << "" << true << "All files (*)" << 2;
}

void TstFileDialogs::openFilterNumbers() {
  QFETCH(int, idxIn);
  QFETCH(QString, pick);
  QFETCH(bool, cancel);
  const QString dir = kvtest::freshDir("open");
  const QString file = filetest::touch(dir + "/b.txt");
  DialogSeen seen;
  unsigned long out = 77;
  QString result;
  QVERIFY(withFileDialog({{file}, pick, cancel}, &seen, [&] {
    result = KvQtGetOpenFileName(QStringLiteral("Pick"), TGetOpenFileNameOptions(kTxtAll, false, idxIn, ""), &out);
  }));
  QCOMPARE(seen.title, QStringLiteral("Pick"));
  QTEST(seen.selectedFilter, "startsOn");
  QCOMPARE(seen.fileMode, QFileDialog::ExistingFile);
  QTEST(int(out), "idxOut");
  QCOMPARE(result, cancel ? QString() : file);
  QCOMPARE(lastDir(), cancel ? std::string() : QtToKvStr(dir + "/"));
}

void TstFileDialogs::saveDefaultExtension_data() {
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QString>("typed"); // empty: cancel
  QTest::addColumn<bool>("withOut");
  QTest::addColumn<QString>("expected");
  const QString txtAsc = "Text (*.txt *.asc)|*.txt;*.asc|All (*)|*";
  QTest::newRow("no extension gets the first one") << txtAsc << "report" << true << "report.txt";
  QTest::newRow("own extension kept") << txtAsc << "report.dat" << true << "report.dat";
  QTest::newRow("null out-pointer appends nothing") << txtAsc << "report" << false << "report";
  QTest::newRow("pattern * appends nothing") << "All (*)|*" << "report" << true << "report";
  QTest::newRow("cancelled keeps the remembered folder") << txtAsc << "" << true << "";
}

void TstFileDialogs::saveDefaultExtension() {
  QFETCH(QString, filter);
  QFETCH(QString, typed);
  QFETCH(bool, withOut);
  QFETCH(QString, expected);
  const QString dir = kvtest::freshDir("save");
  setLastDir("/kept/");
  unsigned long out = 5;
  QString result = "x";
  QVERIFY(withFileDialog({{dir + "/" + typed}, {}, typed.isEmpty()}, nullptr, [&] {
    result = KvQtGetSaveFileName(QStringLiteral("Save"), TGetOpenFileNameOptions(QtToKvStr(filter), false, 1, ""),
                                 withOut ? &out : nullptr);
  }));
  QCOMPARE(result, typed.isEmpty() ? QString() : dir + "/" + expected);
  QCOMPARE(int(out), withOut ? 1 : 5);
  QCOMPARE(lastDir(), QtToKvStr(typed.isEmpty() ? "/kept/" : dir + "/"));
}

void TstFileDialogs::startingFolders() {
  const QString dir = kvtest::freshDir("start");
  const QString file = filetest::touch(dir + "/sub/pre.txt");
  const QString other = kvtest::freshDir("start_last");
  setLastDir(other);
  const TGetOpenFileNameOptions withFile("", false, 0, QtToKvStr(file));
  const TGetOpenFileNameOptions empty("", false, 0, "");
  DialogSeen seen;
  // A file name opens its folder; the save form gets it preselected.
  QVERIFY(withFileDialog({{}, {}, true}, &seen, [&] { KvQtGetOpenFileName(QString(), withFile, nullptr); }));
  QCOMPARE(seen.directory, dir + "/sub");
  QVERIFY(withFileDialog({{}, {}, true}, &seen, [&] { KvQtGetSaveFileName(QString(), withFile, nullptr); }));
  QCOMPARE(seen.selectedFiles, QStringList{file});
  // No starting location: the remembered folder, for every kind.
  QVERIFY(withFileDialog({{}, {}, true}, &seen, [&] { KvQtGetOpenFileNames(QString(), empty, nullptr); }));
  QCOMPARE(seen.directory, other);
  QVERIFY(withFileDialog({{}, {}, true}, &seen, [&] { KvQtGetSaveFileName(QString(), empty, nullptr); }));
  QCOMPARE(seen.directory, other);
  QVERIFY(withFileDialog({{}, {}, true}, &seen, [&] { KvQtSelectFolderEx(QString(), QString()); }));
  QCOMPARE(seen.directory, other);
}

void TstFileDialogs::openManyAndFolder() {
  const QString dir = kvtest::freshDir("many");
  const QString a = filetest::touch(dir + "/a.tif");
  const QString b = filetest::touch(dir + "/b.tif");
  std::vector<std::string> files;
  DialogSeen seen;
  QVERIFY(withFileDialog({{a, b}, {}, false}, &seen, [&] {
    files = KvQtGetOpenFileNames(std::string("Viele \xc3\xa4"),
                                 TGetOpenFileNameOptions("Images (*.tif)|*.tif", true, 1, QtToKvStr(dir)), nullptr);
  }));
  QCOMPARE(seen.title, QString::fromUtf8("Viele \xc3\xa4"));
  QCOMPARE(files, (std::vector<std::string>{QtToKvStr(a), QtToKvStr(b)}));
  QCOMPARE(lastDir(), QtToKvStr(dir + "/"));

  QDir().mkpath(dir + "/c");
  std::string folder;
  QVERIFY(withFileDialog({{dir + "/c"}, {}, false}, &seen,
                         [&] { folder = KvQtSelectFolderEx(std::string("Folder"), QtToKvStr(dir)); }));
  QVERIFY(seen.options.testFlag(QFileDialog::ShowDirsOnly));
  QCOMPARE(seen.directory, dir);
  QCOMPARE(folder, QtToKvStr(QDir::toNativeSeparators(dir + "/c")));
  QCOMPARE(lastDir(), folder);
}

// The generated list of real raster and vector formats (test data, one
// "name|patterns" pair per line; see tools/gen_format_filter.py).
void TstFileDialogs::manyRealFormats() {
  QFile data(qEnvironmentVariable("KV_TEST_DATA") + "/data/gdal_formats.filter");
  QVERIFY(data.open(QIODevice::ReadOnly));
  const QString filter = QString::fromUtf8(data.readAll()).trimmed().split('\n').join('|');
  const TKvQtFileFilter parsed(filter);
  const int pick = parsed.names().size() - 3;
  QVERIFY2(pick >= 197, "the generated format list is missing or short");
  const QString file = filetest::touch(kvtest::freshDir("formats") + "/scene.dat");
  DialogSeen seen;
  unsigned long out = 0;
  QVERIFY(withFileDialog({{file}, {}, false}, &seen, [&] {
    KvQtGetOpenFileName(QString(), TGetOpenFileNameOptions(QtToKvStr(filter), false, pick, ""), &out);
  }));
  QCOMPARE(seen.nameFilters.size(), parsed.names().size());
  QCOMPARE(seen.selectedFilter, parsed.nameOf(pick));
  QCOMPARE(int(out), pick);
}

void TstFileDialogs::queryFolder_data() {
  QTest::addColumn<int>("form"); // 0 Execute(string*), 1 Execute(TKvPath*), 2 ExecuteEx(string&), 3 ExecuteEx(TKvPath&)
  QTest::addColumn<bool>("ok");
  for (int form = 0; form < 4; ++form) {
    QTest::addRow("form %d OK", form) << form << true;
    QTest::addRow("form %d cancelled", form) << form << false;
  }
}

void TstFileDialogs::queryFolder() {
  QFETCH(int, form);
  QFETCH(bool, ok);
  QString title, start;
  kvtest::ModalDriver driver([&](QWidget* w) {
    auto* edit = w->findChild<TKvQDirEdit*>("dirEdit");
    title = w->windowTitle();
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
  QCOMPARE(start, QStringLiteral("/start"));
  QCOMPARE(title, form < 2 ? QFileInfo(QCoreApplication::applicationFilePath()).fileName() : QString("Caption"));
  QCOMPARE(form % 2 == 0 ? s : p.str(), std::string(ok ? "/typed dir" : "/start"));
  if (form == 0) { // no variable to write to: answered, not crashed
    kvtest::ModalDriver again([](QWidget* w) { w->findChild<QPushButton*>("btnOK")->click(); });
    again.start();
    QVERIFY(TKvQtQueryFileDirDlg::Execute("t", "/x", static_cast<std::string*>(nullptr)));
    QVERIFY(again.fired());
  }
}

void TstFileDialogs::systemViews_data() {
  QTest::addColumn<QStringList>("patterns");
  QTest::addColumn<QStringList>("listed"); // files the list view selects, sorted
  QTest::addColumn<QString>("treeDir");    // relative; the tree keeps x/y when it is not found
  QTest::addColumn<bool>("found");
  QTest::newRow("no filter, files only") << QStringList() << QStringList{"a.tif", "b.txt", "c.TIF"} << "x" << true;
  QTest::newRow("only * is no filter") << QStringList{"*"} << QStringList{"a.tif", "b.txt", "c.TIF"} << "x/y"
                                       << true;
  QTest::newRow("*.tif, any case") << QStringList{"*.tif"} << QStringList{"a.tif", "c.TIF"} << "missing" << false;
  QTest::newRow("two patterns") << QStringList{"*.txt", "*.nope"} << QStringList{"b.txt"} << "" << false;
}

void TstFileDialogs::systemViews() {
  QFETCH(QStringList, patterns);
  QFETCH(QStringList, listed);
  QFETCH(QString, treeDir);
  QFETCH(bool, found);
  const QString dir = kvtest::freshDir("systemviews");
  for (const char* name : {"a.tif", "b.txt", "c.TIF", "x/file.txt"})
    filetest::touch(dir + "/" + name);
  QDir().mkpath(dir + "/x/y");
  QDir().mkpath(dir + "/sub.tif");

  TKvQtSystemListView list(nullptr);
  QCOMPARE(list.selectionMode(), QAbstractItemView::ExtendedSelection);
  list.setFilter(patterns);
  QCOMPARE(list.getFilterInUse(), patterns.size() > 0 && patterns != QStringList{"*"});
  list.setRootPath(dir);
  // Files only; non-matching names hidden, not greyed.
  QTRY_COMPARE(list.getItemCount(), listed.size());
  QVERIFY(list.getCurrentFile().isEmpty());
  list.select(QItemSelectionModel::Select);
  string_vector out{"kept"};
  list.getSelectedFiles(&out);
  std::sort(out.begin() + 1, out.end());
  string_vector expected{"kept"};
  for (const QString& name : listed)
    expected.push_back(QtToKvStr(dir + "/" + name));
  QCOMPARE(out, expected);
  QVERIFY(listed.contains(QFileInfo(list.getCurrentFile()).fileName()));
  list.select(QItemSelectionModel::Deselect);
  QVERIFY(list.getCurrentFile().isEmpty());

  TKvQtSystemTreeView tree(nullptr);
  QVERIFY(tree.getSelectedDir().isEmpty());
  tree.setDirectory(dir + "/x/y");
  QString error;
  try {
    tree.setDirectory(treeDir.isEmpty() ? QString() : dir + "/" + treeDir);
  } catch (const char* e) {
    error = e;
  }
  QCOMPARE(error, found ? QString() : QStringLiteral("Dir not found"));
  QCOMPARE(tree.getSelectedDir(), dir + "/" + (found ? treeDir : QStringLiteral("x/y")));
  // Folders only.
  const QModelIndex x = tree.fileSystemModel()->index(dir + "/x");
  tree.fileSystemModel()->fetchMore(x);
  QTRY_COMPARE(tree.fileSystemModel()->rowCount(x), 1);
}

QTEST_MAIN(TstFileDialogs)
#include "tst_filedialogs.moc"
