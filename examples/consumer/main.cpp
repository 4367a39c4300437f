// Links against the installed library and uses it the way an application does.
#include <module/kvmodule_initializer.h>
#include <module/kvqtappholder.h>
#include <appservices/kvqtcursors.h>
#include <appservices/tkvstreamtoqtiodevice.h>

#include <kvsuite/kvlog.h>
#include <kvsuite/kvmessage.h>

#include <QApplication>
#include <QDataStream>

#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Init_KvQtCpnt();
  const std::string text = KvModule_Initializer::getInst().get_resource_string("global.Cancel");
  const bool cursors = kvCurHand1.shape() == Qt::BitmapCursor;
  KvLogWriteInfo("consumer", "the library is loaded");
  // Qt's own serialisation into one of the suite's streams.
  auto stream = new_a<TKvStringStream>();
  {
    TKvStreamToQtIODevice device(stream);
    QDataStream out(&device);
    out << QString("consumer");
  }
  const bool streamed = stream->str().size() == 4 + 2 * 8;
  Deinit_KvQtCpnt();
  if (text.empty() || !cursors || !streamed) {
    std::fprintf(stderr, "kvconsumer: the library did not initialise\n");
    return 1;
  }
  std::printf("kvconsumer: OK (\"%s\")\n", text.c_str());
  return 0;
}
