#pragma once

#include <QString>

namespace tessel {

// One field of a line of command output. Control characters and characters that reorder
// text become escapes (\t, \n, \r, \e, or \u{hex}) and a backslash is doubled, so a name can
// neither split the line or its tab-separated fields nor drive the terminal, and the
// original stays readable.
QString printable(const QString& text);

} // namespace tessel
