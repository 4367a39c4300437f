#pragma once
// QtNetDlg: the network server chooser. It lists the enumerator's cached
// servers (or "Updating..." until the first pass is done), refreshes the
// list when the enumerator reports a new one, and remembers the server the
// user chose in selected(). Update asks the enumerator for a new pass.
//
// The enumerator and the icon provider (may be null) are not owned and must
// outlive the dialog.

#include "kvqtcpnt_export.h"

#include <QDialog>
#include <QString>

class NetDlgListWidget;
class QFileIconProvider;
class QListWidgetItem;
class QPushButton;
class QtNetServerEnumerator;

class KVQTCPNT_EXPORT QtNetDlg : public QDialog {
  Q_OBJECT
public:
  QtNetDlg(QtNetServerEnumerator* enumerator, QFileIconProvider* iconProvider, QWidget* parent);
  ~QtNetDlg() override;

  // Clear the choice and refresh the list, then run or show the dialog.
  // (QWidget::show is not virtual: through a base pointer, use open().)
  int exec() override;
  void show();
  void open() override;

  // The server chosen last (empty for none).
  QString selected() const { return FSelected; }
  NetDlgListWidget* list() const { return FList; }
  QPushButton* updateButton() const { return FUpdateButton; }

public Q_SLOTS:
  void updateList();
  void itemSelectionChanged();
  void itemDoubleClicked(QListWidgetItem* item);
  void onUpdateBtnClicked();

private:
  QFileIconProvider* FIconProvider = nullptr;
  NetDlgListWidget* FList = nullptr;
  QString FSelected;
  QtNetServerEnumerator* FEnumerator = nullptr;
  QPushButton* FUpdateButton = nullptr;
};
