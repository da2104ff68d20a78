#pragma once
// cImageTable: the game's named images. Each name (which is also the image's file
// name in the archive "Data.dat") maps to an image object the table owns; erasing
// an entry releases its image. Every game scene, the image buttons, the effecter
// animations and the battle keep their images in one.

#include <map>
#include <string>

#include "framework/graphics/draw2d.h"
#include "framework/graphics/draw2d_reader.h"

namespace nsVesk {

// A new image holder that reads the file from the archive "Data.dat" at once. It
// reports IsLoaded false when the archive is not open or the file is missing or
// cannot be decoded.
nsZarn::nsGraphics::nsIDraw2DReader::CDraw2DReader* ReadArchiveImage(const std::string& file);

class cImageTable {
 public:
  cImageTable() = default;
  cImageTable(const cImageTable&) = delete;
  cImageTable& operator=(const cImageTable&) = delete;
  ~cImageTable();

  // The image stored under the name, or null when the name is absent.
  nsZarn::nsGraphics::nsIDraw2D::IDraw2D* Find(const std::string& name) const;
  // When the name is absent, reads the file and stores its image under the name;
  // a file that cannot be read is stored all the same, as an image without a
  // picture that draws nothing. When the name is present, nothing changes.
  void Load(const std::string& name, const std::string& file);
  // Stores a made image under the name and takes it over. When the name is
  // present the given image is released, the first one stays, and the result is
  // false.
  bool Insert(const std::string& name, nsZarn::nsGraphics::nsIDraw2D::CDraw2D* image);
  // Releases the named image and erases its entry; an absent name changes nothing.
  void Release(const std::string& name);
  // Releases every image and empties the table.
  void Clear();

  std::size_t Size() const { return m_Images.size(); }

 private:
  std::map<std::string, nsZarn::nsGraphics::nsIDraw2D::CDraw2D*> m_Images;
};

}  // namespace nsVesk
