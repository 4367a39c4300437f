// The folder, open-file and save-file edits: browse signals and their in/out
// path, filter index tracking, overwrite confirmation, drops from a file
// manager.

#include "filetestutil.h"

#include "files/kvqtfiledialogs.h"
#include "files/tkvqdiredit.h"
#include "files/tkvqfileopenedit.h"
#include "files/tkvqfilesaveedit.h"
#include "module/kvmodule_initializer.h"

#include "kvsuite/kvconfig.h"

#include <QCompleter>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QSignalSpy>
#include <QToolButton>

#include <memory>

using filetest::DialogSeen;
using filetest::FileDialogAnswer;
using filetest::withFileDialog;

namespace {

const QString kTxtTif = "Text files (*.txt)|*.txt|Images (*.tif)|*.tif";

// Records the edit's signals as one string, e.g. "started(/a) ended(/b) changed(/b)".
struct SignalLog {
  QString text;
  void attach(TKvAbstractQFileDirEdit* e) {
    QObject::connect(e, &TKvAbstractQFileDirEdit::browseStarted, e, [this](QString* p) { text += "started(" + *p + ") "; });
    QObject::connect(e, &TKvAbstractQFileDirEdit::browseEnded, e, [this](QString* p) { text += "ended(" + *p + ") "; });
    QObject::connect(e, &TKvAbstractQFileDirEdit::pathChanged, e, [this](const QString& p) { text += "changed(" + p + ") "; });
  }
};

// The completions the field offers for `prefix`, once at least `expected`
// have been read (the model reads folders on its own thread).
QStringList completions(QLineEdit* edit, const QString& prefix, int expected) {
  QCompleter* c = edit->completer();
  if (!c)
    return {};
  edit->setText(prefix.chopped(1));
  QTest::keyClicks(edit, prefix.right(1));
  QStringList out;
  for (int round = 0; round < 200; ++round) {
    c->setCompletionPrefix(prefix);
    out.clear();
    for (int i = 0; c->setCurrentRow(i); ++i)
      out << c->currentCompletion();
    if (out.size() >= expected)
      break;
    QTest::qWait(20);
  }
  out.sort();
  return out;
}

// Sends a drag of `urls` over the line edit and drops it; true when accepted.
bool dropUrls(TKvAbstractQFileDirEdit* e, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  QLineEdit* target = e->lineEdit();
  const QPoint pos = target->rect().center();
  QDragEnterEvent enter(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted())
    return false;
  QDropEvent drop(pos, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

} // namespace

class TstPathEdits : public QObject {
  Q_OBJECT
private Q_SLOTS:
  void initTestCase() { Init_KvQtCpnt(); }
  void cleanupTestCase() { Deinit_KvQtCpnt(); }
  void init() { GlobalOT(1)->SetS<std::string>("last_dir_path", ""); }
  void cleanup() {
    QCOMPARE(kvtest::closeStrayModals(), 0);
    KV_VERIFY_NO_TOPLEVELS();
  }

  void filterIndexFollowsTypedPath_data();
  void filterIndexFollowsTypedPath();
  void browseOpenSignalsAndPath();
  void browseEachEdit_data();
  void browseEachEdit();
  void saveOverwrite();
  void drops_data();
  void drops();
  void completion();
  void deletedDuringDialog_data();
  void deletedDuringDialog();
  void deleteWhileFocused_data();
  void deleteWhileFocused();
};

void TstPathEdits::filterIndexFollowsTypedPath_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<int>("idx");
  QTest::newRow("upper-case extension") << "/data/b.TIF" << 1;
  QTest::newRow("first match wins") << "/x.txt.tif" << 0;
  QTest::newRow("no match") << "/data/b.doc" << -1;
  QTest::newRow("quoted") << "\"/data/b.tif\"" << 1;
}

void TstPathEdits::filterIndexFollowsTypedPath() {
  QFETCH(QString, typed);
  QFETCH(int, idx);
  TKvQFileOpenEdit e(nullptr, QString(), QString(), {"*.txt", "*.tif"}, 0);
  QTest::keyClicks(e.lineEdit(), typed);
  QCOMPARE(e.getCurrentFilterIdx(), idx);
}

void TstPathEdits::browseOpenSignalsAndPath() {
  const QString dir = kvtest::freshDir("editopen");
  const QString start = filetest::touch(dir + "/start/s.txt");
  const QString chosen = filetest::touch(dir + "/chosen.tif");
  TKvQFileOpenEdit e(nullptr, "Open it", "\"/nowhere/x.txt\"", {}, -1);
  e.setFilter(kTxtTif);
  SignalLog log;
  log.attach(&e);
  // A receiver moves the start, another rewrites the result.
  connect(&e, &TKvAbstractQFileDirEdit::browseStarted, &e, [&](QString* p) { *p = start; });
  connect(&e, &TKvAbstractQFileDirEdit::browseEnded, &e, [&](QString* p) { *p = p->toUpper(); });
  DialogSeen seen;
  QVERIFY(withFileDialog({{chosen}, "Images (*.tif)", false}, &seen, [&] { e.browseButton()->click(); }));
  QCOMPARE(seen.directory, dir + "/start");
  QCOMPARE(seen.selectedFilter, QStringLiteral("Text files (*.txt)"));
  QCOMPARE(log.text, "started(/nowhere/x.txt) ended(" + chosen + ") changed(" + chosen.toUpper() + ") ");
  QCOMPARE(e.lineEdit()->text(), chosen.toUpper());
  // The dialog reported filter 2, then the path decided: names with a
  // description match only a path holding their literal text.
  QCOMPARE(e.getCurrentFilterIdx(), -1);
  e.setFilter(QStringList{"*.txt", "*.tif"});
  QVERIFY(withFileDialog({{chosen}, {}, false}, nullptr, [&] { e.browse(); }));
  QCOMPARE(e.getCurrentFilterIdx(), 1);
}

void TstPathEdits::browseEachEdit_data() {
  QTest::addColumn<int>("kind"); // 0 folder, 1 open, 2 save
  QTest::addColumn<bool>("cancel");
  for (int kind = 0; kind < 3; ++kind) {
    const char* name[] = {"folder", "open", "save"};
    QTest::addRow("%s edit, chosen", name[kind]) << kind << false;
    QTest::addRow("%s edit, cancelled", name[kind]) << kind << true;
  }
}

// Through the button, with the default caption: a choice replaces the text
// and is announced; a cancel leaves text, filter index and signals alone.
void TstPathEdits::browseEachEdit() {
  QFETCH(int, kind);
  QFETCH(bool, cancel);
  const QString dir = kvtest::freshDir("editeach");
  const QString chosen = kind == 0 ? dir : kind == 1 ? filetest::touch(dir + "/c.tif") : dir + "/new.tif";
  std::unique_ptr<TKvAbstractQFileDirEdit> e;
  if (kind == 0)
    e.reset(new TKvQDirEdit(nullptr));
  else if (kind == 1)
    e.reset(new TKvQFileOpenEdit(nullptr, QString(), QString(), {"*.txt", "*.tif"}, 0));
  else
    e.reset(new TKvQFileSaveEdit(nullptr, QString(), QString(), {"*.txt", "*.tif"}, 0));
  e->lineEdit()->setText("/old.txt");
  SignalLog log;
  log.attach(e.get());
  DialogSeen seen;
  QVERIFY(withFileDialog({{chosen}, "*.tif", cancel}, &seen, [&] { e->browseButton()->click(); }));
  QCOMPARE(seen.title, QString::fromUtf8(KvQtResString("global.KvDirEditDlgTitle").c_str()));
  const QString text = cancel ? "/old.txt" : chosen;
  QCOMPARE(e->lineEdit()->text(), text);
  QCOMPARE(log.text, cancel ? "started(/old.txt) " : "started(/old.txt) ended(" + text + ") changed(" + text + ") ");
  if (kind > 0)
    QCOMPARE(static_cast<TKvAbstractQFileSaveOpenEdit*>(e.get())->getCurrentFilterIdx(), cancel ? 0 : 1);
}

void TstPathEdits::saveOverwrite() {
  const QString dir = kvtest::freshDir("editsave");
  const QString existing = filetest::touch(dir + "/exists.txt");
  TKvQFileSaveEdit e(nullptr, QString(), QString(), {}, -1);
  e.setFilter(kTxtTif);
  QVERIFY(e.confirmOverwrite()); // empty field: nothing to ask
  // Typed name of an existing file: asked; No asks again, Yes is remembered
  // until the edit is finished again.
  e.resetOverwriteConfirmed();
  e.setFile(existing);
  QStringList answers{"No", "Yes"};
  QString question;
  auto ask = [&](bool expected) {
    kvtest::ModalDriver driver([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      QVERIFY(box);
      question = box->text();
      box->button(answers.takeFirst() == "Yes" ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    driver.start();
    QCOMPARE(e.confirmOverwrite(), expected);
    QVERIFY(driver.fired());
  };
  ask(false);
  QVERIFY(question.contains(existing));
  ask(true);
  QVERIFY(e.confirmOverwrite()); // no box: a third one would fail the test
  Q_EMIT e.lineEdit()->editingFinished();
  answers = QStringList{"Yes"};
  ask(true);

  // A name chosen in the save dialog (which asked itself) is not asked about.
  e.resetOverwriteConfirmed();
  QVERIFY(withFileDialog({{dir + "/fresh"}, "Images (*.tif)", false}, nullptr, [&] { e.browse(); }));
  QCOMPARE(QString::fromStdString(e.getFile()), dir + "/fresh.tif");
  filetest::touch(dir + "/fresh.tif");
  QVERIFY(e.confirmOverwrite());
  // A file dropped on the field is the user's choice: asked about.
  QVERIFY(dropUrls(&e, {QUrl::fromLocalFile(existing)}));
  answers = QStringList{"Yes"};
  ask(true);
}

void TstPathEdits::drops_data() {
  QTest::addColumn<bool>("dirEdit");
  QTest::addColumn<QStringList>("dropped"); // relative to a fresh folder; "http:" for a remote URL
  QTest::addColumn<bool>("accepted");
  QTest::newRow("folder on folder edit") << true << QStringList{"d"} << true;
  QTest::newRow("file on folder edit") << true << QStringList{"f.txt"} << false;
  QTest::newRow("file on file edit") << false << QStringList{"f.txt"} << true;
  QTest::newRow("folder on file edit") << false << QStringList{"d"} << false;
  QTest::newRow("two files") << false << QStringList{"f.txt", "g.txt"} << false;
  QTest::newRow("missing file") << false << QStringList{"none.txt"} << false;
  QTest::newRow("remote URL") << false << QStringList{"http:"} << false;
}

void TstPathEdits::drops() {
  QFETCH(bool, dirEdit);
  QFETCH(QStringList, dropped);
  QFETCH(bool, accepted);
  const QString dir = kvtest::freshDir("drops");
  QDir().mkpath(dir + "/d");
  filetest::touch(dir + "/f.txt");
  filetest::touch(dir + "/g.txt");
  std::unique_ptr<TKvAbstractQFileDirEdit> e;
  if (dirEdit)
    e.reset(new TKvQDirEdit(nullptr));
  else
    e.reset(new TKvQFileOpenEdit(nullptr, QString(), "/old", {"*.zip", "*.txt"}, 0));
  e->lineEdit()->setText("/old");
  SignalLog log;
  log.attach(e.get());
  QList<QUrl> urls;
  for (const QString& d : dropped)
    urls << (d == "http:" ? QUrl("http://example.org/f.txt") : QUrl::fromLocalFile(dir + "/" + d));
  QCOMPARE(dropUrls(e.get(), urls), accepted);
  if (accepted) {
    const QString path = dir + "/" + dropped.first();
    QCOMPARE(e->lineEdit()->text(), path);
    QCOMPARE(log.text, "changed(" + path + ") ");
    if (!dirEdit)
      QCOMPARE(static_cast<TKvQFileOpenEdit*>(e.get())->getCurrentFilterIdx(), 1);
  } else {
    QCOMPARE(e->lineEdit()->text(), QStringLiteral("/old"));
    QVERIFY(log.text.isEmpty());
  }
}

void TstPathEdits::completion() {
  const QString dir = kvtest::freshDir("complete");
  QDir().mkpath(dir + "/alpha_dir");
  filetest::touch(dir + "/alpha_file.txt");
  filetest::touch(dir + "/beta.txt");
  TKvQDirEdit folders(nullptr);
  TKvQFileOpenEdit files(nullptr, QString(), QString(), {}, -1);
  QCOMPARE(completions(folders.lineEdit(), dir + "/al", 1), QStringList{dir + "/alpha_dir"});
  QCOMPARE(completions(files.lineEdit(), dir + "/al", 2),
           (QStringList{dir + "/alpha_dir", dir + "/alpha_file.txt"}));

  // A completion the user picks is a change of the path like typing.
  TKvQFileOpenEdit edit(nullptr, QString(), QString(), {"*.zip", "*.txt"}, 0);
  edit.show();
  QApplication::setActiveWindow(&edit);
  QVERIFY(QTest::qWaitForWindowActive(&edit));
  edit.lineEdit()->setFocus();
  QTRY_VERIFY(edit.lineEdit()->hasFocus());
  QSignalSpy changed(&edit, &TKvAbstractQFileDirEdit::pathChanged);
  Q_EMIT edit.lineEdit()->completer()->activated(dir + "/beta.txt");
  QTRY_COMPARE(changed.count(), 1);
  QCOMPARE(changed.first().first().toString(), dir + "/beta.txt");
  QCOMPARE(edit.getCurrentFilterIdx(), 1);
}

void TstPathEdits::deletedDuringDialog_data() {
  QTest::addColumn<int>("kind");
  QTest::newRow("folder edit browse") << 0;
  QTest::newRow("open edit browse") << 1;
  QTest::newRow("save edit browse") << 2;
  QTest::newRow("save edit question") << 3;
}

// The owner of an edit may delete it while one of its dialogs is open (the
// sanitizer build catches a write to the dead edit).
void TstPathEdits::deletedDuringDialog() {
  QFETCH(int, kind);
  const QString dir = kvtest::freshDir("deldlg");
  const QString file = filetest::touch(dir + "/a.txt");
  QPointer<TKvAbstractQFileDirEdit> e;
  if (kind == 0)
    e = new TKvQDirEdit(nullptr);
  else if (kind == 1)
    e = new TKvQFileOpenEdit(nullptr, QString(), file, {"*.txt"}, 0);
  else
    e = new TKvQFileSaveEdit(nullptr, QString(), file, {"*.txt"}, 0);
  kvtest::ModalDriver driver([&](QWidget* w) {
    delete e;
    if (auto* box = qobject_cast<QMessageBox*>(w))
      box->button(QMessageBox::Yes)->click();
    else
      filetest::answerFileDialog(w, {{kind == 0 ? dir : kind == 1 ? file : dir + "/new.txt"}, {}, false}, nullptr);
  });
  driver.start();
  if (kind == 3)
    QVERIFY(static_cast<TKvQFileSaveEdit*>(e.data())->confirmOverwrite());
  else
    e->browse();
  QVERIFY(driver.fired());
  QVERIFY(!e);
}

void TstPathEdits::deleteWhileFocused_data() {
  QTest::addColumn<int>("kind");
  QTest::newRow("folder") << 0;
  QTest::newRow("open") << 1;
  QTest::newRow("save") << 2;
}

// Deleting an edit moves the focus out of its field, and the field reports
// the end of editing: nothing of the half-destroyed edit may answer that
// (the sanitizer build catches a slot run on it).
void TstPathEdits::deleteWhileFocused() {
  QFETCH(int, kind);
  QWidget window;
  QPointer<TKvAbstractQFileDirEdit> e;
  if (kind == 0)
    e = new TKvQDirEdit(&window);
  else if (kind == 1)
    e = new TKvQFileOpenEdit(&window, QString(), "/a.txt", {}, -1);
  else
    e = new TKvQFileSaveEdit(&window, QString(), "/a.txt", {}, -1);
  e->lineEdit()->setText("/a");
  window.show();
  QApplication::setActiveWindow(&window);
  QVERIFY(QTest::qWaitForWindowActive(&window));
  e->lineEdit()->setFocus();
  QTRY_VERIFY(e->lineEdit()->hasFocus());
  QSignalSpy finished(e->lineEdit(), &QLineEdit::editingFinished);
  delete e;
  QCOMPARE(finished.count(), 1); // the field did report it
}

QTEST_MAIN(TstPathEdits)
#include "tst_pathedits.moc"
