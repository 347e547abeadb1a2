// The lookup program: one instance per user. A second start hands "WakeUp" to
// the running one, which comes to the front, and ends at once without a window
// (status 0 when the message was delivered, 1 when not).
#include "mainwindow.h"
#include "singleinstance.h"
#include "sqlcipherdriver.h"
#include "ts.h"

#include <QApplication>
#include <QTextCodec>

int main(int argc, char **argv)
{
    // A static initialiser in a static library may be dropped by the linker:
    // the driver name is registered here, before any database is opened.
    registerSqlCipherDriver();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName(Ts::DEFAULT_CODEC));

    QApplication app(argc, argv);
    SingleInstance instance;
    if (instance.isRunning())
        return instance.sendMessage(QStringLiteral("WakeUp"), 5000) ? 0 : 1;

    MainWindow window;
    QObject::connect(&instance, &SingleInstance::messageReceived, &window,
                     &MainWindow::onMessageReceived);
    instance.setActivationWindow(&window, true);
    window.show();
    return app.exec();
}
