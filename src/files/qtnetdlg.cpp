#include "files/qtnetdlg.h"

#include "files/netdlglistwidget.h"
#include "files/qtnetserverenumerator.h"
#include "module/kvmodule_initializer.h"

#include <QCoreApplication>
#include <QFileIconProvider>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString resText(const char* key) { return QString::fromUtf8(KvQtResString(key).c_str()); }
} // namespace

QtNetDlg::QtNetDlg(QtNetServerEnumerator* enumerator, QFileIconProvider* iconProvider, QWidget* parent)
    : QDialog(parent), FIconProvider(iconProvider), FEnumerator(enumerator) {
  setWindowTitle(resText("global.Title"));
  FList = new NetDlgListWidget(this);
  FList->setObjectName(QStringLiteral("NetDlgListWidget"));
  FUpdateButton = new QPushButton(resText("global.Update"), this);
  auto* open = new QPushButton(resText("global.Open"), this);
  auto* cancel = new QPushButton(resText("global.Cancel"), this);
  open->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FList);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(FUpdateButton);
  buttons->addStretch();
  buttons->addWidget(open);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);

  connect(FUpdateButton, &QPushButton::clicked, this, &QtNetDlg::onUpdateBtnClicked);
  connect(open, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(FList, &QListWidget::itemSelectionChanged, this, &QtNetDlg::itemSelectionChanged);
  connect(FList, &QListWidget::itemDoubleClicked, this, &QtNetDlg::itemDoubleClicked);
  if (FEnumerator)
    connect(FEnumerator, &QtNetServerEnumerator::netListReady, this, &QtNetDlg::updateList);
}

QtNetDlg::~QtNetDlg() = default;

int QtNetDlg::exec() {
  FSelected.clear();
  updateList();
  return QDialog::exec();
}

void QtNetDlg::show() {
  FSelected.clear();
  updateList();
  QDialog::show();
}

void QtNetDlg::open() {
  FSelected.clear();
  updateList();
  QDialog::open();
}

void QtNetDlg::updateList() {
  FList->clear();
  std::vector<QString> servers;
  if (FEnumerator && FEnumerator->cachedServerList(servers)) {
    FUpdateButton->setEnabled(true);
    const QIcon icon = FIconProvider ? FIconProvider->icon(QFileIconProvider::Computer) : QIcon();
    for (const QString& s : servers)
      FList->addItem(FIconProvider ? new QListWidgetItem(icon, s) : new QListWidgetItem(s));
  } else {
    // A note, not a server: it cannot be chosen.
    auto* note =
        new QListWidgetItem(QCoreApplication::translate("QtNetDlg", "Обновление...", "KvQtCpnt:QtNetDlg.Updating"));
    note->setFlags(Qt::NoItemFlags);
    FList->addItem(note);
    FUpdateButton->setEnabled(false);
  }
}

void QtNetDlg::itemSelectionChanged() {
  const QList<QListWidgetItem*> items = FList->selectedItems();
  if (!items.isEmpty())
    FSelected = items.first()->text();
}

void QtNetDlg::itemDoubleClicked(QListWidgetItem*) { accept(); }

void QtNetDlg::onUpdateBtnClicked() {
  FUpdateButton->setEnabled(false);
  if (!FEnumerator)
    return;
  FEnumerator->invalidateCache();
  FEnumerator->refresh();
}
