#pragma once
// TKvQtQueryFileDirDlg: asks for a folder with a folder edit under a prompt.
// The folder is returned as typed or chosen (double quotes around it
// removed); whether it exists is the caller's business. All texts UTF-8.
// The static functions create the dialog (parent: the active window), run it
// and destroy it before returning; a cancel leaves the caller's value alone.

#include "kvqtcpnt_export.h"

#include "module/tkvqdialog.h"

#include "kvsuite/kvstrings.h"

#include <memory>
#include <string>

class Ui_TKvQueryFileDirDlg;

class KVQTCPNT_EXPORT TKvQtQueryFileDirDlg : public TKvQDialog {
  Q_OBJECT
public:
  TKvQtQueryFileDirDlg(const QString& text, const QString& caption, const std::string& folder);
  ~TKvQtQueryFileDirDlg() override;

  // Titled with the executable's file name; true on OK (`result`, when not
  // null, then holds the folder).
  static bool Execute(const std::string& text, const std::string& folder, std::string* result);
  static bool Execute(const std::string& text, const std::string& folder, TKvPath* result);
  // Titled `caption`; starts at `folder` and, on OK, puts the answer there.
  static bool ExecuteEx(const std::string& text, const std::string& caption, std::string& folder);
  static bool ExecuteEx(const std::string& text, const std::string& caption, TKvPath& folder);

  // The folder now in the edit (UTF-8).
  std::string directory() const;

private:
  std::unique_ptr<Ui_TKvQueryFileDirDlg> FForm;

  // Runs a dialog; true and the folder on OK.
  static bool run(const std::string& text, const QString& caption, const std::string& folder, std::string* out);
};
