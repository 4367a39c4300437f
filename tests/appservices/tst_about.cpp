// The about box: content in both languages, copying, the link and the
// system-information button.

#include "appservices/kvqtbuildinfo.h"
#include "appservices/kvqtclipboard.h"
#include "appservices/tkvqtaboutdialog.h"
#include "appservices/tkvqtaboutunitdialog.h"
#include "module/kvqttranslator.h"

#include "kvsuite/kvconfig.h"
#include "kvsuite/kvmessage.h"

#include "kvtestsupport.h"
#include "kvurlsink.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

QLabel* Label(QWidget* dialog, const char* name) { return dialog->findChild<QLabel*>(QLatin1String(name)); }
QPushButton* Button(QWidget* dialog, const char* name) {
  return dialog->findChild<QPushButton*>(QLatin1String(name));
}
QString Text(QWidget* dialog, const char* name) { return Label(dialog, name) ? Label(dialog, name)->text() : "?"; }
QString Qs(const std::string& s) { return QString::fromStdString(s); }

} // namespace

class TstAbout : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { qputenv("KV_LANG", "en"); }
  void init();
  void cleanup();

  void content_data();
  void content();
  void copy();
  void linkAndSystemInfo();

private:
  TUrlSink FSink;
  QString FHelp;
};

void TstAbout::init() {
  FSink.Urls.clear();
  QDesktopServices::setUrlHandler("file", &FSink, "open");
  QDesktopServices::setUrlHandler("https", &FSink, "open");
  FHelp = kvtest::freshDir("help");
  qputenv("KV_STATIC_CONFIG_13", (FHelp + "/").toUtf8());
}

void TstAbout::cleanup() {
  QDesktopServices::unsetUrlHandler("file");
  QDesktopServices::unsetUrlHandler("https");
  qunsetenv("KV_STATIC_CONFIG_13");
  KvQtRemoveTranslator();
  KV_VERIFY_NO_TOPLEVELS();
}

void TstAbout::content_data() {
  QTest::addColumn<QString>("language");
  QTest::addColumn<QByteArray>("serviceKey");
  QTest::addColumn<QStringList>("texts"); // title, version caption, date caption, close, contributors
  QTest::newRow("Russian source texts, service key held")
      << "ru" << QByteArray("1")
      << QStringList{"О программе", "Версия:", "Дата сборки:", "Закрыть", "Программы и компоненты сторонних разработчиков"};
  QTest::newRow("English") << "en" << QByteArray("0")
                           << QStringList{"About", "Version:", "Build date:", "Close",
                                          "Programs and components by other developers"};
}

void TstAbout::content() {
  QFETCH(QString, language);
  QFETCH(QByteArray, serviceKey);
  QFETCH(QStringList, texts);
  QVERIFY(KvQtInstallTranslator(language));
  qputenv("KV_MAGIC_KEY", serviceKey);
  TKvQtAboutUnitDialog dialog(QString::fromUtf8("Гидрология"));
  qunsetenv("KV_MAGIC_KEY"); // decided once, while the box is built
  dialog.show();
  QCOMPARE((QStringList{dialog.windowTitle(), Text(&dialog, "VersionTextLabel"), Text(&dialog, "DateTextLabel"),
                        Button(&dialog, "CloseButton")->text(), Text(&dialog, "ContribLabel")}),
           texts);
  QCOMPARE(Text(&dialog, "ModLabel"), QString::fromUtf8("Гидрология"));
  QCOMPARE(Text(&dialog, "VersionLabel"), Qs(GetBuildVerString(true, true)));
  QCOMPARE(Label(&dialog, "HashLabel")->isVisible(), serviceKey == "1");
}

void TstAbout::copy() {
  KvSetQClipboardText(QStringLiteral("before"));
  kvtest::ModalDriver driver([&](QWidget* w) {
    QApplication::setActiveWindow(w);
    QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
    w->close();
  });
  driver.start();
  const QString module = "Terrain";
  TKvQtAboutDialog::Display(module.toStdString());
  QVERIFY(driver.fired());
  const TKvQtBuildInfo& b = KvQtGetBuildInfo();
  const QStringList lines{"QUORVANT",
                          module,
                          "Версия: " + Qs(GetBuildVerString(true, true)),
                          "Дата сборки: " + Qs(b.Date),
                          QString::fromUtf8("© %1 QUORVANT. All rights reserved.").arg(Qs(b.Year)),
                          "https://www.quorvant.example/",
                          ""};
  QCOMPARE(Qs(KvGetQClipboardText()), lines.join("\r\n"));
}

void TstAbout::linkAndSystemInfo() {
  TKvQtAboutUnitDialog dialog("Terrain");
  emit Label(&dialog, "LinkLabel")->linkActivated("https://www.quorvant.example/");
  QCOMPARE(FSink.Urls, QList<QUrl>{QUrl("https://www.quorvant.example/")});
  // The button shows the failure instead of throwing into the event loop.
  dialog.show();
  QString shown;
  kvtest::ModalDriver driver([&](QWidget* w) {
    shown = static_cast<QMessageBox*>(w)->text();
    static_cast<QMessageBox*>(w)->accept();
  });
  driver.start();
  Button(&dialog, "SysInfoButton")->click();
  QVERIFY(driver.fired());
  QVERIFY2(shown.contains("slotSystemInfoButtonClicked()"), qPrintable(shown));
  QVERIFY(dialog.isVisible());
}

QTEST_MAIN(TstAbout)
#include "tst_about.moc"
