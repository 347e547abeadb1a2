// What the targets that read and write documents set up once per process.
#ifndef ZUVO_FUZZ_FUZZDOCUMENTAPP_H
#define ZUVO_FUZZ_FUZZDOCUMENTAPP_H

#include <QGuiApplication>
#include <QNetworkProxy>
#include <QString>
#include <QtGlobal>

namespace FuzzDocumentApp {

inline void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

// An offscreen GUI application that says nothing, never destroyed: the font
// caches it would end belong to the life of the process. Should anything
// try the network (a document's remote picture), it meets a proxy on
// loopback that is not there.
inline QGuiApplication *start(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    auto *app = new QGuiApplication(*argc, *argv);
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), 9));
    return app;
}

} // namespace FuzzDocumentApp

#endif
