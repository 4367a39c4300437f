#include "logview/tkvqtlogprogressimpl_p.h"

#include "logview/kvqtlogprogress.h"
#include "logview/tkvqtlogviewstream.h"
#include "logview/tqtlogview.h"
#include "progress/tkvqtprogressframe.h"

TKvQtLogProgressImpl::TKvQtLogProgressImpl()
  : FLogView(new TQtLogView(nullptr)), FCounter(new_a<TKvLogCounter>()) {}

TKvQtLogProgressImpl::~TKvQtLogProgressImpl() {
  try {
    UnhookLog();
  } catch (...) {
    // Destruction must finish; the log stays as it is.
  }
  FCounter.reset();
  FLogView.reset();
  FSavedLog.reset();
}

void TKvQtLogProgressImpl::HookLog() {
  if (FHooked)
    return;
  FSavedLog = KvLogGetLogV();
  auto redirect = new_a<TKvLogRedirect>();
  redirect->AddStream(FSavedLog, TKvLogRedirect::GetAllFilter(), false);
  redirect->AddStream(FCounter, TKvLogRedirect::MakeFilter(0, 3, 3, 1, 3, 3, 1), false);
  redirect->AddStream(FLogView->GetStreamRef(), TKvLogRedirect::MakeFilter(0, 3, 3, 3, 3, 3, 3), false);
  // The log setting holds the only reference: unhooking drops the redirect.
  KvLogSetLogV(redirect);
  FHooked = true;
}

void TKvQtLogProgressImpl::UnhookLog() {
  if (!FHooked)
    return;
  KvLogSetLogV(FSavedLog);
  FHooked = false;
  FSavedLog.reset();
}

void TKvQtLogProgressImpl::ClearMessages() {
  FLogView->ClearLog();
  FCounter->ResetCounters();
}

bool TKvQtLogProgressImpl::HaveImportantMessages() { return FCounter->HaveImportantMessages(); }

void TKvQtLogProgressImpl::ModalShow() { FLogView->SmartModalShow(); }

void TKvQtLogProgressImpl::ModalHide() { FLogView->SmartModalHide(); }

bool TKvQtLogProgressImpl::Visible() { return FLogView->IsSmartModal(); }

var_a<TKvProgressHandler*> TKvQtLogProgressImpl::CreateProgress() { return KvFormProgress(FLogView); }

void TKvQtLogProgressImpl::WaitOK(bool always) {
  if (!FLogView->IsSmartModal())
    return;
  if (!always && !HaveImportantMessages())
    return;
  FLogView->WaitOK();
  FCounter->ResetCounters();
}

void TKvQtLogProgressImpl::SetProgressControl(TKvProgressControl* control) {
  FLogView->GetProgress()->SetProgressControl(control);
}
