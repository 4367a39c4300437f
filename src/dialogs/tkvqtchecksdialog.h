#pragma once
// TKvQtChecksDialog: a message, one check box per flag, OK and Cancel. On OK
// the ticks are written back into the caller's flags; on Cancel nothing is.
//
// The flags are the caller's: each entry's bool* must stay valid during the
// call. An entry with a null flag is a programming error: the call throws a
// technical TKvMessage naming the entry before anything is shown. An empty
// list shows only the message and the two buttons (OK answers true).

#include "kvqtcpnt_export.h"

#include "module/tkvqdialog.h"

#include <string>
#include <utility>
#include <vector>

class QVBoxLayout;
class TKvChecks;

class KVQTCPNT_EXPORT TKvQtChecksDialog : public TKvQDialog {
public:
  using TChecks = std::vector<std::pair<std::string, bool*>>;

  explicit TKvQtChecksDialog(QWidget* parent = nullptr);
  ~TKvQtChecksDialog() override;

  // True when accepted and every flag was written.
  static bool Execute(const std::string& caption, const std::string& text, const TChecks& checks);

  // Builds the label, one check box per entry and the buttons.
  void setParams(const std::string& caption, const std::string& text, const TChecks& checks);
  // Writes the ticks into the flags in order; false when the layout does not
  // hold a check box for every entry (entries written before stay written).
  bool getValues(const TChecks& checks) const;

private:
  QVBoxLayout* FLayout;
};

// TKvQtChecksDialog::Execute.
KVQTCPNT_EXPORT bool KvQtGetChecks(const std::string& caption, const std::string& text,
                                   const std::vector<std::pair<std::string, bool*>>& checks);
// The same for the flags of `checks` (TKvChecks::GetChecks).
KVQTCPNT_EXPORT bool KvQtGetChecks(const std::string& caption, const std::string& text, const TKvChecks& checks);
