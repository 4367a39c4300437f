#include "module/kvqttranslator.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QTranslator>

namespace {
const char* const kTranslationDir = ":/kvqtcpnt/translations";

// Owned by the application object, so it goes away with it.
QPointer<QTranslator>& InstalledTranslator() {
  static QPointer<QTranslator> translator;
  return translator;
}

QString LanguagePart(const QString& language) {
  return language.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0).section(QLatin1Char('.'), 0, 0).toLower();
}
} // namespace

QString KvQtTranslationFile(const QString& language) {
  return QStringLiteral("%1/kvqtcpnt_%2.qm").arg(QLatin1String(kTranslationDir), LanguagePart(language));
}

QStringList KvQtTranslationLanguages() {
  QStringList languages;
  const QStringList files = QDir(QLatin1String(kTranslationDir)).entryList({QStringLiteral("kvqtcpnt_*.qm")}, QDir::Files);
  for (const QString& file : files)
    languages << file.mid(9, file.size() - 12);
  return languages;
}

void KvQtRemoveTranslator() {
  QPointer<QTranslator>& installed = InstalledTranslator();
  if (!installed)
    return;
  QCoreApplication::removeTranslator(installed);
  delete installed.data();
}

bool KvQtInstallTranslator(const QString& language) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app)
    return false;
  const QString lang = LanguagePart(language);
  if (lang == QLatin1String("ru")) {
    KvQtRemoveTranslator();
    return true;
  }
  auto* translator = new QTranslator(app);
  if (lang.isEmpty() || !translator->load(KvQtTranslationFile(lang))) {
    delete translator;
    return false;
  }
  KvQtRemoveTranslator();
  QCoreApplication::installTranslator(translator);
  InstalledTranslator() = translator;
  return true;
}
