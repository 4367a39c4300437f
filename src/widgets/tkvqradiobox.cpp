#include "widgets/tkvqradiobox.h"

#include "kvsuite/kvmessage.h"

#include <QGridLayout>
#include <QRadioButton>

TKvQRadioBox::TKvQRadioBox(QWidget* parent) : QGroupBox(parent) {
  setLayout(new QGridLayout);
  clearChoices();
}

QAbstractButton* TKvQRadioBox::buttonAt(int idx) const {
  // Indexes are those given when the buttons were added, not list positions
  // (the two differ only while reorderButtons runs).
  for (QAbstractButton* b : FButtons)
    if (FIndexes.value(b, -1) == idx)
      return b;
  return nullptr;
}

int TKvQRadioBox::addChoice(const QString& text) {
  auto* button = new QRadioButton(text, this);
  const int idx = count();
  addWidgetToLayout(button);
  FButtons.append(button);
  FIndexes.insert(button, idx);
  if (!FCurrent) {
    button->setChecked(true);
    FCurrent = button;
  }
  connect(button, &QAbstractButton::toggled, this, [this, button](bool checked) { buttonToggled(button, checked); });
  return idx;
}

void TKvQRadioBox::setChoices(const QStringList& choices) {
  clearChoices();
  for (const QString& c : choices)
    addChoice(c);
  setStretch(1.0);
}

void TKvQRadioBox::clearChoices() {
  for (QAbstractButton* b : qAsConst(FButtons)) {
    if (layout())
      layout()->removeWidget(b);
    // Unchecking on the way out must not report a change.
    disconnect(b, nullptr, this, nullptr);
    b->hide();
    b->deleteLater();
  }
  FButtons.clear();
  FIndexes.clear();
  FCurrent = nullptr;
}

QStringList TKvQRadioBox::choices() const {
  QStringList out;
  for (int i = 0; i < count(); ++i)
    out << choiceText(i);
  return out;
}

int TKvQRadioBox::currentIdx() const { return FCurrent ? FIndexes.value(FCurrent.data(), -1) : -1; }

void TKvQRadioBox::setCurrentIdx(int idx) {
  QAbstractButton* b = buttonAt(idx);
  if (!b || !b->isEnabled())
    return;
  b->setChecked(true);
  FCurrent = b;
}

void TKvQRadioBox::setChoiceEnabled(int idx, bool enabled) {
  if (QAbstractButton* b = buttonAt(idx))
    b->setEnabled(enabled);
}

bool TKvQRadioBox::isChoiceEnabled(int idx) const {
  QAbstractButton* b = buttonAt(idx);
  return b && b->isEnabled();
}

void TKvQRadioBox::setChoiceVisible(int idx, bool visible) {
  if (QAbstractButton* b = buttonAt(idx))
    b->setVisible(visible);
}

bool TKvQRadioBox::isChoiceVisible(int idx) const {
  QAbstractButton* b = buttonAt(idx);
  return b && !b->isHidden();
}

void TKvQRadioBox::setChoiceText(int idx, const QString& text) {
  if (QAbstractButton* b = buttonAt(idx))
    b->setText(text);
}

QString TKvQRadioBox::choiceText(int idx) const {
  QAbstractButton* b = buttonAt(idx);
  return b ? b->text() : QString();
}

void TKvQRadioBox::setDirection(TKvDirection direction) {
  if (direction == FDirection)
    return;
  FDirection = direction;
  reorderButtons();
}

void TKvQRadioBox::setDimention(int dimention) {
  // A grid needs at least one column (or row).
  dimention = qMax(1, dimention);
  if (dimention == FDimention)
    return;
  FDimention = dimention;
  if (FDirection == rdRows || FDirection == rdColumns)
    reorderButtons();
}

int TKvQRadioBox::margin() const {
  auto* grid = qobject_cast<QGridLayout*>(layout());
  if (!grid)
    return -1;
  int l = 0, t = 0, r = 0, b = 0;
  grid->getContentsMargins(&l, &t, &r, &b);
  return l;
}

void TKvQRadioBox::setMargin(int margin) {
  if (auto* grid = qobject_cast<QGridLayout*>(layout()))
    grid->setContentsMargins(margin, margin, margin, margin);
}

int TKvQRadioBox::spacing() const {
  auto* grid = qobject_cast<QGridLayout*>(layout());
  return grid ? grid->spacing() : -1;
}

void TKvQRadioBox::setSpacing(int spacing) {
  if (auto* grid = qobject_cast<QGridLayout*>(layout()))
    grid->setSpacing(spacing);
}

void TKvQRadioBox::setStretch(double stretch) {
  auto* grid = qobject_cast<QGridLayout*>(layout());
  if (!grid)
    return;
  grid->setRowStretch(grid->rowCount(), static_cast<int>(stretch));
  grid->setColumnStretch(grid->columnCount(), static_cast<int>(stretch));
}

void TKvQRadioBox::addWidgetToLayout(QWidget* button) {
  auto* grid = qobject_cast<QGridLayout*>(layout());
  if (!grid)
    throw TKvMessage("@void TKvQRadioBox::addWidgetToLayout(QWidget *): "
                     "@TKvQRadioBox::addWidgetToLayout: Unexpected type cast");
  const int n = count();
  switch (FDirection) {
  case rdHorizontal:
    grid->addWidget(button, 0, grid->columnCount());
    break;
  case rdVertical:
    grid->addWidget(button, grid->rowCount(), 0);
    break;
  case rdRows:
    grid->addWidget(button, n / FDimention, n % FDimention);
    break;
  case rdColumns:
    grid->addWidget(button, n % FDimention, n / FDimention);
    break;
  }
}

void TKvQRadioBox::reorderButtons() {
  auto* grid = qobject_cast<QGridLayout*>(layout());
  if (!grid)
    throw TKvMessage("@void TKvQRadioBox::reorderButtons(): @TKvQRadioBox::reorderButtons: Unexpected type cast");
  setStretch(0.0);
  const QList<QAbstractButton*> buttons = FButtons;
  for (QAbstractButton* b : buttons)
    grid->removeWidget(b);
  FButtons.clear();
  for (QAbstractButton* b : buttons) {
    addWidgetToLayout(b);
    FButtons.append(b);
  }
  setStretch(1.0);
  adjustSize();
}

void TKvQRadioBox::buttonToggled(QAbstractButton* b, bool checked) {
  if (!checked)
    return;
  FCurrent = b;
  emit currentChanged(FIndexes.value(b, -1));
}
