#include "appservices/kvqtclipboard.h"
#include "appservices/kvqtcolors.h"
#include "appservices/kvqticonlib.h"
#include "appservices/kvqtsplash.h"
#include "appservices/treplaceqlabeltext.h"

#include "kvsuite/kvreport.h"

#include "kvtestsupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSplashScreen>
#include <QWindow>

using TValues = std::map<std::string, std::string>;
Q_DECLARE_METATYPE(TValues)

class TstAppServices : public QObject {
  Q_OBJECT
private slots:
  void cleanup();

  void iconMaskedByCornerColour();

  void splashShownOnce();
  void splashClosesWithMainWindow();
  void splashOverVisibleMainWindowStays();

  void replaceLabelText();
  void reportTemplate_data();
  void reportTemplate();
  void replaceLabelTextReport_data();
  void replaceLabelTextReport();
};

void TstAppServices::cleanup() {
  HideKvQtSplash();
  KV_VERIFY_NO_TOPLEVELS();
}

void TstAppServices::iconMaskedByCornerColour() {
  const QPixmap pix = KvGetPixmapFromIconLib("tst_square", 16, 16);
  QCOMPARE(pix.size(), QSize(16, 16));
  const QImage img = pix.toImage().convertToFormat(QImage::Format_ARGB32);
  QCOMPARE(qAlpha(img.pixel(0, 0)), 0);
  QCOMPARE(qAlpha(img.pixel(15, 8)), 0);
  QCOMPARE(img.pixel(8, 8), qRgba(255, 0, 0, 255));
  QCOMPARE(KvGetIconFromIconLib("tst_square", 16, 16).pixmap(16, 16).size(), QSize(16, 16));
  // Missing names and sizes give null pictures.
  QVERIFY(KvGetPixmapFromIconLib("no_such_icon", 16, 16).isNull());
  QVERIFY(KvGetPixmapFromIconLib("tst_square", 32, 32).isNull());
  QVERIFY(KvGetIconFromIconLib("no_such_icon", 16, 16).isNull());
}

void TstAppServices::splashShownOnce() {
  QVERIFY(!HideKvQtSplash());
  QVERIFY(ShowKvQtSplash(nullptr));
  QSplashScreen* first = g_pSlashScreen;
  QVERIFY(first && first->isVisible());
  QCOMPARE(first->pixmap().size(), ObtainQtSplashPixmap().size());
  QVERIFY(!ShowKvQtSplash(nullptr));
  QCOMPARE(g_pSlashScreen, first);
  QCOMPARE(kvtest::liveTopLevels().count(), 1);
  QVERIFY(HideKvQtSplash());
  QVERIFY(!g_pSlashScreen);
}

void TstAppServices::splashClosesWithMainWindow() {
  QWidget mainWin;
  QVERIFY(ShowKvQtSplash(&mainWin));
  QPointer<QSplashScreen> splash = g_pSlashScreen;
  QVERIFY(splash->isVisible());
  // show() returns before the window is exposed: nothing may wait for it there.
  mainWin.show();
  QVERIFY(splash->isVisible());
  QTRY_VERIFY(!splash->isVisible());
  QVERIFY(mainWin.windowHandle()->isExposed());
  QCOMPARE(g_pSlashScreen, splash.data());
  QVERIFY(HideKvQtSplash());
  QVERIFY(splash.isNull());
}

void TstAppServices::splashOverVisibleMainWindowStays() {
  QWidget mainWin;
  mainWin.show();
  QVERIFY(QTest::qWaitForWindowExposed(&mainWin));
  QVERIFY(ShowKvQtSplash(&mainWin));
  QTest::qWait(100);
  QVERIFY(g_pSlashScreen->isVisible());
  QVERIFY(HideKvQtSplash());
}

void TstAppServices::replaceLabelText() {
  QLabel root("Old");
  auto* direct = new QLabel("Old", &root);
  auto* frame = new QFrame(&root);
  auto* nested = new QLabel("Old", frame);
  auto* check = new QCheckBox("Old", frame);
  auto* other = new QLabel("Older", frame);
  auto* button = new QPushButton("Old", frame);
  ReplaceLabelText(&root, "Old", "New");
  QCOMPARE(root.text(), QString("Old"));
  QCOMPARE(direct->text(), QString("New"));
  QCOMPARE(nested->text(), QString("New"));
  QCOMPARE(check->text(), QString("New"));
  QCOMPARE(other->text(), QString("Older"));
  QCOMPARE(button->text(), QString("Old"));
  ReplaceLabelText(nullptr, "Old", "New");
}

void TstAppServices::reportTemplate_data() {
  QTest::addColumn<QString>("templ");
  QTest::addColumn<QString>("expected");
  QTest::newRow("fields filled") << "{a} and {b}" << "1 and two";
  QTest::newRow("unknown field kept") << "{a}{missing}" << "1{missing}";
  QTest::newRow("doubled braces literal") << "{{a}} = {a}" << "{a} = 1";
  QTest::newRow("unclosed brace literal") << "50% {a" << "50% {a";
  QTest::newRow("brace inside a name") << "{x{a}" << "{x1";
  QTest::newRow("value not parsed again") << "{braces}" << "{a}";
  QTest::newRow("utf-8 name and value") << "{\u043f\u043b}" << "\u043c\u00b2";
}

void TstAppServices::reportTemplate() {
  QFETCH(QString, templ);
  QFETCH(QString, expected);
  const TValues values{{"a", "1"},
                       {"b", "two"},
                       {"braces", "{a}"},
                       {"\xD0\xBF\xD0\xBB", "\xD0\xBC\xC2\xB2"}};
  QCOMPARE(QString::fromStdString(TKvReportGenerator::Parse(templ.toStdString(), values)), expected);
}

void TstAppServices::replaceLabelTextReport_data() {
  QTest::addColumn<QString>("prefix");
  QTest::addColumn<QStringList>("expected"); // top, nested, plain
  QTest::newRow("prefix") << "#" << QStringList{"Area: 12 m\u00b2", "Name: Lake", "Plain {area}"};
  QTest::newRow("empty prefix: whole texts") << "" << QStringList{"#Area: 12 m\u00b2", "#Name: Lake", "Plain 12"};
  QTest::newRow("prefix matching nothing") << "@" << QStringList{"#Area: {area} m\u00b2", "#Name: {name}",
                                                                 "Plain {area}"};
}

void TstAppServices::replaceLabelTextReport() {
  QFETCH(QString, prefix);
  QFETCH(QStringList, expected);
  QWidget root;
  auto* top = new QLabel(QString::fromUtf8("#Area: {area} m\xC2\xB2"), &root);
  auto* frame = new QFrame(&root);
  auto* nested = new QLabel("#Name: {name}", frame);
  auto* plain = new QLabel("Plain {area}", frame);
  ::ReplaceLabelTextReport(&root, prefix.toStdString(), TValues{{"area", "12"}, {"name", "Lake"}});
  QCOMPARE((QStringList{top->text(), nested->text(), plain->text()}), expected);
}

QTEST_MAIN(TstAppServices)
#include "tst_appservices.moc"
