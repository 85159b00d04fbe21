#include "core/files/image_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/protocol/packet.h"
#include "support/temp_dir.h"

namespace trennic {
namespace {

using testing::TempDir;
using testing::writeBytes;

std::string sealedImage(std::size_t size) {
  std::vector<std::uint8_t> bytes(size, 0x5A);
  sealImageHeader(std::span<std::uint8_t>(bytes.data(), kImageHeaderSize));
  return std::string(bytes.begin(), bytes.end());
}

// A file that is not what it claims, or would run past its memory area,
// must be caught before the first block goes to a unit.
TEST(CheckImageFile, WhatStandsAgainstWritingAFile) {
  struct Case {
    const char* what;
    std::string bytes;
    bool firmware;
    ImageProblem problem;
  };
  const std::size_t firmwareArea = unit_address::kFirmwareSize, loaderArea = unit_address::kLoaderSize;
  const Case cases[] = {
      {"a firmware image", sealedImage(4096), true, ImageProblem::None},
      {"a firmware image that fills its area", sealedImage(firmwareArea), true, ImageProblem::None},
      {"a firmware image past its area", sealedImage(firmwareArea + 1), true, ImageProblem::TooLarge},
      {"a 400-byte text as firmware", std::string(400, 'x'), true, ImageProblem::BadHeader},
      {"shorter than a header", std::string(10, '\0'), true, ImageProblem::BadHeader},
      {"an empty firmware file", "", true, ImageProblem::Empty},
      {"a loader image", std::string(65536, '\1'), false, ImageProblem::None},
      {"a loader that fills its area", std::string(loaderArea, '\1'), false, ImageProblem::None},
      {"a loader past its area", std::string(loaderArea + 1, '\1'), false, ImageProblem::TooLarge},
      {"an empty loader file", "", false, ImageProblem::Empty},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string path = dir.file("image.bin");
    writeBytes(path, c.bytes);
    EXPECT_EQ(checkImageFile(path, c.firmware), c.problem) << c.what;
  }
  TempDir dir;
  EXPECT_EQ(checkImageFile(dir.file("none.bin"), true), ImageProblem::Missing);
  EXPECT_EQ(checkImageFile(dir.path().string(), false), ImageProblem::Missing) << "a folder";
}

}  // namespace
}  // namespace trennic
