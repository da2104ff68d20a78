#include "game/managers/image_table.h"

#include "game/core/program_objects.h"

namespace nsVesk {

using nsZarn::nsGraphics::nsIDraw2D::CDraw2D;
using nsZarn::nsGraphics::nsIDraw2D::IDraw2D;
using nsZarn::nsGraphics::nsIDraw2DReader::CDraw2DReader;

namespace {
constexpr nsZarn::nsGraphics::Color kNoColourKey = 0;
}  // namespace

CDraw2DReader* ReadArchiveImage(const std::string& file) {
  // Without an archive the holder gets no file reader and reports "not loaded".
  nsZarn::nsFile::nsFileReader::IFileReader* reader =
      g_FilePackManager != nullptr ? g_FilePackManager->GetFileReader(kArchiveFile) : nullptr;
  return new CDraw2DReader(&g_Graphic, reader, file, kNoColourKey);
}

cImageTable::~cImageTable() { Clear(); }

IDraw2D* cImageTable::Find(const std::string& name) const {
  const auto it = m_Images.find(name);
  return it != m_Images.end() ? it->second : nullptr;
}

void cImageTable::Load(const std::string& name, const std::string& file) {
  if (m_Images.count(name) != 0) return;
  // An image object refuses a holder that is not loaded and releases it, so a
  // missing file leaves an image without a picture and nothing behind.
  Insert(name, new CDraw2D(&g_Graphic, ReadArchiveImage(file)));
}

bool cImageTable::Insert(const std::string& name, CDraw2D* image) {
  const auto [it, inserted] = m_Images.emplace(name, image);
  if (!inserted && image != nullptr && image != it->second) image->Release();
  return inserted;
}

void cImageTable::Release(const std::string& name) {
  const auto it = m_Images.find(name);
  if (it == m_Images.end()) return;
  if (it->second != nullptr) it->second->Release();
  m_Images.erase(it);
}

void cImageTable::Clear() {
  for (auto& entry : m_Images) {
    if (entry.second != nullptr) entry.second->Release();
  }
  m_Images.clear();
}

}  // namespace nsVesk
