// Feeds arbitrary bytes as an ini text to the preset combo box's Load. The
// combo box must come out within its history limit, without empty or
// repeated entries, and must save and load back to the same entries; anything
// else aborts.

#include "widgets/tkvpresetqcombobox.h"

#include "kvsuite/kvconfig.h"

#include <QApplication>
#include <QComboBox>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void EnsureApp() {
  if (QApplication::instance())
    return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "fuzz_presetini";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "preset ini: %s\n", what);
  std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnsureApp();
  static TKvPresetQComboBox* combo = new TKvPresetQComboBox;
  // The first byte picks a history limit, so that small limits are fuzzed too.
  combo->setMaxItems(size ? 1 + data[0] % 40 : TKvPresetQComboBox::DefaultMaxItems);

  TKvXIniReader reader;
  reader.LoadFromText(std::string(reinterpret_cast<const char*>(data), size));
  combo->Load(&reader);
  const QStringList loaded = combo->presets();
  if (loaded.size() > combo->maxItems())
    Fail("more entries than the history limit");
  if (QStringList(loaded).removeDuplicates() != 0)
    Fail("an entry is listed twice");
  for (const QString& s : loaded)
    if (s.isEmpty())
      Fail("an empty entry was loaded");
  std::string dummy;
  if (reader.Read(0, dummy))
    Fail("the reader was left inside the section");

  TKvXIniWriter writer;
  combo->Save(&writer);
  TKvXIniReader again(writer);
  combo->Load(&again);
  if (combo->presets() != loaded)
    Fail("saved entries do not load back the same");
  return 0;
}
