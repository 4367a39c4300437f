#include "gallery.h"

#include "module/kvqttranslator.h"

#include "kvsuite/kvconfig.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

// One function per area file.
GalleryArea ModulePages();
GalleryArea ProgressPages();
GalleryArea LogViewPages();
GalleryArea MessagePages();
GalleryArea DialogPages();
GalleryArea FilePages();
GalleryArea PropertyPages();
GalleryArea WidgetPages();

const std::vector<GalleryArea>& GalleryAreas() {
  static const std::vector<GalleryArea> areas = {
      ModulePages(),
      ProgressPages(),
      LogViewPages(),
      MessagePages(),
      DialogPages(),
      FilePages(),
      PropertyPages(),
      WidgetPages(),
  };
  return areas;
}

std::vector<GalleryPage> GalleryPages() {
  std::vector<GalleryPage> all;
  for (const GalleryArea& a : GalleryAreas())
    all.insert(all.end(), a.Pages.begin(), a.Pages.end());
  return all;
}

std::string Tr(const char* en, const char* ru) { return getCurLanguageId() == "ru" ? ru : en; }

QString QTr(const char* en, const char* ru) { return QString::fromStdString(Tr(en, ru)); }

bool GalleryUseLanguage(const QString& language) {
  if (!KvSetLanguage(language.toStdString()))
    return false;
  return KvQtInstallTranslator(language);
}

void GalleryUseTheme(GalleryTheme theme) {
  QStyle* fusion = QStyleFactory::create("Fusion");
  QApplication::setStyle(fusion);
  // A desktop's usual text size, the same on every platform plugin (the
  // offscreen one would pick 12 points, X11 without a desktop 9).
  QApplication::setFont(QFont("Sans Serif", 10));
  if (theme == GalleryTheme::Light) {
    QApplication::setPalette(fusion->standardPalette());
    return;
  }
  // A dark palette in the manner of the desktops' dark themes.
  QPalette p;
  const QColor window(0x2b, 0x2d, 0x30), base(0x1e, 0x1f, 0x22), text(0xe6, 0xe6, 0xe6);
  const QColor disabled(0x80, 0x80, 0x80), highlight(0x3d, 0x7e, 0xd6);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, window.lighter(115));
  p.setColor(QPalette::ToolTipBase, base);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::PlaceholderText, disabled);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, window.lighter(120));
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::BrightText, Qt::red);
  p.setColor(QPalette::Light, window.lighter(160));
  p.setColor(QPalette::Midlight, window.lighter(135));
  p.setColor(QPalette::Mid, window.darker(110));
  p.setColor(QPalette::Dark, window.darker(150));
  p.setColor(QPalette::Shadow, Qt::black);
  p.setColor(QPalette::Highlight, highlight);
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Link, highlight.lighter(140));
  p.setColor(QPalette::LinkVisited, highlight.lighter(110));
  for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, r, disabled);
  p.setColor(QPalette::Disabled, QPalette::Highlight, window.lighter(140));
  QApplication::setPalette(p);
}

QString GalleryThemeName(GalleryTheme theme) { return theme == GalleryTheme::Light ? "light" : "dark"; }
