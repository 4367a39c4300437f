// Feeds arbitrary filter strings to the file choosers' filter grammar: the
// parsed names and patterns, the filter numbers, the default extension of a
// typed save name, and the filter lists and indexes of the path edits and
// the multi-file table. The input is "filter \0 path \0 typed name"
// (missing parts are empty). Nothing may crash or hang, and every index must
// stay inside its list; a broken rule aborts. Where QRegExp's own wildcard
// search is quick (short texts, few stars) and consistent (Latin-1: beyond
// it QRegExp compares some letters by case one way alone and another way in
// company, "\u0130" not even with itself), the index the edits take from a
// path must be the one QRegExp gives.

#include "files/tkvqfileopenedit.h"
#include "files/tkvqmultifileopenedit.h"
#include "files/tkvqtfilefilter.h"

#include "kvsuite/kvstrings.h"

#include <QApplication>
#include <QRegExp>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "fuzz_filefilter: %s\n", what);
  std::abort();
}

void ensureApplication() {
  if (QApplication::instance())
    return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "fuzz_filefilter";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

QString part(const QByteArray& data, int index) {
  const QList<QByteArray> parts = data.split('\0');
  return index < parts.size() ? QString::fromUtf8(parts.at(index)) : QString();
}

bool plainName(const QString& s) {
  if (s.isEmpty())
    return false;
  for (const QChar c : s)
    if (!(c.isLetterOrNumber() || c == QLatin1Char('_')) || c.unicode() > 127)
      return false;
  return true;
}

void checkGrammar(const QString& filter, const QString& typed) {
  const TKvQtFileFilter f(filter);
  const int parts = filter.split(QLatin1Char('|')).size();
  if (f.names().size() != (parts + 1) / 2 || f.patterns().size() != f.names().size())
    Fail("names and patterns do not follow the parts");
  if (f.nameOf(0) != QString() || f.nameOf(static_cast<unsigned long>(f.names().size()) + 1) != QString())
    Fail("an out-of-range number has a name");
  for (int i = 0; i < f.names().size(); ++i) {
    const unsigned long n = static_cast<unsigned long>(i) + 1;
    if (f.nameOf(n) != f.names().at(i))
      Fail("nameOf disagrees with names");
    const unsigned long back = f.numberOf(f.names().at(i));
    if (f.names().at(i).isEmpty() ? back != 0 : (back == 0 || back > n || f.names().at(back - 1) != f.names().at(i)))
      Fail("numberOf does not find the name");
    const QString ext = f.defaultExt(n);
    if (!ext.isEmpty()) {
      if (!ext.startsWith(QLatin1Char('.')) || ext.contains(QLatin1Char('*')) || ext.contains(QLatin1Char(';')) ||
          ext.contains(QLatin1Char('/')))
        Fail("a default extension that is not an extension");
      if (plainName(typed) && KvExtractFileExt((typed + ext).toStdString()).empty())
        Fail("a name with the default extension still has none");
    }
  }
}

void checkWidgets(const QString& filter, const QString& path) {
  static std::unique_ptr<TKvQFileOpenEdit> edit(new TKvQFileOpenEdit(nullptr, QString(), QString(), {}, -1));
  static std::unique_ptr<TKvQMultiFileOpenEdit> multi(
      new TKvQMultiFileOpenEdit(nullptr, QString(), {}, {}, -1));
  edit->setFilter(filter);
  const int names = edit->getFilterList().size();
  if (edit->getCurrentFilterIdx() < -1 || edit->getCurrentFilterIdx() >= names ||
      (names > 0) != (edit->getCurrentFilterIdx() >= 0))
    Fail("path edit index outside its list after setFilter");
  edit->setCurrentFilterIdx(names + 3);
  edit->setFilterIdxFromString(path);
  if (edit->getCurrentFilterIdx() < -1 || edit->getCurrentFilterIdx() >= names)
    Fail("path edit index outside its list after a path");
  const auto latin1 = [](const QString& s) {
    return std::all_of(s.cbegin(), s.cend(), [](QChar c) { return c.unicode() <= 0xff; });
  };
  if (path.size() <= 40 && filter.size() <= 200 && filter.count(QLatin1Char('*')) <= 6 && latin1(filter) &&
      latin1(path)) {
    const QStringList list = edit->getFilterList();
    const bool quick = std::all_of(list.cbegin(), list.cend(),
                                   [](const QString& entry) { return entry.count(QLatin1Char('*')) <= 3; });
    int expected = -1;
    for (int i = 0; quick && i < list.size() && expected < 0; ++i)
      if (QRegExp(list.at(i), Qt::CaseInsensitive, QRegExp::Wildcard).indexIn(path, 0) >= 0)
        expected = i;
    if (quick && edit->getCurrentFilterIdx() != expected)
      Fail("the wildcard search disagrees with QRegExp");
  }
  (void)edit->getDefaultExt();

  multi->setFilter(filter);
  const int entries = static_cast<int>(filter.split(QLatin1Char('|'), Qt::SkipEmptyParts).size());
  if (multi->getCurrentFilterIdx() < -1 || multi->getCurrentFilterIdx() >= entries ||
      (entries > 0) != (multi->getCurrentFilterIdx() >= 0))
    Fail("multi-file index outside its list after setFilter");
  multi->setCurrentFilterIdx(-7);
  multi->setFilterIdxFromString(path);
  if (multi->getCurrentFilterIdx() < -1 || multi->getCurrentFilterIdx() >= entries)
    Fail("multi-file index outside its list after a path");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  ensureApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ensureApplication();
  // Long inputs only repeat what short ones show, slowly.
  if (size > 256 * 1024)
    return 0;
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
  const QString filter = part(bytes, 0);
  // The wildcard search takes up to (path length x filter length) steps;
  // longer paths only repeat what these show, slowly.
  const QString path = part(bytes, 1).left(1024);
  const QString typed = part(bytes, 2);
  checkGrammar(filter, typed);
  checkWidgets(filter, path);
  return 0;
}
