#include "widgets/tkvqfontpickerbutton.h"

#include <QFontDialog>

TKvQFontPickerButton::TKvQFontPickerButton(QWidget* parent) : QPushButton(parent) {
  slotButtonFontChanged(font());
  connect(this, &QPushButton::clicked, this, &TKvQFontPickerButton::slotButtonClicked);
  connect(this, &TKvQFontPickerButton::fontChanged, this, &TKvQFontPickerButton::slotButtonFontChanged);
}

void TKvQFontPickerButton::slotButtonFontChanged(const QFont& f) {
  setText(QStringLiteral("%1, %2").arg(f.family()).arg(f.pointSize()));
}

void TKvQFontPickerButton::slotButtonClicked() {
  try {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, font(), this, QString(), QFontDialog::FontDialogOptions());
    if (!ok)
      return;
    setFont(f);
    emit fontChanged(f);
  } catch (...) {
  }
}

void TKvQFontPickerButton::showEvent(QShowEvent* e) {
  slotButtonFontChanged(font());
  QPushButton::showEvent(e);
}
