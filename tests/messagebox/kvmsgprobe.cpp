// kvmsgprobe nowidget         KvQtErrorMessage without any application object
// kvmsgprobe core             the same with a core-only application
// kvmsgprobe recall <key>     asks KvQtQuestYesNo with the global option table;
//                             prints "answer=yes|no" when it was answered from
//                             memory, "shown" (exit 3) when a box appeared
#include "appservices/kvqtclipboard.h"
#include "dialogs/tkvqmessagebox.h"

#include "kvsuite/kvconfig.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "nowidget") == 0) {
    KvQtErrorMessage("probe: no application \xD0\xB6");
    KvQtErrorMessage_safe("probe: safe call");
    std::printf("clipboard:%s\n", KvSetQClipboardText(std::string("x")) ? "set" : "none");
    return 0;
  }
  if (argc >= 2 && std::strcmp(argv[1], "core") == 0) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("CoreProbe");
    KvQtErrorMessage("probe: core application");
    return 0;
  }
  if (argc >= 3 && std::strcmp(argv[1], "recall") == 0) {
    QApplication app(argc, argv);
    bool shown = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&shown] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown = true;
        box->done(QMessageBox::Cancel);
      }
    });
    poll.start(10);
    const bool yes = KvQtQuestYesNo("Recall?", GlobalOT(1), argv[2]);
    if (shown) {
      std::printf("shown\n");
      return 3;
    }
    std::printf("answer=%s\n", yes ? "yes" : "no");
    return 0;
  }
  std::fprintf(stderr, "usage: kvmsgprobe nowidget | core | recall <key>\n");
  return 2;
}
