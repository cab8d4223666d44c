#include "FuzzInput.h"
#include "art/PictureDetails.h"

#include <QBuffer>

// Whatever the bytes, the walk ends without reading past them, and a year is four digits.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessel;
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    const PictureDetails details = readPictureDetails(file);
    fuzz::require(details.year.isEmpty() || details.year.size() == 4);
    return 0;
}
