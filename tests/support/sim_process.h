#pragma once
// trennic-unitsim as a child process for end-to-end tests: started on a port
// of its own, so tests that ctest runs side by side never hear each other.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

#include "platform/protocol/engine_runtime.h"

namespace trennic::testing {

class SimProcess {
 public:
  SimProcess() = default;
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  // Starts the simulator with these options (a free port is chosen unless
  // --port is among them) and waits for its ready line; false on failure,
  // with the simulator's output in error().
  bool start(const QStringList& options);
  void stop();

  quint16 port() const { return port_; }
  QString error() const { return error_; }
  QString output() const;

 private:
  QProcess process_;
  quint16 port_ = 0;
  QString error_;
  mutable QByteArray output_;
};

// The simulator executable built beside the tests.
QString unitsimPath();

// The program's engine on lo, talking to these units (with `observer` on
// its traffic, if given); nothing when its socket cannot be opened.
std::unique_ptr<platform::EngineRuntime> engineFor(const SimProcess& sim, TrafficObserver* observer = nullptr);

}  // namespace trennic::testing
