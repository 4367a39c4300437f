#include "kvdesignerwidgets.h"

#include "dialogs/tkvqtmultiselectwidget.h"
#include "logview/tkvqtlogtable.h"
#include "progress/qtprogressindicatorwidget.h"
#include "progress/tkvqtprogressbar.h"
#include "progress/tkvqtprogressframe.h"
#include "widgets/tkvclickableqlabel.h"

namespace {

template <class T> QWidget* Make(QWidget* parent) { return new T(parent); }

QWidget* MakeIndicator(QWidget* parent) {
  auto* w = new QtProgressIndicatorWidget(parent);
  // Visible on the form even though nothing starts its animation there.
  w->setDisplayedWhenStopped(true);
  return w;
}

#define KV_PROGRESS "KvQtCpnt: Progress"
#define KV_LISTS "KvQtCpnt: Lists and logs"
#define KV_WIDGETS "KvQtCpnt: Widgets"

// The Progress item and iterations panel are left out: they are built only
// by a progress frame (their constructors need more than a parent).
const TKvDesignerWidgetRow kRows[] = {
    {"TKvQtProgressFrame", "progress/tkvqtprogressframe.h", KV_PROGRESS,
     "Nested progress levels of a long operation with Pause, Resume and Cancel", &Make<TKvQtProgressFrame>},
    {"TKvQtProgressBar", "progress/tkvqtprogressbar.h", KV_PROGRESS,
     "Progress bar that switches to a busy display and back without losing its value", &Make<TKvQtProgressBar>},
    {"QtProgressIndicatorWidget", "progress/qtprogressindicatorwidget.h", KV_PROGRESS,
     "Spinning busy indicator for waits without a known end", &MakeIndicator},
    {"TKvQtLogTable", "logview/tkvqtlogtable.h", KV_LISTS,
     "Log messages with class icons and time stamps, filtered by display level", &Make<TKvQtLogTable>},
    {"TKvQtMultiSelectWidget", "dialogs/tkvqtmultiselectwidget.h", KV_LISTS,
     "Checkable list of texts with check all, uncheck all and invert", &Make<TKvQtMultiSelectWidget>},
    {"TKvClickableQLabel", "widgets/tkvclickableqlabel.h", KV_WIDGETS,
     "Label that reports mouse presses as clicked()", &Make<TKvClickableQLabel>},
};

} // namespace

const TKvDesignerWidgetRow* KvDesignerWidgetRows(int* count) {
  *count = int(sizeof(kRows) / sizeof(kRows[0]));
  return kRows;
}
