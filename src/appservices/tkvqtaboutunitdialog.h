#pragma once
// TKvQtAboutUnitDialog: the about box of one module of the suite.
//
// Shows the splash picture, the module's name, the build's version and date,
// the copyright line, a link to the maker's site and, when the help path holds
// the "contrib" document (".pdf"), a link to the notes on programs and
// components by other developers (which opens "contrib.rtf"). With the
// service key held while the box is built, the source revision shows too.
// Ctrl+C or the context menu copies the whole content as plain text (CR LF
// line ends).
//
// Choices of this class:
// - Build values (revision, build date, the copyright year) come from
//   KvQtGetBuildInfo(); the copyright line is the resource string
//   "global.Copyright_lbl" with "%1%" filled with the build year.
// - The web address is https://www.quorvant.example/.
// - slotSystemInfoButtonClicked() throws a TKvMessage (system information is
//   not available yet). The button does not let it into Qt's event loop:
//   its click shows the message in the library's error box instead.

#include "kvqtcpnt_export.h"

#include "module/tkvqdialog.h"

#include <QString>

#include <memory>
#include <string>

class QAction;
class QMenu;
class Ui_TKvQtAboutUnitDialog;

class KVQTCPNT_EXPORT TKvQtAboutUnitDialog : public TKvQDialog {
  Q_OBJECT
public:
  // Runs the box modally for the module (UTF-8 name) with the active window
  // as parent and destroys it before returning.
  static void Execute(std::string moduleName);

  // A null parent becomes the active window (see TKvQDialog).
  explicit TKvQtAboutUnitDialog(QString moduleName, QWidget* parent = nullptr);
  ~TKvQtAboutUnitDialog() override;

public slots:
  void copyToClipboard();
  void slotLinkActivated(const QString& link);
  void slotSystemInfoButtonClicked();
  void slotContribLabelClicked();

protected:
  void showEvent(QShowEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;

private:
  void configureUI(const QString& moduleName);
  void makeConnections();
  // The box's content as plain text, as copyToClipboard() puts it there.
  QString ClipboardText() const;

  std::unique_ptr<Ui_TKvQtAboutUnitDialog> FForm;
  QAction* FCopyAction = nullptr;
  QMenu* FContextMenu = nullptr;
  QString FWebAddress;
};
