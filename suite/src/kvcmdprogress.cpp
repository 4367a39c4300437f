#include "kvsuite/kvcmdprogress.h"

#include "kvsuite/kvmessage.h"

#include <utility>

TKvCmdProgressImpl::TKvCmdProgressImpl(var_a<TKvLogProgress*> logProgress) : FLogProgress(std::move(logProgress)) {
  if (!FLogProgress)
    throw TKvMessage("@TKvCmdProgressImpl::TKvCmdProgressImpl(): no log progress to report through");
}

TKvCmdProgressImpl::~TKvCmdProgressImpl() {
  FProgress.reset();
  if (!FShown)
    return;
  try {
    FLogProgress->ModalHide();
  } catch (...) {
    // The tool is going away; a display that fails to hide changes nothing.
  }
}

var_a<TKvProgressHandler*> TKvCmdProgressImpl::Progress() {
  if (!FProgress) {
    if (!FShown) {
      FLogProgress->ModalShow();
      FShown = true;
    }
    FProgress = FLogProgress->CreateProgress();
  }
  return FProgress;
}

void TKvCmdProgressImpl::WaitOK(bool always) {
  if (!FShown)
    return;
  // The operation is over: its level must not stay on screen while the user reads.
  FProgress.reset();
  FShown = false;
  try {
    FLogProgress->WaitOK(always);
  } catch (...) {
    FLogProgress->ModalHide();
    throw;
  }
  FLogProgress->ModalHide();
}

void WaitOK(const var_a<TKvCmdProgressImpl*>& progress, bool always) {
  if (progress)
    progress->WaitOK(always);
}
