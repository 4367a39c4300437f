#include "files/tkvabstractqfilediredit.h"

#include "files/kvqtpathcompletion_p.h"
#include "module/kvmodule_initializer.h"

#include <QCompleter>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QToolButton>
#include <QUrl>

TKvAbstractQFileDirEdit::TKvAbstractQFileDirEdit(QWidget* parent) : QWidget(parent) {
  FButton = new QToolButton(this);
  FEdit = new QLineEdit(this);
  FEdit->setSizePolicy(QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding, QSizePolicy::LineEdit));
  FButton->setSizePolicy(QSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding, QSizePolicy::ToolButton));
  FButton->setText(QStringLiteral("..."));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FEdit);
  layout->addWidget(FButton);
  setFocusProxy(FEdit);

  connect(FButton, &QToolButton::clicked, this, [this] {
    try {
      browse();
    } catch (...) {
    }
  });
  connect(FEdit, &QLineEdit::textEdited, this, [this] {
    try {
      emitOnEdit();
    } catch (...) {
    }
  });

  setAcceptDrops(true);
  FEdit->installEventFilter(this);
  setPathKind(TPathKind::Files);
  // A completion the user picks is set with setText, which is not an edit as
  // far as textEdited goes; it is the user's change all the same. Queued:
  // the field takes the text after this connection is told.
  if (QCompleter* completer = FEdit->completer())
    connect(
        completer, QOverload<const QString&>::of(&QCompleter::activated), this,
        [this] {
          try {
            emitOnEdit();
          } catch (...) {
          }
        },
        Qt::QueuedConnection);
}

TKvAbstractQFileDirEdit::~TKvAbstractQFileDirEdit() {
  // QWidget's destructor moves the focus out of the field, which then
  // reports editingFinished; by that time the subclasses that connected to
  // the field are gone, so nothing of this edit may still listen to it.
  QObject::disconnect(FEdit, nullptr, this, nullptr);
  QObject::disconnect(FButton, nullptr, this, nullptr);
  FEdit->removeEventFilter(this);
}

void TKvAbstractQFileDirEdit::setTitle(const std::string& title) { FTitle = QString::fromUtf8(title.c_str()); }

void TKvAbstractQFileDirEdit::setTitle(const QString& title) { FTitle = title; }

QString TKvAbstractQFileDirEdit::unquoted(const QString& text) {
  if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
    return text.mid(1, text.size() - 2);
  return text;
}

void TKvAbstractQFileDirEdit::browse() {
  // The dialog runs a nested event loop, in which the edit may be deleted.
  const QPointer<TKvAbstractQFileDirEdit> self(this);
  QString path = unquoted(FEdit->text());
  Q_EMIT browseStarted(&path);
  if (!self || !doBrowse(path) || !self)
    return;
  Q_EMIT browseEnded(&path);
  if (!self) // a receiver may delete it, too
    return;
  FEdit->setText(path);
  Q_EMIT pathChanged(path);
}

void TKvAbstractQFileDirEdit::emitOnEdit() { Q_EMIT pathChanged(unquoted(FEdit->text())); }

QString TKvAbstractQFileDirEdit::dialogCaption() const {
  if (!FTitle.isEmpty())
    return FTitle;
  return QString::fromUtf8(KvQtResString("global.KvDirEditDlgTitle").c_str());
}

void TKvAbstractQFileDirEdit::setPathKind(TPathKind kind) {
  FPathKind = kind;
  KvQtSetPathCompleter(FEdit, kind == TPathKind::Folders);
}

QString TKvAbstractQFileDirEdit::acceptablePath(const QMimeData* data) const {
  if (!data || !data->hasUrls())
    return QString();
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.first().isLocalFile())
    return QString();
  const QString path = urls.first().toLocalFile();
  const QFileInfo info(path);
  if (!info.exists() || info.isDir() != (FPathKind == TPathKind::Folders))
    return QString();
  return path;
}

bool TKvAbstractQFileDirEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FEdit) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      // Anything but URLs (plain text) is the line edit's business.
      if (!drop->mimeData() || !drop->mimeData()->hasUrls())
        return false;
      if (event->type() == QEvent::DragEnter)
        dragEnterEvent(static_cast<QDragEnterEvent*>(event));
      else if (event->type() == QEvent::DragMove)
        dragMoveEvent(static_cast<QDragMoveEvent*>(event));
      else
        dropEvent(drop);
      return true;
    }
    default:
      break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TKvAbstractQFileDirEdit::dragEnterEvent(QDragEnterEvent* event) {
  if (acceptablePath(event->mimeData()).isEmpty())
    event->ignore();
  else
    event->acceptProposedAction();
}

void TKvAbstractQFileDirEdit::dragMoveEvent(QDragMoveEvent* event) {
  if (acceptablePath(event->mimeData()).isEmpty())
    event->ignore();
  else
    event->acceptProposedAction();
}

void TKvAbstractQFileDirEdit::dropEvent(QDropEvent* event) {
  const QString path = acceptablePath(event->mimeData());
  if (path.isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  FEdit->setText(path);
  try {
    emitOnEdit();
  } catch (...) {
  }
}
