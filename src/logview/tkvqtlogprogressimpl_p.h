#pragma once
// TKvQtLogProgressImpl: the log-bound progress behind KvQtLogProgress().
//
// It owns a log window (created without a parent) and a log counter. While
// hooked, a log redirect is the suite's log stream: every record still goes
// to the log that was current before, is counted, and is shown in the window
// (the window's stream sees records of levels up to 3 from any thread, the
// counter up to 3 from the main thread and up to 1 from other threads).
// Unhooking makes the earlier log current again; destruction unhooks.
//
// GUI thread only.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvlog.h"
#include "kvsuite/kvprogress.h"
#include "kvsuite/var_a.h"

class TQtLogView;

class KVQTCPNT_AUTOTEST_EXPORT TKvQtLogProgressImpl : public TKvLogProgress {
public:
  TKvQtLogProgressImpl();
  ~TKvQtLogProgressImpl() override;

  void HookLog() override;
  void UnhookLog() override;
  void ClearMessages() override;
  bool HaveImportantMessages() override;
  void ModalShow() override;
  void ModalHide() override;
  bool Visible() override;
  var_a<TKvProgressHandler*> CreateProgress() override;
  void WaitOK(bool always) override;
  void SetProgressControl(TKvProgressControl* control) override;

  bool IsHooked() const { return FHooked; }
  const var_a<TQtLogView*>& LogView() const { return FLogView; }
  const var_a<TKvLogCounter*>& Counter() const { return FCounter; }

private:
  bool FHooked = false;
  var_a<TKvStream*> FSavedLog;
  var_a<TQtLogView*> FLogView;
  var_a<TKvLogCounter*> FCounter;
};
