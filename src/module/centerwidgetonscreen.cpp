#include "module/centerwidgetonscreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

void CenterWidgetOnScreen(QWidget* w) {
  if (!w)
    return;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen)
    return;
  w->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, w->size(), screen->availableGeometry()));
}
