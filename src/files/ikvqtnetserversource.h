#pragma once
// IKvQtNetServerSource: one way of finding the network servers whose shares
// the file dialogs can browse. The server enumerator (qtnetserverenumerator.h)
// asks each of its sources in turn on its worker thread and publishes the
// names, duplicates removed, in the order found.
//
// A source must return promptly when `cancelled()` turns true (the
// enumerator is being stopped) and must never hang: anything slow is run
// with a time limit. A source that finds nothing, or cannot run here at all,
// returns an empty list.

#include "kvqtcpnt_export.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class KVQTCPNT_EXPORT IKvQtNetServerSource {
public:
  virtual ~IKvQtNetServerSource();
  // Server names ("fileserver", "nas.local"), called on the worker thread.
  virtual QStringList discover(const std::function<bool()>& cancelled) = 0;
};

using TKvQtNetServerSources = std::vector<std::shared_ptr<IKvQtNetServerSource>>;

// The sources new enumerators start with. By default: services announced
// over mDNS / DNS-SD (when the avahi-browse program and its daemon answer)
// and the servers of network shares in the mount table. Set them before
// enumerators are made (an application adding its own source, a test a fake);
// an empty list makes enumerators find nothing. GUI thread only.
KVQTCPNT_EXPORT TKvQtNetServerSources KvQtDefaultNetServerSources();
KVQTCPNT_EXPORT void KvQtSetDefaultNetServerSources(const TKvQtNetServerSources& sources);
// Back to the built-in sources.
KVQTCPNT_EXPORT void KvQtResetDefaultNetServerSources();
