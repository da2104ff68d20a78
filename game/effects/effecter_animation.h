#pragma once
// cEffecterAnimation: a frame animation drawn centred on a point. Each frame is a
// part of a named image of an image table; a frame stays for frameTime
// milliseconds (at most one step per update), and the animation ends after its
// last frame. Loaded from an animation file:
//   [Animations] AnimationNum (frames), BaseScaling (percent, default 100)
//   [Animation<i>] AnimationFileName, AnimationSrcRect_Left/_Top/_Right/_Bottom
// Copies share the image table and copy everything else, the stopwatch included.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/timer/timer.h"
#include "game/effects/effecter.h"

namespace nsVesk {
class cImageTable;
}

namespace nsVesk::nsEffect {

class cEffecterAnimation : public IEffecter {
 public:
  struct Frame {
    std::string image;  // the image's file name, also its name in the table
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
  };

  // Draws from (and loads into) the table, which it does not own.
  explicit cEffecterAnimation(cImageTable* images);
  cEffecterAnimation(const cEffecterAnimation&) = default;
  cEffecterAnimation& operator=(const cEffecterAnimation&) = default;
  ~cEffecterAnimation() override = default;

  // Replaces the frames and the base scale with those of the file, and loads each
  // frame's image into the table under its file name (a name already there is
  // kept). A missing file or key gives no frames: the animation never runs.
  void Load(const std::string& file);
  void SetFrameTime(int milliseconds) { m_FrameTime = milliseconds; }
  // The point the frames are centred on.
  void SetPair(int x, int y);
  void SetPosition(int x, int y) { SetPair(x, y); }

  // From frame 0 with the stopwatch restarted.
  void Start() override;
  void Stop() override { m_Frame = -1; }
  // Draws the current frame at alpha 255 scaled by the base scale times the scale,
  // then steps to the next frame once it has stayed longer than the frame time. A
  // frame whose image is not in the table draws nothing; the timing goes on.
  void Update() override;
  // While the current frame lies within the frames.
  bool IsRunning() override;

  int GetFrame() const { return m_Frame; }
  const std::vector<Frame>& GetFrames() const { return m_Frames; }
  float GetBaseScale() const { return m_BaseScale; }

 private:
  nsZarn::nsTimer::Timer m_Timer;
  int m_FrameTime = 16;
  int m_X = 0;
  int m_Y = 0;
  int m_Frame = -1;
  float m_BaseScale = 1.0f;
  float m_Scale = 1.0f;
  std::vector<Frame> m_Frames;
  cImageTable* m_Images;
};

}  // namespace nsVesk::nsEffect
