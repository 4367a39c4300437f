// Radio box, picker buttons, find bar and dialog, preset combo box, style and
// palette combo boxes, attribute helpers.

#include "kvtestsupport.h"

#include "widgets/tkvqcolorpickerbutton.h"
#include "widgets/tkvqfontpickerbutton.h"
#include "widgets/tdempalettesitemdelegate.h"
#include "widgets/tkvdempalettescombobox.h"
#include "widgets/tkvfindwidget.h"
#include "widgets/tkvlinestylecombobox.h"
#include "widgets/tkvqtattrsutils.h"
#include "widgets/tlinestyleitemdelegate.h"
#include "widgets/tkvpresetqcombobox.h"
#include "widgets/tkvqradiobox.h"
#include "widgets/tkvqtfinddlg.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvdemtables.h"

#include "kvsuite/kvmessage.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
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

// A white image of logical size w x h at the device pixel ratio.
QImage Canvas(int w, int h, qreal dpr) {
  QImage img(int(w * dpr), int(h * dpr), QImage::Format_RGB32);
  img.setDevicePixelRatio(dpr);
  img.fill(Qt::white);
  return img;
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

  void findBarOptions() {
    TKvFindWidget w;
    QMenu* menu = w.findChild<QToolButton*>(QStringLiteral("SettingsBtn"))->menu();
    QVERIFY(menu);
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.size(), 3);
    QVERIFY(!actions[2]->isVisible()); // add to selected hidden by default
    w.setFindOptions(6);
    QVERIFY(actions[0]->isChecked() && actions[1]->isChecked() && !actions[2]->isChecked());
    actions[1]->trigger(); // untick match case
    QCOMPARE(w.findOptions(), 2);
    w.setShowOptions(8 | 16);
    QVERIFY(w.findChild<QPushButton*>(QStringLiteral("ReverseBtn"))->isHidden());
    QVERIFY(actions[2]->isVisible());

    QSignalSpy spy(&w, &TKvFindWidget::findClicked);
    w.findChild<QLineEdit*>(QStringLiteral("SearchTextLineEdit"))->setText(QStringLiteral("дом"));
    w.slotReverseButtonClicked();
    QCOMPARE(w.findOptions(), 2 | 16);
    w.findChild<QPushButton*>(QStringLiteral("ForwardBtn"))->click();
    QCOMPARE(w.findOptions(), 2);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("дом"));

    // Return in the field searches nothing, also inside a dialog.
    QDialog dlg;
    auto* inDialog = new TKvFindWidget(&dlg);
    QSignalSpy none(inDialog, &TKvFindWidget::findClicked);
    dlg.show();
    QTest::keyClick(inDialog->findChild<QLineEdit*>(QStringLiteral("SearchTextLineEdit")), Qt::Key_Return);
    QCOMPARE(none.count(), 0);
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
    QFETCH(unsigned, expected);
    TKvQtFindDlg d;
    d.SetOptions(options);
    auto* whole = d.findChild<QCheckBox*>(QStringLiteral("WholeWordCheckBox"));
    QCOMPARE(whole->isHidden(), bool(options & 0x2));
    QCOMPARE(whole->isEnabled(), !(options & 0x1));
    QCOMPARE(d.findChild<QCheckBox*>(QStringLiteral("AddToSelectedCheckBox"))->isHidden(), !(options & 0x400));
    for (const QString& name : tick.split(QLatin1Char(','), Qt::SkipEmptyParts))
      d.findChild<QAbstractButton*>(name)->setChecked(true);
    QCOMPARE(d.GetOptions(), expected);
    d.SetOptions(0);
    QVERIFY(!d.findChild<QRadioButton*>(QStringLiteral("ReversRadioButton"))->isChecked());
  }

  void findDialogKeepsText() {
    var_a<TKvQtFindDlg*> d = TKvQtFindDlg::VCreate();
    QVERIFY(!d->parentWidget());
    QVERIFY(!d->testAttribute(Qt::WA_DeleteOnClose));
    d->setSearchText("первый");
    QSignalSpy spy(d.get(), &TKvQtFindDlg::findClicked);
    d->show();
    auto* edit = d->findChild<QLineEdit*>(QStringLiteral("FindLineEdit"));
    QCOMPARE(edit->text(), QStringLiteral("первый"));
    edit->setText(QStringLiteral("second"));
    d->findChild<QPushButton*>(QStringLiteral("FindButton"))->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(d->searchText(), std::string("second"));
    edit->setText(QStringLiteral("typed"));
    d->findChild<QPushButton*>(QStringLiteral("CloseButton"))->click();
    QVERIFY(d->isHidden());
    d->show();
    QCOMPARE(edit->text(), QStringLiteral("typed"));
    d->hide();
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
    QVERIFY(reader.EnterSectionS("Items"));
    QCOMPARE(reader.Count(), size_t(saved.size()));
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
    box.comboBox()->setEditText(QStringLiteral("c"));
    QTest::keyClick(box.comboBox()->lineEdit(), Qt::Key_Return);
    box.comboBox()->setEditText(QStringLiteral("new"));
    QTest::keyClick(box.comboBox()->lineEdit(), Qt::Key_Return);
    QCOMPARE(box.presets().size(), 3);
    QCOMPARE(box.presets().first(), QStringLiteral("new"));
    QCOMPARE(box.presets().count(QStringLiteral("c")), 1);
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
    QSignalSpy text(&box, &TKvPresetQComboBox::textChanged);
    kvtest::ModalDriver driver([&](QWidget* w) {
      auto* mb = qobject_cast<QMessageBox*>(w);
      QVERIFY(mb);
      mb->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    driver.start();
    box.findChild<QPushButton*>()->click();
    QVERIFY(driver.fired());
    QCOMPARE(cleared.count(), yes ? 1 : 0);
    QCOMPARE(text.count(), 0);
    QCOMPARE(box.comboBox()->count(), yes ? 0 : 2);
  }

  void lineStyles_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("width");
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("solid, 1 px, 100 %") << 0 << 1 << 1.0 << true;
    QTest::newRow("dash-dot, 3 px, 200 %") << 3 << 3 << 2.0 << true;
    QTest::newRow("unknown style") << 99 << 2 << 1.0 << false;
  }
  void lineStyles() {
    QFETCH(int, style);
    QFETCH(int, width);
    QFETCH(qreal, dpr);
    QFETCH(bool, drawn);
    QImage img = Canvas(100, 25, dpr);
    {
      QPainter p(&img);
      DrawLineStyleItem(&p, QRect(5, 5, 90, 15), style, width);
    }
    int black = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QColor c = img.pixelColor(x, y);
        QVERIFY2(c == Qt::black || c == Qt::white, "a blurred pixel"); // sharp at every scale
        black += c == Qt::black;
      }
    QCOMPARE(black > 0, drawn);

    TLineStyleItemDelegate d;
    QCOMPARE(d.setLineWidth(0), 1);
    QCOMPARE(d.setLineWidth(25), 10);
    TKvLineStyleComboBox box;
    QCOMPARE(box.count(), int(TKvLineStyleParams::GetLineStylesCount()));
    QCOMPARE(box.itemData(2, Qt::UserRole), QVariant(qulonglong(2)));
    QVERIFY(box.minimumWidth() >= 100);
    box.setLineWidth(40);
    QCOMPARE(box.lineWidth(), 10);
    box.resize(120, 30);
    box.grab();
  }

  void paletteRamps() {
    TDEMPalettesItemDelegate d;
    QCOMPARE(d.gradientCount(), int(TKvElevationPalette::s_Palettes.size()));
    QVERIFY(d.gradientCount() >= 5);
    for (int i = 0; i < d.gradientCount(); ++i) {
      const QGradientStops stops = d.gradient(i).stops();
      QCOMPARE(stops.size(), 33);
      double r, g, b;
      TKvElevationPalette::s_Palettes[size_t(i)].GetColor(1.0, r, g, b);
      QCOMPARE(stops.last().first, 1.0);
      QCOMPARE(stops.last().second, QColor(int(r * 255), int(g * 255), int(b * 255)));
    }
    // At 200 %, the ramp ends on a whole pixel: the column after it is clean.
    QImage img = Canvas(150, 20, 2.0);
    {
      QPainter p(&img);
      d.drawPaletteItem(&p, QRect(0, 0, 150, 20), 0, QString());
    }
    QCOMPARE(img.pixelColor(63, 20), d.gradient(0).stops().last().second);
    QCOMPARE(img.pixelColor(64, 20), QColor(Qt::white));
  }

  void paletteCombo() {
    KvSetLanguage("ru");
    TKvDEMPalettesComboBox ru;
    KvSetLanguage("en");
    TKvDEMPalettesComboBox en;
    QCOMPARE(en.count(), int(TKvElevationPalette::s_Palettes.size()));
    QVERIFY(ru.itemText(0) != en.itemText(0)); // captions in both languages
    QCOMPARE(en.itemData(0).toString(), ru.itemData(0).toString());
    en.selectName("bathymetry");
    QCOMPARE(en.currentName(), std::string("bathymetry"));
    en.resize(200, 30);
    en.grab();
    en.selectName("no such palette");
    QCOMPARE(en.currentIndex(), -1);
    QCOMPARE(en.currentName(), std::string());
  }

  void attrHelpers_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("units");
    QTest::addColumn<bool>("unitsEnabled");
    QTest::addColumn<int>("typeItem"); // -1: the user chooses
    QTest::newRow("area") << int(TAutoFillAttr::afmArea) << 4 << true << -1;
    QTest::newRow("perimeter, real") << int(TAutoFillAttr::afmPerimeter) << 1 << false << 1;
    QTest::newRow("object number, integer") << int(TAutoFillAttr::afmObjectNumber) << 1 << false << 0;
  }
  void attrHelpers() {
    QFETCH(int, mode);
    QFETCH(int, units);
    QFETCH(bool, unitsEnabled);
    QFETCH(int, typeItem);
    const auto m = TAutoFillAttr::TAutoFillMode(mode);
    QComboBox purp, unitsCombo, type;
    QLabel unitsLabel, typeLabel;
    TKvQtAttrsUtils::FillAttrPurp(&purp);
    QCOMPARE(purp.count(), 2);
    TKvQtAttrsUtils::FillAttrUnits(&unitsCombo, m);
    QCOMPARE(unitsCombo.count(), units);
    TKvQtAttrsUtils::FillAttrType(&type);
    QCOMPARE(type.count(), 3);
    QCOMPARE(type.itemText(0), QString::fromUtf8(AttrTemplateTypeStr[1]));
    unitsCombo.setCurrentIndex(unitsCombo.count() - 1);
    TKvQtAttrsUtils::CheckAFAttrsButtons(m, &unitsLabel, &unitsCombo, &typeLabel, &type);
    QCOMPARE(unitsCombo.isEnabled(), unitsEnabled);
    QCOMPARE(unitsLabel.isEnabled(), unitsEnabled);
    if (!unitsEnabled)
      QCOMPARE(unitsCombo.currentIndex(), 0);
    QCOMPARE(type.isEnabled(), typeItem < 0);
    QCOMPARE(typeLabel.isEnabled(), typeItem < 0);
    if (typeItem >= 0)
      QCOMPARE(type.currentIndex(), typeItem);
    TKvQtAttrsUtils::CheckAFAttrsButtons(m, &unitsLabel, &unitsCombo, nullptr, nullptr);
    QVERIFY_EXCEPTION_THROWN(TKvQtAttrsUtils::CheckAFAttrsButtons(m, nullptr, &unitsCombo, nullptr, nullptr),
                             TKvMessage);
  }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
