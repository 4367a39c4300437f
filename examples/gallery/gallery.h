#pragma once
// The gallery: every component of the library on a page of its own, filled
// with the data of a geospatial suite's programs.
//
// A page is one small function that builds its window (or opens it through
// the library's own modal call) and hands it to a stage. The stage decides
// what happens to it: the interactive viewer lets a person use it, the
// renderer saves it as a picture, the layout test measures its texts. Pages
// are listed in one table per area (pages_<area>.cpp); GalleryPages() joins
// the areas.

#include <QString>

#include <functional>
#include <string>
#include <vector>

class QWidget;

class GalleryStage {
public:
  virtual ~GalleryStage() = default;
  // The page's window is complete. Returns when the stage is done with it;
  // the page keeps ownership and destroys it afterwards. `lingerMs` as below.
  virtual void Present(QWidget* window, int lingerMs = 0) = 0;
  // `open` opens a modal window and returns once that window is closed: the
  // stage looks at the window while `open` runs and then closes it (the
  // dialog's escape answer). `lingerMs` gives content that arrives from
  // worker threads (a file system listing) time to show before the stage
  // looks.
  virtual void PresentModal(const std::function<void()>& open, int lingerMs = 0) = 0;
};

struct GalleryPage {
  const char* Id;    // file-name stem, e.g. "progress-frame"
  const char* Title; // English caption for the viewer and the index
  void (*Build)(GalleryStage& stage);
};

struct GalleryArea {
  const char* Name;
  std::vector<GalleryPage> Pages;
};

// Every area in the order of the library's subsystems.
const std::vector<GalleryArea>& GalleryAreas();
// Every page of every area, in order.
std::vector<GalleryPage> GalleryPages();

// The page data follows the suite's language: the English text, or the
// Russian one when the suite runs in Russian.
std::string Tr(const char* en, const char* ru);
QString QTr(const char* en, const char* ru);

// The looks a page is shown in.
enum class GalleryTheme { Light, Dark };

// Switches the suite's resource strings and the library's translations to
// `language` ("en" or "ru"); false for a language the library does not have.
bool GalleryUseLanguage(const QString& language);
// Fusion with its standard palette, or a dark one, and a 10-point sans-serif
// font.
void GalleryUseTheme(GalleryTheme theme);
QString GalleryThemeName(GalleryTheme theme);
