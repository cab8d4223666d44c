#pragma once

#include <QString>

namespace tessel {

// Longer names are cut: a name shares one line with other text wherever it is shown.
inline constexpr qsizetype maxPaperNameLength = 100;

// Left-to-right and right-to-left embeddings, overrides and isolates: text holding one can
// make what follows it on the same line read backwards.
bool reordersText(QChar c);

// A name from a shared document or a text field, made plain: control characters become
// spaces, characters that reorder text (bidi embeddings, overrides and isolates) go, runs of
// whitespace become one space, and the ends are trimmed. Keeps at most maxPaperNameLength
// UTF-16 units, never half a surrogate pair. May be empty.
QString cleanPaperName(const QString& name);

} // namespace tessel
