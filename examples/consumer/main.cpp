// Links against the installed library and uses it the way an application does.
#include <module/kvmodule_initializer.h>
#include <module/kvqtappholder.h>
#include <appservices/kvqtcursors.h>

#include <kvsuite/kvlog.h>
#include <kvsuite/kvmessage.h>

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Init_KvQtCpnt();
  const std::string text = KvModule_Initializer::getInst().get_resource_string("global.Cancel");
  const bool cursors = kvCurHand1.shape() == Qt::BitmapCursor;
  KvLogWriteInfo("consumer", "the library is loaded");
  Deinit_KvQtCpnt();
  if (text.empty() || !cursors) {
    std::fprintf(stderr, "kvconsumer: the library did not initialise\n");
    return 1;
  }
  std::printf("kvconsumer: OK (\"%s\")\n", text.c_str());
  return 0;
}
