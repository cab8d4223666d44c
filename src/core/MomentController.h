#pragma once

namespace tessel {

// Rest moments and art when idle: the Store owns them and ticks each every five seconds.
class MomentController {
public:
    virtual ~MomentController() = default;
    virtual void tick() = 0;
    // Shows the moment at once, whatever the timers say: trying it from settings or the command
    // line.
    virtual void showNow() = 0;
};

} // namespace tessel
