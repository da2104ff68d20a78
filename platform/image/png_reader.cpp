#include "platform/image/png_reader.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

#include "platform/image/image_decoder.h"

namespace platform {
namespace {

// libpng reports errors by a long jump back to the setjmp of the function that
// called it. The functions below that set one hold only plain values, so the jump
// skips no destructor.

struct MemoryInput {
  const unsigned char* bytes;
  std::size_t size;
  std::size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, std::size_t length) {
  auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (length > input->size - input->position) png_error(png, "file ends early");
  std::memcpy(out, input->bytes + input->position, length);
  input->position += length;
}

[[noreturn]] void StopDecoding(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

// Reads the header and sets the transformations to 8-bit B, G, R, A bytes per
// pixel (0xAARRGGBB in memory). False when libpng refuses the header.
bool PrepareArgbRows(png_structp png, png_infop info, png_uint_32* width, png_uint_32* height,
                     int* passes) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);  // pictures without alpha are opaque
  png_set_bgr(png);
  *passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  *width = png_get_image_width(png, info);
  *height = png_get_image_height(png, info);
  return png_get_rowbytes(png, info) == std::size_t{*width} * 4u;
}

// Decodes every row (every pass of an interlaced picture) into the texture.
bool ReadRows(png_structp png, std::uint32_t* pixels, png_uint_32 width, png_uint_32 height,
              int passes) {
  if (setjmp(png_jmpbuf(png))) return false;
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < height; ++y) {
      png_read_row(png, reinterpret_cast<png_bytep>(pixels + std::size_t{y} * width), nullptr);
    }
  }
  return true;
}

}  // namespace

std::unique_ptr<Texture> ReadPng(const unsigned char* p, std::size_t size) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, StopDecoding, IgnoreWarning);
  if (png == nullptr) return nullptr;
  png_infop info = png_create_info_struct(png);
  MemoryInput input{p, size, 0};
  png_set_read_fn(png, &input, ReadFromMemory);
  png_set_user_limits(png, kMaxImageSide, kMaxImageSide);

  std::unique_ptr<Texture> texture;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int passes = 0;
  if (info != nullptr && PrepareArgbRows(png, info, &width, &height, &passes)) {
    texture = std::make_unique<Texture>(static_cast<int>(width), static_cast<int>(height));
    if (texture->IsEmpty() || !ReadRows(png, texture->Pixels(), width, height, passes)) texture.reset();
  }
  png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
  return texture;
}

}  // namespace platform
