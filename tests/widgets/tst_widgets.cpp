// Radio box, picker buttons, find bar and dialog, preset combo box, style and
// palette combo boxes, attribute helpers.

#include "kvtestsupport.h"

#include "widgets/tkvqcolorpickerbutton.h"
#include "widgets/tkvqfontpickerbutton.h"
#include "widgets/tkvqradiobox.h"

#include "kvsuite/kvmessage.h"

#include <QClipboard>
#include <QColorDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QMimeData>
#include <QRadioButton>

namespace {

// The grid cell of every choice, in index order.
QList<QPoint> Cells(TKvQRadioBox& box) {
  auto* grid = static_cast<QGridLayout*>(box.layout());
  QList<QPoint> out;
  const QList<QRadioButton*> buttons = box.findChildren<QRadioButton*>();
  for (QRadioButton* b : buttons) {
    int row = 0, col = 0, rs = 0, cs = 0;
    const int at = grid->indexOf(b);
    if (at >= 0) {
      grid->getItemPosition(at, &row, &col, &rs, &cs);
      out << QPoint(row, col);
    }
  }
  return out;
}

QColor ColourAt(QWidget& w, QPoint p) { return w.grab().toImage().pixelColor(p); }

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
    QFETCH(QList<QPoint>, cells);
    TKvQRadioBox box;
    box.setChoices({"a", "b", "c", "d", "e"});
    box.setDimention(2); // stored, no rearranging in a column
    box.setDirection(TKvQRadioBox::TKvDirection(direction));
    QCOMPARE(Cells(box), cells);
    QCOMPARE(box.choices(), (QStringList{"a", "b", "c", "d", "e"}));
  }

  void radioCurrentChoice() {
    TKvQRadioBox box;
    QSignalSpy spy(&box, &TKvQRadioBox::currentChanged);
    box.setChoices({"a", "b", "c"});
    QCOMPARE(box.currentIdx(), 0);
    QCOMPARE(spy.count(), 0);
    box.findChildren<QRadioButton*>().at(2)->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 2);
    box.setChoiceEnabled(1, false);
    box.setCurrentIdx(1);
    QCOMPARE(box.currentIdx(), 2);
    box.setDirection(TKvQRadioBox::rdHorizontal);
    QCOMPARE(box.currentIdx(), 2); // survives rearranging
    // Indexes past the end are ignored.
    box.setCurrentIdx(7);
    box.setChoiceText(-1, "x");
    box.setChoiceVisible(3, false);
    QCOMPARE(box.currentIdx(), 2);
    QCOMPARE(box.choiceText(3), QString());
    QVERIFY(!box.isChoiceEnabled(3));
    QVERIFY(!box.isChoiceVisible(-1));
    box.clearChoices();
    QCOMPARE(box.currentIdx(), -1);
    QCOMPARE(box.count(), 0);
  }

  void radioForeignLayoutThrows() {
    TKvQRadioBox box;
    delete box.layout();
    box.setLayout(new QHBoxLayout);
    QVERIFY_EXCEPTION_THROWN(box.addChoice("a"), TKvMessage);
    QVERIFY_EXCEPTION_THROWN(box.reorderButtons(), TKvMessage);
    QCOMPARE(box.margin(), -1);
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
    QFETCH(int, emitted);
    TKvQColorPickerButton b(QColor(10, 20, 30));
    QSignalSpy spy(&b, &TKvQColorPickerButton::colorChanged);
    kvtest::ModalDriver driver([&](QWidget* w) {
      auto* dlg = qobject_cast<QColorDialog*>(w);
      QVERIFY(dlg);
      if (answer.isValid()) {
        dlg->setCurrentColor(answer);
        dlg->accept();
      } else {
        dlg->reject();
      }
    });
    driver.start();
    b.click();
    QVERIFY(driver.fired());
    QCOMPARE(spy.count(), emitted);
    QCOMPARE(b.color(), answer.isValid() ? answer : QColor(10, 20, 30));
  }

  void colourSwatchAndText() {
    TKvQColorPickerButton b(Qt::white);
    b.resize(80, 30);
    QCOMPARE(ColourAt(b, QPoint(7, 7)), QColor(Qt::white));
    QCOMPARE(b.toolTip(), QStringLiteral("#ffffff"));
    b.setTextVisible(true);
    const QImage img = b.grab().toImage();
    bool black = false;
    for (int y = 5; y < 25 && !black; ++y)
      for (int x = 5; x < 75 && !black; ++x)
        black = img.pixelColor(x, y) == QColor(Qt::black);
    QVERIFY(black); // the inverse colour draws the name
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
    QCOMPARE(spy.count(), 1);

    QMimeData colour, text, junk;
    colour.setColorData(QColor(Qt::blue));
    text.setText(QStringLiteral("red"));
    junk.setText(QStringLiteral("#12"));
    QCOMPARE(TKvQColorPickerButton::colorFromMimeData(&colour), QColor(Qt::blue));
    QCOMPARE(TKvQColorPickerButton::colorFromMimeData(&text), QColor(Qt::red));
    QVERIFY(!TKvQColorPickerButton::colorFromMimeData(&junk).isValid());
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&b, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&b, &drop);
    QCOMPARE(b.color(), QColor(Qt::red));
    QCOMPARE(spy.count(), 2);
  }

  void fontDialog() {
    TKvQFontPickerButton b;
    QFont f = b.font();
    f.setPointSize(17);
    f.setFamily(QStringLiteral("Serif"));
    QSignalSpy spy(&b, &TKvQFontPickerButton::fontChanged);
    const QString before = b.text();
    kvtest::ModalDriver cancel([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    cancel.start();
    b.click();
    QVERIFY(cancel.fired());
    QCOMPARE(b.text(), before);
    QCOMPARE(spy.count(), 0);
    kvtest::ModalDriver pick([&](QWidget* w) {
      auto* dlg = qobject_cast<QFontDialog*>(w);
      QVERIFY(dlg);
      dlg->setCurrentFont(f);
      dlg->accept();
    });
    pick.start();
    b.click();
    QVERIFY(pick.fired());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(b.text(), QStringLiteral("%1, 17").arg(b.font().family()));
  }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
