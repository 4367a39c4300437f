// The multi-file table: rows and filesChanged, removal, filters and their
// dialog numbers, the row and add buttons, drops.

#include "filetestutil.h"

#include "files/tkvqmultifileopenedit.h"
#include "module/kvmodule_initializer.h"

#include "kvsuite/kvconfig.h"

#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QThreadPool>
#include <QToolButton>

#include <memory>

using filetest::DialogSeen;
using filetest::withFileDialog;

namespace {

const QString kTxtAll = "Text files (*.txt)|*.txt|All files (*)|*";

QToolButton* rowButton(TKvQMultiFileOpenEdit& e, int row) {
  return qobject_cast<QToolButton*>(e.table()->cellWidget(row, 1));
}

QStringList lastEmitted(const QSignalSpy& spy) { return spy.last().at(0).toStringList(); }

// Drags `urls` over the table and drops them; "enter" or "drop" tells which
// step refused, "" that both were accepted.
QString dropUrls(TKvQMultiFileOpenEdit& e, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(e.table()->viewport(), &enter);
  if (!enter.isAccepted())
    return "enter";
  QDropEvent drop(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(e.table()->viewport(), &drop);
  return drop.isAccepted() ? "" : "drop";
}

} // namespace

class TstMultiFileEdit : public QObject {
  Q_OBJECT
private Q_SLOTS:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanupTestCase() { Deinit_KvQtCpnt(); }
  void init() { GlobalOT(1)->SetS<std::string>("last_dir_path", ""); }
  void cleanup() {
    QCOMPARE(kvtest::closeStrayModals(), 0);
    KV_VERIFY_NO_TOPLEVELS();
  }

  void rowsAndSignals();
  void removal();
  void filterIndexes_data();
  void filterIndexes();
  void rowButtonAndAddButton();
  void drops();
  void dropFromBigFolder();
};

void TstMultiFileEdit::rowsAndSignals() {
  TKvQMultiFileOpenEdit e(nullptr, QString(), {"/a.txt"}, {}, -1);
  QSignalSpy spy(&e, &TKvQMultiFileOpenEdit::filesChanged);
  e.setFiles(std::vector<std::string>{"/b.txt", "", "/c \xc3\xa4.txt"});
  QCOMPARE(spy.count(), 3); // cleared, then one per non-empty name
  QCOMPARE(spy.at(0).at(0).toStringList(), QStringList());
  QCOMPARE(e.getFiles(), (std::vector<std::string>{"/b.txt", "/c \xc3\xa4.txt"}));
  spy.clear();
  e.addFiles({"", "/d.txt"});
  e.addFile(QString());
  QCOMPARE(spy.count(), 1);
  // insertRow takes an empty name and hatches it.
  e.insertRow(1, QString());
  QCOMPARE(lastEmitted(spy), (QStringList{"/b.txt", "", QString::fromUtf8("/c \xc3\xa4.txt"), "/d.txt"}));
  QCOMPARE(e.table()->item(1, 0)->background().style(), Qt::Dense6Pattern);
  QCOMPARE(e.table()->item(2, 0)->background().style(), Qt::NoBrush);
  QVERIFY(rowButton(e, 1));
}

void TstMultiFileEdit::removal() {
  TKvQMultiFileOpenEdit e(nullptr, QString(), {"/0", "/1", "/2", "/3", "/4"}, {}, -1);
  QSignalSpy spy(&e, &TKvQMultiFileOpenEdit::filesChanged);
  e.removeSelected(); // nothing selected: one emission, nothing removed
  QCOMPARE(lastEmitted(spy), (QStringList{"/0", "/1", "/2", "/3", "/4"}));
  e.table()->setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 1), true);
  e.table()->setRangeSelected(QTableWidgetSelectionRange(4, 0, 4, 1), true);
  e.removeButton()->click();
  QCOMPARE(spy.count(), 2);
  QCOMPARE(lastEmitted(spy), (QStringList{"/0", "/3"}));
  e.removeAllFiles();
  QCOMPARE(e.table()->rowCount(), 0);
  QCOMPARE(spy.count(), 2);
}

void TstMultiFileEdit::filterIndexes_data() {
  QTest::addColumn<int>("idx");
  QTest::addColumn<QString>("startsOn");
  QTest::addColumn<QString>("pick");
  QTest::addColumn<int>("idxAfter");
  QTest::newRow("name entry") << 2 << "All files (*)" << "" << 2;
  QTest::newRow("pattern entry names the same filter") << 3 << "All files (*)" << "" << 2;
  QTest::newRow("user picks the first") << 3 << "All files (*)" << "Text files (*.txt)" << 0;
  QTest::newRow("first pattern") << 1 << "Text files (*.txt)" << "All files (*)" << 2;
}

void TstMultiFileEdit::filterIndexes() {
  QFETCH(int, idx);
  QFETCH(QString, pick);
  const QString file = filetest::touch(kvtest::freshDir("mfilter") + "/a.txt");
  TKvQMultiFileOpenEdit e(nullptr, QString(), {}, {}, -1);
  e.setFilter(kTxtAll + "||");
  e.setCurrentFilterIdx(99);
  QCOMPARE(e.getCurrentFilterIdx(), 3);
  e.setCurrentFilterIdx(idx);
  DialogSeen seen;
  QVERIFY(withFileDialog({{file}, pick, false}, &seen, [&] { e.addButton()->click(); }));
  QTEST(seen.selectedFilter, "startsOn");
  QTEST(e.getCurrentFilterIdx(), "idxAfter");
  QCOMPARE(e.getFilesQt(), QStringList{file});
  // Wildcard matching over names and patterns alike.
  e.setFilterIdxFromString("/x/y.TXT");
  QCOMPARE(e.getCurrentFilterIdx(), 1);
  e.setFilter(QString());
  QCOMPARE(e.getCurrentFilterIdx(), -1);
  // The constructor applies its filter parts and index.
  TKvQMultiFileOpenEdit c(nullptr, QString(), {}, kTxtAll.split('|'), 7);
  QCOMPARE(QString::fromStdString(c.getFilterStr()), kTxtAll);
  QCOMPARE(c.getCurrentFilterIdx(), 3);
}

void TstMultiFileEdit::rowButtonAndAddButton() {
  const QString dir = kvtest::freshDir("mrow");
  const QString a = filetest::touch(dir + "/a.tif");
  const QString b = filetest::touch(dir + "/sub/b.tif");
  const QString c = filetest::touch(dir + "/c.tif");
  GlobalOT(1)->SetS<std::string>("last_dir_path", QtToKvStr(dir + "/sub"));
  TKvQMultiFileOpenEdit e(nullptr, "Pick one", {}, {}, -1);
  QSignalSpy spy(&e, &TKvQMultiFileOpenEdit::filesChanged);
  DialogSeen seen;
  // An empty table starts in the remembered folder.
  QVERIFY(withFileDialog({{b}, {}, false}, &seen, [&] { e.appendRow(); }));
  QCOMPARE(seen.title, QStringLiteral("Pick one"));
  QCOMPARE(seen.directory, dir + "/sub");
  QCOMPARE(spy.count(), 1);
  // The row's button replaces the file without filesChanged; a cancel keeps it.
  QVERIFY(withFileDialog({{a}, {}, false}, &seen, [&] { Q_EMIT rowButton(e, 0)->pressed(); }));
  QCOMPARE(e.getFilesQt(), QStringList{a});
  QVERIFY(withFileDialog({{}, {}, true}, nullptr, [&] { Q_EMIT rowButton(e, 0)->pressed(); }));
  QCOMPARE(e.getFilesQt(), QStringList{a});
  QCOMPARE(spy.count(), 1);
  // The add button takes several files, one emission each, from the current folder.
  e.setFiles(QStringList{dir + "/x.tif"});
  spy.clear();
  QVERIFY(withFileDialog({{a, c}, {}, false}, &seen, [&] { e.addButton()->click(); }));
  QCOMPARE(seen.directory, dir);
  QCOMPARE(seen.fileMode, QFileDialog::ExistingFiles);
  QCOMPARE(e.getFilesQt(), (QStringList{dir + "/x.tif", a, c}));
  QCOMPARE(spy.count(), 2);
  QVERIFY(withFileDialog({{}, {}, true}, nullptr, [&] { e.addButton()->click(); }));
  QCOMPARE(spy.count(), 2);

  // The rows, or the whole edit, may go while a dialog is open: the choice
  // then lands nowhere (the sanitizer build catches a write to a dead row).
  kvtest::ModalDriver replace([&](QWidget* w) {
    e.setFiles(QStringList{c});
    filetest::answerFileDialog(w, {{a}, {}, false}, nullptr);
  });
  replace.start();
  Q_EMIT rowButton(e, 2)->pressed();
  QVERIFY(replace.fired());
  QCOMPARE(e.getFilesQt(), QStringList{c});
  auto* gone = new TKvQMultiFileOpenEdit(nullptr, QString(), {}, {}, -1);
  kvtest::ModalDriver remove([&](QWidget* w) {
    delete gone;
    filetest::answerFileDialog(w, {{a}, {}, false}, nullptr);
  });
  remove.start();
  gone->browseMultiple();
  QVERIFY(remove.fired());
}

void TstMultiFileEdit::drops() {
  const QString dir = kvtest::freshDir("mdrop");
  const QString a = filetest::touch(dir + "/a.tif");
  const QString b = filetest::touch(dir + "/b.tif");
  const QString c = filetest::touch(dir + "/c.tif");
  QDir().mkpath(dir + "/folder");
  const QUrl folder = QUrl::fromLocalFile(dir + "/folder"), remote("http://example.org/x.tif");
  TKvQMultiFileOpenEdit e(nullptr, QString(), {b}, {}, -1);
  QSignalSpy spy(&e, &TKvQMultiFileOpenEdit::filesChanged);
  const QList<QUrl> urls{QUrl::fromLocalFile(c), QUrl::fromLocalFile(b), folder, remote, QUrl::fromLocalFile(a),
                         QUrl::fromLocalFile(c)};
  QCOMPARE(dropUrls(e, urls), QString());
  // The rows come at once; the folder goes when the check answers.
  QCOMPARE(e.getFilesQt(), (QStringList{b, c, dir + "/folder", a}));
  QCOMPARE(spy.count(), 1);
  QTRY_VERIFY(!e.dropCheckPending());
  QCOMPARE(e.getFilesQt(), (QStringList{b, c, a}));
  QCOMPARE(lastEmitted(spy), (QStringList{b, c, a}));
  QCOMPARE(spy.count(), 2);
  QCOMPARE(dropUrls(e, urls.mid(0, 2)), QString("drop")); // nothing new: refused, nothing emitted
  QCOMPARE(dropUrls(e, {folder, remote}), QString("enter"));
  QCOMPARE(spy.count(), 2);

  // An answer for rows replaced meanwhile takes nothing out of the new ones.
  const QString d = filetest::touch(dir + "/d.tif");
  QCOMPARE(dropUrls(e, {QUrl::fromLocalFile(d), folder}), QString());
  e.setFiles(QStringList{folder.toLocalFile()});
  QTRY_VERIFY(!e.dropCheckPending());
  QCOMPARE(e.getFilesQt(), QStringList{folder.toLocalFile()});
}

// Many files of one folder are sorted out from one listing of it: files
// and links to files are taken, folders, links to folders and missing
// names are not. The edit goes away before the second answer comes.
void TstMultiFileEdit::dropFromBigFolder() {
  const QString dir = kvtest::freshDir("mbig");
  QList<QUrl> urls;
  QStringList expected;
  for (int i = 0; i < 40; ++i) {
    expected << filetest::touch(dir + QString("/f%1.tif").arg(i));
    urls << QUrl::fromLocalFile(expected.last());
  }
  QDir().mkpath(dir + "/sub");
  QFile::link(dir + "/f0.tif", dir + "/filelink.tif");
  QFile::link(dir + "/sub", dir + "/dirlink");
  for (const char* name : {"sub", "filelink.tif", "dirlink", "missing.tif"})
    urls << QUrl::fromLocalFile(dir + "/" + name);
  expected << dir + "/filelink.tif";
  {
    TKvQMultiFileOpenEdit e(nullptr, QString(), {}, {}, -1);
    QCOMPARE(dropUrls(e, urls), QString());
    QTRY_VERIFY(!e.dropCheckPending());
    QCOMPARE(e.getFilesQt(), expected);
    QCOMPARE(dropUrls(e, {QUrl::fromLocalFile(dir + "/sub/")}), QString("enter"));
  }
  {
    auto gone = std::make_unique<TKvQMultiFileOpenEdit>(nullptr, QString(), QStringList(), QStringList(), -1);
    QCOMPARE(dropUrls(*gone, urls), QString());
    gone.reset();
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents(); // the answer finds no edit
  }
}

QTEST_MAIN(TstMultiFileEdit)
#include "tst_multifileedit.moc"
