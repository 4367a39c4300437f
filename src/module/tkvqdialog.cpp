#include "module/tkvqdialog.h"

#include "module/centerwidgetonscreen.h"

#include <QApplication>
#include <QPointer>

namespace {

QWidget* DefaultParent(QWidget* parent) {
  if (parent)
    return parent;
  return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::activeWindow() : nullptr;
}

} // namespace

TKvQDialog::TKvQDialog(QWidget* parent, Qt::WindowFlags /*flags*/) : QDialog(DefaultParent(parent)) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

TKvQDialog::~TKvQDialog() = default;

int TKvQDialog::exec() {
  // QDialog::exec would delete a WA_DeleteOnClose dialog before the last hook
  // could run; take the deletion over.
  const bool deleteOnClose = testAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_DeleteOnClose, false);
  QPointer<TKvQDialog> self(this);

  DoBeforeModalShow();
  const int result = QDialog::exec();
  if (!self)
    return ResultRejected;
  DoAfterModalHide();
  if (self && deleteOnClose)
    delete this;
  return result;
}

void TKvQDialog::accept() {
  QPointer<TKvQDialog> self(this);
  done(ResultAccepted);
  if (self)
    emit accepted();
}

void TKvQDialog::reject() {
  QPointer<TKvQDialog> self(this);
  done(ResultRejected);
  if (self)
    emit rejected();
}

void TKvQDialog::center() { CenterWidgetOnScreen(this); }

void TKvQDialog::DoBeforeModalShow() {}
void TKvQDialog::DoAfterModalShow() {}
void TKvQDialog::DoBeforeModalHide() {}
void TKvQDialog::DoAfterModalHide() {}

void TKvQDialog::closeEvent(QCloseEvent*) {
  // Not passed on: QDialog::closeEvent would reject only a visible dialog,
  // while here the close box always rejects, after the hook.
  QPointer<TKvQDialog> self(this);
  DoBeforeModalHide();
  if (self)
    reject();
}

void TKvQDialog::showEvent(QShowEvent* e) {
  DoAfterModalShow();
  QDialog::showEvent(e);
}
