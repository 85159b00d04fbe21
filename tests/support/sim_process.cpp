#include "support/sim_process.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

namespace trennic::testing {

QString unitsimPath() { return QStringLiteral(TRENNIC_UNITSIM_PATH); }

SimProcess::~SimProcess() { stop(); }

bool SimProcess::start(const QStringList& options) {
  QStringList args = options;
  if (!args.contains("--port")) args << "--port" << "0";
  process_.setProcessChannelMode(QProcess::SeparateChannels);
  process_.start(unitsimPath(), args);
  if (!process_.waitForStarted(5000)) {
    error_ = "cannot start " + unitsimPath() + ": " + process_.errorString();
    return false;
  }
  QRegularExpression ready("ready port=(\\d+)");
  QDeadlineTimer deadline(10000);
  while (!deadline.hasExpired()) {
    if (process_.canReadLine() || process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
      while (process_.canReadLine()) {
        QByteArray line = process_.readLine();
        output_ += line;
        auto m = ready.match(QString::fromUtf8(line));
        if (m.hasMatch()) {
          port_ = static_cast<quint16>(m.captured(1).toUInt());
          return true;
        }
      }
    }
    if (process_.state() != QProcess::Running) break;
  }
  error_ = "the simulator did not get ready: " + output();
  return false;
}

void SimProcess::stop() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(5000)) {
    process_.kill();
    process_.waitForFinished(2000);
  }
}

QString SimProcess::output() const {
  output_ += const_cast<QProcess&>(process_).readAllStandardOutput();
  output_ += const_cast<QProcess&>(process_).readAllStandardError();
  return QString::fromUtf8(output_);
}

std::unique_ptr<platform::EngineRuntime> engineFor(const SimProcess& sim, TrafficObserver* observer) {
  auto rt = std::make_unique<platform::EngineRuntime>();
  rt->buildTables({"lo"});
  rt->link().setUnitPort(sim.port());
  if (observer) rt->link().setObserver(observer);
  if (!rt->open()) return nullptr;
  return rt;
}

}  // namespace trennic::testing
