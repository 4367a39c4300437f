#include "dialogs/kvqtvaluequeries.h"

#include "dialogs/kvqtdialogs_p.h"
#include "dialogs/tkvqmessagebox.h"
#include "module/kvmodule_initializer.h"
#include "module/kvqtappholder.h"

#include "kvsuite/kvmessage.h"
#include "kvsuite/kvrangeparse.h"
#include "kvsuite/kvstrings.h"

#include <QInputDialog>
#include <QLineEdit>

#include <climits>

using kvdlg::FromUtf8;

namespace {

// Truncation towards zero into int's range; NaN gives 0. (A plain cast of an
// out-of-range double is undefined.)
int TruncDecimals(double decimals) {
  if (!(decimals > 0))
    return 0;
  return decimals >= INT_MAX ? INT_MAX : static_cast<int>(decimals);
}

// The low 32 bits, as the dialog's int sees them.
int TruncLong(long v) { return static_cast<int>(static_cast<unsigned int>(static_cast<unsigned long>(v))); }

// The warning for a typed text that is not a number in [min, max].
template <class T> void WarnIncorrectNumber(const QString& typed, T min, T max) {
  TKvMessage message(KvQtResString("global.Err_IncorrectNumber_curr_min_max"));
  message << QtToKvStr(typed) << min << max;
  KvQtWarningMessage(message.std_str(), nullptr, std::string(), nullptr);
}

} // namespace

bool KvQtQueryDouble(const QString& title, const QString& label, double& value, double min, double max,
                     double decimals) {
  bool ok = false;
  value = QInputDialog::getDouble(KvQtAppHolder::KvGetTopWindow(), title, label, value, min, max,
                                  TruncDecimals(decimals), &ok);
  return ok;
}

bool KvQtQueryDoubleStd(const std::string& title, const std::string& label, double& value, double min, double max,
                        double decimals) {
  return KvQtQueryDouble(FromUtf8(title), FromUtf8(label), value, min, max, decimals);
}

bool KvQtQueryLong(const QString& title, const QString& label, long& value, long min, long max) {
  bool ok = false;
  value = QInputDialog::getInt(KvQtAppHolder::KvGetTopWindow(), title, label, TruncLong(value), TruncLong(min),
                               TruncLong(max), 1, &ok);
  return ok;
}

bool KvQtQueryLongStd(const std::string& title, const std::string& label, long& value, long min, long max) {
  return KvQtQueryLong(FromUtf8(title), FromUtf8(label), value, min, max);
}

bool KvQtQueryTextInput(const QString& title, const QString& label, QString& text) {
  bool ok = false;
  text = QInputDialog::getText(KvQtAppHolder::KvGetTopWindow(), title, label, QLineEdit::Normal, text, &ok);
  return ok;
}

bool KvQtQueryTextInputStd(const std::string& title, const std::string& label, std::string& text) {
  QString answer = FromUtf8(text);
  if (!KvQtQueryTextInput(FromUtf8(title), FromUtf8(label), answer))
    return false;
  text = QtToKvStr(answer);
  return true;
}

bool KvQtQueryItem(const QString& title, const QString& label, const QStringList& items, int& index,
                   QString& text) {
  bool ok = false;
  text = QInputDialog::getItem(KvQtAppHolder::KvGetTopWindow(), title, label, items, index, false, &ok);
  if (!ok)
    return false;
  index = items.indexOf(text);
  return true;
}

bool KvQtQueryItemStd(const std::string& title, const std::string& label, const std::vector<std::string>& items,
                      int& index, std::string& text) {
  QStringList list;
  list.reserve(static_cast<int>(items.size()));
  for (const std::string& item : items)
    list << FromUtf8(item);
  QString answer;
  int chosen = index;
  if (!KvQtQueryItem(FromUtf8(title), FromUtf8(label), list, chosen, answer))
    return false;
  index = chosen;
  text = QtToKvStr(answer);
  return true;
}

double GetDouble(const QString& text, double min, double max, bool* error) {
  double number = min;
  if (KvStringToDoubleRange(trim(QtToKvStr(text)), min, max, &number, true))
    return number;
  if (error)
    *error = true;
  return min;
}

unsigned long GetUlong(const QString& text, unsigned long min, unsigned long max, bool* error) {
  unsigned long number = min;
  if (KvStringToUlongRange(trim(QtToKvStr(text)), min, max, &number))
    return number;
  if (error)
    *error = true;
  return min;
}

bool CheckGetDouble(QLineEdit* edit, double* value, double min, double max) {
  KV_ASSERT(edit != nullptr);
  bool error = false;
  const double number = GetDouble(edit->text(), min, max, &error);
  if (error) {
    edit->setFocus(Qt::OtherFocusReason);
    WarnIncorrectNumber(edit->text(), min, max);
    return false;
  }
  if (value)
    *value = number;
  return true;
}

bool CheckGetUlong(QLineEdit* edit, unsigned long* value, unsigned long min, unsigned long max) {
  KV_ASSERT(edit != nullptr);
  bool error = false;
  const unsigned long number = GetUlong(edit->text(), min, max, &error);
  if (error) {
    WarnIncorrectNumber(edit->text(), min, max);
    return false;
  }
  if (value)
    *value = number;
  return true;
}
