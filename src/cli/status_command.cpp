// trennic-cli status: the Status window's poll cycle for scripts and
// monitoring. Each unit is polled by the core's own poller, one unit after
// another, on the real engine tick; the pages come out as text, as JSON
// Lines or as OpenMetrics.
#include <QDateTime>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTextStream>
#include <QTimer>
#include <memory>

#include "cli/cli_context.h"
#include "cli/interrupt.h"
#include "cli/unit_args.h"
#include "core/app/settings.h"
#include "core/protocol/operations.h"
#include "core/status/counter_text.h"
#include "core/status/status_report.h"
#include "core/status/status_text.h"
#include "core/status/stp_text.h"
#include "core/status/table_text.h"
#include "platform/app/codepage.h"
#include "platform/app/language.h"

namespace trennic::cli {

namespace {

using platform::decodeText;

// The pages as the window shows them from its highest display level on.
constexpr int kLevel = kDisplayLevelAll;
constexpr bool kDebug = true;
constexpr std::uint32_t kShortestWatch = 2, kLongestWatch = 120;

// ---- one unit's poll cycles ------------------------------------------------

class CycleHost : public StatusHost {
 public:
  void refreshPages() override { done = true; }
  void controlsIdle() override {}
  void controlsScanning() override {}
  void showNoSelection() override { done = true; }
  void clearButtonsEnabled(bool) override {}
  void progress(int) override {}
  void intervalShown(std::uint32_t) override {}
  void showResult(int) override { done = true; }
  bool done = false;
};

struct PolledUnit {
  UnitTarget unit;
  StatusTarget target;
  CycleHost host;
  std::unique_ptr<StatusPoller> poller;
  bool started = false;
};

// One cycle of the unit, to its end or to Ctrl-C; its result code.
int pollOnce(PolledUnit& u, Interrupt& interrupt) {
  u.host.done = false;
  const bool sent = u.started ? u.poller->nextCycle() : u.poller->scanStart();
  u.started = true;
  if (!sent) return ResultError;
  QEventLoop loop;
  while (!u.host.done && !interrupt.fired()) loop.processEvents(QEventLoop::WaitForMoreEvents);
  if (!u.host.done) {
    u.poller->stop();
    return ResultAborted;
  }
  return u.poller->result();
}

// ---- what the unit is called ------------------------------------------------

QString ipOf(const StatusTarget& t) {
  const Ipv4 own = t.primary != kMulticastGroup ? t.primary : t.alternate;
  return own == kMulticastGroup ? QString() : QString::fromStdString(formatIpv4(own));
}

// A unit named by its IP address alone tells its MAC address by answering.
QString macOf(const PolledUnit& u, bool answered) {
  if (!u.target.mac.isBroadcast()) return QString::fromStdString(formatMac(u.target.mac));
  if (!answered) return QString();
  return QString::fromStdString(environmentFields(u.poller->snapshot()).at(4).text);
}

// ---- text ---------------------------------------------------------------------

QString fieldText(const StatusField& f) {
  return f.unitText ? decodeText(f.text) : platform::shownText(f.text);
}

class TextPage {
 public:
  explicit TextPage(QTextStream& out) : out_(out) {}
  void heading(const QString& title) { out_ << "[" << shown(title) << "]\n"; }
  void fields(const std::vector<StatusField>& list, const QString& indent = "  ") {
    int width = 0;
    for (const StatusField& f : list) width = std::max(width, terminalColumns(platform::shownText(f.label)));
    for (const StatusField& f : list) {
      const QString value = shown(fieldText(f));
      // An empty field leaves no blanks at the end of its line.
      out_ << indent << (value.isEmpty() ? platform::shownText(f.label)
                                         : padded(platform::shownText(f.label), -width) + "  " + value)
           << "\n";
    }
  }
  void line(const QString& text) { out_ << "  " << shown(text) << "\n"; }
  // The columns as wide as their widest cell or title.
  void table(const QString& caption, const StatusTable& t) {
    out_ << "  " << shown(caption) << "  " << shown(QCoreApplication::translate("cli", "Number:")) << " "
         << platform::shownText(t.number) << "\n";
    std::vector<int> widths;
    for (const StatusColumn& c : t.columns) widths.push_back(terminalColumns(platform::shownText(c.title)));
    for (const auto& row : t.rows)
      for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i)
        widths[i] = std::max(widths[i], terminalColumns(platform::shownText(row[i])));
    auto cells = [&](auto cellOf) {
      QString text = "    ";
      for (std::size_t i = 0; i < widths.size(); ++i) text += padded(cellOf(i), -widths[i]) + "  ";
      while (text.endsWith(' ')) text.chop(1);
      out_ << shown(text) << "\n";
    };
    cells([&](std::size_t i) { return platform::shownText(t.columns[i].title); });
    for (const auto& row : t.rows) cells([&](std::size_t i) { return platform::shownText(row[i]); });
  }

 private:
  QTextStream& out_;
};

void printText(QTextStream& out, const PolledUnit& u, int result, const QString& time) {
  const QString label = shown(decodeText(u.unit.label));
  if (result != ResultOk) {
    out << label << ": " << resultText(result) << "\n\n";
    return;
  }
  const StatusSnapshot& s = u.poller->snapshot();
  out << label << "  " << macOf(u, true) << "  " << ipOf(u.target) << "  " << time << "\n";
  TextPage page(out);

  page.heading(QCoreApplication::translate("cli", "Environment"));
  page.fields(environmentFields(s));

  page.heading(QCoreApplication::translate("cli", "Interfaces"));
  {
    auto rows = interfaceRows(s, kDebug);
    int width = 0, column = terminalColumns(QCoreApplication::translate("cli", "Ethernet"));
    for (const InterfaceRow& r : rows) {
      width = std::max(width, terminalColumns(platform::shownText(r.label)));
      column = std::max(column, terminalColumns(platform::shownText(r.ethernet)));
    }
    out << "  " << padded(QString(), -width) << "  "
        << padded(QCoreApplication::translate("cli", "Ethernet"), -column) << "  "
        << QCoreApplication::translate("cli", "Wireless") << "\n";
    for (const InterfaceRow& r : rows)
      out << "  " << padded(platform::shownText(r.label), -width) << "  "
          << padded(platform::shownText(r.ethernet), -column) << "  " << platform::shownText(r.wireless) << "\n";
  }

  page.heading(QCoreApplication::translate("cli", "Wireless Node"));
  const WirelessNodeView nodes = wirelessNodeView(s, kLevel, kDebug);
  page.fields(nodes.link);
  page.table(QCoreApplication::translate("cli", "Wireless Node List:"), nodes.nodes);

  page.heading(QCoreApplication::translate("cli", "Bridge"));
  page.table(QCoreApplication::translate("cli", "MAC Address List:"), macTableView(s));

  page.heading(QCoreApplication::translate("cli", "Spaninng Tree"));
  const StpView stp = stpView(s);
  page.fields(stp.bridge);
  page.table(QCoreApplication::translate("cli", "Port Information:"), stp.ports);

  page.heading(QCoreApplication::translate("cli", "Wireless Counter"));
  const WirelessCounterView counters = wirelessCounterView(s);
  std::vector<StatusField> both = counters.transmit;
  both.insert(both.end(), counters.receive.begin(), counters.receive.end());
  page.fields(both);

  page.heading(QCoreApplication::translate("cli", "Status"));
  const UnitStatusView unit = unitStatusView(s);
  page.fields(unit.counters);
  // A lit lamp and a switch as the window's ticked boxes show them.
  const char* leds[3] = {"POWER", "WLINK", "WRX"};
  QString ledLine = QCoreApplication::translate("cli", "LED:");
  for (int i = 0; i < 3; ++i) ledLine += QString("  %1 [%2]").arg(leds[i], unit.leds[i] ? "x" : " ");
  page.line(ledLine);
  QString dipLine = QCoreApplication::translate("cli", "DIP Switch:");
  for (int i = 0; i < 4; ++i) {
    const QString position = unit.dips[i] == DipSwitch::On    ? QCoreApplication::translate("cli", "ON")
                             : unit.dips[i] == DipSwitch::Off ? QCoreApplication::translate("cli", "OFF")
                                                              : QStringLiteral("-");
    dipLine += QString("  SW%1 %2").arg(i + 1).arg(position);
  }
  page.line(dipLine);
  page.line(QCoreApplication::translate("cli", "Wireless Parameters"));
  page.fields(unit.wireless, "    ");
  page.line(QCoreApplication::translate("cli", "Event"));
  page.fields(unit.event, "    ");
  out << "\n";
}

// ---- JSON -----------------------------------------------------------------------

// A plain decimal number is a number, an empty field null, any other text
// the English text the page shows (the unit's own bytes in the user's code
// page), without the blanks that only align it.
QJsonValue jsonValue(const std::string& text, bool unitText = false) {
  if (unitText) return decodeText(text);
  const QString t = QString::fromStdString(text).trimmed();
  if (t.isEmpty()) return QJsonValue::Null;
  bool digits = t.size() <= 15;
  for (QChar c : t) digits = digits && c.isDigit() && c.unicode() < 128;
  if (digits) return t.toLongLong();
  return t;
}

QString jsonKey(const std::string& label) { return QString::fromStdString(statusKey(label)); }

QJsonObject jsonFields(const std::vector<StatusField>& fields) {
  QJsonObject o;
  for (const StatusField& f : fields) o[jsonKey(f.label)] = jsonValue(f.text, f.unitText);
  return o;
}

QJsonArray jsonTable(const StatusTable& t) {
  QJsonArray rows;
  for (const auto& row : t.rows) {
    QJsonObject o;
    for (std::size_t i = 0; i < row.size() && i < t.columns.size(); ++i)
      o[jsonKey(t.columns[i].title)] = jsonValue(row[i]);
    rows.append(o);
  }
  return rows;
}

QJsonObject jsonRecord(const PolledUnit& u, int result, const QString& time) {
  QJsonObject o;
  o["unit"] = decodeText(u.unit.label);
  const QString mac = macOf(u, result == ResultOk), ip = ipOf(u.target);
  o["mac"] = mac.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(mac);
  o["ip"] = ip.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(ip);
  o["time"] = time;
  o["result"] = result;
  if (result != ResultOk) return o;
  const StatusSnapshot& s = u.poller->snapshot();

  o["environment"] = jsonFields(environmentFields(s));

  QJsonObject ethernet, wireless;
  for (const InterfaceRow& r : interfaceRows(s, kDebug)) {
    ethernet[jsonKey(r.label)] = jsonValue(r.ethernet);
    wireless[jsonKey(r.label)] = jsonValue(r.wireless);
  }
  o["interfaces"] = QJsonObject{{"ethernet", ethernet}, {"wireless", wireless}};

  const WirelessNodeView nodes = wirelessNodeView(s, kLevel, kDebug);
  QJsonObject node = jsonFields(nodes.link);
  node[jsonKey("Wireless Node List:")] = jsonTable(nodes.nodes);
  o["wireless_node"] = node;

  o["bridge"] = QJsonObject{{jsonKey("MAC Address List:"), jsonTable(macTableView(s))}};

  const StpView stp = stpView(s);
  QJsonObject tree = jsonFields(stp.bridge);
  tree[jsonKey("Port Information:")] = jsonTable(stp.ports);
  o["spanning_tree"] = tree;

  const WirelessCounterView counters = wirelessCounterView(s);
  QJsonObject counted = jsonFields(counters.transmit);
  for (const StatusField& f : counters.receive) counted[jsonKey(f.label)] = jsonValue(f.text);
  o["wireless_counter"] = counted;

  const UnitStatusView unit = unitStatusView(s);
  QJsonObject status = jsonFields(unit.counters);
  status["led"] = QJsonObject{{"power", unit.leds[0]}, {"wlink", unit.leds[1]}, {"wrx", unit.leds[2]}};
  QJsonObject dips;
  for (int i = 0; i < 4; ++i)
    dips[QString("sw%1").arg(i + 1)] = unit.dips[i] == DipSwitch::On    ? QJsonValue("on")
                                       : unit.dips[i] == DipSwitch::Off ? QJsonValue("off")
                                                                        : QJsonValue(QJsonValue::Null);
  status["dip_switch"] = dips;
  status[jsonKey("Wireless Parameters")] = jsonFields(unit.wireless);
  status[jsonKey("Event")] = jsonFields(unit.event);
  o["status"] = status;
  return o;
}

// ---- OpenMetrics ------------------------------------------------------------------

UnitMetrics metricsOf(const PolledUnit& u, int result) {
  UnitMetrics m;
  m.unit = decodeText(u.unit.label).toStdString();
  m.mac = macOf(u, result == ResultOk).toStdString();
  m.up = result == ResultOk;
  if (m.up) m.metrics = statusMetrics(u.poller->snapshot());
  return m;
}

// A scraper reads the file before or after a round, never half of one.
int writeMetrics(const std::string& file, const std::string& text) {
  QSaveFile f(decodeText(file));
  if (!f.open(QIODevice::WriteOnly) || f.write(text.data(), static_cast<qint64>(text.size())) < 0 || !f.commit())
    return fail(ExitIoError, QCoreApplication::translate("cli", "%1: %2 (the file could not be written)")
                                 .arg(decodeText(file), resultText(ResultError)));
  return ExitOk;
}

// ---- the command ----------------------------------------------------------------

QString statusUsage() {
  return QCoreApplication::translate("cli", "usage: %1")
      .arg("status UNIT [UNIT ...] | --all [--json | --openmetrics [--output FILE]] [--watch SECONDS [--count N]]");
}

bool numberOption(Args& args, const char* name, std::uint32_t low, std::uint32_t high, std::uint32_t& value,
                  bool& given, int& status) {
  std::string text;
  given = args.option(name, text);
  if (args.error()) {
    status = fail(ExitUsage, args.errorText());
    return false;
  }
  if (!given) return true;
  bool ok = false;
  value = QString::fromStdString(text).toUInt(&ok);
  if (ok && value >= low && value <= high) return true;
  status = fail(ExitUsage, QCoreApplication::translate("cli", "%1 takes a number from %2 to %3")
                               .arg(QString::fromLatin1(name))
                               .arg(low)
                               .arg(high));
  return false;
}

}  // namespace

int runStatus(CliContext& ctx, Args& args) {
  const bool all = args.flag("--all");
  const bool json = args.flag("--json");
  const bool metrics = args.flag("--openmetrics");
  std::string output;
  const bool toFile = args.option("--output", output);
  int status = ExitOk;
  std::uint32_t watch = 0, count = 0;
  bool watching = false, counted = false;
  if (!numberOption(args, "--watch", kShortestWatch, kLongestWatch, watch, watching, status)) return status;
  if (!numberOption(args, "--count", 1, 0x7FFFFFFF, count, counted, status)) return status;
  if (args.error()) return fail(ExitUsage, args.errorText());
  auto names = args.rest();
  for (const auto& n : names)
    if (n.rfind("--", 0) == 0)
      return fail(ExitUsage, QCoreApplication::translate("cli", "%1: unknown option \"%2\"").arg("status", n.c_str()));
  if ((json && metrics) || (toFile && !metrics) || (counted && !watching) || (all == !names.empty()))
    return fail(ExitUsage, statusUsage());

  if (int s = ctx.requireSettings()) return s;
  if (all) {
    std::size_t index = 0;
    NodeEntry e;
    while (ctx.nodes().NextNode(index, e)) names.push_back(e.mac);
    if (names.empty()) return fail(ExitFailed, QCoreApplication::translate("cli", "the node list is empty"));
  }
  std::vector<UnitTarget> targets;
  if (int s = resolveUnits(ctx, names, targets)) return s;
  platform::EngineRuntime* engine = nullptr;
  if (int s = ctx.openEngine(engine); s != ExitOk) return s;

  // A unit named twice is polled once: its samples would clash.
  std::vector<std::unique_ptr<PolledUnit>> units;
  for (const UnitTarget& t : targets) {
    StatusTarget target = statusTargetFor(t.node);
    target.label = t.label;
    bool twice = false;
    for (const auto& u : units)
      twice = twice || (u->target.mac == target.mac && u->target.primary == target.primary &&
                        u->target.alternate == target.alternate);
    if (twice) continue;
    auto u = std::make_unique<PolledUnit>();
    u->unit = t;
    u->target = target;
    u->poller = std::make_unique<StatusPoller>(engine->link(), u->host, &ctx.nodes(),
                                               [target] { return std::optional<StatusTarget>(target); });
    u->poller->setInitialInterval(0);
    units.push_back(std::move(u));
  }

  Interrupt interrupt;
  QTextStream out(stdout);
  int last = ResultAborted;  // the status of the last whole round
  for (std::uint32_t round = 1;; ++round) {
    int first = ExitOk;
    std::vector<UnitMetrics> exposition;
    for (auto& u : units) {
      const int result = pollOnce(*u, interrupt);
      if (interrupt.fired()) break;
      const QString time = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
      if (json) {
        out << QJsonDocument(jsonRecord(*u, result, time)).toJson(QJsonDocument::Compact) << "\n";
      } else if (metrics) {
        exposition.push_back(metricsOf(*u, result));
      } else {
        printText(out, *u, result, time);
      }
      out.flush();
      if (result != ResultOk && first == ExitOk) first = result;
    }
    if (interrupt.fired()) break;
    if (metrics) {
      const std::string text = openMetricsText(exposition);
      if (toFile) {
        if (int s = writeMetrics(output, text)) return s;
      } else {
        out << QString::fromStdString(text);
        out.flush();
      }
    }
    last = first;
    if (!watching || (counted && round >= count)) break;
    // The wait runs from the end of one round to the start of the next, on
    // the window's one-second timer.
    QEventLoop loop;
    QTimer wait;
    wait.setSingleShot(true);
    QObject::connect(&wait, &QTimer::timeout, &loop, &QEventLoop::quit);
    wait.start(static_cast<int>(watch) * platform::tickMillisecondsFromEnvironment());
    while (wait.isActive() && !interrupt.fired()) loop.processEvents(QEventLoop::WaitForMoreEvents);
    if (interrupt.fired()) break;
  }
  if (last == ResultAborted) QTextStream(stderr) << "trennic-cli: " << resultText(ResultAborted) << Qt::endl;
  return last;
}

}  // namespace trennic::cli
