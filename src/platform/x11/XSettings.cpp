#include "platform/x11/XSettings.h"

#include "platform/x11/XProperties.h"

#include <QtEndian>

namespace tessel {

namespace {

enum SettingType : quint8 { integerSetting = 0, textSetting = 1, colourSetting = 2 };

constexpr int headerBytes = 12;
constexpr int integerBytes = 4;
constexpr int colourBytes = 8;

qsizetype padded(qsizetype length) {
    return (length + 3) & ~qsizetype{3};
}

// Reads the property front to back in the byte order it declares.
class Reader {
public:
    explicit Reader(const QByteArray& data)
        : m_data(data)
        , m_bigEndian(!data.isEmpty() && data[0] != 0) {}

    bool has(qsizetype bytes) const { return m_at + bytes <= m_data.size(); }
    void skip(qsizetype bytes) { m_at += bytes; }
    quint8 byte() { return static_cast<quint8>(m_data[m_at++]); }
    quint16 card16() { return static_cast<quint16>(number(2)); }
    quint32 card32() { return number(4); }
    QByteArray bytes(qsizetype length) {
        const QByteArray result = m_data.mid(m_at, length);
        m_at += padded(length);
        return result;
    }

private:
    quint32 number(int size) {
        const uchar* at = reinterpret_cast<const uchar*>(m_data.constData()) + m_at;
        m_at += size;
        if (size == 2) {
            return m_bigEndian ? qFromBigEndian<quint16>(at) : qFromLittleEndian<quint16>(at);
        }
        return m_bigEndian ? qFromBigEndian<quint32>(at) : qFromLittleEndian<quint32>(at);
    }

    const QByteArray& m_data;
    bool m_bigEndian;
    qsizetype m_at = 0;
};

} // namespace

QHash<QByteArray, QString> xsettingsTexts(const QByteArray& property) {
    QHash<QByteArray, QString> texts;
    Reader reader(property);
    if (!reader.has(headerBytes)) {
        return texts;
    }
    reader.skip(8);
    quint32 count = reader.card32();
    while (count-- > 0 && reader.has(4)) {
        const quint8 type = reader.byte();
        reader.skip(1);
        const quint16 nameLength = reader.card16();
        if (!reader.has(padded(nameLength) + 4)) {
            break;
        }
        const QByteArray name = reader.bytes(nameLength);
        reader.skip(4); // the serial of its last change
        if (type == textSetting) {
            if (!reader.has(4)) {
                break;
            }
            const quint32 length = reader.card32();
            if (!reader.has(padded(length))) {
                break;
            }
            texts.insert(name, QString::fromUtf8(reader.bytes(length)));
        } else {
            const int size = type == integerSetting ? integerBytes : colourBytes;
            if (!reader.has(size)) {
                break;
            }
            reader.skip(size);
        }
    }
    return texts;
}

XSettings::XSettings(XConnection& x)
    : m_x(x) {
    if (!m_x.isValid()) {
        return;
    }
    m_selection =
        m_x.atom(QByteArrayLiteral("_XSETTINGS_S") + QByteArray::number(m_x.screenNumber()));
    m_property = m_x.atom("_XSETTINGS_SETTINGS");
    const xcb_atom_t managerMessage = m_x.atom("MANAGER");
    m_x.watchRootProperties();
    m_x.addHandler(this, [this, managerMessage](const xcb_generic_event_t& event) {
        switch (event.response_type & 0x7f) {
        case XCB_PROPERTY_NOTIFY: {
            const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
            if (notify.window == m_manager && notify.atom == m_property) {
                readSettings();
            }
            break;
        }
        case XCB_DESTROY_NOTIFY:
            if (reinterpret_cast<const xcb_destroy_notify_event_t&>(event).window == m_manager) {
                findManager();
            }
            break;
        case XCB_CLIENT_MESSAGE: {
            const auto& message = reinterpret_cast<const xcb_client_message_event_t&>(event);
            if (message.type == managerMessage && message.data.data32[1] == m_selection) {
                findManager();
            }
            break;
        }
        default:
            break;
        }
    });
    findManager();
}

std::optional<QString> XSettings::text(const QByteArray& name) const {
    const auto it = m_texts.constFind(name);
    return it == m_texts.constEnd() ? std::nullopt : std::optional(*it);
}

void XSettings::findManager() {
    const XReply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        m_x.get(), xcb_get_selection_owner(m_x.get(), m_selection), nullptr));
    m_manager = owner ? owner->owner : xcb_window_t{XCB_WINDOW_NONE};
    if (m_manager != XCB_WINDOW_NONE) {
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_x.get(), m_manager, XCB_CW_EVENT_MASK, &mask);
        m_x.flush();
    }
    readSettings();
}

void XSettings::readSettings() {
    QHash<QByteArray, QString> texts =
        xsettingsTexts(xprop::text(m_x, m_manager, "_XSETTINGS_SETTINGS").value_or(QByteArray()));
    if (texts != m_texts) {
        m_texts = std::move(texts);
        Q_EMIT changed();
    }
}

} // namespace tessel
