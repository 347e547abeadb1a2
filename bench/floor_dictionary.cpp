// The floor of the look-up program's start-up: the least a Qt widget program
// can do for the same user-visible result. A word box whose completion list
// (a list view over a string model) holds the same words as the bundled
// dictionary, shown, and one copy per socket name: the first start listens on
// a QLocalServer and answers a framed "WakeUp" with one acknowledgement byte,
// a second start hands it "WakeUp" and ends (status 0 once acknowledged).
//
//   floor_dictionary <socket name> <word file, UTF-8, one word a line>
//
// Not a benchmark of its own (the name keeps `make bench` from running it):
// bench_dictionary starts it exactly as it starts the real program.

#include <QApplication>
#include <QCompleter>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringListModel>
#include <QVBoxLayout>
#include <QWidget>
#include <QtEndian>

namespace {

const char AckByte = '\x06';

QByteArray frame(const QByteArray &payload)
{
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), out.data());
    return out + payload;
}

// A second start: true once the running copy has acknowledged the message.
bool sendWakeUp(QLocalSocket &socket)
{
    socket.write(frame("WakeUp"));
    if (!socket.waitForBytesWritten(5000))
        return false;
    if (socket.bytesAvailable() < 1 && !socket.waitForReadyRead(5000))
        return false;
    return socket.read(1) == QByteArray(1, AckByte);
}

// Answers a whole frame with the acknowledgement, as the real program does.
void serve(QLocalServer &server, QWidget &window)
{
    QObject::connect(&server, &QLocalServer::newConnection, &server, [&server, &window]() {
        while (QLocalSocket *socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            auto read = [socket, &window]() {
                const QByteArray head = socket->peek(4);
                if (head.size() < 4)
                    return;
                const quint32 length = qFromBigEndian<quint32>(head.constData());
                if (length > 64 * 1024) {
                    socket->abort();
                    return;
                }
                if (socket->bytesAvailable() < 4 + qint64(length))
                    return;
                socket->read(4 + qint64(length));
                socket->write(&AckByte, 1);
                socket->flush();
                socket->disconnectFromServer();
                window.raise();
                window.activateWindow();
            };
            QObject::connect(socket, &QLocalSocket::readyRead, socket, read);
            read();
        }
    });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return 2;
    const QString serverName = args.at(1);

    // A copy that answers is running: hand it the message and end.
    {
        QLocalSocket socket;
        socket.connectToServer(serverName);
        if (socket.waitForConnected(0) || socket.state() == QLocalSocket::ConnectedState)
            return sendWakeUp(socket) ? 0 : 1;
    }

    QFile file(args.at(2));
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    const QStringList words = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *edit = new QLineEdit(&window);
    layout->addWidget(edit);
    auto *completer = new QCompleter(new QStringListModel(words, &window), &window);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    // The list view is made now, not at the first key, as the real window does.
    if (auto *list = qobject_cast<QListView *>(completer->popup()))
        list->setUniformItemSizes(true);
    edit->setCompleter(completer);

    QLocalServer server;
    server.setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(serverName);
    if (!server.listen(serverName))
        return 2;
    serve(server, window);

    window.resize(500, 400);
    window.show();
    edit->setFocus();
    return app.exec();
}
