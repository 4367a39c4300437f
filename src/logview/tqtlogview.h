#pragma once
// TQtLogView: the application-modal window in which a long operation runs.
//
// Four message-class buttons with counters beside the log table, the
// progress frame below, and an OK bar once the operation is over. The
// window hands out a log stream for the suite's logging, appears only when
// the operation lasts longer than the smart-modal timeout, shows errors,
// warnings and information once such messages arrive (detail messages stay
// visible as long as they are all there is), and minimises or restores the
// whole application together with itself.
//
// The smart-modal timeout ("PrgSMTimeout", -1 shows at once, anything else
// outside 1..100000 ms gives 500) and the progress frames' update and tick
// timeouts ("PrgTimeout", outside 10..100000 ms gives 100) are read from the
// module settings once per process, by the first window.
//
// Choices of this class:
// - WaitOK() shows the window when it is not on screen, even if it is
//   already marked application-modal: the user must see what to confirm.
//   It waits for events instead of spinning, and ends when the OK bar or the
//   window is hidden (or the window is deleted).
// - When the progress frame's panels need more room, the frame's minimum
//   height grows and the window grows by the same amount; it never shrinks.
// - An unbalanced SmartModalHide() is ignored instead of wrapping the depth.
// - Minimising the window minimises every other visible top-level window;
//   restoring it restores them. Hidden windows are left alone.
// - The auxiliary-functions button stays hidden and its handlers are empty;
//   nothing in the library sets the debug-break request.

#include "kvqtcpnt_export.h"

#include "logview/tkvqtlogtable.h"
#include "module/tkvqmainwindow.h"

#include "kvsuite/var_a.h"

#include <cstdint>

class QAction;
class TKvQtLogViewStream;
class TKvQtProgressFrame;
class Ui_TQtLogView;

class KVQTCPNT_EXPORT TQtLogView : public TKvQMainWindow {
  Q_OBJECT

public:
  // `parent` owns the window when given.
  explicit TQtLogView(QWidget* parent = nullptr);
  ~TQtLogView() override;

  // The stream bound to the table; the window keeps its own reference.
  TKvQtLogViewStream* GetStream();
  var_a<TKvQtLogViewStream*> GetStreamRef() const { return FStream; }
  TKvQtProgressFrame* GetProgress();
  TKvQtLogTable* GetLogTable();

  void ShowProgress(bool show);
  void ClearLog();
  void SetMsgLevel(TKvQtLogTable::TMessageLevel level);

  void SmartModalShow();
  void SmartModalHide();
  void ModalShow();
  void ModalHide();
  bool IsSmartModal() const { return FSmartModalDepth != 0; }
  bool IsTrueModal() const;

  // Lets the user read the log and confirm with OK.
  void WaitOK();
  bool IsInteractive() { return true; }
  void DoDebugBreakCheck();
  void PrepareAuxMenu();
  void PopupAuxMenu(QAction* action);

  // The smart-modal timeout in force (ms), once a window has read the settings.
  static unsigned GetSmartModalTimeout();

protected:
  virtual void DoBeforeModalShow();
  virtual void DoAfterModalShow();
  virtual void DoBeforeModalHide();
  virtual void DoAfterModalHide();

  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;

private slots:
  void slotBtnMsgLevelToggled(bool checked);
  void slotBtnOKClicked();

private:
  void DoOnLogMessagesChanged();
  void DoProgressExtHeightChanged(int height);
  bool DoMakeTrueModal();
  void TrueModalShow();
  void DoModalHide();
  static void LoadTimeoutsOnce();

  uint64_t FSmartModalDepth = 0;
  uint32_t FSmartModalStartTick = 0;
  var_a<TKvQtLogViewStream*> FStream;
  bool FDebugBreakRequest = false;
  bool FAutoLevelArmed = false;
  bool FUpdatingLevelButtons = false;
  int FHeightOffset = 0;
  Ui_TQtLogView* ui;
};
