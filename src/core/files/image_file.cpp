#include "core/files/image_file.h"

#include <filesystem>

#include "core/protocol/packet.h"

namespace trennic {

namespace {

std::uint16_t onesComplementAdd(std::uint32_t sum, std::uint16_t word) {
  sum += word;
  while (sum > 0xFFFF) sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint16_t>(sum);
}

}  // namespace

std::uint16_t imageHeaderSum(std::span<const std::uint8_t> header) {
  std::uint16_t sum = 0;
  for (std::size_t off = 0; off + 1 < kImageHeaderSize && off + 1 < header.size(); off += 2) {
    if (off == 0 || off == 52) continue;
    sum = onesComplementAdd(sum, readLe16(header.data() + off));
  }
  return onesComplementAdd(sum, 0x4353);
}

bool imageHeaderValid(std::span<const std::uint8_t> header) {
  if (header.size() < kImageHeaderSize) return false;
  return readLe16(header.data()) == static_cast<std::uint16_t>(~imageHeaderSum(header));
}

void sealImageHeader(std::span<std::uint8_t> header) {
  if (header.size() < kImageHeaderSize) return;
  writeLe16(header.data(), static_cast<std::uint16_t>(~imageHeaderSum(header)));
}

std::uint32_t imageLength(std::span<const std::uint8_t> header) {
  return header.size() < kImageLengthOffset + 4 ? 0 : readLe32(header.data() + kImageLengthOffset);
}

ImageProblem checkImageFile(const std::string& path, bool firmware) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return ImageProblem::Missing;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) return ImageProblem::Missing;
  if (size == 0) return ImageProblem::Empty;
  if (size > (firmware ? unit_address::kFirmwareSize : unit_address::kLoaderSize)) return ImageProblem::TooLarge;
  if (!firmware) return ImageProblem::None;
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> header(kImageHeaderSize, 0);
  in.read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()));
  if (static_cast<std::size_t>(in.gcount()) < kImageHeaderSize || !imageHeaderValid(header)) return ImageProblem::BadHeader;
  return ImageProblem::None;
}

bool ImageSource::open(const std::string& path) {
  close();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  auto size = std::filesystem::file_size(path, ec);
  if (ec || size > 0xFFFFFFFFull) return false;
  file_.open(path, std::ios::binary);
  if (!file_) return false;
  size_ = static_cast<std::uint32_t>(size);
  return true;
}

bool ImageSource::read(std::uint32_t offset, std::size_t max, std::vector<std::uint8_t>& out) {
  out.clear();
  if (!file_.is_open()) return false;
  if (offset >= size_) return true;
  std::size_t n = std::min<std::size_t>(max, size_ - offset);
  out.resize(n);
  file_.clear();
  file_.seekg(offset);
  file_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(n));
  if (static_cast<std::size_t>(file_.gcount()) != n) {
    out.clear();
    return false;
  }
  return true;
}

void ImageSource::close() {
  if (file_.is_open()) file_.close();
  size_ = 0;
}

ImageSink::~ImageSink() { abandon(); }

bool ImageSink::create() {
  file_.open(partialPath(path_), std::ios::binary | std::ios::trunc);
  return file_.is_open();
}

bool ImageSink::write(std::span<const std::uint8_t> bytes) {
  if (!file_.is_open()) return false;
  file_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file_);
}

bool ImageSink::commit() {
  if (!file_.is_open()) return false;
  file_.flush();
  bool ok = static_cast<bool>(file_);
  file_.close();
  if (!ok || file_.fail()) return false;
  std::error_code ec;
  std::filesystem::rename(partialPath(path_), path_, ec);
  return !ec;
}

void ImageSink::abandon() {
  if (file_.is_open()) file_.close();
}

}  // namespace trennic
