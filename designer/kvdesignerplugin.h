#pragma once
// The Qt Designer plugin: one custom-widget interface per row of the widget
// table, gathered in one collection. Loading the plugin brings the library
// up (Init_KvQtCpnt) for the widgets that read its settings and texts;
// unloading it takes the library down again.

#include "kvdesignerwidgets.h"

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class TKvDesignerWidget : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
  TKvDesignerWidget(const TKvDesignerWidgetRow& row, QObject* parent);

  QString name() const override;
  QString group() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QString includeFile() const override;
  QIcon icon() const override;
  bool isContainer() const override { return false; }
  QWidget* createWidget(QWidget* parent) override;
  bool isInitialized() const override { return FInitialized; }
  void initialize(QDesignerFormEditorInterface* core) override;
  QString domXml() const override;

private:
  const TKvDesignerWidgetRow& FRow;
  bool FInitialized = false;
};

class TKvDesignerCollection : public QObject, public QDesignerCustomWidgetCollectionInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
  Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
  explicit TKvDesignerCollection(QObject* parent = nullptr);
  ~TKvDesignerCollection() override;

  QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return FWidgets; }

private:
  QList<QDesignerCustomWidgetInterface*> FWidgets;
};
