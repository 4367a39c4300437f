#pragma once
// The service through which an operation puts panels of its own (a plot, a
// table, a preview) into the extension area of a progress display. Obtained
// from the display's KvInterface().
//
// A panel's life: parent = CreateWidget(); create the panel under it;
// ShowWidget; later HideWidget, DestroyWidget, and delete the panel. The
// caller owns its panel.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvinterface.h"

class QWidget;

class KVQTCPNT_EXPORT IKvQtGuiProgress : public virtual IKvInterface {
public:
  static TKvUIDObject IKvQtGuiProgressUIDObj;

  IKvInterface* GetInterface_Int(TKvUIDObject* id) override;
  ~IKvQtGuiProgress() override;

  // The widget to create panels under.
  virtual QWidget* CreateWidget() = 0;
  virtual void ShowWidget(QWidget* owner, QWidget* panel) = 0;
  virtual void HideWidget(QWidget* owner, QWidget* panel) = 0;
  virtual void DestroyWidget(QWidget* panel) = 0;
};
