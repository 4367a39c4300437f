#pragma once
// TKvClickableQLabel: a QLabel that reports mouse presses as clicked().
//
// Any press with any mouse button emits clicked() once; the press is taken by
// the label and not passed on to QLabel (so a press does not start a text
// selection or reach the parent). Usable directly and as a promoted label in
// designer forms.

#include "kvqtcpnt_export.h"

#include <QLabel>

class KVQTCPNT_EXPORT TKvClickableQLabel : public QLabel {
  Q_OBJECT
public:
  explicit TKvClickableQLabel(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
  explicit TKvClickableQLabel(const QString& text, QWidget* parent = nullptr,
                              Qt::WindowFlags flags = Qt::WindowFlags());
  ~TKvClickableQLabel() override;

signals:
  void clicked();

protected:
  void mousePressEvent(QMouseEvent* e) override;
};
