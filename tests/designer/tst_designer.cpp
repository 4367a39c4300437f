// The Designer plugin as Designer sees it: it loads, offers each widget once,
// and every widget is created through the interface with the class name,
// header and form snippet that uic will use.

#include "kvtestsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QRegularExpression>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <QXmlStreamReader>

#include <memory>

class TestDesigner : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    FLoader.setFileName(KV_DESIGNER_PLUGIN);
    QVERIFY2(FLoader.load(), qPrintable(FLoader.errorString()));
    FCollection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(FLoader.instance());
    QVERIFY(FCollection);
    QVERIFY(!FCollection->customWidgets().isEmpty());
  }
  void cleanupTestCase() { QVERIFY(FLoader.unload()); }
  void cleanup() { KV_VERIFY_NO_TOPLEVELS(); }

  void namesAreUnique() {
    QStringList names;
    for (QDesignerCustomWidgetInterface* w : FCollection->customWidgets())
      names << w->name();
    names.removeDuplicates();
    QCOMPARE(names.size(), FCollection->customWidgets().size());
  }

  // Every exported widget that uic can build (a constructor taking just the
  // parent) is offered, except the abstract base of the path edits and the
  // server chooser's own list.
  void everyWidgetIsOffered() {
    QStringList offered;
    for (QDesignerCustomWidgetInterface* w : FCollection->customWidgets())
      offered << w->name();
    const QStringList notForForms = {"TKvAbstractQFileDirEdit", "NetDlgListWidget"};
    const QRegularExpression exported("class\\s+KVQTCPNT_EXPORT\\s+(\\w+)\\s*:\\s*public\\s+(\\w+)");
    QStringList missing;
    for (const QFileInfo& area : QDir(KV_SOURCE_DIR).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
      for (const QFileInfo& h : QDir(area.filePath()).entryInfoList({"*.h"})) {
        QFile f(h.filePath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        for (auto m = exported.globalMatch(text); m.hasNext();) {
          const auto c = m.next();
          const QString name = c.captured(1);
          if (c.captured(2).contains(QRegularExpression("Dialog|Dlg|MainWindow|MessageBox")))
            continue;
          const QRegularExpression parentOnly("\\b" + name + "\\(\\s*QWidget\\s*\\*\\s*\\w*\\s*(=\\s*nullptr)?\\s*\\)\\s*;");
          if (parentOnly.match(text).hasMatch() && !offered.contains(name) && !notForForms.contains(name))
            missing << name;
        }
      }
    QVERIFY2(missing.isEmpty(), qPrintable("not offered in Designer: " + missing.join(", ")));
  }

  void widget_data() {
    QTest::addColumn<int>("index");
    if (!FCollection)
      return;
    const auto widgets = FCollection->customWidgets();
    for (int i = 0; i < widgets.size(); ++i)
      QTest::newRow(qPrintable(widgets[i]->name())) << i;
  }
  void widget() {
    QFETCH(int, index);
    QDesignerCustomWidgetInterface* d = FCollection->customWidgets().at(index);
    const QString name = d->name();
    QVERIFY(!d->group().isEmpty());
    QVERIFY(!d->toolTip().isEmpty());
    QVERIFY(!d->isContainer());

    // The header uic includes declares the exported class.
    QFile header(QString(KV_SOURCE_DIR) + "/" + d->includeFile());
    QVERIFY2(header.open(QIODevice::ReadOnly), qPrintable(header.fileName()));
    const QRegularExpression declared("class\\s+KVQTCPNT_EXPORT\\s+" + name + "\\b");
    QVERIFY2(declared.match(QString::fromUtf8(header.readAll())).hasMatch(), qPrintable(d->includeFile()));

    // The form snippet is well-formed and places one widget of the class.
    QXmlStreamReader xml(d->domXml());
    QStringList classes;
    while (!xml.atEnd())
      if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("widget")) {
        classes << xml.attributes().value("class").toString();
        QVERIFY(!xml.attributes().value("name").isEmpty());
      }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(classes, QStringList{name});

    // Created on a form, owned by it; Designer matches the meta-object's
    // class name with the name it asked for.
    QWidget form;
    QWidget* created = d->createWidget(&form);
    QVERIFY(created);
    QCOMPARE(created->parentWidget(), &form);
    QEXPECT_FAIL("TKvQtProgressBar", "the class has no Q_OBJECT: Designer warns of a class name mismatch", Continue);
    QCOMPARE(QString(created->metaObject()->className()), name);
    form.resize(400, 300);
    created->setGeometry(10, 10, 300, 200);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
  }

private:
  QPluginLoader FLoader;
  QDesignerCustomWidgetCollectionInterface* FCollection = nullptr;
};

QTEST_MAIN(TestDesigner)
#include "tst_designer.moc"
