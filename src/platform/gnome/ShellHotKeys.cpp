#include "platform/gnome/ShellHotKeys.h"

#include "platform/gnome/ShellExtension.h"

#include <utility>

namespace tessel {

namespace {

// Keys whose name in GTK's accelerators is not the character they type.
constexpr std::pair<Qt::Key, const char16_t*> namedKeys[] = {
    {Qt::Key_Space, u"space"},
    {Qt::Key_Comma, u"comma"},
    {Qt::Key_Period, u"period"},
    {Qt::Key_Slash, u"slash"},
    {Qt::Key_Minus, u"minus"},
    {Qt::Key_Equal, u"equal"},
    {Qt::Key_Semicolon, u"semicolon"},
    {Qt::Key_Apostrophe, u"apostrophe"},
    {Qt::Key_BracketLeft, u"bracketleft"},
    {Qt::Key_BracketRight, u"bracketright"},
    {Qt::Key_Backslash, u"backslash"},
    {Qt::Key_QuoteLeft, u"grave"},
    {Qt::Key_Return, u"Return"},
    {Qt::Key_Tab, u"Tab"},
    {Qt::Key_Escape, u"Escape"},
    {Qt::Key_Backspace, u"BackSpace"},
    {Qt::Key_Delete, u"Delete"},
    {Qt::Key_Insert, u"Insert"},
    {Qt::Key_Home, u"Home"},
    {Qt::Key_End, u"End"},
    {Qt::Key_PageUp, u"Page_Up"},
    {Qt::Key_PageDown, u"Page_Down"},
    {Qt::Key_Left, u"Left"},
    {Qt::Key_Up, u"Up"},
    {Qt::Key_Right, u"Right"},
    {Qt::Key_Down, u"Down"},
};

constexpr std::pair<Qt::KeyboardModifier, const char16_t*> modifierNames[] = {
    {Qt::MetaModifier, u"<Super>"},
    {Qt::ControlModifier, u"<Control>"},
    {Qt::AltModifier, u"<Alt>"},
    {Qt::ShiftModifier, u"<Shift>"},
};

std::optional<QString> keyName(Qt::Key key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return QString(QChar(key)).toLower();
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) {
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    }
    for (const auto& [named, name] : namedKeys) {
        if (named == key) {
            return QString::fromUtf16(name);
        }
    }
    return std::nullopt;
}

} // namespace

ShellHotKeys::ShellHotKeys(ShellExtension& shell)
    : m_shell(shell) {
    connect(&m_shell, &ShellExtension::acceleratorActivated, this,
            [this](const QString& name) { trigger(name); });
    connect(&m_shell, &ShellExtension::runningChanged, this, &ShellHotKeys::grabAll);
}

std::optional<QString> ShellHotKeys::accelerator(QKeyCombination keys) {
    const std::optional<QString> key = keyName(keys.key());
    if (!key) {
        return std::nullopt;
    }
    QString accelerator;
    for (const auto& [modifier, name] : modifierNames) {
        if (keys.keyboardModifiers().testFlag(modifier)) {
            accelerator += QString::fromUtf16(name);
        }
    }
    return accelerator + *key;
}

HotKeys::Grab ShellHotKeys::bind(const QString& name, QKeyCombination keys) {
    unbind(name);
    const std::optional<QString> wanted = accelerator(keys);
    if (!wanted) {
        return Grab::unsupported;
    }
    m_wanted.insert(name, *wanted);
    if (!m_shell.isRunning()) {
        return Grab::unsupported;
    }
    if (!m_shell.grabAccelerator(name, *wanted)) {
        m_wanted.remove(name);
        return Grab::taken;
    }
    return Grab::ok;
}

void ShellHotKeys::unbind(const QString& name) {
    if (m_wanted.remove(name) && m_shell.isRunning()) {
        m_shell.ungrabAccelerator(name);
    }
}

void ShellHotKeys::grabAll() {
    if (!m_shell.isRunning()) {
        return;
    }
    for (auto it = m_wanted.cbegin(); it != m_wanted.cend(); ++it) {
        m_shell.grabAccelerator(it.key(), it.value());
    }
}

} // namespace tessel
