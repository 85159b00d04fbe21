// Node list files from anywhere: the loader takes any file, the import check
// says something or nothing about it, what was loaded, saved and loaded again
// is the list that was loaded first, and a list the check passes still
// passes it once saved.
//
// Input: a byte of choices (the code page's byte rule), then the file.
#include <memory>
#include <tuple>

#include "core/registry/node_table.h"
#include "fuzz/fuzz_support.h"

using namespace trennic;

namespace {

using Row = std::tuple<std::int32_t, std::string, std::string, std::string, std::string>;

std::vector<Row> listed(const NodeTable& t) {
  std::vector<Row> rows;
  for (std::size_t i = 0; i < kMaxNodes; ++i) {
    const NodeEntry& e = t.slot(i);
    if (e.used == 1) rows.emplace_back(e.route, e.name, e.mac, e.ip, e.version);
  }
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const TextEncoding encoding = fuzz::encodingFrom(in.byte());
  const std::string path = fuzz::scratchFile("nodelist.txt");
  const std::string copy = fuzz::scratchFile("nodelist-copy.txt");
  fuzz::writeFile(path, in.rest());

  const bool clean = checkNodeListFile(ini::Profile::load(path, encoding)).empty();
  auto first = std::make_unique<NodeTable>(std::string{}, encoding);
  auto second = std::make_unique<NodeTable>(std::string{}, encoding);
  first->LoadNodeList(path);
  const std::vector<Row> loaded = listed(*first);

  // Each node's value reads back as the node.
  for (std::size_t i = 0; i < kMaxNodes; ++i) {
    const NodeEntry& e = first->slot(i);
    if (e.used != 1) continue;
    NodeEntry back = parseNodeValue(formatNodeValue(e, encoding), encoding);
    fuzz::check(std::tie(back.route, back.name, back.mac, back.ip, back.version) ==
                    std::tie(e.route, e.name, e.mac, e.ip, e.version),
                "a node's value reads back as the node");
  }

  fuzz::check(first->SaveNodeList(copy), "a loaded list saves");
  second->LoadNodeList(copy);
  fuzz::check(listed(*second) == loaded, "load, save, load gives the first load");
  if (clean) fuzz::check(checkNodeListFile(ini::Profile::load(copy, encoding)).empty(), "a clean list saves clean");
  return 0;
}
