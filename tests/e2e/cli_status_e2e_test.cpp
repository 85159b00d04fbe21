// trennic-cli status and the fleet work of config against simulated units
// held in this process, so that the test can compare with what the units
// hold.
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/files/file_kinds.h"
#include "core/protocol/packet.h"
#include "support/cli_fixture.h"

namespace trennic {
namespace {

using testing::CliRun;

// A unit the node list knows that nobody answers for.
const char* kSilentMac = "00-80-92-00-00-09";
const char* kSilentIp = "127.0.0.10";

class CliStatus : public testing::CliFixture {
 protected:
  CliStatus() { globalOptions = {"--language", "en"}; }

  QString mac(std::size_t k) const { return QString::fromStdString(formatMac(server->unit(k).mac())); }

  // The node list: the simulated units, then the silent one.
  void listUnits(std::size_t count, bool silentToo) {
    for (std::size_t k = 0; k < count; ++k)
      ASSERT_EQ(cli({"nodes", "add", "--mac", mac(k), "--ip",
                     QString::fromStdString(formatIpv4(server->unit(k).ip())), "--name",
                     QString("Unit %1").arg(k + 1)})
                    .status,
                0);
    if (silentToo) {
      ASSERT_EQ(cli({"nodes", "add", "--mac", kSilentMac, "--ip", kSilentIp}).status, 0);
    }
  }

  static std::vector<QJsonObject> jsonLines(const QByteArray& out) {
    std::vector<QJsonObject> lines;
    for (const QByteArray& line : out.split('\n')) {
      if (line.isEmpty()) continue;
      QJsonParseError error;
      QJsonDocument d = QJsonDocument::fromJson(line, &error);
      EXPECT_TRUE(d.isObject()) << error.errorString().toStdString() << ": " << line.toStdString();
      lines.push_back(d.object());
    }
    return lines;
  }

  std::uint32_t word(std::size_t k, std::uint32_t address) {
    return readLe32(server->unit(k).memory().read(address, 4).data());
  }
};

// ---- OpenMetrics, checked as strictly as its text format reads --------------

struct Exposition {
  std::string error;  // empty when the text is sound
  std::map<std::string, std::string> types;
  // sample name with its labels as written -> value
  std::map<std::string, double> samples;
};

Exposition parseOpenMetrics(const std::string& text) {
  Exposition e;
  static const QRegularExpression name("^[a-zA-Z_:][a-zA-Z0-9_:]*$");
  static const QRegularExpression labelName("^[a-zA-Z_][a-zA-Z0-9_]*$");
  auto fail = [&](const std::string& why, const std::string& line) {
    e.error = why + ": " + line;
    return e;
  };
  const std::string eof = "# EOF\n";
  if (text.size() < eof.size() || text.compare(text.size() - eof.size(), eof.size(), eof) != 0)
    return fail("does not end with # EOF and a line feed", text.substr(text.size() > 40 ? text.size() - 40 : 0));
  std::set<std::string> closed;  // families whose samples are over
  std::string family;
  std::set<std::string> helped, labelSets;
  const std::string body = text.substr(0, text.size() - eof.size());
  std::size_t at = 0;
  while (at < body.size()) {
    const std::size_t end = body.find('\n', at);
    if (end == std::string::npos) return fail("line without its line feed", body.substr(at));
    const std::string line = body.substr(at, end - at);
    at = end + 1;
    if (line == "# EOF") return fail("text after # EOF", line);
    if (line.rfind("# ", 0) == 0) {
      const std::string rest = line.substr(2);
      const std::size_t space = rest.find(' '), second = rest.find(' ', space + 1);
      if (space == std::string::npos || second == std::string::npos) return fail("short metadata", line);
      const std::string kind = rest.substr(0, space), metric = rest.substr(space + 1, second - space - 1),
                        value = rest.substr(second + 1);
      if (!name.match(QString::fromStdString(metric)).hasMatch()) return fail("bad family name", line);
      if (metric != family) {
        if (closed.count(metric)) return fail("family split", line);
        if (!family.empty()) closed.insert(family);
        family = metric;
        labelSets.clear();
      }
      if (kind == "TYPE") {
        if (e.types.count(metric)) return fail("second TYPE", line);
        if (value != "counter" && value != "gauge") return fail("unexpected type", line);
        e.types[metric] = value;
      } else if (kind == "HELP") {
        if (!helped.insert(metric).second) return fail("second HELP", line);
        for (std::size_t i = 0; i < value.size(); ++i)
          if (value[i] == '\\' && (i + 1 == value.size() || std::string("\\\"n").find(value[++i]) == std::string::npos))
            return fail("bad escape in HELP", line);
      } else {
        return fail("unknown metadata", line);
      }
      continue;
    }
    // name{label="value",...} value
    const std::size_t brace = line.find('{');
    const std::size_t nameEnd = brace == std::string::npos ? line.find(' ') : brace;
    if (nameEnd == std::string::npos) return fail("sample without a value", line);
    const std::string sample = line.substr(0, nameEnd);
    if (!name.match(QString::fromStdString(sample)).hasMatch()) return fail("bad sample name", line);
    if (!e.types.count(family)) return fail("sample before its TYPE", line);
    const bool counter = e.types[family] == "counter";
    if (counter ? sample != family + "_total" : sample != family) return fail("sample outside its family", line);
    std::size_t i = nameEnd;
    std::set<std::string> names;
    if (brace != std::string::npos) {
      ++i;
      while (true) {
        const std::size_t eq = line.find('=', i);
        if (eq == std::string::npos) return fail("label without value", line);
        const std::string label = line.substr(i, eq - i);
        if (!labelName.match(QString::fromStdString(label)).hasMatch()) return fail("bad label name", line);
        if (!names.insert(label).second) return fail("label twice", line);
        if (eq + 1 >= line.size() || line[eq + 1] != '"') return fail("unquoted label value", line);
        i = eq + 2;
        while (i < line.size() && line[i] != '"') {
          if (line[i] == '\n') return fail("raw line feed in label", line);
          if (line[i] == '\\') {
            if (i + 1 >= line.size() || std::string("\\\"n").find(line[i + 1]) == std::string::npos)
              return fail("bad escape in label", line);
            ++i;
          }
          ++i;
        }
        if (i >= line.size()) return fail("unterminated label value", line);
        ++i;
        if (i < line.size() && line[i] == ',') {
          ++i;
          continue;
        }
        if (i < line.size() && line[i] == '}') {
          ++i;
          break;
        }
        return fail("labels not closed", line);
      }
    }
    if (i >= line.size() || line[i] != ' ') return fail("no blank before the value", line);
    const std::string value = line.substr(i + 1);
    char* parsed = nullptr;
    const double v = std::strtod(value.c_str(), &parsed);
    if (value.empty() || *parsed != '\0') return fail("value is no number", line);
    if (counter && v < 0) return fail("negative counter", line);
    if (!labelSets.insert(line.substr(0, i)).second) return fail("same labels twice", line);
    e.samples[line.substr(0, i)] = v;
  }
  return e;
}

TEST(OpenMetricsParser, RefusesWhatTheFormatForbids) {
  const std::string good = "# TYPE a counter\n# HELP a A\na_total{unit=\"x\\\"y\"} 1\n# EOF\n";
  ASSERT_EQ(parseOpenMetrics(good).error, "");
  struct Case {
    const char* why;
    std::string text;
  };
  for (const Case& c : {
           Case{"nothing after # EOF", good + "x 1\n"},
           Case{"no # EOF", "# TYPE a gauge\na 1\n"},
           Case{"counter without _total", "# TYPE a counter\na 1\n# EOF\n"},
           Case{"split family", "# TYPE a gauge\na 1\n# TYPE b gauge\nb 1\n# HELP a A\n# EOF\n"},
           Case{"bad escape", "# TYPE a gauge\na{u=\"\\x\"} 1\n# EOF\n"},
           Case{"same labels twice", "# TYPE a gauge\na{u=\"1\"} 1\na{u=\"1\"} 2\n# EOF\n"},
       })
    EXPECT_NE(parseOpenMetrics(c.text).error, "") << c.why;
}

// ---- status -------------------------------------------------------------------

TEST_F(CliStatus, JsonGivesWhatTheUnitsHoldAndASilentUnitOnlyItsResult) {
  startUnits({"--units", "1"});
  listUnits(1, true);
  CliRun r = cli({"status", "--json", "Unit 1", kSilentMac});
  EXPECT_EQ(r.status, 1) << r.err.toStdString();  // the silent unit's "No response"
  auto lines = jsonLines(r.out);
  ASSERT_EQ(lines.size(), 2u) << r.out.toStdString();
  const QJsonObject& o = lines[0];
  EXPECT_EQ(o["unit"].toString(), "Unit 1");
  EXPECT_EQ(o["mac"].toString(), mac(0));
  EXPECT_EQ(o["ip"].toString(), "127.0.0.2");
  EXPECT_EQ(o["result"].toInt(-1), 0);
  EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$").match(o["time"].toString()).hasMatch())
      << o["time"].toString().toStdString();
  for (const char* page :
       {"environment", "interfaces", "wireless_node", "bridge", "spanning_tree", "wireless_counter", "status"})
    EXPECT_TRUE(o[page].isObject()) << page;

  EXPECT_EQ(o["interfaces"]["ethernet"]["mtu"].toInteger(), static_cast<qint64>(word(0, 0x00121000)));
  EXPECT_EQ(o["interfaces"]["wireless"]["interface_state"].toString(), "up");
  EXPECT_EQ(o["wireless_counter"]["tx_unicast_frames"].toInteger(), static_cast<qint64>(word(0, 0x00126200)));
  EXPECT_EQ(o["environment"]["ethernet_address"].toString(), mac(0));
  const QJsonArray nodes = o["wireless_node"]["wireless_node_list"].toArray();
  ASSERT_EQ(nodes.size(), 3);
  EXPECT_EQ(nodes[1]["wireless_mac_address"].toString(), "02-80-92-10-01-02");
  EXPECT_EQ(nodes[1]["age_time_sec"].toInteger(), 11);
  const QJsonArray table = o["bridge"]["mac_address_list"].toArray();
  ASSERT_EQ(table.size(), 8);
  EXPECT_EQ(table[1].toObject(), (QJsonObject{{"mac_address", "00-A0-C9-01-00-01"},
                                              {"interface", "Wireless"},
                                              {"age_time_min", 2},
                                              {"wireless_mac_address", "02-80-92-10-01-01"}}));
  EXPECT_TRUE(table[0]["wireless_mac_address"].isNull());
  EXPECT_EQ(o["spanning_tree"]["port_information"].toArray().size(), 2);
  EXPECT_EQ(o["status"]["led"]["power"].toBool(false), true);

  EXPECT_EQ(lines[1].keys(), (QStringList{"ip", "mac", "result", "time", "unit"}));
  EXPECT_EQ(lines[1]["result"].toInt(), 1);
}

TEST_F(CliStatus, AUnitHeardOnlyThroughTheGroupIsReachedThereAndItsRouteKept) {
  startUnits({"--units", "1", "--unicast-silent"});
  listUnits(1, false);
  CliRun r = cli({"status", "--json", "Unit 1"});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  auto lines = jsonLines(r.out);
  ASSERT_EQ(lines.size(), 1u);
  const QJsonObject& o = lines[0];
  EXPECT_EQ(o["result"].toInt(-1), 0);
  EXPECT_EQ(o["interfaces"]["ethernet"]["mtu"].toInt(), 1500);
  CliRun list = cli({"nodes", "list", "--json"});
  EXPECT_EQ(QJsonDocument::fromJson(list.out).array().at(0)["route"].toInt(), 1) << list.out.toStdString();
}

TEST_F(CliStatus, WatchGivesOneLinePerCycleWithTheCountersMoving) {
  startUnits({"--units", "1"});
  listUnits(1, false);
  CliRun r = cli({"status", "--json", "--watch", "2", "--count", "2", "Unit 1"});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  auto lines = jsonLines(r.out);
  ASSERT_EQ(lines.size(), 2u);
  auto octets = [](const QJsonObject& o) { return o["interfaces"]["ethernet"]["receive_octets"].toInteger(); };
  EXPECT_GT(octets(lines[1]), octets(lines[0]));
}

TEST_F(CliStatus, OpenMetricsFileOfTheWholeListPassesTheStrictParser) {
  startUnits({"--units", "2"});
  listUnits(2, true);
  const QString file = dir.filePath("trennic.prom");
  CliRun r = cli({"status", "--all", "--openmetrics", "--output", file});
  EXPECT_EQ(r.status, 1) << r.err.toStdString();
  EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const Exposition e = parseOpenMetrics(f.readAll().toStdString());
  ASSERT_EQ(e.error, "");
  auto sample = [&](const std::string& key) { return e.samples.count(key) ? e.samples.at(key) : -1.0; };
  const std::string unit1 = "unit=\"Unit 1\",mac=\"" + mac(0).toStdString() + "\"";
  const std::string silent = "unit=\"00-80-92-00-00-09, 127.0.0.10\",mac=\"00-80-92-00-00-09\"";
  EXPECT_EQ(sample("trennic_unit_up{" + unit1 + "}"), 1);
  EXPECT_EQ(sample("trennic_unit_up{" + silent + "}"), 0);
  EXPECT_EQ(sample("trennic_mtu{" + unit1 + ",interface=\"wireless\"}"), 2312);
  EXPECT_EQ(sample("trennic_wireless_tx_unicast_frames_total{" + unit1 + "}"), word(0, 0x00126200));
  EXPECT_EQ(e.types.at("trennic_receive_octets"), "counter");
  std::size_t silentSamples = 0;
  for (const auto& [key, value] : e.samples) silentSamples += key.find(silent) != std::string::npos;
  EXPECT_EQ(silentSamples, 1u);  // only its trennic_unit_up
  // No temporary file is left beside it.
  EXPECT_EQ(QDir(dir.path()).entryList({"trennic.prom*"}, QDir::Files), QStringList{"trennic.prom"});
}

TEST_F(CliStatus, AWrongCommandLineIsAUsageErrorBeforeAnythingIsSent) {
  startUnits({"--units", "1"});
  listUnits(1, false);
  const quint64 asked = server->counters().received;
  for (const QStringList& args : {QStringList{"status"}, QStringList{"status", "--all", "Unit 1"},
                                  QStringList{"status", "--json", "--openmetrics", "Unit 1"},
                                  QStringList{"status", "--output", "x.prom", "Unit 1"},
                                  QStringList{"status", "--watch", "1", "Unit 1"},
                                  QStringList{"status", "--watch", "121", "Unit 1"},
                                  QStringList{"status", "--count", "2", "Unit 1"}}) {
    EXPECT_EQ(cli(args).status, 64) << args.join(' ').toStdString();
  }
  EXPECT_EQ(server->counters().received, asked);
}

// ---- config, for many units and live ------------------------------------------

TEST_F(CliStatus, ConfigReadAllWritesAFilePerAnsweringUnitAndGoesOnPastTheSilentOne) {
  startUnits({"--units", "2"});
  // The silent unit in the middle of the list: the one after it is read too.
  for (const QStringList& node : {QStringList{mac(0), "127.0.0.2"}, QStringList{kSilentMac, kSilentIp},
                                  QStringList{mac(1), "127.0.0.3"}})
    ASSERT_EQ(cli({"nodes", "add", "--mac", node[0], "--ip", node[1]}).status, 0);
  ASSERT_TRUE(QDir(dir.path()).mkdir("backup"));
  CliRun r = cli({"config", "read", "--all", "-o", dir.filePath("backup") + "/"});
  EXPECT_EQ(r.status, 1) << r.err.toStdString();
  QStringList expected;
  for (std::size_t k = 0; k < 2; ++k) expected << QString::fromStdString(unitConfigFileName(server->unit(k).mac()));
  EXPECT_EQ(QDir(dir.filePath("backup")).entryList(QDir::Files), expected);
  EXPECT_EQ(r.out.count('\n'), 2) << r.out.toStdString();
  EXPECT_TRUE(r.err.contains("No response from node.")) << r.err.toStdString();
}

TEST_F(CliStatus, LiveDiffShowsExactlyTheKeysChangedOnTheUnitSinceTheBackup) {
  startUnits({"--units", "1"});
  listUnits(1, false);
  ASSERT_EQ(cli({"config", "read", mac(0), "-o", dir.filePath("backup.txt")}).status, 0);
  EXPECT_EQ(cli({"config", "diff", mac(0), dir.filePath("backup.txt")}).status, 0);
  QFile f(dir.filePath("backup.txt"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  QByteArray changed = f.readAll();
  f.close();
  changed.replace(QRegularExpression("\nESSID=[^\r\n]*").match(QString::fromLatin1(changed)).captured(0).toLatin1(),
                  "\nESSID=\"Drifted\"");
  QFile g(dir.filePath("changed.txt"));
  ASSERT_TRUE(g.open(QIODevice::WriteOnly));
  g.write(changed);
  g.close();
  ASSERT_EQ(cli({"config", "write", dir.filePath("changed.txt"), mac(0)}).status, 0);
  CliRun d = cli({"config", "diff", mac(0), dir.filePath("backup.txt")});
  EXPECT_EQ(d.status, 1) << d.err.toStdString();
  EXPECT_EQ(d.out, "ESSID: \"Drifted\" -> \"LocalGroup\"\n");
}

}  // namespace
}  // namespace trennic
