#pragma once
// An image held for drawing: the bytes of an image file read through a file
// reader, and the texture decoded from them.

#include <memory>
#include <string>
#include <vector>

#include "framework/file/file_reader.h"
#include "framework/graphics/graphics_types.h"
#include "platform/graphics/texture.h"

namespace nsZarn::nsGraphics {
class ZarnGraphic;
}

namespace nsZarn::nsGraphics::nsIDraw2DReader {

class IDraw2DReader {
 public:
  virtual ~IDraw2DReader() = default;
  // Destroys the holder.
  virtual void Release() = 0;
  virtual bool IsLoaded() = 0;
  virtual const platform::Texture* GetTexture() const = 0;
  virtual platform::Texture* GetTexture() = 0;
};

class CDraw2DReader : public IDraw2DReader {
 public:
  // Takes ownership of the file reader; with a file name, reads it at once.
  CDraw2DReader(ZarnGraphic* graphic, nsFile::nsFileReader::IFileReader* fileReader, const std::string& fileName,
                Color colourKey);
  CDraw2DReader(const CDraw2DReader&) = delete;
  CDraw2DReader& operator=(const CDraw2DReader&) = delete;
  ~CDraw2DReader() override;

  void Release() override;
  bool IsLoaded() override { return m_Texture != nullptr; }
  const platform::Texture* GetTexture() const override { return m_Texture.get(); }
  platform::Texture* GetTexture() override { return m_Texture.get(); }

  // Reads the whole file through the reader and decodes it; pixels equal to the
  // colour key (0: none) become transparent.
  bool Read(const std::string& fileName, Color colourKey);

 private:
  std::unique_ptr<nsFile::nsFileReader::IFileReader> m_FileReader;
  std::vector<unsigned char> m_FileBytes;  // kept after loading
  std::unique_ptr<platform::Texture> m_Texture;
  ZarnGraphic* m_Graphic;
};

}  // namespace nsZarn::nsGraphics::nsIDraw2DReader
