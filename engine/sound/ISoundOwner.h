#pragma once
// ISoundOwner: the part of the sound manager the scene manager needs. At
// every scene switch every sound of the old scene is stopped and destroyed.
//
// Thread: called on the main thread.

namespace veru::sound {

class ISoundOwner {
  public:
    virtual ~ISoundOwner() = default;
    // Stops every sound held, destroys it and forgets it.
    virtual void stopAll() = 0;
};

}  // namespace veru::sound
