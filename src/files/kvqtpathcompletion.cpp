#include "files/kvqtpathcompletion_p.h"

#include <QCompleter>
#include <QCoreApplication>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPointer>

namespace {

QFileSystemModel* sharedModel(bool foldersOnly) {
  static QPointer<QFileSystemModel> models[2];
  QPointer<QFileSystemModel>& m = models[foldersOnly ? 1 : 0];
  if (!m && QCoreApplication::instance()) {
    m = new QFileSystemModel(QCoreApplication::instance());
    m->setFilter(foldersOnly ? (QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives)
                             : (QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Drives));
    m->setRootPath(QString());
  }
  return m;
}

} // namespace

void KvQtSetPathCompleter(QLineEdit* edit, bool foldersOnly) {
  if (!edit)
    return;
  QFileSystemModel* model = sharedModel(foldersOnly);
  if (!model)
    return;
  if (QCompleter* existing = edit->completer()) {
    existing->setModel(model);
    return;
  }
  auto* completer = new QCompleter(model, edit);
  completer->setCompletionMode(QCompleter::PopupCompletion);
  edit->setCompleter(completer);
  // The completer only walks what the model has read: have it read the
  // folder being typed in (the model reads on its own thread and the
  // completer follows when the folder has loaded).
  QObject::connect(edit, &QLineEdit::textEdited, completer, [completer](const QString& text) {
    auto* fs = qobject_cast<QFileSystemModel*>(completer->model());
    if (!fs || text.isEmpty())
      return;
    const int slash = text.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0)
      fs->index(slash == 0 ? QStringLiteral("/") : text.left(slash));
  });
}
