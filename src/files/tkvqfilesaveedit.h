#pragma once
// TKvQFileSaveEdit: a field for a file to be written. The browse button opens
// the save dialog (KvQtGetSaveFileName), which adds the current filter's
// extension to a name typed without one and asks itself about overwriting.
//
// Before writing, the owner calls confirmOverwrite(): it asks the user
// whether an existing file may be replaced, unless the name came from the
// save dialog or the user already said Yes for this text. Finishing an edit
// of the field (Return, or leaving it) or dropping a file on it makes the
// next call ask again.

#include "files/tkvabstractqfilesaveopenedit.h"

class KVQTCPNT_EXPORT TKvQFileSaveEdit : public TKvAbstractQFileSaveOpenEdit {
  Q_OBJECT
public:
  TKvQFileSaveEdit(QWidget* parent, const QString& title, const QString& file, const QStringList& filters,
                   int filterIdx);
  ~TKvQFileSaveEdit() override;

  // True when the file may be written: empty field, no such file, already
  // confirmed, or the user answers Yes to the question (modal).
  bool confirmOverwrite();
  void resetOverwriteConfirmed();

protected:
  bool doBrowse(QString& path) override;
  void dropEvent(QDropEvent* event) override;

private:
  bool FOverwriteConfirmed = false;
};
