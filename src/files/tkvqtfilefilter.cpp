#include "files/tkvqtfilefilter.h"

TKvQtFileFilter::TKvQtFileFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'), Qt::KeepEmptyParts);
  FNames.reserve((parts.size() + 1) / 2);
  FPatterns.reserve((parts.size() + 1) / 2);
  for (int i = 0; i < parts.size(); i += 2) {
    FNames << parts.at(i);
    FPatterns << (i + 1 < parts.size() ? parts.at(i + 1) : QString());
  }
}

QString TKvQtFileFilter::nameOf(unsigned long number) const {
  if (number == 0 || number > static_cast<unsigned long>(FNames.size()))
    return QString();
  return FNames.at(static_cast<int>(number - 1));
}

unsigned long TKvQtFileFilter::numberOf(const QString& name) const {
  if (name.isEmpty())
    return 0;
  int i = FNames.indexOf(name);
  if (i < 0) {
    // QFileDialog gives its names back simplified (blanks collapsed).
    for (int k = 0; k < FNames.size() && i < 0; ++k)
      if (FNames.at(k).simplified() == name)
        i = k;
  }
  return i < 0 ? 0 : static_cast<unsigned long>(i) + 1;
}

QString TKvQtFileFilter::defaultExt(unsigned long number) const {
  if (number == 0 || number > static_cast<unsigned long>(FPatterns.size()))
    return QString();
  QString pattern = FPatterns.at(static_cast<int>(number - 1));
  pattern.remove(QLatin1Char('*'));
  const QString first = pattern.section(QLatin1Char(';'), 0, 0);
  if (first.size() < 2 || first.at(0) != QLatin1Char('.'))
    return QString();
  for (const QChar c : first)
    if (c == QLatin1Char('?') || c == QLatin1Char('[') || c == QLatin1Char(']') || c == QLatin1Char('/') ||
        c == QLatin1Char('\\') || c.isSpace())
      return QString();
  return first;
}

QStringList TKvQtFileFilter::namesOf(const QString& filter) { return TKvQtFileFilter(filter).names(); }
