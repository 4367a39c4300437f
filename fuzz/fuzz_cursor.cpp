// Feeds arbitrary bytes to the cursor reader. A TKvMessage is the expected
// answer to bad input; anything else (a crash, a sanitizer report, another
// exception) is a finding.

#include "appservices/kvqtcursors.h"

#include "kvsuite/kvmessage.h"
#include "kvsuite/kvstream.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Bitmaps and pixmaps need a GUI application; one for the whole run.
void ensureApplication() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "fuzz_cursor";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ensureApplication();
  TKvFixedMemStream stream(data, size);
  try {
    const QCursor cursor = LoadQCursor(stream);
    (void)cursor.hotSpot();
  } catch (const TKvMessage&) {
  }
  return 0;
}
