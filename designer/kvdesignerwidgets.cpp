#include "kvdesignerwidgets.h"

#include "dialogs/tkvqtmultiselectwidget.h"
#include "files/tkvqdiredit.h"
#include "files/tkvqtsystemlistview.h"
#include "files/tkvqtsystemtreeview.h"
#include "logview/tkvqtlogtable.h"
#include "progress/qtprogressindicatorwidget.h"
#include "progress/tkvqtprogressbar.h"
#include "progress/tkvqtprogressframe.h"
#include "widgets/tkvclickableqlabel.h"
#include "widgets/tkvdempalettescombobox.h"
#include "widgets/tkvfindwidget.h"
#include "widgets/tkvlinestylecombobox.h"
#include "widgets/tkvpresetqcombobox.h"
#include "widgets/tkvqcolorpickerbutton.h"
#include "widgets/tkvqfontpickerbutton.h"
#include "widgets/tkvqhistogram.h"
#include "widgets/tkvqradiobox.h"

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
#define KV_FILES "KvQtCpnt: Files"

// Left out because their constructors need more than a parent: the progress
// item and iterations panel (built by a progress frame), and the open-file,
// save-file and multi-file edits (title, file, filters and filter index).
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
    {"TKvQDirEdit", "files/tkvqdiredit.h", KV_FILES,
     "Folder field with a browse button, folder drops and path completion", &Make<TKvQDirEdit>},
    {"TKvQtSystemTreeView", "files/tkvqtsystemtreeview.h", KV_FILES,
     "Tree of the file system's folders", &Make<TKvQtSystemTreeView>},
    {"TKvQtSystemListView", "files/tkvqtsystemlistview.h", KV_FILES,
     "Files of one folder, filtered by name patterns", &Make<TKvQtSystemListView>},
    {"TKvQHistogram", "widgets/tkvqhistogram.h", KV_WIDGETS,
     "Histogram of a value array with axis labels and a draggable cursor line", &Make<TKvQHistogram>},
    {"TKvFindWidget", "widgets/tkvfindwidget.h", KV_WIDGETS,
     "Find bar: search field, Back and Next, and an options menu", &Make<TKvFindWidget>},
    {"TKvQRadioBox", "widgets/tkvqradiobox.h", KV_WIDGETS,
     "Group box of exclusive choices built from a list of texts, reported by index", &Make<TKvQRadioBox>},
    {"TKvPresetQComboBox", "widgets/tkvpresetqcombobox.h", KV_WIDGETS,
     "Editable combo box with a history of earlier entries kept in an ini section", &Make<TKvPresetQComboBox>},
    {"TKvQColorPickerButton", "widgets/tkvqcolorpickerbutton.h", KV_WIDGETS,
     "Colour swatch button with the colour dialog, drag and drop and the clipboard", &Make<TKvQColorPickerButton>},
    {"TKvQFontPickerButton", "widgets/tkvqfontpickerbutton.h", KV_WIDGETS,
     "Button showing the chosen font and its size, with the font dialog", &Make<TKvQFontPickerButton>},
    {"TKvLineStyleComboBox", "widgets/tkvlinestylecombobox.h", KV_WIDGETS,
     "Combo box of the suite's line styles drawn as sample lines", &Make<TKvLineStyleComboBox>},
    {"TKvDEMPalettesComboBox", "widgets/tkvdempalettescombobox.h", KV_WIDGETS,
     "Combo box of the suite's elevation palettes drawn as colour ramps", &Make<TKvDEMPalettesComboBox>},
    {"TKvClickableQLabel", "widgets/tkvclickableqlabel.h", KV_WIDGETS,
     "Label that reports mouse presses as clicked()", &Make<TKvClickableQLabel>},
};

} // namespace

const TKvDesignerWidgetRow* KvDesignerWidgetRows(int* count) {
  *count = int(sizeof(kRows) / sizeof(kRows[0]));
  return kRows;
}
