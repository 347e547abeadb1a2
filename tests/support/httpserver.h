#ifndef ZUVO_TESTS_SUPPORT_HTTPSERVER_H
#define ZUVO_TESTS_SUPPORT_HTTPSERVER_H

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

namespace ZuvoTest {

// A small HTTP/1.1 server on 127.0.0.1 with an ephemeral port, for tests that
// fetch over the network. Every path answers as it was routed; unknown paths
// get 404. It lives in the thread that created it and answers from that
// thread's event loop.
class HttpServer : public QObject
{
    Q_OBJECT
public:
    struct Response
    {
        int status = 200;
        QByteArray reason = "OK";
        QByteArray contentType = "application/octet-stream";
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers; // sent after the usual ones
        bool chunked = false; // Transfer-Encoding: chunked, in pieces of 1 KiB
        bool silent = false; // read the request, never answer
        int delayMs = 0; // wait this long before answering
    };

    explicit HttpServer(QObject *parent = nullptr);
    ~HttpServer() override;

    bool listen();
    quint16 port() const;
    // http://127.0.0.1:<port><path>
    QUrl url(const QString &pathAndQuery) const;

    void route(const QByteArray &path, const Response &response);

    // Request targets as received ("/a.png?x=1"), in arrival order.
    QList<QByteArray> requests() const { return m_requests; }
    // The header fields of the last request, names lower-cased.
    QHash<QByteArray, QByteArray> lastHeaders() const { return m_lastHeaders; }
    // The most requests that were being answered at the same moment.
    int maxConcurrent() const { return m_maxConcurrent; }
    // Delayed answers whose time has not come yet (the client may have gone).
    int delayedPending() const { return m_delayed; }

private:
    void onConnection();
    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const Response &response);
    void finishRequest(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QByteArray, Response> m_routes;
    int m_delayed = 0;
    QHash<QTcpSocket *, QByteArray> m_pending; // bytes of requests not yet complete
    QList<QTcpSocket *> m_busy; // requests received and not yet answered
    QList<QByteArray> m_requests;
    QHash<QByteArray, QByteArray> m_lastHeaders;
    int m_maxConcurrent = 0;
};

} // namespace ZuvoTest

#endif
