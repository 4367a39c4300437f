#include "appservices/kvqtclipboard.h"

#include "module/kvqtappholder.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

QClipboard* Clipboard() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

} // namespace

bool KvSetQClipboardText(const QString& text) {
  QClipboard* cb = Clipboard();
  if (!cb)
    return false;
  cb->setText(text, QClipboard::Clipboard);
  return true;
}

bool KvSetQClipboardText(const std::string& utf8) {
  return KvSetQClipboardText(QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size())));
}

std::string KvGetQClipboardText() {
  QClipboard* cb = Clipboard();
  return cb ? QtToKvStr(cb->text(QClipboard::Clipboard)) : std::string();
}
