#pragma once
// Log-bound progress: the usual way to run a long operation with a log
// window. KvQtLogProgress() gives a TKvLogProgress whose window shows the
// suite's log while the operation runs; its CreateProgress() (or
// KvFormProgress on any log window) gives the root progress handler.
//
//   var_a<TKvLogProgress*> lp = KvQtLogProgress();
//   lp->ModalShow();
//   { var_a<TKvProgressHandler*> p = lp->CreateProgress(); p->Start(); ... p->Stop(); }
//   lp->WaitOK(false);   // waits for OK only when something important was logged
//   lp->ModalHide();
//   lp.reset();          // restores the log

#include "kvqtcpnt_export.h"

#include "kvsuite/kvprogress.h"
#include "kvsuite/var_a.h"

class TQtLogView;

// A log-bound progress with its own log window, the log already hooked.
KVQTCPNT_EXPORT var_a<TKvLogProgress*> KvQtLogProgress();
// The same without hooking the log (HookLog() does it later). The argument
// is reserved and has no effect.
KVQTCPNT_EXPORT var_a<TKvLogProgress*> KvQtLogProgressEx(bool reserved);
// The root progress handler over the window's progress frame: shows the
// frame (reset) at once and hides it when the last reference goes, stopping
// the handler if it still runs. The handler keeps the window alive. Throws a
// TKvMessage for a null window.
KVQTCPNT_EXPORT var_a<TKvProgressHandler*> KvFormProgress(var_a<TQtLogView*> view);
