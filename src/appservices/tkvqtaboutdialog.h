#pragma once
// TKvQtAboutDialog: the suite's "about" box for any module, in one call.

#include "kvqtcpnt_export.h"

#include <string>

class KVQTCPNT_EXPORT TKvQtAboutDialog {
public:
  TKvQtAboutDialog() = delete;
  // Shows the about box of the module (UTF-8 name, may be empty) modally over
  // the active window and returns when the user closes it.
  static void Display(std::string moduleName);
};
