// The file-system list and tree views: name filters, listing, selection and
// the "Dir not found" failure.

#include "filetestutil.h"

#include "files/tkvqtsystemlistview.h"
#include "files/tkvqtsystemtreeview.h"
#include "module/kvmodule_initializer.h"

#include <QFileSystemModel>

class TstSystemViews : public QObject {
  Q_OBJECT
private Q_SLOTS:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanupTestCase() { Deinit_KvQtCpnt(); }
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void filterInUse_data();
  void filterInUse();
  void listFilesAndSelection();
  void treeDirectories();
};

void TstSystemViews::filterInUse_data() {
  QTest::addColumn<QStringList>("patterns");
  QTest::addColumn<bool>("inUse");
  QTest::newRow("none") << QStringList() << false;
  QTest::newRow("only *") << QStringList{"*"} << false;
  QTest::newRow("*.tif") << QStringList{"*.tif"} << true;
  QTest::newRow("* among two") << QStringList{"*", "*.tif"} << true;
}

void TstSystemViews::filterInUse() {
  QFETCH(QStringList, patterns);
  QFETCH(bool, inUse);
  TKvQtSystemListView view(nullptr);
  view.setFilter(patterns);
  QCOMPARE(view.getFilterInUse(), inUse);
}

void TstSystemViews::listFilesAndSelection() {
  const QString dir = kvtest::freshDir("listview");
  const QString a = filetest::touch(dir + "/a.tif");
  filetest::touch(dir + "/b.txt");
  const QString c = filetest::touch(dir + "/c.TIF");
  QDir().mkpath(dir + "/sub.tif");
  TKvQtSystemListView view(nullptr);
  QCOMPARE(view.selectionMode(), QAbstractItemView::ExtendedSelection);
  view.setFilter({"*.tif"});
  view.setRootPath(dir);
  // Files only, non-matching names hidden (not greyed).
  QTRY_COMPARE(view.getItemCount(), 2);
  QVERIFY(view.getCurrentFile().isEmpty());

  view.select(QItemSelectionModel::Select);
  string_vector out{"kept"};
  view.getSelectedFiles(&out);
  std::sort(out.begin() + 1, out.end());
  QCOMPARE(out, (string_vector{"kept", QtToKvStr(a), QtToKvStr(c)}));
  view.getSelectedFiles(nullptr);
  QVERIFY(view.getCurrentFile() == a || view.getCurrentFile() == c);
  QCOMPARE(view.getFileName(view.fileSystemModel()->index(a)), a);
  view.select(QItemSelectionModel::Deselect);
  QVERIFY(view.getCurrentFile().isEmpty());
}

void TstSystemViews::treeDirectories() {
  const QString dir = kvtest::freshDir("treeview");
  QDir().mkpath(dir + "/x/y");
  filetest::touch(dir + "/x/file.txt");
  TKvQtSystemTreeView view(nullptr);
  QVERIFY(view.getSelectedDir().isEmpty());
  view.setDirectory(dir + "/x/y");
  QCOMPARE(view.getSelectedDir(), dir + "/x/y");
  for (const QString& bad : {dir + "/missing", QString()}) {
    bool thrown = false;
    try {
      view.setDirectory(bad);
    } catch (const char* e) {
      thrown = QString(e) == "Dir not found";
    }
    QVERIFY(thrown);
    QCOMPARE(view.getSelectedDir(), dir + "/x/y");
  }
  // Folders only.
  const QModelIndex x = view.fileSystemModel()->index(dir + "/x");
  view.fileSystemModel()->fetchMore(x);
  QTRY_COMPARE(view.fileSystemModel()->rowCount(x), 1);
}

QTEST_MAIN(TstSystemViews)
#include "tst_systemviews.moc"
