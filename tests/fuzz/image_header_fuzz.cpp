// Firmware and loader files from anywhere: the checks made before anything
// is written to a unit take any file, a sealed header always passes its own
// check, and the file reads back block by block from any offset.
//
// Input: a byte of choices (firmware or loader), a read offset, then the file.
#include "core/files/image_file.h"
#include "fuzz/fuzz_support.h"

using namespace trennic;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const bool firmware = in.byte() & 1;
  const std::uint32_t offset = in.u32();
  const std::string_view file = in.rest();
  const std::string path = fuzz::scratchFile("image.bin");
  fuzz::writeFile(path, file);

  const ImageProblem problem = checkImageFile(path, firmware);
  std::vector<std::uint8_t> header(kImageHeaderSize, 0);
  std::copy_n(file.begin(), std::min(file.size(), kImageHeaderSize), header.begin());
  if (firmware && file.size() >= kImageHeaderSize && file.size() <= 0x80000)
    fuzz::check((problem == ImageProblem::None) == imageHeaderValid(header), "a firmware file passes as its header does");
  if (file.empty()) fuzz::check(problem == ImageProblem::Empty, "an empty file is refused as empty");
  (void)imageLength(header);
  sealImageHeader(header);
  fuzz::check(imageHeaderValid(header), "a sealed header is valid");

  ImageSource source;
  fuzz::check(source.open(path), "an image file opens");
  fuzz::check(source.size() == file.size(), "an image file has its size");
  std::vector<std::uint8_t> block;
  const std::uint32_t from = file.empty() ? 0 : offset % (file.size() + 1);
  fuzz::check(source.read(from, kImageBlockSize, block), "an image reads from any offset");
  const std::size_t expected = std::min<std::size_t>(kImageBlockSize, file.size() - from);
  fuzz::check(block.size() == expected &&
                  std::equal(block.begin(), block.end(), file.begin() + from,
                             [](std::uint8_t b, char c) { return b == static_cast<std::uint8_t>(c); }),
              "a block is the file's bytes at its offset");
  return 0;
}
