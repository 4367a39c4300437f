#pragma once
// TKvAbstractQFileDirEdit: a one-line path field with a "..." browse button,
// the common base of the folder, open-file and save-file edits.
//
// The button runs browse(): browseStarted(&path) lets a receiver change the
// path the dialog starts from, the subclass's doBrowse() runs the dialog, and
// after a choice browseEnded(&path) lets a receiver change the result before
// it becomes the field's text and pathChanged(path) is emitted. Typing in the
// field emits pathChanged on every change; setting the text from code emits
// nothing. A text wrapped in double quotes ("/a b/c") is read without them.
//
// Beyond the browse button:
// - A file or folder dragged from a file manager may be dropped on the field:
//   exactly one local path of the kind the edit takes (a folder for the folder
//   edit, a file for the file edits) is accepted; anything else is refused.
//   An accepted drop replaces the text and emits pathChanged, like typing.
// - The field completes paths while the user types (folders only for the
//   folder edit). The completion model is shared by every edit of a kind and
//   lives as long as the application object.
//
// The line edit, the button and the layout are children of the widget. The
// destructor cuts every connection from the line edit and the button to the
// edit (subclasses may connect them to their own members), so that the
// field losing the focus while the widget is destroyed reaches nothing.

#include "kvqtcpnt_export.h"

#include <QWidget>

#include <string>

class QLineEdit;
class QMimeData;
class QToolButton;

class KVQTCPNT_EXPORT TKvAbstractQFileDirEdit : public QWidget {
  Q_OBJECT
public:
  explicit TKvAbstractQFileDirEdit(QWidget* parent);
  ~TKvAbstractQFileDirEdit() override;

  // Caption of the dialog; empty for the default caption.
  void setTitle(const std::string& title);
  void setTitle(const QString& title);

  // The browse button's action (see the class comment).
  void browse();
  // Emits pathChanged with the field's unquoted text.
  void emitOnEdit();

  QLineEdit* lineEdit() const { return FEdit; }
  QToolButton* browseButton() const { return FButton; }

  // `text` without one pair of surrounding double quotes (at least two
  // characters, a quote at each end); anything else as it stands.
  static QString unquoted(const QString& text);

Q_SIGNALS:
  void browseStarted(QString* path);
  void browseEnded(QString* path);
  void pathChanged(const QString& path);

protected:
  // Runs the dialog from `path`; true and the choice in `path`, or false when
  // the user cancelled.
  virtual bool doBrowse(QString& path) = 0;

  // The dialog caption: the title, or the suite's default browse caption.
  QString dialogCaption() const;

  // What the edit takes from drops and completes while typing.
  enum class TPathKind { Files, Folders };
  void setPathKind(TPathKind kind);

  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  QString FTitle;
  QToolButton* FButton = nullptr;
  QLineEdit* FEdit = nullptr;

  // The one dropped path this edit takes, or an empty text.
  QString acceptablePath(const QMimeData* data) const;
  TPathKind FPathKind = TPathKind::Files;
};
