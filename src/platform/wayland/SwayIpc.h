#pragma once

#include <QByteArray>
#include <QObject>

#include <cstdint>

class QLocalSocket;

namespace tessel {

// One connection to sway's IPC socket ($SWAYSOCK), read in the event loop: messages go out
// framed as i3-ipc, replies and events come back as whole payloads.
class SwayIpc final : public QObject {
    Q_OBJECT

public:
    enum Type : uint32_t {
        subscribe = 2,
        getTree = 4,
    };
    // Events carry their kind with this bit set.
    static constexpr uint32_t eventBit = 0x80000000U;

    explicit SwayIpc(const QString& socketPath, QObject* parent = nullptr);
    ~SwayIpc() override;

    // Queued until the socket is connected.
    void send(Type type, const QByteArray& payload = {});

Q_SIGNALS:
    void received(uint32_t type, const QByteArray& payload);

private:
    void readFrames();

    QLocalSocket* m_socket;
    QByteArray m_pending;
    QByteArray m_unread;
};

} // namespace tessel
