// The property-browser layer on its own: the variant manager's values and
// texts, and the tree browser driven as a person drives it.

#include "kvtestsupport.h"
#include "module/kvqttranslator.h"

#include <qttreepropertybrowser.h>
#include <qtvariantproperty.h>

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeWidget>

#include <cfloat>
#include <climits>
#include <memory>

namespace {

using TAttrs = QList<QPair<QString, QVariant>>;

// A shown browser with one manager and factory, all owned by the test.
struct TSheet {
  std::unique_ptr<QtVariantPropertyManager> manager{new QtVariantPropertyManager};
  std::unique_ptr<QtVariantEditorFactory> factory{new QtVariantEditorFactory};
  std::unique_ptr<QtTreePropertyBrowser> browser{new QtTreePropertyBrowser};

  TSheet() {
    browser->setFactoryForManager(manager.get(), factory.get());
    browser->resize(400, 300);
  }
  ~TSheet() { browser.reset(); }
  QtVariantProperty* add(int type, const QString& name, const QVariant& value, const TAttrs& attrs = {}) {
    QtVariantProperty* p = manager->addProperty(type, name);
    for (const auto& a : attrs)
      p->setAttribute(a.first, a.second);
    p->setValue(value);
    browser->addProperty(p);
    return p;
  }
  QTreeWidget* view() const { return browser->findChild<QTreeWidget*>(); }
  QTreeWidgetItem* row(int i) const { return view()->topLevelItem(i); }
  void show() {
    browser->show();
    QApplication::setActiveWindow(browser.get());
    QVERIFY(QTest::qWaitForWindowActive(browser.get()));
  }
  void click(int i) {
    QTreeWidget* v = view();
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualItemRect(row(i)).center());
  }
};

QWidget* editor() { return QApplication::focusWidget(); }

} // namespace

class TstPropertyBrowser : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    qRegisterMetaType<QtProperty*>("QtProperty*");
    QVERIFY(KvQtInstallTranslator("en"));
  }
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void managerValues_data();
  void managerValues();
  void editInPlace_data();
  void editInPlace();
  void untouchedEditorWritesNothing();
  void subPropertiesAndDisabling();
  void destroyedWhileEditing_data();
  void destroyedWhileEditing();
};

void TstPropertyBrowser::managerValues_data() {
  QTest::addColumn<int>("type");
  QTest::addColumn<TAttrs>("attrs");
  QTest::addColumn<QVariant>("value");
  QTest::addColumn<QVariant>("expected");
  QTest::addColumn<QString>("text");
  const int Int = QVariant::Int, U64 = QVariant::ULongLong, Dbl = QVariant::Double;
  const int e = QtVariantPropertyManager::enumTypeId();
  const TAttrs range{{"minimum", 0}, {"maximum", 10}}, names{{"enumNames", QStringList{"a", "b"}}};
  QTest::newRow("int above max clamped") << Int << range << QVariant(11) << QVariant(10) << "10";
  QTest::newRow("int from huge double saturates") << Int << TAttrs() << QVariant(1e300) << QVariant(INT_MAX)
                                                 << QString::number(INT_MAX);
  QTest::newRow("int NaN ignored") << Int << range << QVariant(std::nan("")) << QVariant(0) << "0";
  QTest::newRow("min above max pulls max") << Int << TAttrs{{"maximum", 5}, {"minimum", 8}} << QVariant(1)
                                           << QVariant(8) << "8";
  QTest::newRow("u64 negative is 0") << U64 << TAttrs() << QVariant(-5) << QVariant(qulonglong(0)) << "0";
  QTest::newRow("u64 clamped to max") << U64 << TAttrs{{"maximum", qulonglong(100)}} << QVariant(qulonglong(1) << 40)
                                      << QVariant(qulonglong(100)) << "100";
  QTest::newRow("double decimals") << Dbl << TAttrs{{"decimals", 3}} << QVariant(2.5) << QVariant(2.5) << "2.500";
  QTest::newRow("double clamped") << Dbl << TAttrs{{"maximum", 1.5}} << QVariant(DBL_MAX) << QVariant(1.5) << "1.50";
  QTest::newRow("enum none chosen") << e << names << QVariant(-1) << QVariant(-1) << "";
  QTest::newRow("enum past the names ignored") << e << names << QVariant(2) << QVariant(0) << "a";
}

void TstPropertyBrowser::managerValues() {
  QFETCH(int, type);
  QFETCH(TAttrs, attrs);
  QFETCH(QVariant, value);
  QtVariantPropertyManager manager;
  QVERIFY(!manager.addProperty(QVariant::Rect, "unsupported"));
  QtVariantProperty* p = manager.addProperty(type, "p");
  for (const auto& a : attrs)
    p->setAttribute(a.first, a.second);
  p->setValue(value);
  QTEST(p->value(), "expected");
  QTEST(p->valueText(), "text");
}

void TstPropertyBrowser::editInPlace_data() {
  QTest::addColumn<int>("type");
  QTest::addColumn<QVariant>("initial");
  QTest::addColumn<bool>("byClick");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<int>("finish"); // a key, or 0 for moving the focus away
  QTest::addColumn<QVariant>("expected");
  const int Int = QVariant::Int, Str = QVariant::String;
  QTest::newRow("int F2 Enter") << Int << QVariant(5) << false << "7" << int(Qt::Key_Return) << QVariant(7);
  QTest::newRow("int Escape reverts") << Int << QVariant(5) << true << "8" << int(Qt::Key_Escape) << QVariant(5);
  QTest::newRow("int focus out commits") << Int << QVariant(5) << false << "3" << 0 << QVariant(3);
  QTest::newRow("u64 big") << int(QVariant::ULongLong) << QVariant(qulonglong(1)) << false << "18446744073709551615"
                           << int(Qt::Key_Return) << QVariant(qulonglong(ULLONG_MAX));
  QTest::newRow("string Enter") << Str << QVariant("a") << true << "hello" << int(Qt::Key_Return) << QVariant("hello");
  QTest::newRow("string Escape reverts") << Str << QVariant("a") << false << "zz" << int(Qt::Key_Escape)
                                         << QVariant("a");
}

void TstPropertyBrowser::editInPlace() {
  QFETCH(int, type);
  QFETCH(QVariant, initial);
  QFETCH(bool, byClick);
  QFETCH(QString, typed);
  QFETCH(int, finish);
  TSheet sheet;
  QtVariantProperty* p = sheet.add(type, "edited", initial);
  sheet.add(QVariant::String, "other", "o");
  sheet.show();
  QSignalSpy changed(sheet.manager.get(), &QtVariantPropertyManager::valueChanged);
  if (byClick) {
    sheet.click(0);
  } else {
    sheet.view()->setCurrentItem(sheet.row(0));
    QTest::keyClick(sheet.view(), Qt::Key_F2);
  }
  QTRY_VERIFY(editor() && editor() != sheet.view());
  QPointer<QWidget> opened = editor();
  QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(editor(), typed);
  QCOMPARE(changed.count(), 0); // nothing reaches the manager while typing
  if (finish)
    QTest::keyClick(editor(), Qt::Key(finish));
  else
    sheet.click(1);
  QTRY_VERIFY(!opened);
  QTEST(p->value(), "expected");
  QCOMPARE(changed.count(), p->value() == initial ? 0 : 1);
  QCOMPARE(sheet.row(0)->text(1), p->valueText());
}

void TstPropertyBrowser::untouchedEditorWritesNothing() {
  // A double spin box shows the value rounded; opening and leaving it must
  // not write the rounded value back.
  TSheet sheet;
  QtVariantProperty* p = sheet.add(QVariant::Double, "d", 0.123456);
  sheet.add(QVariant::Int, "i", 0);
  sheet.show();
  sheet.click(0);
  QTRY_VERIFY(qobject_cast<QAbstractSpinBox*>(editor()));
  QTest::keyClick(editor(), Qt::Key_Return);
  sheet.click(1);
  QTRY_VERIFY(!qobject_cast<QDoubleSpinBox*>(editor()));
  QCOMPARE(p->value().toDouble(), 0.123456);
}

void TstPropertyBrowser::subPropertiesAndDisabling() {
  TSheet sheet;
  QtVariantProperty* group = sheet.manager->addProperty(QtVariantPropertyManager::groupTypeId(), "group");
  QtVariantProperty* child = sheet.manager->addProperty(QVariant::Int, "child");
  group->addSubProperty(child);
  sheet.browser->addProperty(group);
  group->addSubProperty(group); // itself: refused
  child->addSubProperty(group); // a cycle: refused
  QCOMPARE(sheet.row(0)->childCount(), 1);
  sheet.show();
  group->setEnabled(false);
  QVERIFY(!(sheet.row(0)->child(0)->flags() & Qt::ItemIsEnabled));
  sheet.browser->editItem(sheet.browser->items(child).first());
  QVERIFY(!sheet.view()->findChild<QAbstractSpinBox*>()); // a disabled row opens no editor
}

void TstPropertyBrowser::destroyedWhileEditing_data() {
  QTest::addColumn<QString>("what");
  for (const char* what : {"manager", "factory", "property", "browser", "removed from browser"})
    QTest::newRow(what) << QString(what);
}

void TstPropertyBrowser::destroyedWhileEditing() {
  QFETCH(QString, what);
  TSheet sheet;
  QtVariantProperty* p = sheet.add(QVariant::String, "s", "text");
  sheet.add(QVariant::Int, "n", 1);
  sheet.show();
  sheet.click(0);
  QPointer<QLineEdit> edit;
  QTRY_VERIFY((edit = qobject_cast<QLineEdit*>(editor())));
  QTest::keyClicks(edit, "typed");
  if (what == "manager")
    sheet.manager.reset();
  else if (what == "factory")
    sheet.factory.reset();
  else if (what == "property")
    delete p;
  else if (what == "browser")
    sheet.browser.reset();
  else
    sheet.browser->removeProperty(p);
  QTRY_VERIFY(!edit);
  if (!sheet.browser)
    return;
  QTest::keyClick(sheet.view(), Qt::Key_End); // the sheet still works
  QCOMPARE(sheet.view()->topLevelItemCount(), what == "manager" ? 0 : what == "factory" ? 2 : 1);
  if (what == "factory") {
    sheet.click(0);
    QTest::qWait(20);
    QVERIFY(!sheet.view()->findChild<QLineEdit*>()); // no factory, no editor
    QCOMPARE(p->value(), QVariant("text"));
  }
}

QTEST_MAIN(TstPropertyBrowser)
#include "tst_propertybrowser.moc"
