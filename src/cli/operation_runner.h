#pragma once
// Runs one operation of the core engine from the command line: the real
// one-second tick, a progress bar on a terminal, Ctrl-C as Cancel, and the
// result message on failure.
#include <QObject>
#include <memory>
#include <vector>

#include "cli/interrupt.h"
#include "core/protocol/operation_driver.h"
#include "core/protocol/unit_identity.h"
#include "platform/protocol/engine_runtime.h"

namespace trennic::cli {

class OperationRunner : public QObject, public DriverHost {
  Q_OBJECT
 public:
  explicit OperationRunner(platform::EngineRuntime& runtime);
  ~OperationRunner() override;

  // Runs the operation to its end and gives its result code (0 success; 10
  // for a cancelled search; 12 for a unit with unknown firmware).
  int run(const OperationArgs& args, const OperationContext& context);

  // Answers merged during the last run, in order of arrival.
  const std::vector<UnitIdentity>& answers() const { return answers_; }
  bool interrupted() const { return interrupted_; }
  void setQuiet(bool quiet) { quiet_ = quiet; }

  void progress(int percent) override;
  void showResult(int result) override;
  void finished(bool success) override;
  void unitAnswered(const UnitIdentity& id) override { answers_.push_back(id); }
  void restarting(Ipv4 alternate) override;

 private:
  void onInterrupt();
  void clearBar();

  platform::EngineRuntime& runtime_;
  OperationDriver driver_;
  Interrupt interrupt_;
  std::vector<UnitIdentity> answers_;
  QString label_;
  bool done_ = false;
  bool showBar_ = false;
  bool barShown_ = false;
  bool quiet_ = false;
  bool interrupted_ = false;
  int shownResult_ = -1;
};

}  // namespace trennic::cli
