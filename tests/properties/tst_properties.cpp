// The property dialog: descriptors, filling the sheet, writing back on OK and
// nothing on Cancel, a person's edits in place, and the caller's mistakes.

#include "kvtestsupport.h"
#include "files/tkvqmultifileopenedit.h"
#include "module/kvmodule_initializer.h"
#include "module/kvqttranslator.h"
#include "properties/tenumproperty.h"
#include "properties/tkvqpropertiesdlg.h"
#include "properties/tqproperties.h"

#include "kvsuite/kvmessage.h"

#include <qttreepropertybrowser.h>
#include <qtvariantproperty.h>

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>

#include <cfloat>
#include <cstring>
#include <functional>

namespace {

// Eight bytes between guards, so that a write past an enum variable shows.
struct TGuarded {
  unsigned char before[8];
  unsigned char bytes[8];
  unsigned char after[8];
};

// The caller's variables of every kind, with an enum of each size 1..8.
struct TVars {
  int i = 5;
  unsigned long ul = 18446744073709551000ul;
  float f = 0.1f;
  double d = 1.0 / 3.0;
  bool b = true;
  std::string s = "текст";
  TGuarded e[8];
  std::string file = "/data/in.tif";
  std::vector<std::string> files{"a.tif", "b.tif"};
  std::string save = "/data/out.tif";

  TVars() {
    for (int n = 0; n < 8; ++n) {
      std::memset(&e[n], 0xA5, sizeof(TGuarded));
      const uint64_t v = uint64_t(2) << (8 * n); // needs all n+1 bytes
      std::memcpy(e[n].bytes, &v, size_t(n + 1));
    }
  }
  bool operator==(const TVars& o) const {
    return i == o.i && ul == o.ul && std::memcmp(&f, &o.f, sizeof f) == 0 && std::memcmp(&d, &o.d, sizeof d) == 0 &&
           b == o.b && s == o.s && std::memcmp(e, o.e, sizeof e) == 0 && file == o.file && files == o.files &&
           save == o.save;
  }
};

void Describe(TVars& v, TQProperties& props) {
  props.AddItem(new TTypeProperty<int>("int", "an int", 1, 0, 10, &v.i));
  props.AddItem(new TTypeProperty<unsigned long>("ulong", "", 1, 0, ~0ul, &v.ul));
  props.AddItem(new TTypeProperty<float>("float", "", 0.5f, -1e6f, 1e6f, &v.f));
  props.AddItem(new TTypeProperty<double>("double", "", 0.25, -DBL_MAX, DBL_MAX, &v.d));
  props.AddItem(new TBoolProperty("bool", "", &v.b));
  props.AddItem(new TStringProperty("string", "", &v.s));
  for (int n = 0; n < 8; ++n) {
    const uint64_t v1 = uint64_t(1) << (8 * n), v2 = uint64_t(2) << (8 * n);
    props.AddItem(new TEnumProperty("enum" + std::to_string(n + 1), "", v.e[n].bytes, n + 1, {v1, v2}, {"one", "two"}));
  }
  props.AddItem(new TFileOpenProperty("file", "", &v.file, "Images|*.tif"));
  props.AddItem(new TFilesOpenProperty("files", "", &v.files, "Images|*.tif"));
  props.AddItem(new TFileSaveProperty("save", "", &v.save, "Images|*.tif"));
}

QtTreePropertyBrowser* Browser(QWidget* dialog) {
  return dialog->findChild<QtTreePropertyBrowser*>("PropertyBrowser");
}
QTreeWidget* Tree(QWidget* dialog) { return Browser(dialog)->findChild<QTreeWidget*>(); }

// The row's property, for setting values through its manager.
QtVariantProperty* VariantRow(QWidget* dialog, int i) {
  QtProperty* p = Browser(dialog)->properties().value(i);
  auto* manager = p ? qobject_cast<QtVariantPropertyManager*>(p->propertyManager()) : nullptr;
  return manager ? manager->variantProperty(p) : nullptr;
}

// Clicks the row's value and types `text` over what its editor shows;
// returns the editor (null when none took the focus).
template <class TEditor> TEditor* Retype(QWidget* dialog, int row, const char* text) {
  QTreeWidget* tree = Tree(dialog);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(row)).center());
  if (!QTest::qWaitFor([] { return qobject_cast<TEditor*>(QApplication::focusWidget()) != nullptr; }))
    return nullptr;
  auto* editor = qobject_cast<TEditor*>(QApplication::focusWidget());
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(editor, text);
  return editor;
}

void ClickOk(QWidget* dialog) { QTest::mouseClick(dialog->findChild<QPushButton*>("OkBtn"), Qt::LeftButton); }

// Runs Execute with `act` driving the dialog; answers Execute's result.
bool Run(TQProperties& props, const std::function<void(QWidget*)>& act) {
  kvtest::ModalDriver driver([&](QWidget* w) {
    w->resize(500, 700);
    QTest::qWait(1);
    act(w);
    // A check that failed inside `act` returned early: do not hang.
    if (w->isVisible())
      QMetaObject::invokeMethod(w, "reject", Qt::QueuedConnection);
  });
  driver.start();
  const bool ok = TKvQPropertiesDlg::Execute("Settings", &props);
  if (!driver.fired())
    qWarning("the dialog never appeared");
  return ok;
}

using TMaker = std::function<TQProperty*()>;

} // namespace

Q_DECLARE_METATYPE(TMaker)

class TstProperties : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    Init_KvQtCpnt();
    QVERIFY(KvQtInstallTranslator("en"));
  }
  void cleanup() {
    kvtest::closeStrayModals();
    KV_VERIFY_NO_TOPLEVELS();
  }

  void enumBytes_data();
  void enumBytes();

  void okWritesBackUntouchedExactly();
  void okWritesManagerValues();
  void cancelWritesNothing_data();
  void cancelWritesNothing();
  void personEditsInPlace();
  void opensTallEnough();
  void callerErrors_data();
  void callerErrors();
};

void TstProperties::enumBytes_data() {
  QTest::addColumn<int>("size");
  QTest::addColumn<int>("index");
  for (int size : {1, 2, 3, 4, 5, 6, 7, 8})
    QTest::newRow(qPrintable(QString("size %1").arg(size))) << size << 1;
  QTest::newRow("size 0 refused") << 0 << -1;
  QTest::newRow("size 9 refused") << 9 << -1;
}

void TstProperties::enumBytes() {
  QFETCH(int, size);
  QFETCH(int, index);
  TGuarded var;
  std::memset(&var, 0x5A, sizeof var);
  // The wanted value differs from the other in the variable's top byte only.
  const int top = std::max(0, std::min(size, 8) - 1);
  const uint64_t other = 0x5A5A5A5A5A5A5A5Aull & ~(uint64_t(0xFF) << (8 * top));
  const uint64_t wanted = 0x5A5A5A5A5A5A5A5Aull;
  TEnumProperty e("e", "", var.bytes, size, {other, wanted, 7}, {"other", "wanted", "seven"});
  QCOMPARE(e.GetIndex(), index);
  const TGuarded before = var;
  e.SetIndex(2);
  if (index < 0) {
    QVERIFY(std::memcmp(&before, &var, sizeof var) == 0);
    return;
  }
  QCOMPARE(e.GetIndex(), 2);
  QVERIFY(std::memcmp(before.before, var.before, 8) == 0);
  QVERIFY(std::memcmp(before.after, var.after, 8) == 0);
  QVERIFY(std::memcmp(before.bytes + size, var.bytes + size, size_t(8 - size)) == 0);
  e.SetIndex(3); // past the values: ignored
  e.SetIndex(-1);
  QCOMPARE(e.GetIndex(), 2);
}

void TstProperties::okWritesBackUntouchedExactly() {
  TVars vars;
  const TVars before;
  TQProperties props;
  Describe(vars, props);
  QVERIFY(Run(props, ClickOk));
  QVERIFY(vars == before);
}

void TstProperties::okWritesManagerValues() {
  TVars vars;
  TQProperties props;
  Describe(vars, props);
  QVERIFY(Run(props, [](QWidget* w) {
    VariantRow(w, 0)->setValue(20); // clamped to the maximum
    VariantRow(w, 1)->setValue(qulonglong(42));
    VariantRow(w, 2)->setValue(2.5);
    VariantRow(w, 3)->setValue(-0.125);
    VariantRow(w, 4)->setValue(false);
    VariantRow(w, 5)->setValue(QString("новый"));
    for (int n = 0; n < 8; ++n)
      VariantRow(w, 6 + n)->setValue(0);
    ClickOk(w);
  }));
  QCOMPARE(vars.i, 10);
  QCOMPARE(vars.ul, 42ul);
  QCOMPARE(vars.f, 2.5f);
  QCOMPARE(vars.d, -0.125);
  QCOMPARE(vars.b, false);
  QCOMPARE(vars.s, std::string("новый"));
  for (int n = 0; n < 8; ++n) {
    const uint64_t v1 = uint64_t(1) << (8 * n);
    QVERIFY(std::memcmp(vars.e[n].bytes, &v1, size_t(n + 1)) == 0);
    QCOMPARE(vars.e[n].after[0], (unsigned char)0xA5);
    if (n < 7)
      QCOMPARE(vars.e[n].bytes[n + 1], (unsigned char)0xA5);
  }
}

void TstProperties::cancelWritesNothing_data() {
  QTest::addColumn<QString>("how");
  QTest::newRow("close box") << "close";
  QTest::newRow("Escape") << "escape";
}

void TstProperties::cancelWritesNothing() {
  QFETCH(QString, how);
  TVars vars;
  const TVars before;
  TQProperties props;
  Describe(vars, props);
  const bool ok = Run(props, [&](QWidget* w) {
    VariantRow(w, 0)->setValue(1);
    VariantRow(w, 4)->setValue(false);
    VariantRow(w, 6)->setValue(0);
    if (how == "close")
      kvtest::closeBox(w);
    else
      kvtest::pressEscape(w);
  });
  QVERIFY(!ok);
  QVERIFY(vars == before);
}

void TstProperties::personEditsInPlace() {
  int number = 5;
  bool flag = false;
  std::string text = "old", in = "/old/in.tif", out = "/old/out.tif";
  std::vector<std::string> many{"a.tif", "b.tif"};
  TQProperties props;
  props.AddItem(new TTypeProperty<int>("number", "", 1, 0, 100, &number));
  props.AddItem(new TBoolProperty("flag", "", &flag));
  props.AddItem(new TStringProperty("text", "", &text));
  props.AddItem(new TFileOpenProperty("in", "", &in, "Images|*.tif"));
  props.AddItem(new TFileSaveProperty("out", "", &out, "Images|*.tif"));
  props.AddItem(new TFilesOpenProperty("many", "", &many, "Images|*.tif"));
  bool stayedOpen = false;
  QVERIFY(Run(props, [&](QWidget* w) {
    QTreeWidget* tree = Tree(w);
    QVERIFY(Retype<QAbstractSpinBox>(w, 0, "42"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::qWait(10);
    stayedOpen = w->isVisible(); // Return commits the row, not the dialog
    // Escape in an editor drops what was typed, not the dialog.
    QTest::keyClick(tree, Qt::Key_F2);
    QTRY_VERIFY(qobject_cast<QAbstractSpinBox*>(QApplication::focusWidget()));
    QTest::keyClicks(QApplication::focusWidget(), "9");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::qWait(10);
    stayedOpen = stayedOpen && w->isVisible();
    QCOMPARE(tree->topLevelItem(0)->text(1), QString("42"));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(1)).center());
    QCheckBox* box = nullptr;
    QTRY_VERIFY((box = tree->findChild<QCheckBox*>()));
    QTest::keyClick(box, Qt::Key_Space);
    for (int row : {3, 4}) {
      QVERIFY(Retype<QLineEdit>(w, row, row == 3 ? "/new/in.tif" : "/new/out.tif"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(tree->topLevelItem(5)->text(1), QString("a.tif|b.tif"));
    Browser(w)->editItem(Browser(w)->topLevelItems().at(5));
    TKvQMultiFileOpenEdit* list = nullptr;
    QTRY_VERIFY((list = tree->findChild<TKvQMultiFileOpenEdit*>()));
    QVERIFY(list->height() > tree->visualItemRect(tree->topLevelItem(5)).height());
    list->addFile("c.tif");
    QVERIFY(Retype<QLineEdit>(w, 2, "new"));
    ClickOk(w); // leaving the editor for the button commits it
  }));
  QVERIFY(stayedOpen);
  QCOMPARE(number, 42);
  QCOMPARE(flag, true);
  QCOMPARE(text, std::string("new"));
  QCOMPARE(in, std::string("/new/in.tif"));
  QCOMPARE(out, std::string("/new/out.tif"));
  QCOMPARE(many, std::vector<std::string>({"a.tif", "b.tif", "c.tif"}));
}

// The dialog opens showing every row, or two thirds of the screen's height.
void TstProperties::opensTallEnough() {
  std::vector<int> values(200, 1);
  for (int rows : {12, 200}) {
    TQProperties props;
    for (int i = 0; i < rows; ++i)
      props.AddItem(new TTypeProperty<int>("value " + std::to_string(i), "", 1, 0, 9, &values[size_t(i)]));
    TKvQPropertiesDlg dlg(nullptr);
    dlg.setParams(&props);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const int screen = QGuiApplication::primaryScreen()->availableGeometry().height();
    if (rows == 12)
      QCOMPARE(Tree(&dlg)->verticalScrollBar()->maximum(), 0);
    else
      QVERIFY(dlg.height() <= screen * 2 / 3 && dlg.height() >= screen / 2);
  }
}

void TstProperties::callerErrors_data() {
  QTest::addColumn<TMaker>("make");
  QTest::addColumn<QString>("fragment");
  using F = std::function<TQProperty*()>;
  static int var = 0;
  static std::string str;
  QTest::newRow("int without variable") << F([] { return new TTypeProperty<int>("n", "", 1, 0, 1, nullptr); })
                                        << "no variable";
  QTest::newRow("enum without variable")
      << F([] { return new TEnumProperty("n", "", nullptr, 4, {1}, {"a"}); }) << "no variable";
  QTest::newRow("enum of 9 bytes") << F([] { return new TEnumProperty("n", "", &var, 9, {1}, {"a"}); })
                                   << "9 bytes";
  QTest::newRow("minimum above maximum") << F([] { return new TTypeProperty<int>("n", "", 1, 5, 4, &var); })
                                         << "minimum";
  QTest::newRow("NaN bound") << F([] {
    static double d = 0;
    return new TTypeProperty<double>("n", "", 1, std::nan(""), 1, &d);
  }) << "minimum";
}

void TstProperties::callerErrors() {
  QFETCH(TMaker, make);
  QFETCH(QString, fragment);
  int untouched = 3;
  TQProperties props;
  props.AddItem(new TTypeProperty<int>("fine", "", 1, 0, 10, &untouched));
  props.AddItem(make());
  try {
    TKvQPropertiesDlg::Execute("t", &props);
    QFAIL("no error");
  } catch (const TKvMessage& m) {
    QVERIFY2(QString::fromStdString(m.std_str()).contains(fragment), m.what());
    QVERIFY(QString::fromStdString(m.std_str()).contains("\"n\""));
  }
  QCOMPARE(untouched, 3);
}

QTEST_MAIN(TstProperties)
#include "tst_properties.moc"
