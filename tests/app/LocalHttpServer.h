#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace tessel {

using namespace Qt::StringLiterals;

// A tiny HTTP server on 127.0.0.1 that answers every request with the same status and body
// and then closes the connection.
class LocalHttpServer {
public:
    LocalHttpServer() {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] { serve(); });
    }

    void answer(int status, QByteArray body, QByteArray type = "application/json") {
        m_status = status;
        m_body = std::move(body);
        m_type = std::move(type);
    }

    QUrl url(const QString& path = u"/version.json"_s) const {
        return QUrl(u"http://127.0.0.1:%1%2"_s.arg(m_server.serverPort()).arg(path));
    }

    int requests() const { return m_requests; }

private:
    void serve() {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                m_pending[socket] += socket->readAll();
                if (!m_pending[socket].contains("\r\n\r\n")) {
                    return;
                }
                m_pending.remove(socket);
                ++m_requests;
                socket->write("HTTP/1.1 " + QByteArray::number(m_status) + " Whatever\r\n" +
                              "Content-Type: " + m_type +
                              "\r\nContent-Length: " + QByteArray::number(m_body.size()) +
                              "\r\nConnection: close\r\n\r\n" + m_body);
                socket->disconnectFromHost();
            });
        }
    }

    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_pending;
    int m_status = 200;
    QByteArray m_body;
    QByteArray m_type;
    int m_requests = 0;
};

} // namespace tessel
