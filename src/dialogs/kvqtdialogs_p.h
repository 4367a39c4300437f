#pragma once
// Helpers shared by the dialogs of this folder; not part of the interface.

#include <QPointer>
#include <QString>

#include <string>

namespace kvdlg {

// A UTF-8 text as a QString; embedded NULs are kept, invalid sequences show
// as replacement characters.
inline QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// Owns a dialog for one modal run. The dialog may have a parent that dies
// inside the nested event loop and takes the dialog with it; the guard then
// holds null and deletes nothing. Deletes the dialog on every way out,
// exceptions included.
template <class D> class TDialogGuard {
public:
  explicit TDialogGuard(D* dialog) : FDialog(dialog) {}
  ~TDialogGuard() { delete FDialog.data(); }
  TDialogGuard(const TDialogGuard&) = delete;
  TDialogGuard& operator=(const TDialogGuard&) = delete;

  D* get() const { return FDialog.data(); }
  D* operator->() const { return FDialog.data(); }
  // False once the dialog was destroyed by someone else.
  explicit operator bool() const { return !FDialog.isNull(); }

private:
  QPointer<D> FDialog;
};

} // namespace kvdlg
