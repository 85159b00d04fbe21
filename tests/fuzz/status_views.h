#pragma once
// Every text of every status page from one snapshot, with the rule the pages
// are sized by: each fits one of its field's widest texts, so no answer of a
// unit is cut off or runs out of its field.
#include "core/status/counter_text.h"
#include "core/status/status_poller.h"
#include "core/status/status_text.h"
#include "core/status/stp_text.h"
#include "core/status/table_text.h"
#include "core/status/widest_text.h"
#include "fuzz/fuzz_support.h"

namespace trennic::fuzz {

inline void checkFits(const std::string& label, const std::string& text) {
  const std::vector<std::string> widest = widestTexts(label);
  check(!widest.empty(), "every field of a status page has its widest texts");
  for (const std::string& w : widest)
    if (fitsWithin(text, w)) return;
  std::fprintf(stderr, "%s \"%s\"\n", label.c_str(), text.c_str());
  fail("a status text fits its field");
}

inline void checkTable(const StatusTable& t) {
  for (const auto& row : t.rows) check(row.size() == t.columns.size(), "a status list row has a cell per column");
}

inline void checkStatusPages(const StatusSnapshot& s, int displayLevel, bool debugDisplay) {
  check(s.wirelessNodeCount <= kWirelessNodeMax && s.macCount <= kMacTableMax && s.stpPortCount <= kStpPortMax,
        "a snapshot never counts more records than it holds");
  std::vector<StatusField> fields = environmentFields(s);
  const UnitStatusView status = unitStatusView(s);
  for (const auto* part : {&status.counters, &status.wireless, &status.event})
    fields.insert(fields.end(), part->begin(), part->end());
  const WirelessCounterView counters = wirelessCounterView(s);
  fields.insert(fields.end(), counters.transmit.begin(), counters.transmit.end());
  fields.insert(fields.end(), counters.receive.begin(), counters.receive.end());
  const WirelessNodeView nodes = wirelessNodeView(s, displayLevel, debugDisplay);
  fields.insert(fields.end(), nodes.link.begin(), nodes.link.end());
  checkTable(nodes.nodes);
  check(nodes.nodes.rows.size() == s.wirelessNodeCount, "the node list shows every node received");
  const StatusTable macs = macTableView(s);
  checkTable(macs);
  check(macs.rows.size() == s.macCount, "the MAC address table shows every record received");
  const StpView stp = stpView(s);
  fields.insert(fields.end(), stp.bridge.begin(), stp.bridge.end());
  checkTable(stp.ports);
  for (const InterfaceRow& r : interfaceRows(s, debugDisplay)) {
    fields.push_back({r.label, r.ethernet});
    fields.push_back({r.label, r.wireless});
  }
  for (const std::vector<std::string>& row : stp.ports.rows)
    for (std::size_t c = 0; c < row.size(); ++c) fields.push_back({stp.ports.columns[c].title, row[c]});
  for (const StatusField& f : fields) checkFits(f.label, f.text);
}

}  // namespace trennic::fuzz
