#include "FuzzInput.h"
#include "app/Feed.h"

// The feed's version is compared with ours both ways round; the answers must agree.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessel;
    const QByteArray body =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto feed = Feed::decode(body)) {
        const QString ours = QStringLiteral(TESSEL_VERSION);
        fuzz::require((compareVersions(feed->version, ours) < 0) ==
                      (compareVersions(ours, feed->version) > 0));
    }
    return 0;
}
