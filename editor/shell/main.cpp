// The word processor: one main window over the tab controller; the command
// line names the documents to open.
#include "mainwindow.h"
#include "sqlcipherdriver.h"
#include "ts.h"

#include <QApplication>
#include <QTextCodec>

int main(int argc, char **argv)
{
    // A static initialiser in a static library may be dropped by the linker:
    // the driver name is registered here, before any database is opened.
    registerSqlCipherDriver();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));

    QApplication app(argc, argv);
    QCoreApplication::addLibraryPath(QCoreApplication::applicationDirPath() +
                                     QStringLiteral("/libs/"));

    int result = 0;
    {
        MainWindow window;
        window.initLoad(QCoreApplication::arguments());
        result = app.exec();
    } // the window saves its settings as it goes
    return result;
}
