#pragma once
// TKvQDirEdit: a folder field with a browse button that opens the folder
// chooser (KvQtSelectFolderEx), starting at the field's folder or, when the
// field is empty, at the remembered last folder. Drops and completion take
// folders only.

#include "files/tkvabstractqfilediredit.h"

class KVQTCPNT_EXPORT TKvQDirEdit : public TKvAbstractQFileDirEdit {
  Q_OBJECT
public:
  explicit TKvQDirEdit(QWidget* parent);
  ~TKvQDirEdit() override;

  // The field's text without surrounding double quotes (UTF-8).
  std::string getDirectory() const;
  // Sets the text (UTF-8) without emitting pathChanged.
  void setDirectory(const std::string& dir);

protected:
  bool doBrowse(QString& path) override;
};
