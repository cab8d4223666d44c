#include "FuzzInput.h"
#include "core/SettingsJson.h"
#include "paper/JsonText.h"

#include <nlohmann/json.hpp>

// Whatever the reader accepts, it writes back as text that reads as the same settings.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessel;
    const auto document = parseJsonText(fuzz::textOf(data, size));
    if (!document) {
        return 0;
    }
    const auto settings = settingsFromJson(*document);
    if (!settings) {
        return 0;
    }
    const auto written = parseJsonText(toJson(*settings).dump());
    fuzz::require(written && settingsFromJson(*written) == settings);
    return 0;
}
