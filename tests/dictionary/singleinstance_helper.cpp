// A stand-in for the program's start: hands "WakeUp" to a running instance
// (exit 0 delivered, 1 not), or becomes the primary and prints each message it
// receives. The key is the first argument, so tests never meet the real program.
#include "singleinstance.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString key = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("helper");
    SingleInstance instance(key);
    if (instance.isRunning())
        return instance.sendMessage(QStringLiteral("WakeUp"), 5000) ? 0 : 1;

    QObject::connect(&instance, &SingleInstance::messageReceived, [](const QString &msg) {
        std::printf("message %s\n", msg.toUtf8().constData());
        std::fflush(stdout);
    });
    std::printf("primary %lld\n", static_cast<long long>(::getpid()));
    std::fflush(stdout);
    return app.exec();
}
