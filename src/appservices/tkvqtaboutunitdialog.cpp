#include "appservices/tkvqtaboutunitdialog.h"

#include "ui_tkvqtaboutunitdialog.h"

#include "appservices/kvqtbuildinfo.h"
#include "appservices/kvqtclipboard.h"
#include "appservices/kvqthelp.h"
#include "appservices/kvqtsplash.h"
#include "dialogs/tkvqmessagebox.h"
#include "module/kvmodule_initializer.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvmessage.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QPointer>
#include <QUrl>

namespace {

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

// The maker's name, first line of the copied text.
const char* const kMakerName = "QUORVANT";

} // namespace

void TKvQtAboutUnitDialog::Execute(std::string moduleName) {
  QPointer<TKvQtAboutUnitDialog> dialog(new TKvQtAboutUnitDialog(FromUtf8(moduleName), nullptr));
  // Destroyed on every way out, unless its parent took it down while it ran.
  struct TGuard {
    QPointer<TKvQtAboutUnitDialog>& Dialog;
    ~TGuard() { delete Dialog.data(); }
  } guard{dialog};
  dialog->exec();
}

TKvQtAboutUnitDialog::TKvQtAboutUnitDialog(QString moduleName, QWidget* parent)
  : TKvQDialog(parent), FForm(new Ui_TKvQtAboutUnitDialog), FWebAddress(QStringLiteral("https://www.quorvant.example/")) {
  FForm->setupUi(this);
  configureUI(moduleName);
  makeConnections();
}

TKvQtAboutUnitDialog::~TKvQtAboutUnitDialog() = default;

void TKvQtAboutUnitDialog::configureUI(const QString& moduleName) {
  setWindowTitle(QCoreApplication::translate("TKvQtAboutUnitDialog", "О программе",
                                             "KvQtCpnt:TKvQtAboutUnitDialog.windowTitle"));
  const TKvQtBuildInfo& build = KvQtGetBuildInfo();

  const QPixmap splash = ObtainQtSplashPixmap();
  FForm->SplashLabel->setPixmap(splash);
  FForm->SplashLabel->setVisible(!splash.isNull());
  FForm->ModLabel->setText(moduleName);
  FForm->VersionLabel->setText(FromUtf8(GetBuildVerString(true, true)));
  FForm->DateLabel->setText(FromUtf8(build.Date));
  FForm->HashLabel->setText(FromUtf8(build.Revision));
  FForm->HashLabel->setVisible(KvMagicKeyDown());
  FForm->CopyrightLabel->setText(
      FromUtf8((TKvMessage(KvQtResString("global.Copyright_lbl")) << build.Year).std_str()));
  FForm->LinkLabel->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(FWebAddress.toHtmlEscaped()));
  // The contributors' label reads as a link.
  QFont linkFont = FForm->ContribLabel->font();
  linkFont.setUnderline(true);
  FForm->ContribLabel->setFont(linkFont);
  FForm->ContribLabel->setForegroundRole(QPalette::Link);

  FCopyAction = new QAction(FromUtf8(KvQtResString("global.CopyToClipboard")), this);
  FCopyAction->setShortcut(QKeySequence::Copy);
  FCopyAction->setShortcutContext(Qt::WindowShortcut);
  connect(FCopyAction, &QAction::triggered, this, &TKvQtAboutUnitDialog::copyToClipboard);
  addAction(FCopyAction);
  FContextMenu = new QMenu(this);
  FContextMenu->addAction(FCopyAction);
}

void TKvQtAboutUnitDialog::makeConnections() {
  connect(FForm->LinkLabel, &QLabel::linkActivated, this, &TKvQtAboutUnitDialog::slotLinkActivated);
  connect(FForm->CloseButton, &QPushButton::clicked, this, &QWidget::close);
  connect(FForm->SysInfoButton, &QPushButton::clicked, this, [this] {
    try {
      slotSystemInfoButtonClicked();
    } catch (...) {
      KvQtErrorMessage(KvGetExceptionReason(), this);
    }
  });
  connect(FForm->ContribLabel, &TKvClickableQLabel::clicked, this, &TKvQtAboutUnitDialog::slotContribLabelClicked);
}

QString TKvQtAboutUnitDialog::ClipboardText() const {
  const QString crlf = QStringLiteral("\r\n");
  return QLatin1String(kMakerName) + crlf + FForm->ModLabel->text() + crlf + FForm->VersionTextLabel->text() +
         QLatin1Char(' ') + FForm->VersionLabel->text() + crlf + FForm->DateTextLabel->text() + QLatin1Char(' ') +
         FForm->DateLabel->text() + crlf + FForm->CopyrightLabel->text() + crlf + FWebAddress + crlf;
}

void TKvQtAboutUnitDialog::copyToClipboard() { KvSetQClipboardText(ClipboardText()); }

void TKvQtAboutUnitDialog::slotLinkActivated(const QString& link) { QDesktopServices::openUrl(QUrl(link)); }

void TKvQtAboutUnitDialog::slotSystemInfoButtonClicked() {
  throw TKvMessage("@%1%: %2%") << "void TKvQtAboutUnitDialog::slotSystemInfoButtonClicked()"
                                << "TODO cross-platform sys info not implemented";
}

void TKvQtAboutUnitDialog::slotContribLabelClicked() { QtShowHelpFile("contrib.rtf", ""); }

void TKvQtAboutUnitDialog::showEvent(QShowEvent* e) {
  FForm->ContribLabel->setVisible(QtQueryHelpFile("contrib"));
  // Sized to the content just decided, unless someone sized the box already.
  if (!testAttribute(Qt::WA_Resized))
    adjustSize();
  QDialog::showEvent(e); // not TKvQDialog's: this box has no show hook
}

void TKvQtAboutUnitDialog::contextMenuEvent(QContextMenuEvent* e) {
  if (FContextMenu)
    FContextMenu->exec(e->globalPos());
}
