#include "platform/x11/GlobalHotKeys.h"

#include "platform/x11/XConnection.h"

#include <array>
#include <optional>
#include <vector>

namespace tessel {

namespace {

constexpr uint8_t badAccess = 10;
constexpr std::array<uint16_t, 4> lockVariants{0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                               XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
constexpr uint16_t chordMask =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

std::optional<uint32_t> keysym(Qt::Key key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<uint32_t>(key - Qt::Key_A + 'a');
    }
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde) {
        return static_cast<uint32_t>(key); // Latin-1 keysyms share the character codes
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) {
        return 0xffbeu + static_cast<uint32_t>(key - Qt::Key_F1);
    }
    switch (key) {
    case Qt::Key_Return:
        return 0xff0d;
    case Qt::Key_Tab:
        return 0xff09;
    case Qt::Key_Escape:
        return 0xff1b;
    case Qt::Key_Backspace:
        return 0xff08;
    case Qt::Key_Delete:
        return 0xffff;
    case Qt::Key_Insert:
        return 0xff63;
    case Qt::Key_Home:
        return 0xff50;
    case Qt::Key_End:
        return 0xff57;
    case Qt::Key_PageUp:
        return 0xff55;
    case Qt::Key_PageDown:
        return 0xff56;
    case Qt::Key_Left:
        return 0xff51;
    case Qt::Key_Up:
        return 0xff52;
    case Qt::Key_Right:
        return 0xff53;
    case Qt::Key_Down:
        return 0xff54;
    default:
        return std::nullopt;
    }
}

// The first key whose unshifted or shifted symbol is the one asked for.
std::optional<uint8_t> keycodeFor(xcb_connection_t* connection, uint32_t symbol) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const uint8_t first = setup->min_keycode;
    const int count = setup->max_keycode - first + 1;
    XReply<xcb_get_keyboard_mapping_reply_t> mapping(xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, first, static_cast<uint8_t>(count)),
        nullptr));
    if (!mapping || mapping->keysyms_per_keycode == 0) {
        return std::nullopt;
    }
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int perKey = mapping->keysyms_per_keycode;
    for (int key = 0; key < count; ++key) {
        for (int column = 0; column < std::min(perKey, 2); ++column) {
            if (symbols[key * perKey + column] == symbol) {
                return static_cast<uint8_t>(first + key);
            }
        }
    }
    return std::nullopt;
}

uint16_t modifierMask(Qt::KeyboardModifiers modifiers) {
    uint16_t mask = 0;
    mask |= modifiers.testFlag(Qt::ShiftModifier) ? XCB_MOD_MASK_SHIFT : 0;
    mask |= modifiers.testFlag(Qt::ControlModifier) ? XCB_MOD_MASK_CONTROL : 0;
    mask |= modifiers.testFlag(Qt::AltModifier) ? XCB_MOD_MASK_1 : 0;
    mask |= modifiers.testFlag(Qt::MetaModifier) ? XCB_MOD_MASK_4 : 0;
    return mask;
}

} // namespace

GlobalHotKeys::GlobalHotKeys()
    : m_x(std::make_unique<XConnection>()) {
    m_x->addHandler(this, [this](const xcb_generic_event_t& event) {
        if ((event.response_type & 0x7f) == XCB_KEY_PRESS) {
            const auto& press = reinterpret_cast<const xcb_key_press_event_t&>(event);
            handle(press.detail, press.state);
        }
    });
}

GlobalHotKeys::~GlobalHotKeys() {
    for (const Binding& binding : std::as_const(m_bound)) {
        ungrab(binding);
    }
    m_x->flush();
}

HotKeys::Grab GlobalHotKeys::bind(const QString& name, QKeyCombination keys) {
    unbind(name);
    const auto symbol = keysym(keys.key());
    if (!m_x->isValid() || !symbol) {
        return Grab::unsupported;
    }
    const auto keycode = keycodeFor(m_x->get(), *symbol);
    if (!keycode) {
        return Grab::unsupported;
    }
    const Binding binding{*keycode, modifierMask(keys.keyboardModifiers())};
    std::vector<xcb_void_cookie_t> cookies;
    for (const uint16_t variant : lockVariants) {
        cookies.push_back(xcb_grab_key_checked(m_x->get(), 1, m_x->root(),
                                               binding.modifiers | variant, binding.keycode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    std::optional<Grab> failure;
    for (const xcb_void_cookie_t cookie : cookies) {
        if (XReply<xcb_generic_error_t> error{xcb_request_check(m_x->get(), cookie)}) {
            failure = error->error_code == badAccess ? Grab::taken : Grab::unsupported;
        }
    }
    if (failure) {
        ungrab(binding);
        m_x->flush();
        return *failure;
    }
    m_bound.insert(name, binding);
    return Grab::ok;
}

void GlobalHotKeys::unbind(const QString& name) {
    const auto found = m_bound.constFind(name);
    if (found == m_bound.constEnd()) {
        return;
    }
    const Binding binding = *found;
    m_bound.erase(found);
    // Another name may hold the same keys; its grab is the same grab and must stay.
    for (const Binding& other : std::as_const(m_bound)) {
        if (other.keycode == binding.keycode && other.modifiers == binding.modifiers) {
            return;
        }
    }
    ungrab(binding);
    m_x->flush();
}

void GlobalHotKeys::ungrab(const Binding& binding) {
    for (const uint16_t variant : lockVariants) {
        xcb_ungrab_key(m_x->get(), binding.keycode, m_x->root(), binding.modifiers | variant);
    }
}

void GlobalHotKeys::handle(uint8_t keycode, uint16_t state) const {
    const uint16_t chord = state & chordMask;
    for (auto it = m_bound.cbegin(); it != m_bound.cend(); ++it) {
        if (it->keycode == keycode && it->modifiers == chord) {
            trigger(it.key());
        }
    }
}

} // namespace tessel
