#include "FuzzInput.h"
#include "paper/JsonText.h"
#include "paper/PaperDocument.h"

#include <nlohmann/json.hpp>

// Whatever the reader accepts, it writes back as a document that reads as the same paper.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessel;
    const auto document = parseJsonText(fuzz::textOf(data, size));
    if (!document) {
        return 0;
    }
    const auto paper = customPaperFromJson(*document);
    if (!paper) {
        return 0;
    }
    const auto written = parseJsonText(toJson(*paper).dump());
    fuzz::require(written && customPaperFromJson(*written) == paper);
    return 0;
}
