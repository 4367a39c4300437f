#include "logview/kvqtlogprogress.h"

#include "logview/tkvqtlogprogressimpl_p.h"
#include "logview/tqtlogview.h"
#include "progress/tkvcommonprogressimpl.h"
#include "progress/tkvqtprogressframe.h"

#include "kvsuite/kvmessage.h"
#include "kvsuite/kvtime.h"

#include <memory>
#include <utility>

namespace {

typedef TKvCommonProgressImpl<TKvQtProgressFrame> TFrameProgress;

// The window and the handler over its frame, created and freed together, so
// that the frame outlives the handler.
struct TKvQtProgressCBHelper {
  explicit TKvQtProgressCBHelper(var_a<TQtLogView*> view)
    : View(std::move(view)),
      Handler(View->GetProgress(), 0, TFrameProgress::oplOwn, nullptr, KvGetTickCount(), 0.0, 1.0, lmlVisible) {}

  ~TKvQtProgressCBHelper() {
    try {
      View->ShowProgress(false);
    } catch (...) {
    }
    if (Handler.IsStarted()) {
      try {
        Handler.Stop();
      } catch (...) {
      }
    }
  }

  var_a<TQtLogView*> View;
  TFrameProgress Handler;
};

} // namespace

var_a<TKvLogProgress*> KvQtLogProgress() {
  auto progress = new_a<TKvQtLogProgressImpl>();
  progress->HookLog();
  return progress;
}

var_a<TKvLogProgress*> KvQtLogProgressEx(bool) { return new_a<TKvQtLogProgressImpl>(); }

var_a<TKvProgressHandler*> KvFormProgress(var_a<TQtLogView*> view) {
  if (!view)
    throw TKvMessage("@KvFormProgress(): no log window to show the progress in");
  auto helper = std::make_shared<TKvQtProgressCBHelper>(std::move(view));
  helper->View->GetProgress()->ResetProgress();
  helper->View->ShowProgress(true);
  TKvProgressHandler* handler = &helper->Handler;
  return var_a<TKvProgressHandler*>(std::shared_ptr<TKvProgressHandler>(std::move(helper), handler));
}
