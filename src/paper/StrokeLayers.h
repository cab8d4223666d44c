#pragma once

#include <cstdint>
#include <span>

namespace tessel {

// The two layers drawn with an antialiasing rasteriser: white marks on a black n × n grey
// bitmap, read back as byte / 255, so every value lies in [0, 1]. The draws are made in a
// y-up plane whose origin is the bottom-left corner; out is row-major with row 0 on top. If
// the bitmap cannot be made, out is all zeros and nothing is drawn from state.

// Which of a fibre's nine wrapped copies to stroke. Copies that miss the bitmap leave it
// untouched, so skipping them gives the same pixels; `all` is the plain way, kept to prove it.
enum class FibreCopies { all, onBitmap };

// count curved fibres, seven unit draws each, of mean length `length` and mean stroke width
// `width` in pixels. Each is stroked nine times, shifted by a whole tile each way, so fibres
// crossing an edge re-enter opposite.
void fibreBitmap(int n, int count, double length, double width, std::uint64_t& state,
                 std::span<float> out, FibreCopies copies = FibreCopies::onBitmap);

// count round flecks of radius 0.4 to 1.5 pixels, four unit draws each, kept 2 pixels off
// every edge so that they never need wrapping.
void fleckBitmap(int n, int count, std::uint64_t& state, std::span<float> out);

} // namespace tessel
