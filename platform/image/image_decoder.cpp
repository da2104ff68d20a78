#include "platform/image/image_decoder.h"

#include <climits>

#include "platform/image/image_header.h"
#include "platform/image/jpeg_reader.h"
#include "platform/image/png_reader.h"
#include "platform/image/sdl_image_reader.h"
#include "platform/work/work_meter.h"

namespace platform {
namespace {

bool WithinLimit(std::uint32_t width, std::uint32_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide;
}

std::unique_ptr<Texture> Read(const ImageHeader& header, const unsigned char* p, std::size_t size) {
  switch (header.format) {
    case ImageFormat::kPng: return ReadPng(p, size);
    case ImageFormat::kJpeg: return ReadJpeg(p, size);
    case ImageFormat::kBmp:
    case ImageFormat::kTga:
    case ImageFormat::kPnm: return ReadWithSdlImage(header, p, size);
    case ImageFormat::kUnknown: break;
  }
  return nullptr;
}

// A reader's failure is the meter's when the meter has stopped the load: the
// readers stop at its first verdict other than going on, which holds from then on.
DecodeFailure ReaderFailure() {
  switch (CheckLoadWork()) {
    case WorkVerdict::kGoOn: break;
    case WorkVerdict::kTooSlow: return DecodeFailure::kTooSlow;
    case WorkVerdict::kQuit: return DecodeFailure::kQuit;
  }
  return DecodeFailure::kUnreadable;
}

std::unique_ptr<Texture> Decode(const void* bytes, std::size_t size, std::string_view fileName,
                                DecodeFailure& failure) {
  failure = DecodeFailure::kUnreadable;
  if (bytes == nullptr || size == 0 || size > static_cast<std::size_t>(INT_MAX)) return nullptr;
  const auto* p = static_cast<const unsigned char*>(bytes);
  const ImageHeader header = ReadImageHeader(p, size, fileName);
  if (header.format == ImageFormat::kUnknown || !WithinLimit(header.width, header.height)) return nullptr;
  const LoadMeter load(PictureLoadBudgetNs(header.width, header.height));
  if (!FileCanHoldPicture(header, size) || !ImageStructureIsSound(header, p, size)) return nullptr;
  std::unique_ptr<Texture> texture = Read(header, p, size);
  failure = texture != nullptr ? DecodeFailure::kNone : ReaderFailure();
  return texture;
}

}  // namespace

std::uint64_t PictureLoadBudgetNs(std::uint32_t width, std::uint32_t height) {
  const std::uint64_t pixels = std::uint64_t{width} * height;
  return kLoadCpuBudgetNs + pixels * kPictureCpuNsPerPixel * kWorkSlowdown;
}

std::unique_ptr<Texture> DecodeImage(const void* bytes, std::size_t size, std::string_view fileName,
                                     std::uint32_t colourKey, DecodeFailure* failure) {
  DecodeFailure why = DecodeFailure::kNone;
  std::unique_ptr<Texture> texture = Decode(bytes, size, fileName, why);
  if (failure != nullptr) *failure = why;
  if (texture != nullptr && colourKey != 0) {
    std::uint32_t* pixel = texture->Pixels();
    std::uint32_t* const end = pixel + static_cast<std::size_t>(texture->Width()) * texture->Height();
    for (; pixel != end; ++pixel) {
      if (*pixel == colourKey) *pixel = 0;
    }
  }
  return texture;
}

}  // namespace platform
