#pragma once
// TKvQColorPickerButton: a push button that shows a colour as a swatch and
// lets the user pick another one with the colour dialog.
//
// Beyond the dialog the button takes a colour dragged onto it (colour mime
// data, or text that names a colour: "#rrggbb", "#rgb", SVG names) and can be
// dragged from (colour and "#rrggbb" text); Ctrl+C copies the colour as
// "#rrggbb" and Ctrl+V takes a colour from the clipboard text. Its tool tip
// shows the colour's name. Every way in emits colorChanged only on a real
// change.

#include "kvqtcpnt_export.h"

#include <QColor>
#include <QPoint>
#include <QPushButton>

class KVQTCPNT_EXPORT TKvQColorPickerButton : public QPushButton {
  Q_OBJECT
public:
  explicit TKvQColorPickerButton(QWidget* parent = nullptr);
  TKvQColorPickerButton(QColor color, QWidget* parent = nullptr);

  void setColor(const QColor& color);
  const QColor& color() const { return FColor; }
  void setTextVisible(bool visible);
  bool isTextVisible() const { return FTextVisible; }

  // The colour named by mime data (colour data first, then text); invalid
  // when there is none.
  static QColor colorFromMimeData(const class QMimeData* mime);

signals:
  void colorChanged(QColor color);

public slots:
  void slotButtonClicked();

protected:
  void paintEvent(QPaintEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

private:
  void init();
  // Stores, repaints and signals when the colour is valid and new.
  void changeColor(const QColor& color);
  void updateToolTip();

  QColor FColor;
  bool FTextVisible = false;
  QPoint FPressPos;
};
