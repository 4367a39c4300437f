#pragma once
// The translation of the library's form texts. Forms are written with
// Russian source texts; the library carries its other translations as
// compiled Qt message files in its own resources
// (":/kvqtcpnt/translations/kvqtcpnt_<language>.qm"). An application that
// does not run in Russian installs one after creating its QApplication:
//
//   QApplication app(argc, argv);
//   KvQtInstallTranslator(QString::fromStdString(getCurLanguageId()));
//
// Widgets built afterwards show the translated texts; widgets that already
// exist keep theirs until they are built again.

#include "kvqtcpnt_export.h"

#include <QString>
#include <QStringList>

// Installs the library's translator for `language` (e.g. "en", "en_GB"; only
// the language part counts) on the application, replacing one installed
// before. "ru" (the source language) removes it and answers true. False,
// with nothing changed, when there is no application object or the library
// has no translation for the language. GUI thread only.
KVQTCPNT_EXPORT bool KvQtInstallTranslator(const QString& language);
// Removes the library's translator, if one is installed.
KVQTCPNT_EXPORT void KvQtRemoveTranslator();
// The languages the library carries a translation for (without "ru").
KVQTCPNT_EXPORT QStringList KvQtTranslationLanguages();
// The resource path of a language's message file (it may not exist).
KVQTCPNT_EXPORT QString KvQtTranslationFile(const QString& language);
