#include "framework/sound/vorbis_links.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

#include "platform/audio/pcm_format.h"
#include "platform/work/work_meter.h"

namespace nsZarn::nsSound::nsISoundReader {

std::vector<std::int64_t> VorbisLinkLengths(OggVorbis_File& file, const std::vector<VorbisStreamEnd>& ends) {
  const long links = std::max(ov_streams(&file), 0L);
  std::vector<std::int64_t> lengths;
  for (long link = 0; link < links; ++link) {
    std::int64_t length = std::max<ogg_int64_t>(ov_pcm_total(&file, static_cast<int>(link)), 0);
    if (ends.size() == static_cast<std::size_t>(links) && ends[static_cast<std::size_t>(link)].endsUnstated &&
        file.pcmlengths != nullptr) {
      // The library's own record of where the link's samples begin.
      const std::int64_t begin = file.pcmlengths[2 * link];
      length = std::max<std::int64_t>(ends[static_cast<std::size_t>(link)].lastPosition - begin, 0);
    }
    lengths.push_back(length);
  }
  return lengths;
}

VorbisLinks CheckVorbisLinks(OggVorbis_File& file, const std::vector<std::int64_t>& lengths) {
  const long links = ov_streams(&file);
  const vorbis_info* first = ov_info(&file, 0);
  if (links < 1 || first == nullptr || lengths.size() != static_cast<std::size_t>(links)) {
    return VorbisLinks::kUndecodable;
  }
  for (long link = 0; link < links; ++link) {
    vorbis_info* info = ov_info(&file, static_cast<int>(link));
    if (info == nullptr) return VorbisLinks::kUndecodable;
    // The tables built here stay with the link's headers: decoding reuses them.
    vorbis_dsp_state decoder;
    if (vorbis_synthesis_init(&decoder, info) != 0) return VorbisLinks::kUndecodable;
    vorbis_dsp_clear(&decoder);
    if (info->channels != first->channels || info->rate != first->rate) return VorbisLinks::kUnplayableFormat;
    if (link + 1 < links && lengths[static_cast<std::size_t>(link)] < vorbis_info_blocksize(info, 1)) {
      return VorbisLinks::kLinkTooShort;
    }
  }
  if (first->channels < 1 || first->channels > 2 || first->rate < 1 || first->rate > INT32_MAX) {
    return VorbisLinks::kUnplayableFormat;
  }
  const platform::PcmFormat format = platform::MakePcmFormat(
      static_cast<std::uint16_t>(first->channels), static_cast<std::uint32_t>(first->rate), 16);
  return platform::IsPlayablePcmFormat(format) ? VorbisLinks::kPlayable : VorbisLinks::kUnplayableFormat;
}

VorbisLength MeasureVorbisLength(OggVorbis_File& file, const std::vector<std::int64_t>& lengths,
                                 std::int64_t& samples) {
  const std::int64_t stated = std::accumulate(lengths.begin(), lengths.end(), std::int64_t{0});
  vorbis_info* info = ov_info(&file, 0);
  if (lengths.empty() || info == nullptr) return VorbisLength::kUnmeasurable;
  samples = stated;
  // Where the library starts after opening passes over a first link of one page.
  if (ov_raw_seek(&file, 0) != 0) return VorbisLength::kUnmeasurable;
  if (stated >= vorbis_info_blocksize(info, 1)) return VorbisLength::kMeasured;
  long longBlock = 0;
  for (int link = 0; link < ov_streams(&file); ++link) {
    vorbis_info* linkInfo = ov_info(&file, link);
    if (linkInfo == nullptr) return VorbisLength::kUnmeasurable;
    longBlock = std::max<long>(longBlock, vorbis_info_blocksize(linkInfo, 1));
  }
  const std::int64_t frameBytes = 2L * info->channels;
  const std::int64_t mostBytes = (stated + 2 * longBlock) * frameBytes;
  std::vector<char> scratch(static_cast<std::size_t>(frameBytes) * 1024);
  std::int64_t bytes = 0;
  while (bytes <= mostBytes) {
    if (platform::CheckLoadWork() != platform::WorkVerdict::kGoOn) return VorbisLength::kStopped;
    int bitstream = 0;
    const long got = ov_read(&file, scratch.data(), static_cast<int>(scratch.size()), 0, 2, 1, &bitstream);
    if (got <= 0) break;  // the end, or data the playback would stop at as well
    bytes += got;
  }
  if (ov_raw_seek(&file, 0) != 0) return VorbisLength::kUnmeasurable;
  if (bytes > mostBytes) return VorbisLength::kLongerThanStated;
  samples = bytes / frameBytes;
  return VorbisLength::kMeasured;
}

}  // namespace nsZarn::nsSound::nsISoundReader
