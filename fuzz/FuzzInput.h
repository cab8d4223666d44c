#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace tessel::fuzz {

inline std::string_view textOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A broken promise is a crash, so that libFuzzer keeps the input that showed it.
inline void require(bool promise) {
    if (!promise) {
        std::abort();
    }
}

} // namespace tessel::fuzz
