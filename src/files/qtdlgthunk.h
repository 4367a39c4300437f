#pragma once
// QtDlgThunk: adds network browsing to an application's own QFileDialog. A
// "network" tool button in the dialog's navigation row opens the server
// chooser (QtNetDlg); the chosen server's share root ("//server") is added
// to the dialog's sidebar and the dialog goes there. A timer asks the
// enumerator for a fresh list every 10 seconds.
//
// Servers have no share root of their own in this file system ("//server"
// is the root folder's "server"): a server is shown where its shares are
// mounted (TKvQtMountServerSource::serverFolder), and a server none of whose
// shares is mounted gets a message saying so instead of a sidebar entry
// that leads nowhere.
//
// The hook needs Qt's own file dialog widgets (the sidebar, its URL model and
// the navigation row); a dialog that uses the platform's native dialog gets
// no button. One thunk serves one dialog; the chooser is a child of that
// dialog; a server already in the sidebar is not added twice. The
// enumerator is not owned and must outlive the thunk. Created
// without a parent; the application deletes it.

#include "kvqtcpnt_export.h"

#include <QObject>
#include <QPointer>
#include <QToolButton>

class QFileDialog;
class QTimer;
class QtNetDlg;
class QtNetServerEnumerator;

class KVQTCPNT_EXPORT QtDlgThunk : public QObject {
  Q_OBJECT
public:
  explicit QtDlgThunk(QtNetServerEnumerator* enumerator);
  ~QtDlgThunk() override;

  // Attaches to `dlg`; throws std::runtime_error when a dialog was already set.
  void SetFileDialog(QFileDialog* dlg);

  // The mount table servers are looked up in ("/proc/mounts").
  void setMountTable(const QString& path) { FMountTable = path; }

  QtNetDlg* netDialog() const { return FNetDlg; }
  QToolButton* networkButton() const { return FButton; }

Q_SIGNALS:
  void timerStarted();

public Q_SLOTS:
  // Runs the chooser; goes to the chosen server when accepted.
  void showNetDlg();
  // Adds the chosen server to the sidebar and shows it.
  void goToServer();
  void onTimerTick();

private:
  QPointer<QFileDialog> FFileDialog;
  QPointer<QObject> FSidebar;
  QPointer<QObject> FUrlModel;
  QPointer<QtNetDlg> FNetDlg;
  QtNetServerEnumerator* FEnumerator = nullptr;
  QTimer* FTimer = nullptr;

  QPointer<QToolButton> FButton;
  bool FDialogSet = false;
  QString FMountTable = QStringLiteral("/proc/mounts");
};
