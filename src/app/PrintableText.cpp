#include "app/PrintableText.h"

#include "paper/PaperName.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tessel {

namespace {

constexpr std::array<std::pair<char16_t, const char*>, 5> namedEscapes{{
    {u'\\', "\\\\"},
    {u'\t', "\\t"},
    {u'\n', "\\n"},
    {u'\r', "\\r"},
    {u'\x1b', "\\e"},
}};
constexpr int hexBase = 16;

} // namespace

QString printable(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const auto named = std::find_if(namedEscapes.cbegin(), namedEscapes.cend(),
                                        [c](const auto& escape) { return escape.first == c; });
        if (named != namedEscapes.cend()) {
            out += QLatin1String(named->second);
        } else if (c.category() == QChar::Other_Control || reordersText(c)) {
            out += QStringLiteral("\\u{%1}").arg(static_cast<uint>(c.unicode()), 0, hexBase);
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace tessel
