#pragma once
// Help documents of the suite's applications: found by name along the help
// search path and opened with the desktop's default viewer.
//
// The search path is the suite's static configuration text 13, a list of
// folder prefixes; each prefix is joined to the file name as it stands (the
// prefix carries its own separator). A name ending in ".rtf" is searched as
// given; any other name gets ".pdf" appended.
//
// The warnings are the module's resource strings "global.HelpFileNotFound",
// "global.HelpFilesNotFound" (one and two "%s" fields for the tried paths)
// and "global.HelpErrorStarting" (one field for the path). A text whose
// fields do not fit (a broken translation) is shown with the paths appended
// instead of being formatted. Without a QApplication on this thread, or off
// the GUI thread, a warning goes to the widget-free message fallback.
//
// GUI thread only. Opening goes through QDesktopServices::openUrl, so a URL
// handler registered for the "file" scheme receives the document instead.

#include "kvqtcpnt_export.h"

#include <string>

// Whether `name` (with ".pdf" appended unless it ends in ".rtf") exists under
// one of the help prefixes. Shows nothing.
KVQTCPNT_EXPORT bool QtQueryHelpFile(const std::string& name);
// Finds `name`, or else `altName` (when not empty), and opens it; false, after
// a warning, when neither exists (the paths tried under the last prefix are
// named) or the document could not be opened.
KVQTCPNT_EXPORT bool QtShowHelpFile(const std::string& name, const std::string& altName);
