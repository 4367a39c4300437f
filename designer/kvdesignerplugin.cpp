#include "kvdesignerplugin.h"

#include "module/kvmodule_initializer.h"

#include <QCoreApplication>
#include <QIcon>
#include <QWidget>

TKvDesignerWidget::TKvDesignerWidget(const TKvDesignerWidgetRow& row, QObject* parent) : QObject(parent), FRow(row) {}

QString TKvDesignerWidget::name() const { return QString::fromLatin1(FRow.Name); }

QString TKvDesignerWidget::group() const { return QString::fromLatin1(FRow.Group); }

QString TKvDesignerWidget::toolTip() const { return QString::fromUtf8(FRow.ToolTip); }

QString TKvDesignerWidget::whatsThis() const { return toolTip(); }

QString TKvDesignerWidget::includeFile() const { return QString::fromLatin1(FRow.Header); }

QIcon TKvDesignerWidget::icon() const { return QIcon(); }

QWidget* TKvDesignerWidget::createWidget(QWidget* parent) {
  try {
    return FRow.Create(parent);
  } catch (...) {
    // Designer treats null as a failed creation and says so.
    return nullptr;
  }
}

void TKvDesignerWidget::initialize(QDesignerFormEditorInterface*) { FInitialized = true; }

QString TKvDesignerWidget::domXml() const {
  // The object name Designer gives a new widget: the class name without its
  // prefix, starting in lower case.
  QString object = name();
  if (object.startsWith("TKv"))
    object = object.mid(3);
  else if (object.startsWith("TQt") || object.startsWith("Qt"))
    object = object.mid(object.startsWith("TQt") ? 3 : 2);
  object[0] = object[0].toLower();
  return QString("<ui language=\"c++\">\n <widget class=\"%1\" name=\"%2\"/>\n</ui>\n").arg(name(), object);
}

TKvDesignerCollection::TKvDesignerCollection(QObject* parent) : QObject(parent) {
  Init_KvQtCpnt();
  int count = 0;
  const TKvDesignerWidgetRow* rows = KvDesignerWidgetRows(&count);
  for (int i = 0; i < count; ++i)
    FWidgets << new TKvDesignerWidget(rows[i], this);
}

TKvDesignerCollection::~TKvDesignerCollection() {
  qDeleteAll(FWidgets);
  FWidgets.clear();
  // Unloaded while the program runs: give the library back. At exit, after
  // the application object is gone, the process ends anyway.
  if (QCoreApplication::instance())
    Deinit_KvQtCpnt();
}
