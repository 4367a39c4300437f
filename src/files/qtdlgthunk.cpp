#include "files/qtdlgthunk.h"

#include "dialogs/tkvqmessagebox.h"
#include "files/qtnetdlg.h"
#include "files/kvqtresformat_p.h"
#include "files/qtnetserverenumerator.h"
#include "files/tkvqtmountserversource.h"
#include "module/kvmodule_initializer.h"
#include "module/kvqtappholder.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QHBoxLayout>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <stdexcept>

namespace {

QObject* childOfClass(const QObject* parent, const char* className) {
  if (!parent)
    return nullptr;
  for (QObject* c : parent->children())
    if (qstrcmp(c->metaObject()->className(), className) == 0)
      return c;
  return nullptr;
}

} // namespace

QtDlgThunk::QtDlgThunk(QtNetServerEnumerator* enumerator) : FEnumerator(enumerator) {
  FTimer = new QTimer(this);
  connect(FTimer, &QTimer::timeout, this, &QtDlgThunk::onTimerTick);
  FTimer->start(10000);
  Q_EMIT timerStarted();
}

QtDlgThunk::~QtDlgThunk() = default;

void QtDlgThunk::SetFileDialog(QFileDialog* dlg) {
  if (FDialogSet)
    throw std::runtime_error("SetFileDialog(): QFileDialog was already set.");
  FDialogSet = true;
  FFileDialog = dlg;
  if (!dlg)
    return;
  QObject* sidebar = dlg->findChild<QObject*>(QStringLiteral("sidebar"));
  QObject* urlModel = childOfClass(sidebar, "QUrlModel");
  QObject* grid = dlg->findChild<QObject*>(QStringLiteral("gridLayout"));
  auto* row = qobject_cast<QHBoxLayout*>(childOfClass(grid, "QHBoxLayout"));
  if (!sidebar || !urlModel || !row)
    return;
  FSidebar = sidebar;
  FUrlModel = urlModel;

  auto* button = new QToolButton(dlg);
  button->setObjectName(QStringLiteral("kvNetworkButton"));
  button->setToolTip(QString::fromUtf8(KvQtResString("global.Network").c_str()));
  button->setAutoRaise(true);
  if (QFileIconProvider* icons = dlg->iconProvider())
    button->setIcon(icons->icon(QFileIconProvider::Network));
  row->addWidget(button);
  FButton = button;
  connect(button, &QToolButton::clicked, this, &QtDlgThunk::showNetDlg);
  FNetDlg = new QtNetDlg(FEnumerator, dlg->iconProvider(), dlg);
  connect(FNetDlg, &QDialog::accepted, this, &QtDlgThunk::goToServer);
}

void QtDlgThunk::showNetDlg() {
  if (!FNetDlg)
    return;
  // accepted() already leads to goToServer.
  FNetDlg->exec();
}

void QtDlgThunk::goToServer() {
  if (!FNetDlg || !FFileDialog || FNetDlg->selected().isEmpty())
    return;
  const QString server = FNetDlg->selected();
  const QString folder = TKvQtMountServerSource::serverFolder(server, FMountTable);
  if (folder.isEmpty()) {
    KvQtInfoMessage(KvQtResFormatString("global.NetServerNotMounted", QtToKvStr(server)), nullptr, std::string(),
                    FFileDialog);
    return;
  }
  const QUrl url = QUrl::fromLocalFile(folder);
  // The sidebar keeps its entries as cleaned local paths.
  QList<QUrl> urls = FFileDialog->sidebarUrls();
  const QString clean = QDir::cleanPath(url.toLocalFile());
  const bool known = std::any_of(urls.cbegin(), urls.cend(),
                                 [&](const QUrl& u) { return QDir::cleanPath(u.toLocalFile()) == clean; });
  if (!known) {
    urls << url;
    FFileDialog->setSidebarUrls(urls);
  }
  if (FUrlModel)
    QMetaObject::invokeMethod(FUrlModel, "layoutChanged", Qt::DirectConnection);
  if (FSidebar)
    QMetaObject::invokeMethod(FSidebar, "goToUrl", Qt::DirectConnection, Q_ARG(QUrl, url));
}

void QtDlgThunk::onTimerTick() {
  if (FEnumerator)
    FEnumerator->refresh();
}
