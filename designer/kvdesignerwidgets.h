#pragma once
// The widgets the library offers in Qt Designer: one row per class.
//
// A class is offered only when the code uic writes for it compiles, i.e.
// when it has a constructor taking just the parent widget. Designer and uic
// need the class name to be the widget's meta-object class name.

#include <functional>

class QWidget;

struct TKvDesignerWidgetRow {
  const char* Name;    // the class, as in uic's "new Name(parent)"
  const char* Header;  // as a program includes it, relative to the include folder
  const char* Group;   // Designer's widget box section
  const char* ToolTip; // also the "What's this" text
  QWidget* (*Create)(QWidget* parent);
};

// Every row, in widget box order.
const TKvDesignerWidgetRow* KvDesignerWidgetRows(int* count);
