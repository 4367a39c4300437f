#pragma once
// A component that contributes a widget to the application's workspace; the
// application (IKvGUIApplication) keeps a list of them.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvinterface.h"

class QWidget;

// A component that contributes a widget to the application's workspace.
class KVQTCPNT_EXPORT IKvGuiLayer : public virtual IKvInterface {
public:
  static TKvUIDObject IKvGuiLayerUIDObj;

  IKvInterface* GetInterface_Int(TKvUIDObject* id) override;
  ~IKvGuiLayer() override;

  // Creates the layer's widget as a child of parent, which then owns it.
  virtual QWidget* CreateLayerWidget(QWidget* parent) = 0;
};
