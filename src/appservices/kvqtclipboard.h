#pragma once
// Text on the system clipboard, in UTF-8 for the suite's strings.

#include "kvqtcpnt_export.h"

#include <QString>

#include <string>

// False when the application has no clipboard (no QGuiApplication).
KVQTCPNT_EXPORT bool KvSetQClipboardText(const QString& text);
KVQTCPNT_EXPORT bool KvSetQClipboardText(const std::string& utf8);
// The clipboard text, or an empty text without a clipboard.
KVQTCPNT_EXPORT std::string KvGetQClipboardText();
