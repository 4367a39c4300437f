#include "appservices/kvqtcolors.h"

#include <QPalette>
#include <QWidget>

QColor KvQColorFromKvColorRef(const unsigned int& ref) {
  return QColor(static_cast<int>(ref & 0xFFu), static_cast<int>((ref >> 8) & 0xFFu),
                static_cast<int>((ref >> 16) & 0xFFu));
}

unsigned int KvColorRefFromQColor(const QColor& c) {
  return static_cast<unsigned int>(c.red()) | static_cast<unsigned int>(c.green()) << 8 |
         static_cast<unsigned int>(c.blue()) << 16;
}

void KvSetWidgetBackgroundPalette(QWidget* w, const QColor& c) {
  if (!w)
    return;
  if (!w->autoFillBackground())
    w->setAutoFillBackground(true);
  QPalette pal = w->palette();
  pal.setBrush(QPalette::All, QPalette::Window, QBrush(c, Qt::SolidPattern));
  w->setPalette(pal);
}

void KvSetWidgetBackgroundStyleSheet(QWidget* w, const QColor& c) {
  if (!w)
    return;
  w->setStyleSheet(QStringLiteral("background-color: rgb(%1, %2, %3);").arg(c.red()).arg(c.green()).arg(c.blue()));
}
