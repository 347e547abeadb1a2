// The floor of the look-up program's start-up: the least a Qt widget program
// can do for the same user-visible result. A word box whose completion list
// (a list view over a string model) holds the words of the same dictionary
// file, read with a plain QSqlQuery, shown, and one copy per socket name: the
// first start listens on a QLocalServer and answers a framed "WakeUp" with one
// acknowledgement byte, a second start hands it "WakeUp" and ends (status 0
// once acknowledged).
//
//   floor_dictionary <socket name> <dictionary database>
//
// What it leaves out is the look-up program's own work: the lock file and
// folder checks of its single instance, the language check of the database,
// the user's word file, its settings, menus, text browser and translation.
//
// Not a benchmark of its own (the name keeps `make bench` from running it):
// bench_dictionary starts it exactly as it starts the real program.

#include <QApplication>
#include <QCompleter>
#include <QLineEdit>
#include <QListView>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringListModel>
#include <QVBoxLayout>
#include <QWidget>
#include <QtEndian>

namespace {

const char AckByte = '\x06';

// The dictionary's list of all words: one compressed UTF-8 text, a word a
// line; empty when the file cannot be read.
QStringList readWords(const QString &path)
{
    const QString connection = QStringLiteral("words");
    QStringList words;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("SELECT word FROM AllUnicodeWords")) && query.next()) {
                QByteArray text = qUncompress(query.value(0).toByteArray());
                const qsizetype nul = text.indexOf('\0');
                if (nul >= 0)
                    text.truncate(nul);
                words = QString::fromUtf8(text).split(QLatin1Char('\n'));
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return words;
}

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

    // Listening before the window is built, as the look-up program does: a
    // hand-over that comes early waits in the socket until the event loop runs.
    QLocalServer server;
    server.setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(serverName);
    if (!server.listen(serverName))
        return 2;

    const QStringList words = readWords(args.at(2));
    if (words.isEmpty())
        return 2;

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

    serve(server, window);

    window.resize(500, 400);
    window.show();
    edit->setFocus();
    return app.exec();
}
