#include "app/Feed.h"
#include "paper/JsonText.h"

#include <gtest/gtest.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

TEST(Feed, RefusesAnythingElseAndComparesVersionsNumerically) {
    for (const char* body : {
             "",
             "<html><body>Not Found</body></html>",
             R"(["1.4", "https://corvane.com"])",
             R"({"url": "https://corvane.com"})",
             R"({"version": "1.4"})",
             R"({"version": 1.4, "url": "https://corvane.com"})",
             R"({"version": "1.4", "url": "/download"})",
             R"({"version": "1.4", "url": "https://exa mple.com"})",
             R"({"version": "1.4", "url": "https://corvane.com", "notes": 3})",
             R"({"version": "1.4", "url": "https://corvane.com")",
         }) {
        EXPECT_FALSE(Feed::decode(body)) << body;
    }

    // Bodies too large or too deep.
    const QByteArray feed = R"({"version": "1.4", "url": "https://corvane.com"})";
    const QByteArray atLimit = feed + QByteArray(Feed::maxBodyBytes - feed.size(), ' ');
    EXPECT_TRUE(Feed::decode(atLimit));
    EXPECT_FALSE(Feed::decode(atLimit + ' '));

    const qsizetype depth = 2 * maxJsonDepth;
    const QByteArray deep = R"({"version": "1.4", "url": "https://corvane.com", "x": )" +
                            QByteArray(depth, '[') + QByteArray(depth, ']') + '}';
    EXPECT_FALSE(Feed::decode(deep));

    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    for (const auto& [a, b, expected] :
         {Case{"1.10", "1.9", 1}, Case{"1.2", "1.2", 0}, Case{"1.1", "1.2", -1},
          Case{"1.0", "0", 1}, Case{"1.2.1", "1.2", 1}, Case{"2", "10", -1}, Case{"1.02", "1.2", 0},
          Case{"1.2b", "1.2a", 1}, Case{"99999999999999999999.1", "99999999999999999998.9", 1},
          Case{"", "0", -1}}) {
        const int order = compareVersions(QString::fromLatin1(a), QString::fromLatin1(b));
        EXPECT_EQ((order > 0) - (order < 0), expected) << a << " vs " << b;
        const int reverse = compareVersions(QString::fromLatin1(b), QString::fromLatin1(a));
        EXPECT_EQ((reverse > 0) - (reverse < 0), -expected) << b << " vs " << a;
    }
}

} // namespace
} // namespace tessel
