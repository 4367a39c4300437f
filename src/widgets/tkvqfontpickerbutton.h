#pragma once
// TKvQFontPickerButton: a push button whose own font is the chosen font; its
// caption names the family and the point size ("Sans, 10") and the font
// dialog picks another one.

#include "kvqtcpnt_export.h"

#include <QFont>
#include <QPushButton>

class KVQTCPNT_EXPORT TKvQFontPickerButton : public QPushButton {
  Q_OBJECT
public:
  explicit TKvQFontPickerButton(QWidget* parent = nullptr);

signals:
  void fontChanged(QFont font);

public slots:
  void slotButtonFontChanged(const QFont& font);
  void slotButtonClicked();

protected:
  void showEvent(QShowEvent* e) override;
};
