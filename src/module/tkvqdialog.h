#pragma once
// TKvQDialog: the base of every dialog of the library.
//
// A QDialog with a title and a close button only, whose parent defaults to
// the active window, whose exec() answers 5100 (accepted) or 5101 (rejected)
// instead of QDialog's 1 / 0, and with four hooks around a modal run, called
// in this order: DoBeforeModalShow, (shown) DoAfterModalShow, (close box only)
// DoBeforeModalHide, (after the modal loop) DoAfterModalHide.
//
// Choices of this class beyond the plain QDialog behaviour:
// - accept() and reject() also emit accepted() / rejected(), which QDialog
//   only does for its own codes 1 and 0, so connections to them keep working.
// - A dialog with Qt::WA_DeleteOnClose is deleted after DoAfterModalHide has
//   run (QDialog would delete it before); a dialog deleted while its modal
//   loop runs makes exec() answer 5101 without calling the last hook.

#include "kvqtcpnt_export.h"

#include <QDialog>

class KVQTCPNT_EXPORT TKvQDialog : public QDialog {
  Q_OBJECT
public:
  // Result codes of exec() and finished() (not QDialog's 1 and 0).
  static constexpr int ResultAccepted = 5100;
  static constexpr int ResultRejected = 5101;
  // Standard icons of the choice dialogs; any other value means no icon.
  enum TIcon { iconInformation = 1, iconWarning = 2, iconCritical = 3, iconQuestion = 4 };

  // A null parent becomes the application's active window (if any). The
  // window flags are fixed: `flags` is accepted for source compatibility and
  // ignored.
  explicit TKvQDialog(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
  ~TKvQDialog() override;

  int exec() override;
  void accept() override;
  void reject() override;

  // Centres the dialog on the available area of the default screen.
  void center();

protected:
  virtual void DoBeforeModalShow();
  virtual void DoAfterModalShow();
  virtual void DoBeforeModalHide();
  virtual void DoAfterModalHide();

  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;
};
