#include "httpserver.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace ZuvoTest {

HttpServer::HttpServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &HttpServer::onConnection);
}

HttpServer::~HttpServer()
{
    m_server.close();
}

bool HttpServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

quint16 HttpServer::port() const
{
    return m_server.serverPort();
}

QUrl HttpServer::url(const QString &pathAndQuery) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(pathAndQuery));
}

void HttpServer::route(const QByteArray &path, const Response &response)
{
    m_routes.insert(path, response);
}

void HttpServer::onConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        m_pending.insert(socket, QByteArray());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            m_busy.removeAll(socket);
            socket->deleteLater();
        });
    }
}

void HttpServer::onReadyRead(QTcpSocket *socket)
{
    QByteArray &buffer = m_pending[socket];
    buffer.append(socket->readAll());
    if (buffer.size() > 64 * 1024) { // no test sends requests that large
        socket->abort();
        return;
    }
    const int end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QByteArray head = buffer.left(end);
    buffer.remove(0, end + 4);
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    const QByteArray target = requestLine.value(1);
    m_requests.append(target);
    m_lastHeaders.clear();
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const int colon = line.indexOf(':');
        if (colon > 0)
            m_lastHeaders.insert(line.left(colon).trimmed().toLower(),
                                 line.mid(colon + 1).trimmed());
    }
    QByteArray path = target;
    const int query = path.indexOf('?');
    if (query >= 0)
        path.truncate(query);

    Response response;
    if (m_routes.contains(target))
        response = m_routes.value(target);
    else if (m_routes.contains(path))
        response = m_routes.value(path);
    else {
        response.status = 404;
        response.reason = "Not Found";
        response.contentType = "text/html";
        response.body = "<html><body>not here</body></html>";
    }
    m_busy.append(socket);
    m_maxConcurrent = qMax(m_maxConcurrent, int(m_busy.size()));
    if (response.silent)
        return;
    if (response.delayMs > 0) {
        QPointer<QTcpSocket> guard(socket);
        ++m_delayed;
        QTimer::singleShot(response.delayMs, this, [this, guard, response] {
            --m_delayed;
            if (guard)
                answer(guard, response);
        });
        return;
    }
    answer(socket, response);
}

void HttpServer::answer(QTcpSocket *socket, const Response &response)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + response.reason +
        "\r\nContent-Type: " + response.contentType + "\r\n";
    if (response.chunked)
        head += "Transfer-Encoding: chunked\r\n";
    else
        head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    for (const auto &field : response.headers)
        head += field.first + ": " + field.second + "\r\n";
    head += "\r\n";
    socket->write(head);
    if (response.chunked) {
        for (qsizetype at = 0; at < response.body.size(); at += 1024) {
            const QByteArray piece = response.body.mid(at, 1024);
            socket->write(QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n");
        }
        socket->write("0\r\n\r\n");
    } else {
        socket->write(response.body);
    }
    finishRequest(socket);
}

void HttpServer::finishRequest(QTcpSocket *socket)
{
    m_busy.removeAll(socket);
}

} // namespace ZuvoTest
