#pragma once

namespace tessel {

// Rest moments and art when idle: the Store owns them and ticks each every five seconds.
class MomentController {
public:
    virtual ~MomentController() = default;
    virtual void tick() = 0;
};

} // namespace tessel
