#include "logview/txqcmd.h"

#include "logview/kvqtlogprogress.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvmessage.h"

TXQCmd::TXQCmd() {
  if (KvApplication)
    throw TKvMessage("@TXQCmd::TXQCmd(): This progress not compatible with KvApplication");
  FLogProgress = KvQtLogProgress();
  FCmdProgress = new_a<TKvCmdProgressImpl>(FLogProgress);
}

TXQCmd::~TXQCmd() {
  try {
    WaitOK(FCmdProgress, false);
  } catch (...) {
    // The tool is ending; the user simply does not get to confirm.
  }
  FCmdProgress.reset();
  FLogProgress.reset();
}
