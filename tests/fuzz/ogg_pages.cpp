#include "tests/fuzz/ogg_pages.h"

#include <ogg/ogg.h>

#include <cstdint>

namespace vesk_fuzz {
namespace {

constexpr char kCapture[] = "OggS";
constexpr std::size_t kHeaderBytes = 27;  // up to and with the segment count

}  // namespace

void RepairOggPages(std::string& bytes) {
  std::size_t at = bytes.find(kCapture);
  while (at != std::string::npos && at + kHeaderBytes <= bytes.size()) {
    auto* header = reinterpret_cast<unsigned char*>(&bytes[at]);
    const std::size_t segments = header[kHeaderBytes - 1];
    const std::size_t bodyAt = at + kHeaderBytes + segments;
    if (bodyAt > bytes.size()) break;
    long declared = 0;
    for (std::size_t i = 0; i < segments; ++i) declared += header[kHeaderBytes + i];
    const std::size_t next = bytes.find(kCapture, bodyAt);
    const auto available = static_cast<long>((next == std::string::npos ? bytes.size() : next) - bodyAt);
    if (segments > 0 && declared != available) {
      const long last = header[kHeaderBytes + segments - 1] + available - declared;
      if (last >= 0 && last <= 255) {
        header[kHeaderBytes + segments - 1] = static_cast<unsigned char>(last);
        declared = available;
      }
    }
    if (bodyAt + static_cast<std::size_t>(declared) > bytes.size()) break;  // a page cut short
    ogg_page page;
    page.header = header;
    page.header_len = static_cast<long>(kHeaderBytes + segments);
    page.body = header + page.header_len;
    page.body_len = declared;
    ogg_page_checksum_set(&page);
    at = bytes.find(kCapture, bodyAt + static_cast<std::size_t>(declared));
  }
}

}  // namespace vesk_fuzz
