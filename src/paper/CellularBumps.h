#pragma once

#include <cstdint>
#include <span>

namespace tessel {

// Periodic cellular bumps: one jittered feature point per cell of an m × m grid that wraps
// over n pixels, each raising a smoothstep dome that falls to 0 at 1/1.1 cell from its centre.
// cellSize is in pixels and acts as at least 2; a cell size above n/2 gives one cell.
// Draws two unit values per cell (m² cells, row-major). Fills out (n × n) with values in
// [0, 1].
void cellularBumps(int n, int cellSize, std::uint64_t& state, std::span<float> out);

} // namespace tessel
