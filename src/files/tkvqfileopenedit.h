#pragma once
// TKvQFileOpenEdit: a field for an existing file; the browse button opens the
// open-file dialog (KvQtGetOpenFileName) on the current filter, starting in
// the folder of the field's file (or the remembered last folder).

#include "files/tkvabstractqfilesaveopenedit.h"

class KVQTCPNT_EXPORT TKvQFileOpenEdit : public TKvAbstractQFileSaveOpenEdit {
  Q_OBJECT
public:
  TKvQFileOpenEdit(QWidget* parent, const QString& title, const QString& file, const QStringList& filters,
                   int filterIdx);
  ~TKvQFileOpenEdit() override;

protected:
  bool doBrowse(QString& path) override;
};
