#include "platform/wayland/SwayIpc.h"

#include "platform/PlatformLog.h"

#include <QLocalSocket>

#include <cstring>

namespace tessel {

namespace {

constexpr char magic[] = "i3-ipc";
constexpr qsizetype magicSize = sizeof(magic) - 1;
// The magic, then the payload's length and the message type in native byte order.
constexpr qsizetype headerSize = magicSize + 2 * sizeof(uint32_t);

QByteArray frame(uint32_t type, const QByteArray& payload) {
    const auto length = static_cast<uint32_t>(payload.size());
    QByteArray bytes(magic, magicSize);
    bytes.append(reinterpret_cast<const char*>(&length), sizeof length);
    bytes.append(reinterpret_cast<const char*>(&type), sizeof type);
    return bytes + payload;
}

uint32_t wordAt(const QByteArray& bytes, qsizetype offset) {
    uint32_t word = 0;
    std::memcpy(&word, bytes.constData() + offset, sizeof word);
    return word;
}

} // namespace

SwayIpc::SwayIpc(const QString& socketPath, QObject* parent)
    : QObject(parent)
    , m_socket(new QLocalSocket(this)) {
    connect(m_socket, &QLocalSocket::connected, this, [this] {
        m_socket->write(m_pending);
        m_pending.clear();
    });
    connect(m_socket, &QLocalSocket::readyRead, this, &SwayIpc::readFrames);
    connect(m_socket, &QLocalSocket::errorOccurred, this, [this](QLocalSocket::LocalSocketError) {
        qCWarning(lcPlatform, "sway IPC: %s", qUtf8Printable(m_socket->errorString()));
    });
    m_socket->connectToServer(socketPath);
}

SwayIpc::~SwayIpc() = default;

void SwayIpc::send(Type type, const QByteArray& payload) {
    const QByteArray bytes = frame(type, payload);
    if (m_socket->state() == QLocalSocket::ConnectedState) {
        m_socket->write(bytes);
    } else {
        m_pending += bytes;
    }
}

void SwayIpc::readFrames() {
    m_unread += m_socket->readAll();
    while (m_unread.size() >= headerSize) {
        if (!m_unread.startsWith(magic)) {
            qCWarning(lcPlatform, "sway IPC: not an i3-ipc message; closing");
            m_socket->abort();
            m_unread.clear();
            return;
        }
        const qsizetype length = wordAt(m_unread, magicSize);
        if (m_unread.size() < headerSize + length) {
            return;
        }
        const uint32_t type = wordAt(m_unread, magicSize + sizeof(uint32_t));
        const QByteArray payload = m_unread.mid(headerSize, length);
        m_unread.remove(0, headerSize + length);
        Q_EMIT received(type, payload);
    }
}

} // namespace tessel
