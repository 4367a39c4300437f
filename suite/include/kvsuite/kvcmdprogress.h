#pragma once
// TKvCmdProgressImpl: the progress a command-line style tool reports to,
// carried out by a log-bound progress (TKvLogProgress).
//
// A tool asks for the progress handler of its operation with Progress(); the
// first call shows the log progress (smart-modal, so short operations show
// nothing) and creates the root handler. WaitOK() ends the operation: it
// drops the handler, lets the user read the log when important messages
// were logged (or always, on request) and hides the log progress again.
// Dropping the object without WaitOK() hides the log progress without
// waiting.
//
// Ownership: the object shares the log progress (var_a); handlers it hands
// out are shared with the tool, which should drop its copies before WaitOK.
// GUI thread only, like the log progress it drives.

#include "kvsuite/kvprogress.h"
#include "kvsuite/kvsuite_export.h"
#include "kvsuite/var_a.h"

class KVSUITE_EXPORT TKvCmdProgressImpl {
public:
  // Throws a TKvMessage when `logProgress` is null.
  explicit TKvCmdProgressImpl(var_a<TKvLogProgress*> logProgress);
  virtual ~TKvCmdProgressImpl();

  TKvCmdProgressImpl(const TKvCmdProgressImpl&) = delete;
  TKvCmdProgressImpl& operator=(const TKvCmdProgressImpl&) = delete;

  // The root handler of the running operation; begins one when none runs.
  var_a<TKvProgressHandler*> Progress();
  // True between the first Progress() and WaitOK().
  bool IsRunning() const { return FShown; }
  // Ends the operation (see above); returns once the user has confirmed or
  // at once when there is nothing to confirm. Nothing when none runs.
  void WaitOK(bool always);

  const var_a<TKvLogProgress*>& LogProgress() const { return FLogProgress; }

private:
  var_a<TKvLogProgress*> FLogProgress;
  var_a<TKvProgressHandler*> FProgress;
  bool FShown = false;
};

// progress->WaitOK(always); nothing for a null progress.
KVSUITE_EXPORT void WaitOK(const var_a<TKvCmdProgressImpl*>& progress, bool always);
