#pragma once
// KvQtSelectComputer: asks the user for a computer of the local network.
//
// It looks for servers (see ikvqtnetserversource.h) for at most a few
// seconds, showing a busy cursor; when none is found it returns an empty
// string without showing anything. Otherwise it offers them in the server
// chooser (QtNetDlg, modal, child of `parent`, titled `title` when that is
// not empty) and returns the chosen name (UTF-8), or an empty string when the
// user cancels. `parent` may be null; the caller keeps it.

#include "kvqtcpnt_export.h"

#include <string>

class QWidget;

KVQTCPNT_EXPORT std::string KvQtSelectComputer(QWidget* parent, const std::string& title);
