// The file and folder choosers: filter grammar, filter numbers in and out,
// default extension on save, starting folders and the remembered last folder.

#include "filetestutil.h"

#include "files/kvqtfiledialogs.h"
#include "files/tkvqtfilefilter.h"
#include "module/kvmodule_initializer.h"

#include "kvsuite/kvconfig.h"

using filetest::DialogSeen;
using filetest::FileDialogAnswer;
using filetest::withFileDialog;

namespace {

const char* const kTxtAll = "Text files (*.txt)|*.txt|All files (*)|*";

std::string lastDir() { return GlobalOT(1)->GetS<std::string>("last_dir_path"); }

// The generated list of real raster and vector formats (test data, one
// "name|patterns" pair per line; see tools/gen_format_filter.py).
QString formatsFilter() {
  QFile f(qEnvironmentVariable("KV_TEST_DATA") + "/data/gdal_formats.filter");
  if (!f.open(QIODevice::ReadOnly))
    return QString();
  return QString::fromUtf8(f.readAll()).trimmed().split('\n').join('|');
}

} // namespace

class TstFileDialogs : public QObject {
  Q_OBJECT
private Q_SLOTS:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanupTestCase() { Deinit_KvQtCpnt(); }
  void init() { GlobalOT(1)->SetS<std::string>("last_dir_path", ""); }
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
  void saveCancelledKeepsLastDir();
  void startingFolders();
  void openManyAndStdForms();
  void selectFolder();
  void manyRealFormats();
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
  QCOMPARE(f.names(), names);
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
  QFETCH(QString, startsOn);
  QFETCH(int, idxOut);
  const QString dir = kvtest::freshDir("open");
  const QString file = filetest::touch(dir + "/b.txt");
  DialogSeen seen;
  unsigned long out = 77;
  QString result;
  QVERIFY(withFileDialog({{file}, pick, cancel}, &seen, [&] {
    result = KvQtGetOpenFileName(QStringLiteral("Pick"), TGetOpenFileNameOptions(kTxtAll, false, idxIn, ""), &out);
  }));
  QCOMPARE(seen.title, QStringLiteral("Pick"));
  QCOMPARE(seen.nameFilters, (QStringList{"Text files (*.txt)", "All files (*)"}));
  QCOMPARE(seen.selectedFilter, startsOn);
  QCOMPARE(seen.fileMode, QFileDialog::ExistingFile);
  QCOMPARE(int(out), idxOut);
  QCOMPARE(result, cancel ? QString() : file);
  QCOMPARE(lastDir(), cancel ? std::string() : QtToKvStr(dir + "/"));
}

void TstFileDialogs::saveDefaultExtension_data() {
  QTest::addColumn<QString>("filter");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("withOut");
  QTest::addColumn<QString>("expected");
  const QString txtAsc = "Text (*.txt *.asc)|*.txt;*.asc|All (*)|*";
  QTest::newRow("no extension gets the first one") << txtAsc << "report" << true << "report.txt";
  QTest::newRow("own extension kept") << txtAsc << "report.dat" << true << "report.dat";
  QTest::newRow("null out-pointer appends nothing") << txtAsc << "report" << false << "report";
  QTest::newRow("pattern * appends nothing") << "All (*)|*" << "report" << true << "report";
}

void TstFileDialogs::saveDefaultExtension() {
  QFETCH(QString, filter);
  QFETCH(QString, typed);
  QFETCH(bool, withOut);
  QFETCH(QString, expected);
  const QString dir = kvtest::freshDir("save");
  unsigned long out = 0;
  QString result;
  QVERIFY(withFileDialog({{dir + "/" + typed}, {}, false}, nullptr, [&] {
    result = KvQtGetSaveFileName(QStringLiteral("Save"), TGetOpenFileNameOptions(QtToKvStr(filter), false, 1, ""),
                                 withOut ? &out : nullptr);
  }));
  QCOMPARE(result, dir + "/" + expected);
  if (withOut)
    QCOMPARE(int(out), 1);
  QCOMPARE(lastDir(), QtToKvStr(dir + "/"));
}

void TstFileDialogs::saveCancelledKeepsLastDir() {
  GlobalOT(1)->SetS<std::string>("last_dir_path", "/kept/");
  unsigned long out = 5;
  QString result = QStringLiteral("x");
  QVERIFY(withFileDialog({{}, {}, true}, nullptr, [&] {
    result = KvQtGetSaveFileName(QStringLiteral("Save"), TGetOpenFileNameOptions(kTxtAll, false, 2, ""), &out);
  }));
  QVERIFY(result.isEmpty());
  QCOMPARE(int(out), 2);
  QCOMPARE(lastDir(), std::string("/kept/"));
}

void TstFileDialogs::startingFolders() {
  const QString dir = kvtest::freshDir("start");
  const QString file = filetest::touch(dir + "/sub/pre.txt");
  const QString other = kvtest::freshDir("start_last");
  GlobalOT(1)->SetS<std::string>("last_dir_path", QtToKvStr(other));
  const TGetOpenFileNameOptions withFile("", false, 0, QtToKvStr(file));
  const TGetOpenFileNameOptions empty("", false, 0, "");
  DialogSeen seen;
  // A file name opens its folder; the multiple-file and save forms get it
  // unchanged, so the file is preselected there.
  QVERIFY(withFileDialog({{}, {}, true}, &seen, [&] { KvQtGetOpenFileName(QString(), withFile, nullptr); }));
  QCOMPARE(seen.directory, dir + "/sub");
  QVERIFY(withFileDialog({{}, {}, true}, &seen, [&] { KvQtGetSaveFileName(QString(), withFile, nullptr); }));
  QCOMPARE(seen.directory, dir + "/sub");
  QCOMPARE(seen.selectedFiles, QStringList{file});
  // No starting location: the remembered folder, for every kind.
  QVERIFY(withFileDialog({{}, {}, true}, &seen, [&] { KvQtGetOpenFileNames(QString(), empty, nullptr); }));
  QCOMPARE(seen.directory, other);
  QVERIFY(withFileDialog({{}, {}, true}, &seen, [&] { KvQtGetSaveFileName(QString(), empty, nullptr); }));
  QCOMPARE(seen.directory, other);
  QVERIFY(withFileDialog({{}, {}, true}, &seen, [&] { KvQtSelectFolderEx(QString(), QString()); }));
  QCOMPARE(seen.directory, other);
}

void TstFileDialogs::openManyAndStdForms() {
  const QString dir = kvtest::freshDir("many");
  const QString a = filetest::touch(dir + "/a.tif");
  const QString b = filetest::touch(dir + "/b.tif");
  unsigned long out = 0;
  std::vector<std::string> files;
  DialogSeen seen;
  QVERIFY(withFileDialog({{a, b}, {}, false}, &seen, [&] {
    files = KvQtGetOpenFileNames(std::string("Viele \xc3\xa4"),
                                 TGetOpenFileNameOptions("Images (*.tif)|*.tif", true, 1, QtToKvStr(dir)), &out);
  }));
  QCOMPARE(seen.title, QString::fromUtf8("Viele \xc3\xa4"));
  QCOMPARE(seen.fileMode, QFileDialog::ExistingFiles);
  QCOMPARE(files, (std::vector<std::string>{QtToKvStr(a), QtToKvStr(b)}));
  QCOMPARE(int(out), 1);
  QCOMPARE(lastDir(), QtToKvStr(dir + "/"));
}

void TstFileDialogs::selectFolder() {
  const QString dir = kvtest::freshDir("folder");
  QDir().mkpath(dir + "/c");
  DialogSeen seen;
  std::string result;
  QVERIFY(withFileDialog({{dir + "/c"}, {}, false}, &seen, [&] {
    result = KvQtSelectFolderEx(std::string("Folder"), QtToKvStr(dir));
  }));
  QVERIFY(seen.options.testFlag(QFileDialog::ShowDirsOnly));
  QCOMPARE(seen.directory, dir);
  QCOMPARE(result, QtToKvStr(QDir::toNativeSeparators(dir + "/c")));
  QCOMPARE(lastDir(), result);
}

void TstFileDialogs::manyRealFormats() {
  const QString filter = formatsFilter();
  const TKvQtFileFilter parsed(filter);
  QVERIFY2(parsed.names().size() >= 200, "the generated format list is missing or short");
  const int pick = parsed.names().size() - 3;
  const QString dir = kvtest::freshDir("formats");
  const QString file = filetest::touch(dir + "/scene.dat");
  DialogSeen seen;
  unsigned long out = 0;
  QString result;
  QVERIFY(withFileDialog({{file}, {}, false}, &seen, [&] {
    result = KvQtGetOpenFileName(QStringLiteral("Formats"),
                                 TGetOpenFileNameOptions(QtToKvStr(filter), false, pick, ""), &out);
  }));
  QCOMPARE(seen.nameFilters.size(), parsed.names().size());
  QCOMPARE(seen.selectedFilter, parsed.nameOf(pick));
  QCOMPARE(int(out), pick);
  QCOMPARE(result, file);
}

QTEST_MAIN(TstFileDialogs)
#include "tst_filedialogs.moc"
