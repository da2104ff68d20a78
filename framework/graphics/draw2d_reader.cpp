#include "framework/graphics/draw2d_reader.h"

#include <cstdint>
#include <limits>
#include <new>

#include "platform/debug/debug_sink.h"
#include "platform/image/image_decoder.h"

namespace nsZarn::nsGraphics::nsIDraw2DReader {
namespace {

// A quit during the decode is written only as a debug line: the game is ending,
// and the file is not at fault.
void ReportDecodeFailure(platform::DecodeFailure failure, const std::string& fileName) {
  switch (failure) {
    case platform::DecodeFailure::kQuit:
      platform::WriteDebugLine("Failed : CDraw2DReader::Read Quit While Loading\n");
      return;
    case platform::DecodeFailure::kTooSlow:
      platform::WriteRefusalLine("Failed : CDraw2DReader::Read Too Slow To Decode\n", fileName);
      return;
    case platform::DecodeFailure::kNone:
    case platform::DecodeFailure::kUnreadable:
      break;
  }
  platform::WriteRefusalLine("Failed : CDraw2DReader::Read Decode\n", fileName);
}

}  // namespace

CDraw2DReader::CDraw2DReader(ZarnGraphic* graphic, nsFile::nsFileReader::IFileReader* fileReader,
                             const std::string& fileName, Color colourKey)
    : m_FileReader(fileReader), m_Graphic(graphic) {
  if (!fileName.empty()) Read(fileName, colourKey);
}

CDraw2DReader::~CDraw2DReader() = default;

void CDraw2DReader::Release() { delete this; }

bool CDraw2DReader::Read(const std::string& fileName, Color colourKey) {
  m_Texture.reset();
  m_FileBytes.clear();
  m_FileBytes.shrink_to_fit();
  if (!m_FileReader || !m_FileReader->fopen(fileName.c_str(), "rb")) {
    platform::WriteRefusalLine("Failed : CDraw2DReader::Read File Not Found\n", fileName);
    return false;
  }
  const std::int64_t size = m_FileReader->GetSize();
  bool complete = false;
  if (size > 0 && static_cast<std::uint64_t>(size) <= std::numeric_limits<std::uint32_t>::max()) {
    try {
      m_FileBytes.resize(static_cast<std::size_t>(size));
      complete = m_FileReader->fread(m_FileBytes.data(), m_FileBytes.size(), 1) == 1;
    } catch (const std::bad_alloc&) {
      m_FileBytes.clear();
    }
  }
  m_FileReader->fclose();
  if (!complete) {
    platform::WriteRefusalLine("Failed : CDraw2DReader::Read File Not Read\n", fileName);
    return false;
  }
  platform::DecodeFailure failure = platform::DecodeFailure::kNone;
  m_Texture = platform::DecodeImage(m_FileBytes.data(), m_FileBytes.size(), fileName, colourKey, &failure);
  if (m_Texture == nullptr) {
    ReportDecodeFailure(failure, fileName);
    return false;
  }
  return true;
}

}  // namespace nsZarn::nsGraphics::nsIDraw2DReader
