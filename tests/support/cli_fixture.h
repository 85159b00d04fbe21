#pragma once
// trennic-cli against simulated units held in the test's own process, so
// that a test can look straight into the units' memory and counters. The
// units answer from this process's event loop, so the command line runs
// beside it as the program it is, instead of blocking it.
#include <QEventLoop>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "unitsim/sim_options.h"
#include "unitsim/sim_server.h"

namespace trennic::testing {

struct CliRun {
  int status = -1;
  QByteArray out, err;
};

class CliFixture : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  std::unique_ptr<sim::SimServer> server;
  // What every run of a test class gets: more environment (a code page),
  // and options before the command ("--language", "en").
  QMap<QString, QString> environment;
  QStringList globalOptions;

  void startUnits(const std::vector<std::string>& options) {
    sim::SimOptions o;
    std::string message;
    std::vector<std::string> args = options;
    args.insert(args.end(), {"--port", "0"});
    ASSERT_EQ(sim::parseSimOptions(args, o, message), sim::ParseOutcome::Run) << message;
    server = std::make_unique<sim::SimServer>(o);
    QString error;
    ASSERT_TRUE(server->start(&error)) << error.toStdString();
  }

  CliRun cli(const QStringList& args, const QMap<QString, QString>& extraEnv = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TRENNIC_INTERFACES", "lo");
    env.insert("TRENNIC_TICK_MS", "50");
    env.remove("TRENNIC_PASSWORD");
    for (auto it = environment.begin(); it != environment.end(); ++it) env.insert(it.key(), it.value());
    for (auto it = extraEnv.begin(); it != extraEnv.end(); ++it) env.insert(it.key(), it.value());
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dir.path());  // no config.def of anyone else's
    p.setStandardInputFile(QProcess::nullDevice());
    QStringList global{"--settings", dir.filePath("trennic.INI")};
    if (server) global << "--unit-port" << QString::number(server->port());
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    p.start(QStringLiteral(TRENNIC_CLI_PATH), global + globalOptions + args);
    loop.exec();
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
  }
};

}  // namespace trennic::testing
