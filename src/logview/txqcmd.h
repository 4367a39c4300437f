#pragma once
// TXQCmd: a log window wherever the suite expects a command-line progress,
// for tools that run without the suite's application object.
//
//   TXQCmd cmd;
//   var_a<TKvProgressHandler*> p = cmd.CmdProgress()->Progress();
//   ... the operation reports to p ...
//   p.reset();
//   // ~TXQCmd lets the user read the log when something important was logged.
//
// GUI thread only.

#include "kvqtcpnt_export.h"

#include "kvsuite/kvcmdprogress.h"
#include "kvsuite/kvprogress.h"
#include "kvsuite/var_a.h"

class KVQTCPNT_EXPORT TXQCmd {
public:
  // Throws a TKvMessage when the suite's application object exists: the
  // application then has a progress of its own.
  TXQCmd();
  // Waits for the user's OK when important messages were logged; errors
  // while waiting are ignored.
  ~TXQCmd();

  TXQCmd(const TXQCmd&) = delete;
  TXQCmd& operator=(const TXQCmd&) = delete;

  const var_a<TKvLogProgress*>& LogProgress() const { return FLogProgress; }
  const var_a<TKvCmdProgressImpl*>& CmdProgress() const { return FCmdProgress; }

private:
  var_a<TKvLogProgress*> FLogProgress;
  var_a<TKvCmdProgressImpl*> FCmdProgress;
};
