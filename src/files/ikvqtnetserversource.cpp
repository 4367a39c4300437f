#include "files/ikvqtnetserversource.h"

#include "files/tkvqtmdnsserversource.h"
#include "files/tkvqtmountserversource.h"

namespace {

TKvQtNetServerSources builtInSources() {
  return {std::make_shared<TKvQtMdnsServerSource>(), std::make_shared<TKvQtMountServerSource>()};
}

TKvQtNetServerSources& defaults() {
  static TKvQtNetServerSources sources = builtInSources();
  return sources;
}

} // namespace

IKvQtNetServerSource::~IKvQtNetServerSource() = default;

TKvQtNetServerSources KvQtDefaultNetServerSources() { return defaults(); }

void KvQtSetDefaultNetServerSources(const TKvQtNetServerSources& sources) { defaults() = sources; }

void KvQtResetDefaultNetServerSources() { defaults() = builtInSources(); }
