#pragma once
// QtTreePropertyBrowser: properties as a two-column tree (name, value) with
// in-place editors.
//
// A row's editor comes from the factory registered for the property's
// manager; it opens on a click on the row or on Return, Enter, Space or F2,
// and closes on Return or Enter (committing), on Escape (discarding what was
// typed), on Tab (moving to the next row's editor) or when it loses focus
// (committing). Up, Down, Home, End, Page Up and Page Down move between rows;
// Left and Right fold and unfold sub-properties. Committing is the editor's
// business (the factories here commit on Return and on leaving the editor);
// Escape blocks the editor's signals before it goes, so nothing it still
// holds reaches the manager.
//
// Rows of disabled properties, and their sub-properties, are greyed out and
// cannot be edited. The name column shows the description tool tip, the
// value column the value tool tip. New rows with sub-properties start
// expanded. The value text of a row follows its manager's propertyChanged().
//
// The editor is a child of the view; a factory or manager destroyed while it
// is open takes it (or its row) along, and the browser simply forgets it.

#include "qtpropertybrowser.h"

#include <QColor>

class QtTreePropertyBrowserPrivate;

class KVPROPERTYBROWSER_EXPORT QtTreePropertyBrowser : public QtAbstractPropertyBrowser {
  Q_OBJECT
  Q_PROPERTY(int indentation READ indentation WRITE setIndentation)
  Q_PROPERTY(bool rootIsDecorated READ rootIsDecorated WRITE setRootIsDecorated)
  Q_PROPERTY(bool alternatingRowColors READ alternatingRowColors WRITE setAlternatingRowColors)
  Q_PROPERTY(bool headerVisible READ isHeaderVisible WRITE setHeaderVisible)
  Q_PROPERTY(ResizeMode resizeMode READ resizeMode WRITE setResizeMode)
  Q_PROPERTY(int splitterPosition READ splitterPosition WRITE setSplitterPosition)
  Q_PROPERTY(bool propertiesWithoutValueMarked READ propertiesWithoutValueMarked WRITE setPropertiesWithoutValueMarked)
public:
  enum ResizeMode { Interactive, Stretch, Fixed, ResizeToContents };
  Q_ENUM(ResizeMode)

  explicit QtTreePropertyBrowser(QWidget* parent = nullptr);
  ~QtTreePropertyBrowser() override;

  int indentation() const;
  void setIndentation(int i);
  bool rootIsDecorated() const;
  void setRootIsDecorated(bool show);
  bool alternatingRowColors() const;
  void setAlternatingRowColors(bool enable);
  bool isHeaderVisible() const;
  void setHeaderVisible(bool visible);
  ResizeMode resizeMode() const;
  void setResizeMode(ResizeMode mode);
  // Width of the name column.
  int splitterPosition() const;
  void setSplitterPosition(int position);

  void setExpanded(QtBrowserItem* item, bool expanded);
  bool isExpanded(QtBrowserItem* item) const;
  bool isItemVisible(QtBrowserItem* item) const;
  void setItemVisible(QtBrowserItem* item, bool visible);
  void setBackgroundColor(QtBrowserItem* item, const QColor& color);
  QColor backgroundColor(QtBrowserItem* item) const;
  // The row's own colour, or the nearest ancestor's.
  QColor calculatedBackgroundColor(QtBrowserItem* item) const;
  // Rows without a value (groups) drawn in the palette's dark colour.
  void setPropertiesWithoutValueMarked(bool mark);
  bool propertiesWithoutValueMarked() const;

  // Opens the in-place editor of the item's value.
  void editItem(QtBrowserItem* item);

Q_SIGNALS:
  void collapsed(QtBrowserItem* item);
  void expanded(QtBrowserItem* item);

protected:
  void itemInserted(QtBrowserItem* item, QtBrowserItem* afterItem) override;
  void itemRemoved(QtBrowserItem* item) override;
  void itemChanged(QtBrowserItem* item) override;

private:
  friend class QtTreePropertyBrowserPrivate;
  QtTreePropertyBrowserPrivate* d;
};
