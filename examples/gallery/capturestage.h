#pragma once
// The stage of the renderer and the layout test: every window a page
// presents is shown (on whatever platform runs, usually offscreen), laid
// out, handed to a callback and then let go; a modal window is answered
// with its escape answer. Never waits for a person: a modal call that shows
// nothing within the timeout is recorded as an error and its windows closed.

#include "gallery.h"

#include <QStringList>

class CaptureStage : public GalleryStage {
public:
  using TOnWindow = std::function<void(QWidget*)>;

  explicit CaptureStage(TOnWindow onWindow, int modalTimeoutMs = 5000);

  void Present(QWidget* window, int lingerMs = 0) override;
  void PresentModal(const std::function<void()>& open, int lingerMs = 0) override;

  // Windows handed to the callback so far.
  int Windows() const { return FWindows; }
  // What went wrong: modal calls that showed nothing, exceptions of pages.
  const QStringList& Errors() const { return FErrors; }
  void AddError(const QString& error) { FErrors << error; }

  // Shows the window and lets it lay itself out, processing events for at
  // least `lingerMs`.
  static void Settle(QWidget* window, int lingerMs = 0);

private:
  TOnWindow FOnWindow;
  int FModalTimeoutMs;
  int FWindows = 0;
  QStringList FErrors;
};

// Builds the page on the stage; an exception of the page becomes an error
// of the stage. False when the page presented no window or failed.
bool BuildPage(const GalleryPage& page, CaptureStage& stage);
