#pragma once
// NetDlgListWidget: the server list of the network chooser; whole rows,
// wrapping, and a size hint about twenty rows high.

#include "kvqtcpnt_export.h"

#include <QListWidget>

class KVQTCPNT_EXPORT NetDlgListWidget : public QListWidget {
  Q_OBJECT
public:
  explicit NetDlgListWidget(QWidget* parent = nullptr);
  ~NetDlgListWidget() override;

  QSize sizeHint() const override;
};
