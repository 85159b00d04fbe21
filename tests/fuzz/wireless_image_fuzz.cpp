// Wireless-card firmware files from anywhere: every line parses or is
// refused, any file is read into the card's image or refused, and the blocks
// of a finished image stay inside the card's load area and end.
//
// Input: a byte of choices (the unit's card kind), a length byte and four
// times that many bytes of the card's PDA block, then the S-record file.
#include <memory>

#include "core/files/wireless_image.h"
#include "fuzz/fuzz_support.h"

using namespace trennic;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const std::uint8_t choices = in.byte();
  auto pda = in.take(std::min<std::size_t>(std::size_t{in.byte()} * 4, kPdaBlockSize));
  const std::string_view file = in.rest();

  for (std::size_t at = 0; at < file.size();) {
    std::size_t end = std::min(file.find('\n', at), file.size());
    if (auto line = ParseSRecordLine(file.substr(at, std::min(end - at, kSRecordLineMax)))) {
      fuzz::check(line->data.size() + 5 == line->count, "a parsed line holds count - 5 data bytes");
    }
    at = end + 1;
  }

  const std::string path = fuzz::scratchFile("card.hex");
  fuzz::writeFile(path, file);
  auto image = std::make_unique<WirelessImage>();
  std::copy(pda.begin(), pda.end(), image->pda.begin());
  if (image->PrepareWirelessImage(path, choices & 1) != WirelessReady) return 0;

  fuzz::check(image->bytes.size() == kWirelessWindowSize, "the image is the card's window");
  std::uint32_t offset = 0;
  for (std::size_t blocks = 0;; ++blocks) {
    fuzz::check(blocks <= kWirelessWindowSize, "the blocks of an image end");
    const ImageBlock b = image->NextImageBlock(offset);
    if (!b.more) break;
    fuzz::check(b.length > 0 && b.length <= 1024, "a block carries 1 to 1024 bytes");
    fuzz::check(std::uint64_t{b.imageOffset} + b.length <= kWirelessWindowSize, "a block lies inside the card's window");
    fuzz::check(image->blockBytes(b).size() == b.length, "a block's bytes are all in the image");
    offset += b.length;
  }
  return 0;
}
