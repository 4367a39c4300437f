#pragma once
// The application interfaces the library declares for the suite. The library
// implements neither: applications do, and suite components find them
// through IKvInterface look-up by the identity objects below.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvinterface.h"

#include <string>
#include <vector>

class QWidget;
class TKvOptionTable;
class IKvGuiLayer;

// What a suite component may ask of the GUI application it runs in.
class KVQTCPNT_EXPORT IKvGUIApplication : public virtual IKvInterface {
public:
  static TKvUIDObject IKvGUIApplicationUIDObj;

  IKvInterface* GetInterface_Int(TKvUIDObject* id) override;
  ~IKvGUIApplication() override;

  // The main window (the owner of application-wide dialogs).
  virtual QWidget* GetMainWindow() = 0;
  // The product title shown in captions.
  virtual std::string GetApplicationTitle() const = 0;
  virtual void SetStatusText(const std::string& text) = 0;
  // The application's own option table; it keeps ownership.
  virtual TKvOptionTable* GetOptionTable() = 0;
  virtual std::string GetIniFileName() const = 0;
  virtual void ShowHelp(const std::string& topic) = 0;
  virtual bool OpenDocument(const std::string& path) = 0;
  virtual bool CloseDocument(const std::string& path) = 0;
  virtual std::string ActiveDocumentPath() const = 0;
  virtual std::vector<std::string> RecentFiles() const = 0;
  virtual void AddRecentFile(const std::string& path) = 0;
  // Nested: each Begin is matched by one End.
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
  // A long operation is running (menus that start another should be disabled).
  virtual bool IsBusy() const = 0;
  // Asks to close the application; false when the user or a document refused.
  virtual bool RequestQuit() = 0;
  // Layers are not owned by the application; a layer unregisters before it dies.
  virtual void RegisterGuiLayer(IKvGuiLayer* layer) = 0;
  virtual void UnregisterGuiLayer(IKvGuiLayer* layer) = 0;
};
