#include "appservices/kvqticonlib.h"

#include <QBitmap>

QString KvIconLibPath(const std::string& name, int width, int height) {
  const QString n = QString::fromUtf8(name.data(), static_cast<int>(name.size()));
  if (n.startsWith(QLatin1String(":/")))
    return n;
  return QStringLiteral(":/kvicon/%1_%2x%3").arg(n).arg(width).arg(height);
}

QPixmap KvGetPixmapFromIconLib(const std::string& name, int width, int height) {
  QPixmap pix(KvIconLibPath(name, width, height));
  if (!pix.isNull())
    pix.setMask(pix.createHeuristicMask(true));
  return pix;
}

QIcon KvGetIconFromIconLib(const std::string& name, int width, int height) {
  const QPixmap pix = KvGetPixmapFromIconLib(name, width, height);
  return pix.isNull() ? QIcon() : QIcon(pix);
}

QIcon KvGetIconSetFromIconLib(const std::string& name) {
  QIcon icon;
  for (const int size : {16, 24, 32}) {
    const QPixmap pix = KvGetPixmapFromIconLib(name, size, size);
    if (!pix.isNull())
      icon.addPixmap(pix);
  }
  return icon;
}
