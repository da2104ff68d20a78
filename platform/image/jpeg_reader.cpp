#include "platform/image/jpeg_reader.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <cstdio>
#include <jpeglib.h>

#include <bit>
#include <csetjmp>
#include <vector>

#include "platform/image/image_decoder.h"
#include "platform/image/image_header.h"
#include "platform/work/work_meter.h"

namespace platform {
namespace {

static_assert(std::endian::native == std::endian::little,
              "B, G, R, A bytes are the texture's 0xAARRGGBB pixels");

// libjpeg reports errors by a long jump back to the setjmp of the function that
// called it. The functions below that set one hold only plain values, so the jump
// skips no destructor. The progress monitor and its count of the scans' work ride
// along with the handler, so that they live as long as the decode.
struct ErrorHandler {
  jpeg_error_mgr base;
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
  // The blocks a pass over every component visits (the blocks libjpeg holds for
  // the picture), the blocks the scans met so far visit, and how many scans those are.
  std::uint64_t pictureBlocks = 0;
  std::uint64_t scanBlocks = 0;
  int scansCounted = 0;
};

[[noreturn]] void StopDecoding(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorHandler*>(info->err)->jump, 1);
}
void IgnoreMessage(j_common_ptr) {}

std::uint64_t RoundedUp(JDIMENSION value, int multiple) {
  const auto step = static_cast<std::uint64_t>(multiple);
  return (value + step - 1u) / step * step;
}

// Each component's blocks padded to whole MCUs, as libjpeg stores and a single
// scan of every component visits them.
std::uint64_t PictureBlocks(const jpeg_decompress_struct& info) {
  std::uint64_t blocks = 0;
  for (int i = 0; i < info.num_components; ++i) {
    const jpeg_component_info& component = info.comp_info[i];
    blocks += RoundedUp(component.width_in_blocks, component.h_samp_factor) *
              RoundedUp(component.height_in_blocks, component.v_samp_factor);
  }
  return blocks;
}

// libjpeg calls its progress monitor before each step of reading: before every row
// of a scan and before every next marker segment, so once for each scan between
// the reading of its header and the decoding of its data. The number of scan
// headers it has read is its own count, so no other reading of the file can
// disagree with it (markers it skips or resynchronises past, lengths it reads
// differently). The first time a scan is met its blocks are counted, as libjpeg
// will visit them (its MCUs times the blocks of an MCU), and the decode stops at
// the scan over either bound, before any of that scan's data is decoded. Once the
// data has run out libjpeg reads no further scan, so a file cut short costs no more
// than its scans would whole.
//
// The monitor asks the load's meter too, at every call: a hostile but legal file
// (arithmetic-coded noise of the finest quality) can cost far more a row than any
// bound above foresees, and the thread's clock tells what the rows cost.
void StopAtTooMuchScanWork(j_common_ptr common) {
  if (CheckLoadWork() != WorkVerdict::kGoOn) StopDecoding(common);
  const auto* info = reinterpret_cast<j_decompress_ptr>(common);
  auto* handler = reinterpret_cast<ErrorHandler*>(common->err);
  if (info->input_scan_number == handler->scansCounted) return;
  handler->scansCounted = info->input_scan_number;
  handler->scanBlocks += std::uint64_t{info->MCUs_per_row} * info->MCU_rows_in_scan *
                         static_cast<std::uint64_t>(info->blocks_in_MCU);
  if (handler->scansCounted > static_cast<int>(kMaxJpegScans) ||
      handler->scanBlocks > kMaxJpegPassesOverThePicture * handler->pictureBlocks) {
    StopDecoding(common);
  }
}

bool IsCmyk(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

// Reads the header, chooses the output (B, G, R, A bytes, or C, M, Y, K for ink)
// and starts decoding: a progressive picture is read whole here.
bool StartDecoding(jpeg_decompress_struct* info, ErrorHandler* error, const unsigned char* p,
                   std::size_t size) {
  if (setjmp(error->jump)) return false;
  jpeg_create_decompress(info);
  info->progress = &error->progress;  // the creation clears the field
  // The coefficients of a picture of several scans are held whole, in libjpeg's
  // virtual arrays; this bound is the one libjpeg checks before it takes them, and
  // with no backing store it refuses the picture there (JERR_NO_BACKING_STORE),
  // before any of that memory is taken. Its other buffers, a few rows, are not
  // counted against the bound and take under a few megabytes at the largest width.
  info->mem->max_memory_to_use = static_cast<long>(kMaxDecodeWorkBytes);
  jpeg_mem_src(info, p, static_cast<unsigned long>(size));
  if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
  error->pictureBlocks = PictureBlocks(*info);
  const J_COLOR_SPACE space = info->jpeg_color_space;
  if (space != JCS_GRAYSCALE && space != JCS_YCbCr && space != JCS_RGB && !IsCmyk(space)) return false;
  info->out_color_space = IsCmyk(space) ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(info);
  return info->output_width > 0 && info->output_height > 0 && info->output_width <= kMaxImageSide &&
         info->output_height <= kMaxImageSide && info->output_components == 4;
}

std::uint32_t InkToRgbChannel(unsigned stored, unsigned storedK, bool inverted) {
  // The share of light an ink lets through, times the share black lets through.
  const unsigned light = inverted ? stored : 255u - stored;
  const unsigned lightK = inverted ? storedK : 255u - storedK;
  return (light * lightK + 127u) / 255u;
}

// Decodes every row into the texture's pixels, through the ink row when the
// picture is CMYK, while the load's meter lets it.
bool ReadRows(jpeg_decompress_struct* info, ErrorHandler* error, std::uint32_t* pixels,
              unsigned char* inkRow) {
  if (setjmp(error->jump)) return false;
  const bool cmyk = info->out_color_space == JCS_CMYK;
  const bool inverted = info->saw_Adobe_marker != 0;
  const JDIMENSION width = info->output_width;
  while (info->output_scanline < info->output_height) {
    if (CheckLoadWork() != WorkVerdict::kGoOn) return false;
    std::uint32_t* row = pixels + std::size_t{info->output_scanline} * width;
    JSAMPROW target = cmyk ? inkRow : reinterpret_cast<JSAMPROW>(row);
    if (jpeg_read_scanlines(info, &target, 1) != 1) return false;
    if (!cmyk) continue;
    for (JDIMENSION x = 0; x < width; ++x) {
      const unsigned char* ink = inkRow + std::size_t{x} * 4u;
      row[x] = 0xFF000000u | InkToRgbChannel(ink[0], ink[3], inverted) << 16 |
               InkToRgbChannel(ink[1], ink[3], inverted) << 8 | InkToRgbChannel(ink[2], ink[3], inverted);
    }
  }
  return true;
}

}  // namespace

std::unique_ptr<Texture> ReadJpeg(const unsigned char* p, std::size_t size) {
  jpeg_decompress_struct info{};
  ErrorHandler error{};
  info.err = jpeg_std_error(&error.base);
  error.base.error_exit = StopDecoding;
  error.base.output_message = IgnoreMessage;
  error.progress.progress_monitor = StopAtTooMuchScanWork;

  std::unique_ptr<Texture> texture;
  // A single scan is decoded row by row after the texture is taken, and the
  // texture of the largest picture takes a while to touch: a load the meter has
  // stopped (a quit while the file was read) stops before it is taken.
  if (StartDecoding(&info, &error, p, size) && CheckLoadWork() == WorkVerdict::kGoOn) {
    texture = std::make_unique<Texture>(static_cast<int>(info.output_width),
                                        static_cast<int>(info.output_height));
    std::vector<unsigned char> inkRow(std::size_t{info.output_width} * 4u);
    if (texture->IsEmpty() || !ReadRows(&info, &error, texture->Pixels(), inkRow.data())) texture.reset();
  }
  jpeg_destroy_decompress(&info);
  return texture;
}

}  // namespace platform
