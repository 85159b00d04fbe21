// Filter files from anywhere: either table reads from any file, and a table
// that was read, written and read again is the table that was read first,
// both as a file of its own and as a section added to another file.
//
// Input: a byte of choices (byte rule, display level, which table), then
// the file.
#include "core/filters/filter_files.h"
#include "fuzz/fuzz_support.h"

using namespace trennic;

namespace {

template <class Block, class Read, class Write>
void roundTrip(const std::string& path, int level, TextEncoding encoding, Read read, Write write) {
  const std::string alone = fuzz::scratchFile("filter-alone.txt");
  const std::string added = fuzz::scratchFile("filter-added.txt");
  std::vector<std::uint8_t> first(Block::kSize, 0), again(Block::kSize, 0);
  read(path, *Block::over(first), level, encoding);
  // Below the detail level the file holds no access, port side or
  // interface, and the page applies its fixed values to what it reads: the
  // table that can come back is the one with those values.
  Block::over(first)->normalizeForLevel(level);

  fuzz::check(write(alone, *Block::over(first), true, level, encoding) == 1, "a table that was read is written");
  read(alone, *Block::over(again), level, encoding);
  fuzz::check(again == first, "read, write, read gives the first read");

  // The same section written into the file it came from, as a configuration
  // file carries it.
  fuzz::writeFile(added, fuzz::readFile(path));
  if (write(added, *Block::over(first), false, level, encoding) == 1) {
    std::fill(again.begin(), again.end(), 0);
    read(added, *Block::over(again), level, encoding);
    fuzz::check(again == first, "read, write into the file, read gives the first read");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const std::uint8_t choices = in.byte();
  const TextEncoding encoding = fuzz::encodingFrom(choices);
  const int level = (choices >> 1) % 4;
  const std::string path = fuzz::scratchFile("filter.txt");
  fuzz::writeFile(path, in.rest());
  if (choices & 0x08) {
    roundTrip<ProtocolFilterBlock>(
        path, level, encoding,
        [](const std::string& p, ProtocolFilterBlock b, int l, TextEncoding e) { ReadProtocolFilterSection(p, b, l, e); },
        [](const std::string& p, ConstProtocolFilterBlock b, bool d, int l, TextEncoding e) {
          return WriteProtocolFilterSection(p, b, d, l, e);
        });
  } else {
    roundTrip<MacFilterBlock>(
        path, level, encoding,
        [](const std::string& p, MacFilterBlock b, int l, TextEncoding e) { ReadMacFilterSection(p, b, l, e); },
        [](const std::string& p, ConstMacFilterBlock b, bool d, int l, TextEncoding e) {
          return WriteMacFilterSection(p, b, d, l, e);
        });
  }
  return 0;
}
