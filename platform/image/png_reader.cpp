#include "platform/image/png_reader.h"

#include <png.h>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "platform/image/image_decoder.h"
#include "platform/work/work_meter.h"

namespace platform {
namespace {

// libpng reports errors by a long jump back to the setjmp of the function that
// called it. The functions below that set one hold only plain values, so the jump
// skips no destructor.

struct MemoryInput {
  const unsigned char* bytes;
  std::size_t size;
  std::size_t position;
  unsigned reads;
};

// libpng reads the file in small pieces (a chunk's header, its data a few
// kilobytes at a time); every 16th read asks the load's meter, so that a file
// whose chunks cost libpng work but give no rows is metered as well as its rows.
constexpr unsigned kReadsPerMeterCheck = 16;
// The rows decoded between two looks at the meter: at most 16-bit RGBA of the
// widest picture, 64 KB a row.
constexpr png_uint_32 kRowsPerMeterCheck = 8;

bool LoadMayGoOn() { return CheckLoadWork() == WorkVerdict::kGoOn; }

void ReadFromMemory(png_structp png, png_bytep out, std::size_t length) {
  auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (input->reads++ % kReadsPerMeterCheck == 0 && !LoadMayGoOn()) png_error(png, "stopped by the load's meter");
  if (length > input->size - input->position) png_error(png, "file ends early");
  std::memcpy(out, input->bytes + input->position, length);
  input->position += length;
}

[[noreturn]] void StopDecoding(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

// Every allocation of libpng goes through these two, which count its bytes and
// refuse what would take it over kMaxPngLibraryBytes (libpng then stops with an
// error). Each block starts with its size, one alignment unit before the bytes
// libpng gets.
struct LibraryMemory {
  std::size_t inUse = 0;
  std::size_t peak = 0;
};
constexpr std::size_t kBlockHeader = alignof(std::max_align_t);

png_voidp Allocate(png_structp png, png_alloc_size_t size) {
  auto* memory = static_cast<LibraryMemory*>(png_get_mem_ptr(png));
  if (size > kMaxPngLibraryBytes - memory->inUse) return nullptr;
  auto* block = static_cast<unsigned char*>(std::malloc(kBlockHeader + size));
  if (block == nullptr) return nullptr;
  const std::size_t stored = size;
  std::memcpy(block, &stored, sizeof stored);
  memory->inUse += size;
  memory->peak = std::max(memory->peak, memory->inUse);
  return block + kBlockHeader;
}

void Release(png_structp png, png_voidp bytes) {
  if (bytes == nullptr) return;
  auto* block = static_cast<unsigned char*>(bytes) - kBlockHeader;
  std::size_t size = 0;
  std::memcpy(&size, block, sizeof size);
  static_cast<LibraryMemory*>(png_get_mem_ptr(png))->inUse -= size;
  std::free(block);
}

// The kept chunks need no buffer of their own (a palette and its transparency are
// read into fixed ones); this bounds what libpng would allocate for any other.
constexpr png_alloc_size_t kMaxChunkBytes = 64u << 10;

// libpng reads only the picture's chunks. Every other chunk, whether libpng knows
// it or not, is skipped unread: its bytes only pass the checksum, so no text is
// decompressed and nothing of the chunk is kept.
void ReadOnlyThePicturesChunks(png_structp png) {
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);  // all but IHDR, PLTE, tRNS, IDAT, IEND
  png_set_chunk_cache_max(png, 1);  // and should one be read anyway: no room to keep it (0 means no limit)
  png_set_chunk_malloc_max(png, kMaxChunkBytes);
}

// The chunks other than the picture's own that libpng holds.
std::size_t AncillaryChunksKept(png_structp png, png_infop info) {
  constexpr png_uint_32 kPictureChunks = PNG_INFO_PLTE | PNG_INFO_tRNS | PNG_INFO_IDAT;
  png_textp text = nullptr;
  png_unknown_chunkp unknown = nullptr;
  return static_cast<std::size_t>(std::popcount(png_get_valid(png, info, ~kPictureChunks))) +
         static_cast<std::size_t>(png_get_text(png, info, &text, nullptr)) +
         static_cast<std::size_t>(png_get_unknown_chunks(png, info, &unknown));
}

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

// Decodes every row (every pass of an interlaced picture) into the texture, while
// the load's meter lets it.
bool ReadRows(png_structp png, std::uint32_t* pixels, png_uint_32 width, png_uint_32 height,
              int passes) {
  if (setjmp(png_jmpbuf(png))) return false;
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < height; ++y) {
      if (y % kRowsPerMeterCheck == 0 && !LoadMayGoOn()) return false;
      png_read_row(png, reinterpret_cast<png_bytep>(pixels + std::size_t{y} * width), nullptr);
    }
  }
  return true;
}

}  // namespace

std::unique_ptr<Texture> ReadPng(const unsigned char* p, std::size_t size, PngReadRecord* record) {
  LibraryMemory memory;
  png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, StopDecoding, IgnoreWarning,
                                             &memory, Allocate, Release);
  if (png == nullptr) return nullptr;
  png_infop info = png_create_info_struct(png);
  MemoryInput input{p, size, 0, 0};
  png_set_read_fn(png, &input, ReadFromMemory);
  png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
  ReadOnlyThePicturesChunks(png);

  std::unique_ptr<Texture> texture;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int passes = 0;
  if (info != nullptr && PrepareArgbRows(png, info, &width, &height, &passes)) {
    texture = std::make_unique<Texture>(static_cast<int>(width), static_cast<int>(height));
    if (texture->IsEmpty() || !ReadRows(png, texture->Pixels(), width, height, passes)) texture.reset();
  }
  if (record != nullptr) {
    record->ancillaryChunksKept = info != nullptr ? AncillaryChunksKept(png, info) : 0;
    record->peakLibraryBytes = memory.peak;
  }
  png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
  return texture;
}

}  // namespace platform
