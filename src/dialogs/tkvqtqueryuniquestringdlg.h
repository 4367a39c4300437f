#pragma once
// TKvQtQueryUniqueStringDlg: asks for a new name that is not empty, is not
// one of the names already in use and contains none of the forbidden
// characters. While the typed name is not acceptable, OK is disabled and a
// red message says why.
//
// Names are compared exactly, as UTF-8 bytes: no trimming, no case folding.
// The check runs on the user's edits only, so a preset name is accepted as it
// is until the user first changes it.
//
// Forbidden characters (`forbidden`, UTF-8) form the class of a classic
// QRegExp "[^...]*": '[' and ']' are escaped, every other character is taken
// as it stands, so "a-z" bars a range and a backslash escapes the character
// after it. Choices of this class:
// - Characters outside ASCII are barred as whole characters (a Cyrillic
//   letter bars that letter, not the bytes of its UTF-8 form), including
//   characters outside the Basic Multilingual Plane (emoji), which are
//   checked apart from the class.
// - A backslash at the end of `forbidden` bars the backslash itself (it has
//   nothing to escape). Should the class still not form a valid expression,
//   every character of `forbidden` is barred literally instead of the edit
//   refusing all input.

#include "kvqtcpnt_export.h"

#include "module/tkvqdialog.h"

#include <set>
#include <string>
#include <vector>

class Ui_TKvQtQueryUniqueStringDlg;

class KVQTCPNT_EXPORT TKvQtQueryUniqueStringDlg : public TKvQDialog {
  Q_OBJECT
public:
  explicit TKvQtQueryUniqueStringDlg(QWidget* parent = nullptr);
  ~TKvQtQueryUniqueStringDlg() override;

  // `text` is the prompt, `caption` the title (kept when empty). True when
  // accepted; `value` then holds the new name, otherwise it is untouched.
  static bool ExecuteEx(const std::string& text, const std::string& caption, const std::vector<std::string>& names,
                        const std::string& forbidden, std::string& value);
  // As ExecuteEx with the preset read from and the answer written to *value.
  // A null `value` is a programming error: a technical TKvMessage is thrown.
  static bool Execute(const std::string& text, const std::string& caption, const std::vector<std::string>& names,
                      const std::string& forbidden, std::string* value);

  void setParams(const std::string& text, const std::string& caption, const std::vector<std::string>& names,
                 const std::string& forbidden, const std::string& value);
  // The name in the edit (UTF-8).
  std::string value() const;

public slots:
  void slotTextEdited(const QString& newText);

private:
  Ui_TKvQtQueryUniqueStringDlg* FForm;
  std::set<std::string> FNames;
};
