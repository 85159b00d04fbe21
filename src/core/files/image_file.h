#pragma once
// Firmware and loader images: raw copies of unit memory, moved in blocks of
// 1024 bytes. A firmware image starts with a 64-byte header that carries a
// check word and the image length.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace trennic {

constexpr std::size_t kImageHeaderSize = 64;
constexpr std::size_t kImageBlockSize = 1024;
constexpr std::size_t kImageLengthOffset = 36;

// Over the 64 header bytes, with the words at offsets 0 and 52 taken as
// zero: the ones' complement sum of the 32 little-endian words plus 0x4353.
std::uint16_t imageHeaderSum(std::span<const std::uint8_t> header);
// The header is valid when its word at offset 0 is the complement of that sum.
bool imageHeaderValid(std::span<const std::uint8_t> header);
// Sets the check word so that the header is valid.
void sealImageHeader(std::span<std::uint8_t> header);
std::uint32_t imageLength(std::span<const std::uint8_t> header);

// What stands against writing a file to a unit as its firmware or loader
// image, checked before anything is sent. A file larger than its memory area
// would run on into the next area; an empty one erases the area and writes
// nothing. A firmware file whose header check fails may still be written
// when the user insists.
enum class ImageProblem { None, Missing, Empty, TooLarge, BadHeader };
ImageProblem checkImageFile(const std::string& path, bool firmware);

// Reads an image file block by block from any offset, so a transfer can go
// on from where the unit's acknowledgement left it.
class ImageSource {
 public:
  bool open(const std::string& path);
  bool isOpen() const { return file_.is_open(); }
  std::uint32_t size() const { return size_; }
  // Up to max bytes from offset; false on a read error.
  bool read(std::uint32_t offset, std::size_t max, std::vector<std::uint8_t>& out);
  void close();

 private:
  std::ifstream file_;
  std::uint32_t size_ = 0;
};

// Writes an image read from a unit. The bytes go to "NAME.partial", which
// takes the chosen name only when the whole image has arrived; a failed or
// cancelled read leaves the partial file under its own name, so no truncated
// image ever sits under a firmware file's name.
class ImageSink {
 public:
  explicit ImageSink(std::string path) : path_(std::move(path)) {}
  ~ImageSink();
  static std::string partialPath(const std::string& path) { return path + ".partial"; }

  bool create();
  bool isOpen() const { return file_.is_open(); }
  bool write(std::span<const std::uint8_t> bytes);
  // Closes the partial file and renames it to the chosen name.
  bool commit();
  // Closes the partial file and leaves it where it is.
  void abandon();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::ofstream file_;
};

}  // namespace trennic
