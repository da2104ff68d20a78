#pragma once
// Where the 800x600 frame is shown in a window or screen of another size: scaled
// as large as fits, keeping its shape, and centred, with black bars at the sides
// or at the top and bottom. The presenter draws the frame into this rectangle and
// the cursor is mapped back through it, so both agree pixel for pixel.

namespace platform {

struct FrameRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The frame's rectangle in an output of the given size; the whole output when it
// is empty.
FrameRect LetterboxFrame(int outputWidth, int outputHeight);

// A point of the output in frame pixels (rounded down), not clamped to the frame.
// In an empty output a point is its own.
void OutputPointToFrame(int outputWidth, int outputHeight, int x, int y, int& frameX, int& frameY);

}  // namespace platform
