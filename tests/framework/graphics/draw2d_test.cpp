// Images read through a file reader and drawn through CDraw2D.
#include <gtest/gtest.h>

#include "framework/file/file_reader.h"
#include "framework/graphics/draw2d.h"
#include "framework/graphics/draw2d_reader.h"
#include "platform/work/load_quit.h"
#include "platform/work/work_meter.h"
#include "tests/framework/graphics/graphic_fixture.h"
#include "tests/platform/image/test_images.h"
#include "tests/support/debug_capture.h"
#include "tests/support/temp_dir.h"

namespace {

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsGraphics::nsIDraw2D::CDraw2D;
using nsZarn::nsGraphics::nsIDraw2DReader::CDraw2DReader;

constexpr std::uint32_t kBackground = 0xFF204060u;

class Draw2D : public vesk_test::GraphicFixture {
 protected:
  void SetUp() override {
    GraphicFixture::SetUp();
    m_Graphic.Clear(kBackground);
    vesk_test::WriteFile("pic.png", vesk_test::MakePngRgba(2, 1, {0xFFFF0000u, 0x80FFFFFFu}));
    vesk_test::WriteFile("broken.png", "\x89PNG\r\n\x1a\nbroken");
  }
  CDraw2DReader* Load(const char* name) { return new CDraw2DReader(&m_Graphic, new CFileReader, name, 0); }

  vesk_test::ScopedWorkingDir m_Dir;
};

TEST_F(Draw2D, ReadsAndDrawsWithTheThreeBlends) {
  CDraw2D image(&m_Graphic, Load("pic.png"));
  ASSERT_NE(image.GetDraw2DReader(), nullptr);
  EXPECT_TRUE(image.GetDraw2DReader()->IsLoaded());
  image.Draw(10, 10, 255, nullptr, 1, 1, 0);
  image.DrawAdd(20, 10, 128, nullptr, 1, 1, 0);
  image.DrawSub(30, 10, 255, nullptr, 1, 1, 0);
  m_Graphic.Present();
  EXPECT_EQ(m_Back.Pixel(10, 10), 0xFFFF0000u);
  EXPECT_EQ(m_Back.Pixel(11, 10), 0xFF90A0B0u);
  // add at alpha 128: red + 128, saturating
  EXPECT_EQ(m_Back.Pixel(20, 10), 0xFFA04060u);
  // subtract white at alpha 128: every channel minus 128, not below 0
  EXPECT_EQ(m_Back.Pixel(31, 10), 0xFF000000u);
  EXPECT_EQ(m_Back.Pixel(30, 10), 0xFF004060u);
}

TEST_F(Draw2D, MissingFileIsNotLoadedAndReported) {
  vesk_test::DebugCapture debug;
  CDraw2DReader* reader = Load("missing.png");
  EXPECT_FALSE(reader->IsLoaded());
  EXPECT_EQ(reader->GetTexture(), nullptr);
  EXPECT_TRUE(debug.Contains("Failed : CDraw2DReader::Read File Not Found\n"));
  EXPECT_TRUE(debug.Contains("Failed : CDraw2DReader::Read File Not Found : missing.png\n"));
  reader->Release();
  // A reader without a file reader behaves the same.
  CDraw2DReader none(&m_Graphic, nullptr, "pic.png", 0);
  EXPECT_FALSE(none.IsLoaded());
}

// The author of the data learns which picture was refused and why, once a run
// however often the game reads it.
TEST_F(Draw2D, ARefusedPictureIsNamedOnTheErrorOutputOnceARun) {
  vesk_test::WriteFile("named-once.png", "\x89PNG\r\n\x1a\nbroken");
  testing::internal::CaptureStderr();
  for (int i = 0; i < 3; ++i) Load("named-once.png")->Release();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Failed : CDraw2DReader::Read Decode : named-once.png\n");
}

// A decode the load's meter stopped is refused as too slow; one a quit stopped is
// only a debug line, the file not being at fault.
TEST_F(Draw2D, APictureStoppedByItsLoadsMeterSaysWhy) {
  vesk_test::DebugCapture debug;
  {
    const platform::LoadMeter spent(0);
    Load("pic.png")->Release();
  }
  EXPECT_TRUE(debug.Contains("Failed : CDraw2DReader::Read Too Slow To Decode : pic.png\n"));
  platform::RequestLoadsStop();
  Load("pic.png")->Release();
  platform::LetLoadsRun();
  EXPECT_TRUE(debug.Contains("Failed : CDraw2DReader::Read Quit While Loading\n"));
  EXPECT_FALSE(debug.Contains("Failed : CDraw2DReader::Read Decode\n"));
}

TEST_F(Draw2D, UnloadedImageIsRefusedAndReleasedWithoutCrash) {
  vesk_test::DebugCapture debug;
  // Built over an image that failed: no image, and drawing does nothing.
  CDraw2D empty(&m_Graphic, Load("broken.png"));
  EXPECT_EQ(empty.GetDraw2DReader(), nullptr);
  EXPECT_TRUE(debug.Contains("Failed : CDraw2DReader::Read Decode : broken.png\n"));
  EXPECT_EQ(debug.lines().size(), 3u) << "the refusal, with the file's name, then the image refused";
  empty.Draw(0, 0, 255, nullptr, 1, 1, 0);
  empty.DrawAdd(0, 0, 255, nullptr, 1, 1, 0);
  empty.DrawSub(0, 0, 255, nullptr, 1, 1, 0);
  EXPECT_EQ(PresentedPixel(0, 0), kBackground);

  // Refusing a later image keeps the current one.
  CDraw2D image(&m_Graphic, Load("pic.png"));
  auto* kept = image.GetDraw2DReader();
  EXPECT_FALSE(image.SetDraw2DReader(Load("missing.png")));
  EXPECT_EQ(image.GetDraw2DReader(), kept);
  // Null removes the image.
  EXPECT_TRUE(image.SetDraw2DReader(nullptr));
  EXPECT_EQ(image.GetDraw2DReader(), nullptr);
  EXPECT_TRUE(image.SetDraw2DReader(Load("pic.png")));
  image.Draw(0, 0, 255, nullptr, 1, 1, 0);
  EXPECT_EQ(PresentedPixel(0, 0), 0xFFFF0000u);
}

TEST_F(Draw2D, RereadReplacesTheTexture) {
  auto* reader = Load("pic.png");
  CDraw2D image(&m_Graphic, reader);
  vesk_test::WriteFile("other.png", vesk_test::MakePngRgba(1, 1, {0xFF00FF00u}));
  EXPECT_TRUE(reader->Read("other.png", 0));
  ASSERT_NE(reader->GetTexture(), nullptr);
  EXPECT_EQ(reader->GetTexture()->Width(), 1);
  EXPECT_FALSE(reader->Read("broken.png", 0));
  EXPECT_FALSE(reader->IsLoaded());
  image.Draw(0, 0, 255, nullptr, 1, 1, 0);  // the holder has no texture now: nothing drawn
  EXPECT_EQ(PresentedPixel(0, 0), kBackground);
}

}  // namespace
