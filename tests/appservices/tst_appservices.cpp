#include "appservices/kvqticonlib.h"
#include "appservices/kvqtsplash.h"
#include "appservices/treplaceqlabeltext.h"

#include "kvsuite/kvreport.h"

#include "kvtestsupport.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSplashScreen>
#include <QWindow>

using TValues = std::map<std::string, std::string>;

class TstAppServices : public QObject {
  Q_OBJECT
private slots:
  void cleanup();

  void iconMaskedByCornerColour();

  void splashShownOnce();
  void splashClosesWithMainWindow();

  void reportTemplate_data();
  void reportTemplate();
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
  // Missing names and sizes give null pictures.
  QVERIFY(KvGetPixmapFromIconLib("tst_square", 32, 32).isNull());
  QVERIFY(KvGetIconFromIconLib("no_such_icon", 16, 16).isNull());
}

void TstAppServices::splashShownOnce() {
  QVERIFY(!HideKvQtSplash());
  QVERIFY(ShowKvQtSplash(nullptr));
  QSplashScreen* first = g_pSlashScreen;
  QVERIFY(first && first->isVisible());
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

void TstAppServices::reportTemplate_data() {
  QTest::addColumn<QString>("templ");
  QTest::addColumn<QString>("expected");
  QTest::newRow("fields filled") << "{a} and {b}" << "1 and two";
  QTest::newRow("unknown field kept") << "{a}{missing}" << "1{missing}";
  QTest::newRow("doubled braces literal") << "{{a}} = {a}" << "{a} = 1";
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

QTEST_MAIN(TstAppServices)
#include "tst_appservices.moc"
