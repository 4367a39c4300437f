// File rows: the file property manager, the open and save editor factories
// and the two kept in step, on their own and inside a property browser.

#include "kvtestsupport.h"
#include "files/tkvqfileopenedit.h"
#include "files/tkvqfilesaveedit.h"
#include "files/tkvqmultifileopenedit.h"
#include "module/kvmodule_initializer.h"
#include "properties/tkvqtfilepropertymanager.h"
#include "properties/tkvqtopenfileeditorfactory.h"
#include "properties/tkvqtsavefileeditorfactory.h"

#include <qttreepropertybrowser.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeWidget>


class TstFileProperties : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    Init_KvQtCpnt();
    qRegisterMetaType<QtProperty*>("QtProperty*");
  }
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void editorsFollowTheManager_data();
  void editorsFollowTheManager();
  void typingReachesTheManager();
  void multiSelectDecidedAtCreation();
};

void TstFileProperties::editorsFollowTheManager_data() {
  QTest::addColumn<bool>("save");
  QTest::newRow("open") << false;
  QTest::newRow("save") << true;
}

void TstFileProperties::editorsFollowTheManager() {
  QFETCH(bool, save);
  TKvQtFilePropertyManager manager;
  TKvQtOpenFileEditorFactory openFactory;
  TKvQtSaveFileEditorFactory saveFactory;
  QtAbstractEditorFactoryBase* factory = save ? static_cast<QtAbstractEditorFactoryBase*>(&saveFactory)
                                              : static_cast<QtAbstractEditorFactoryBase*>(&openFactory);
  if (save)
    saveFactory.addPropertyManager(&manager);
  else
    openFactory.addPropertyManager(&manager);
  QtProperty* p = manager.addProperty("file");
  manager.setValue(p, "/in.tif");
  manager.setFilter(p, "Text files (*.txt)|*.txt|Images (*.tif)|*.tif");
  QWidget parent;
  auto* first = qobject_cast<TKvAbstractQFileSaveOpenEdit*>(factory->createEditor(p, &parent));
  auto* second = qobject_cast<TKvAbstractQFileSaveOpenEdit*>(factory->createEditor(p, &parent));
  QVERIFY(first && second);
  QCOMPARE(save, qobject_cast<TKvQFileSaveEdit*>(first) != nullptr);
  QCOMPARE(first->getFile(), std::string("/in.tif"));
  QCOMPARE(first->getFilterList(), QStringList({"Text files (*.txt)", "Images (*.tif)"}));

  manager.setValue(p, "/next.tif");
  manager.setFilter(p, "All|*");
  QCOMPARE(second->getFile(), std::string("/next.tif"));
  QCOMPARE(second->getFilterList(), QStringList({"All"}));

  delete first; // leaves the maps: later changes reach the second only
  manager.setValue(p, "/last.tif");
  QCOMPARE(second->getFile(), std::string("/last.tif"));

  // An editor of another manager's property gets nothing.
  TKvQtFilePropertyManager stranger;
  QVERIFY(!factory->createEditor(stranger.addProperty("x"), &parent));
}

void TstFileProperties::typingReachesTheManager() {
  TKvQtFilePropertyManager manager;
  TKvQtSaveFileEditorFactory factory;
  QtTreePropertyBrowser browser;
  browser.setFactoryForManager(&manager, &factory);
  QtProperty* p = manager.addProperty("out");
  manager.setValue(p, "/old.tif");
  browser.addProperty(p);
  browser.addProperty(manager.addProperty("other"));
  browser.resize(500, 200);
  browser.show();
  QApplication::setActiveWindow(&browser);
  QVERIFY(QTest::qWaitForWindowActive(&browser));
  QSignalSpy values(&manager, &TKvQtFilePropertyManager::valueChanged);
  QTreeWidget* tree = browser.findChild<QTreeWidget*>();
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(0)).center());
  QLineEdit* edit = nullptr;
  QTRY_VERIFY((edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())));
  QVERIFY(qobject_cast<TKvQFileSaveEdit*>(edit->parentWidget()));
  edit->selectAll();
  QTest::keyClicks(edit, "/n.tif");
  QCOMPARE(manager.value(p), QString("/n.tif"));
  QCOMPARE(values.count(), 6); // one per keystroke, no echo
  QTest::keyClick(edit, Qt::Key_Return);
  QTRY_COMPARE(tree->topLevelItem(0)->text(1), QString("/n.tif"));
}

void TstFileProperties::multiSelectDecidedAtCreation() {
  TKvQtFilePropertyManager manager;
  TKvQtOpenFileEditorFactory factory;
  factory.addPropertyManager(&manager);
  QtProperty* p = manager.addProperty("files");
  QWidget parent;
  QWidget* single = static_cast<QtAbstractEditorFactoryBase&>(factory).createEditor(p, &parent);
  QVERIFY(qobject_cast<TKvQFileOpenEdit*>(single));
  manager.setMultiSelect(p, true);
  manager.setValue(p, "a|b|c");
  QVERIFY(qobject_cast<TKvQFileOpenEdit*>(single)); // the open editor stays what it was
  QCOMPARE(qobject_cast<TKvQFileOpenEdit*>(single)->getFile(), std::string("a|b|c"));

  auto* multi = qobject_cast<TKvQMultiFileOpenEdit*>(
      static_cast<QtAbstractEditorFactoryBase&>(factory).createEditor(p, &parent));
  QVERIFY(multi);
  QCOMPARE(multi->getFilesQt(), QStringList({"a", "b", "c"}));
  // A new value while it is open: the list follows, and its own echo does
  // not come back as further values.
  QSignalSpy values(&manager, &TKvQtFilePropertyManager::valueChanged);
  manager.setValue(p, "d|e");
  QCOMPARE(multi->getFilesQt(), QStringList({"d", "e"}));
  QCOMPARE(values.count(), 1);
  QCOMPARE(qobject_cast<TKvQFileOpenEdit*>(single)->getFile(), std::string("d|e"));
  // Empty names are dropped by the list; the manager takes its list back.
  manager.setValue(p, "f||g");
  QCOMPARE(manager.value(p), QString("f|g"));
  // The person's changes to the list reach the manager.
  multi->addFile("h");
  QCOMPARE(manager.value(p), QString("f|g|h"));
}

QTEST_MAIN(TstFileProperties)
#include "tst_fileproperties.moc"
