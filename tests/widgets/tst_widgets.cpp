// Radio box, colour picker, find dialog options and the preset combo box.

#include "kvtestsupport.h"

#include "widgets/tkvpresetqcombobox.h"
#include "widgets/tkvqcolorpickerbutton.h"
#include "widgets/tkvqradiobox.h"
#include "widgets/tkvqtfinddlg.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvmessage.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The grid cell of every choice, in index order.
QList<QPoint> Cells(TKvQRadioBox& box) {
  auto* grid = static_cast<QGridLayout*>(box.layout());
  QList<QPoint> out;
  for (QRadioButton* b : box.findChildren<QRadioButton*>()) {
    int row = 0, col = 0, rs = 0, cs = 0;
    grid->getItemPosition(grid->indexOf(b), &row, &col, &rs, &cs);
    out << QPoint(row, col);
  }
  return out;
}

// Runs `call` while a driver hands the modal dialog it opens to `act`.
template <class Fn> void withModal(const std::function<void(QWidget*)>& act, Fn call) {
  kvtest::ModalDriver driver(act);
  driver.start();
  call();
  QVERIFY(driver.fired());
}

} // namespace

class TestWidgets : public QObject {
  Q_OBJECT
private slots:
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void radioLayouts_data() {
    QTest::addColumn<int>("direction");
    QTest::addColumn<QList<QPoint>>("cells");
    QTest::newRow("rows of two") << 2 << QList<QPoint>{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}};
    QTest::newRow("columns of two") << 3 << QList<QPoint>{{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}};
  }
  void radioLayouts() {
    QFETCH(int, direction);
    TKvQRadioBox box;
    box.setChoices({"a", "b", "c", "d", "e"});
    box.setDimention(2);
    box.setDirection(TKvQRadioBox::TKvDirection(direction));
    QTEST(Cells(box), "cells");
  }

  void radioCurrentChoice() {
    TKvQRadioBox box;
    QSignalSpy spy(&box, &TKvQRadioBox::currentChanged);
    box.setChoices({"a", "b", "c"});
    QCOMPARE(box.currentIdx(), 0);
    box.findChildren<QRadioButton*>().at(2)->click();
    QCOMPARE(spy.count(), 1);
    box.setChoiceEnabled(1, false);
    box.setCurrentIdx(1); // disabled: refused
    box.setDirection(TKvQRadioBox::rdHorizontal);
    box.setCurrentIdx(7); // past the end: ignored
    box.setChoiceText(-1, "x");
    QCOMPARE(box.currentIdx(), 2);
    box.clearChoices();
    QCOMPARE(box.currentIdx(), -1);
    // A layout that is not the box's own grid is refused, not crashed on.
    delete box.layout();
    box.setLayout(new QHBoxLayout);
    QVERIFY_EXCEPTION_THROWN(box.addChoice("a"), TKvMessage);
  }

  void colourDialog_data() {
    QTest::addColumn<QColor>("answer");
    QTest::addColumn<int>("emitted");
    QTest::newRow("cancelled") << QColor() << 0;
    QTest::newRow("same colour") << QColor(10, 20, 30) << 0;
    QTest::newRow("new colour") << QColor(200, 0, 0) << 1;
  }
  void colourDialog() {
    QFETCH(QColor, answer);
    TKvQColorPickerButton b(QColor(10, 20, 30));
    QSignalSpy spy(&b, &TKvQColorPickerButton::colorChanged);
    withModal([&](QWidget* w) {
      auto* dlg = qobject_cast<QColorDialog*>(w);
      QVERIFY(dlg);
      if (!answer.isValid())
        return dlg->reject();
      dlg->setCurrentColor(answer);
      dlg->accept();
    }, [&] { b.click(); });
    QTEST(spy.count(), "emitted");
    QCOMPARE(b.color(), answer.isValid() ? answer : QColor(10, 20, 30));
  }

  void colourClipboardAndDrop() {
    TKvQColorPickerButton b(QColor(1, 2, 3));
    QSignalSpy spy(&b, &TKvQColorPickerButton::colorChanged);
    QTest::keyClick(&b, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("#010203"));
    QApplication::clipboard()->setText(QStringLiteral("not a colour"));
    QTest::keyClick(&b, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(spy.count(), 0);
    QApplication::clipboard()->setText(QStringLiteral(" #00ff80 "));
    QTest::keyClick(&b, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(b.color(), QColor(0, 255, 128));

    QMimeData colour, text, junk;
    colour.setColorData(QColor(Qt::blue));
    text.setText(QStringLiteral("red"));
    junk.setText(QStringLiteral("#12"));
    QCOMPARE(TKvQColorPickerButton::colorFromMimeData(&colour), QColor(Qt::blue));
    QVERIFY(!TKvQColorPickerButton::colorFromMimeData(&junk).isValid());
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&b, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&b, &drop);
    QCOMPARE(b.color(), QColor(Qt::red));
    QCOMPARE(spy.count(), 2);
  }

  void findDialogOptions_data() {
    QTest::addColumn<unsigned>("options");
    QTest::addColumn<QString>("tick");
    QTest::addColumn<unsigned>("expected");
    QTest::newRow("backwards kept") << 0x100u << QString() << 0x100u;
    QTest::newRow("flags kept, boxes ticked") << 0x403u << "MatchCaseCheckBox,AddToSelectedCheckBox" << 0xC23u;
    QTest::newRow("forward chosen clears backwards") << 0x124u << "ForwardRadioButton" << 0x24u;
  }
  void findDialogOptions() {
    QFETCH(unsigned, options);
    QFETCH(QString, tick);
    TKvQtFindDlg d;
    d.SetOptions(options);
    auto* whole = d.findChild<QCheckBox*>(QStringLiteral("WholeWordCheckBox"));
    QCOMPARE(whole->isHidden(), bool(options & 0x2));
    QCOMPARE(whole->isEnabled(), !(options & 0x1));
    for (const QString& name : tick.split(QLatin1Char(','), Qt::SkipEmptyParts))
      d.findChild<QAbstractButton*>(name)->setChecked(true);
    QTEST(d.GetOptions(), "expected");
  }

  void presetSaveLoad_data() {
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("saved");
    QTest::newRow("current moves first") << QStringList{"first", "second", "third"} << "second"
                                         << QStringList{"second", "first", "third"};
    QTest::newRow("unlisted current not saved") << QStringList{"a", "b"} << "typed" << QStringList{"a", "b"};
  }
  void presetSaveLoad() {
    QFETCH(QStringList, items);
    QFETCH(QString, current);
    QFETCH(QStringList, saved);
    TKvPresetQComboBox box;
    box.comboBox()->addItems(items);
    box.setCurrentText(current);
    TKvXIniWriter writer;
    box.Save(&writer);
    TKvXIniReader reader(writer);
    TKvPresetQComboBox other;
    other.Load(&reader);
    QCOMPARE(other.presets(), saved);
    QCOMPARE(other.currentText(), saved.first());
  }

  void presetLoadsWhatItCan() {
    TKvPresetQComboBox box;
    box.setMaxItems(3);
    TKvXIniReader reader;
    reader.LoadFromText("[Items]\ncount=3000000000\n=\n=D\n=D\n=\xc3\x28\n=e\n=f\n");
    box.Load(&reader);
    QCOMPARE(box.presets(), (QStringList{"3000000000", "D", QString::fromUtf8("\xc3\x28")}));
    TKvXIniReader none;
    none.LoadFromText("[Other]\n=x\n");
    box.Load(&none);
    QCOMPARE(box.comboBox()->count(), 0);
  }

  void presetHistory() {
    TKvPresetQComboBox box;
    box.setMaxItems(3);
    for (const char* t : {"a", "b", "c", "b", "d", ""})
      box.addPreset(QString::fromLatin1(t));
    QCOMPARE(box.presets(), (QStringList{"d", "b", "c"}));
    // Return in the field adds the typed text at the top, once.
    for (const char* t : {"c", "new"}) {
      box.comboBox()->setEditText(QString::fromLatin1(t));
      QTest::keyClick(box.comboBox()->lineEdit(), Qt::Key_Return);
    }
    QCOMPARE(box.presets(), (QStringList{"new", "c", "d"}));
  }

  void presetClear_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
  }
  void presetClear() {
    QFETCH(bool, yes);
    TKvPresetQComboBox box;
    box.comboBox()->addItems({"a", "b"});
    QSignalSpy cleared(&box, &TKvPresetQComboBox::clearClicked);
    withModal([&](QWidget* w) {
      qobject_cast<QMessageBox*>(w)->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    }, [&] { box.findChild<QPushButton*>()->click(); });
    QCOMPARE(cleared.count(), yes ? 1 : 0);
    QCOMPARE(box.comboBox()->count(), yes ? 0 : 2);
  }

};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
