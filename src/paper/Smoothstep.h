#pragma once

namespace tessel {

// t² (3 - 2t), always evaluated in this order so that every caller rounds alike.
// Maps [0, 1] onto [0, 1].
inline float smoothstep(float t) {
    return t * t * (3.0f - 2.0f * t);
}

} // namespace tessel
