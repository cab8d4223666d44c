#include "shortcuts/ShortcutKeys.h"

#include <QKeySequence>
#include <QStringList>

#include <array>
#include <nlohmann/json.hpp>
#include <utility>

namespace tessel {

namespace {

using Json = nlohmann::ordered_json;

constexpr int carbonCommand = 256;
constexpr int carbonShift = 512;
constexpr int carbonOption = 2048;
constexpr int carbonControl = 4096;

struct ModifierBit {
    Qt::KeyboardModifier qt;
    int carbon;
    const char* name;
};

constexpr std::array<ModifierBit, 4> modifierBits{{
    {Qt::ControlModifier, carbonControl, "Ctrl"},
    {Qt::AltModifier, carbonOption, "Alt"},
    {Qt::ShiftModifier, carbonShift, "Shift"},
    {Qt::MetaModifier, carbonCommand, "Super"},
}};

// The classic virtual key codes of the keys a shortcut may use.
constexpr std::pair<Qt::Key, int> carbonCodes[] = {
    {Qt::Key_A, 0x00},      {Qt::Key_S, 0x01},         {Qt::Key_D, 0x02},
    {Qt::Key_F, 0x03},      {Qt::Key_H, 0x04},         {Qt::Key_G, 0x05},
    {Qt::Key_Z, 0x06},      {Qt::Key_X, 0x07},         {Qt::Key_C, 0x08},
    {Qt::Key_V, 0x09},      {Qt::Key_B, 0x0B},         {Qt::Key_Q, 0x0C},
    {Qt::Key_W, 0x0D},      {Qt::Key_E, 0x0E},         {Qt::Key_R, 0x0F},
    {Qt::Key_Y, 0x10},      {Qt::Key_T, 0x11},         {Qt::Key_1, 0x12},
    {Qt::Key_2, 0x13},      {Qt::Key_3, 0x14},         {Qt::Key_4, 0x15},
    {Qt::Key_6, 0x16},      {Qt::Key_5, 0x17},         {Qt::Key_Equal, 0x18},
    {Qt::Key_9, 0x19},      {Qt::Key_7, 0x1A},         {Qt::Key_Minus, 0x1B},
    {Qt::Key_8, 0x1C},      {Qt::Key_0, 0x1D},         {Qt::Key_BracketRight, 0x1E},
    {Qt::Key_O, 0x1F},      {Qt::Key_U, 0x20},         {Qt::Key_BracketLeft, 0x21},
    {Qt::Key_I, 0x22},      {Qt::Key_P, 0x23},         {Qt::Key_Return, 0x24},
    {Qt::Key_L, 0x25},      {Qt::Key_J, 0x26},         {Qt::Key_Apostrophe, 0x27},
    {Qt::Key_K, 0x28},      {Qt::Key_Semicolon, 0x29}, {Qt::Key_Backslash, 0x2A},
    {Qt::Key_Comma, 0x2B},  {Qt::Key_Slash, 0x2C},     {Qt::Key_N, 0x2D},
    {Qt::Key_M, 0x2E},      {Qt::Key_Period, 0x2F},    {Qt::Key_Tab, 0x30},
    {Qt::Key_Space, 0x31},  {Qt::Key_QuoteLeft, 0x32}, {Qt::Key_Backspace, 0x33},
    {Qt::Key_Escape, 0x35}, {Qt::Key_F5, 0x60},        {Qt::Key_F6, 0x61},
    {Qt::Key_F7, 0x62},     {Qt::Key_F3, 0x63},        {Qt::Key_F8, 0x64},
    {Qt::Key_F9, 0x65},     {Qt::Key_F11, 0x67},       {Qt::Key_F10, 0x6D},
    {Qt::Key_F12, 0x6F},    {Qt::Key_Insert, 0x72},    {Qt::Key_Home, 0x73},
    {Qt::Key_PageUp, 0x74}, {Qt::Key_Delete, 0x75},    {Qt::Key_F4, 0x76},
    {Qt::Key_End, 0x77},    {Qt::Key_F2, 0x78},        {Qt::Key_PageDown, 0x79},
    {Qt::Key_F1, 0x7A},
};

std::optional<int> carbonCode(Qt::Key key) {
    for (const auto& [qt, carbon] : carbonCodes) {
        if (qt == key) {
            return carbon;
        }
    }
    return std::nullopt;
}

std::optional<Qt::Key> qtKey(int carbon) {
    for (const auto& [qt, code] : carbonCodes) {
        if (code == carbon) {
            return qt;
        }
    }
    return std::nullopt;
}

std::optional<Qt::KeyboardModifier> modifierNamed(const QString& word) {
    const QString name = word.toLower();
    if (name == u"ctrl" || name == u"control") {
        return Qt::ControlModifier;
    }
    if (name == u"alt" || name == u"option") {
        return Qt::AltModifier;
    }
    if (name == u"shift") {
        return Qt::ShiftModifier;
    }
    if (name == u"super" || name == u"meta" || name == u"cmd" || name == u"command") {
        return Qt::MetaModifier;
    }
    return std::nullopt;
}

bool isFunctionKey(Qt::Key key) {
    return key >= Qt::Key_F1 && key <= Qt::Key_F12;
}

bool usable(QKeyCombination keys) {
    if (!carbonCode(keys.key())) {
        return false;
    }
    const Qt::KeyboardModifiers chord = keys.keyboardModifiers() & ~Qt::ShiftModifier;
    return chord != Qt::NoModifier || isFunctionKey(keys.key());
}

} // namespace

std::optional<QKeyCombination> ShortcutKeys::parse(const QString& text) {
    const QStringList parts = text.split(u'+');
    Qt::KeyboardModifiers modifiers;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const auto modifier = modifierNamed(parts[i].trimmed());
        if (!modifier || modifiers.testFlag(*modifier)) {
            return std::nullopt;
        }
        modifiers |= *modifier;
    }
    const QKeySequence sequence =
        QKeySequence::fromString(parts.last().trimmed(), QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].keyboardModifiers() != Qt::NoModifier) {
        return std::nullopt;
    }
    const QKeyCombination keys(modifiers, sequence[0].key());
    return usable(keys) ? std::optional(keys) : std::nullopt;
}

QString ShortcutKeys::format(QKeyCombination keys) {
    QStringList parts;
    for (const ModifierBit& bit : modifierBits) {
        if (keys.keyboardModifiers().testFlag(bit.qt)) {
            parts << QString::fromLatin1(bit.name);
        }
    }
    parts << QKeySequence(keys.key()).toString(QKeySequence::PortableText);
    return parts.join(u'+');
}

std::optional<Json> ShortcutKeys::toJson(QKeyCombination keys) {
    const auto code = carbonCode(keys.key());
    if (!code) {
        return std::nullopt;
    }
    int modifiers = 0;
    for (const ModifierBit& bit : modifierBits) {
        if (keys.keyboardModifiers().testFlag(bit.qt)) {
            modifiers |= bit.carbon;
        }
    }
    return Json{{"carbonKeyCode", *code}, {"carbonModifiers", modifiers}};
}

std::optional<QKeyCombination> ShortcutKeys::fromJson(const Json& json) {
    if (!json.is_object() || !json.contains("carbonKeyCode") ||
        !json["carbonKeyCode"].is_number_integer() || !json.contains("carbonModifiers") ||
        !json["carbonModifiers"].is_number_integer()) {
        return std::nullopt;
    }
    const auto key = qtKey(json["carbonKeyCode"].get<int>());
    if (!key) {
        return std::nullopt;
    }
    const int bits = json["carbonModifiers"].get<int>();
    Qt::KeyboardModifiers modifiers;
    for (const ModifierBit& bit : modifierBits) {
        if ((bits & bit.carbon) != 0) {
            modifiers |= bit.qt;
        }
    }
    const QKeyCombination keys(modifiers, *key);
    return usable(keys) ? std::optional(keys) : std::nullopt;
}

} // namespace tessel
