#pragma once
// The GUI-panel service of a progress frame: panels go into a box layout of
// the frame, in the order they are shown, and the frame is told when the
// panel area grows so that its window can grow with it.
//
// Neither the widget nor the layout is owned; both belong to the frame, which
// may hand over the layout after building its form (SetLayout). Panels stay
// owned by their callers. Showing a panel twice is a std::logic_error;
// hiding one that is not shown is logged and otherwise ignored.

#include "progress/ikvqtguiprogress.h"

#include <functional>
#include <vector>

class QBoxLayout;

class KVQTCPNT_EXPORT TKvQtGuiProgress : public IKvQtGuiProgress {
public:
  typedef std::function<void(int)> THeightChangedEvent;

  // A null `pnExtenders` throws a TKvMessage.
  TKvQtGuiProgress(QWidget* pnExtenders, QBoxLayout* layout, THeightChangedEvent onHeightChanged);
  ~TKvQtGuiProgress() override;

  QWidget* CreateWidget() override;
  void ShowWidget(QWidget* owner, QWidget* panel) override;
  void HideWidget(QWidget* owner, QWidget* panel) override;
  void DestroyWidget(QWidget* panel) override;

  void Arrange();
  void SetLayout(QBoxLayout* layout) { FLayout = layout; }
  QBoxLayout* Layout() const { return FLayout; }
  const std::vector<QWidget*>& Panels() const { return FPanels; }

private:
  QWidget* FPnExtenders;
  QBoxLayout* FLayout;
  THeightChangedEvent FOnHeightChanged;
  std::vector<QWidget*> FPanels;
};
