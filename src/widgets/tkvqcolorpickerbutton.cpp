#include "widgets/tkvqcolorpickerbutton.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

TKvQColorPickerButton::TKvQColorPickerButton(QWidget* parent) : QPushButton(parent) { init(); }

TKvQColorPickerButton::TKvQColorPickerButton(QColor color, QWidget* parent) : QPushButton(parent) {
  init();
  FColor = color;
  updateToolTip();
}

void TKvQColorPickerButton::init() {
  FColor = palette().brush(palette().currentColorGroup(), backgroundRole()).color();
  setText(FColor.name());
  setMinimumSize(16, 16);
  setAcceptDrops(true);
  updateToolTip();
  connect(this, &QPushButton::clicked, this, &TKvQColorPickerButton::slotButtonClicked);
}

void TKvQColorPickerButton::setColor(const QColor& color) {
  if (color == FColor)
    return;
  FColor = color;
  updateToolTip();
  repaint();
  emit colorChanged(FColor);
}

void TKvQColorPickerButton::changeColor(const QColor& color) {
  if (color.isValid())
    setColor(color);
}

void TKvQColorPickerButton::setTextVisible(bool visible) {
  if (visible == FTextVisible)
    return;
  FTextVisible = visible;
  repaint();
}

void TKvQColorPickerButton::updateToolTip() { setToolTip(FColor.isValid() ? FColor.name() : QString()); }

void TKvQColorPickerButton::slotButtonClicked() {
  try {
    const QColor c = QColorDialog::getColor(FColor, parentWidget(), QString(), QColorDialog::ColorDialogOptions());
    changeColor(c);
  } catch (...) {
  }
}

QColor TKvQColorPickerButton::colorFromMimeData(const QMimeData* mime) {
  if (!mime)
    return QColor();
  if (mime->hasColor()) {
    const QColor c = qvariant_cast<QColor>(mime->colorData());
    if (c.isValid())
      return c;
  }
  if (mime->hasText()) {
    const QString t = mime->text().trimmed();
    // Only a short name: a dropped document is not a colour.
    if (t.size() <= 32 && QColor::isValidColor(t))
      return QColor(t);
  }
  return QColor();
}

void TKvQColorPickerButton::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton opt;
  initStyleOption(&opt);
  p.drawControl(QStyle::CE_PushButtonBevel, opt);
  p.setPen(Qt::NoPen);
  p.setBrush(QBrush(FColor));
  p.drawRect(QRect(QPoint(5, 5), QPoint(width() - 1 - 5, height() - 1 - 5)));
  if (FTextVisible) {
    const QColor inverse(255 - FColor.red(), 255 - FColor.green(), 255 - FColor.blue());
    opt.palette.setBrush(QPalette::All, QPalette::ButtonText, inverse);
    opt.text = FColor.name().toUpper();
    p.drawControl(QStyle::CE_PushButtonLabel, opt);
  }
}

void TKvQColorPickerButton::keyPressEvent(QKeyEvent* e) {
  if (e == QKeySequence::Copy) {
    QApplication::clipboard()->setText(FColor.name());
    return;
  }
  if (e == QKeySequence::Paste) {
    changeColor(colorFromMimeData(QApplication::clipboard()->mimeData()));
    return;
  }
  QPushButton::keyPressEvent(e);
}

void TKvQColorPickerButton::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton)
    FPressPos = e->pos();
  QPushButton::mousePressEvent(e);
}

void TKvQColorPickerButton::mouseMoveEvent(QMouseEvent* e) {
  if ((e->buttons() & Qt::LeftButton) &&
      (e->pos() - FPressPos).manhattanLength() >= QApplication::startDragDistance()) {
    // A drag, not a click: release the button without opening the dialog.
    setDown(false);
    auto* mime = new QMimeData;
    mime->setColorData(FColor);
    mime->setText(FColor.name());
    QPixmap swatch(16, 16);
    swatch.fill(FColor);
    QDrag* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(swatch);
    drag->exec(Qt::CopyAction);
    return;
  }
  QPushButton::mouseMoveEvent(e);
}

void TKvQColorPickerButton::dragEnterEvent(QDragEnterEvent* e) {
  if (colorFromMimeData(e->mimeData()).isValid())
    e->acceptProposedAction();
  else
    e->ignore();
}

void TKvQColorPickerButton::dropEvent(QDropEvent* e) {
  const QColor c = colorFromMimeData(e->mimeData());
  if (!c.isValid()) {
    e->ignore();
    return;
  }
  e->acceptProposedAction();
  changeColor(c);
}
