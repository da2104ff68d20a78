#pragma once
// IEffecter: a small self-timed visual effect that its owner drives once per frame.
// Update advances it by the time passed and draws it, until it reports that it has
// finished.

namespace nsVesk::nsEffect {

class IEffecter {
 public:
  virtual ~IEffecter() = default;
  // Begins the effect, or begins it again from its start.
  virtual void Start() = 0;
  // Ends it at once.
  virtual void Stop() = 0;
  // Advances and draws it; nothing happens while it is not running.
  virtual void Update() = 0;
  virtual bool IsRunning() = 0;
};

}  // namespace nsVesk::nsEffect
