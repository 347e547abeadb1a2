// Opening a BRH file in the word processor: the file's lines are read as text
// and each is converted into the script of the tab's language by the tab
// controller, which appends it to the document. The controller is the one of
// the editor's main window, built once.
//
// Input: a mode byte (the tab's language, modulo ten), then the file's bytes.
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

#include "findandreplacedialog.h"
#include "mainwindow.h"
#include "tabwidget.h"
#include "unicodekaeditor.h"

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

QTemporaryDir *folder = nullptr;
TabWidget *tabs = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    // Never destroyed, as the window is not: what they would tear down at exit
    // belongs to the life of the process.
    new QApplication(*argc, *argv);
    // Settings and word files of this run only, never the user's.
    folder = new QTemporaryDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       folder->filePath(QStringLiteral("settings")));
    QDir::setCurrent(folder->path());
    // The window lives as long as the process, as in the editor; its end
    // would ask about the unsaved document.
    auto *window = new MainWindow;
    tabs = window->tabController();
    tabs->slotNew();
    // The font system keeps what it loads for each language's font for the
    // life of the process: loaded here, it is not taken for a leak of the
    // first input that uses the language.
    for (int language = 0; language < 10; ++language) {
        tabs->slotChangeLanguage(language);
        tabs->currentEditor()->append(QStringLiteral("ka ga"));
    }
    tabs->currentEditor()->clear();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QString path = folder->filePath(QStringLiteral("input.brh"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    }
    UnicodeKaEditor *editor = tabs->currentEditor();
    editor->clear();
    tabs->slotChangeLanguage(data[0] % 10);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    tabs->convertBRHFile(path, file);
    // The events the conversion posted (the busy indicator shown and
    // hidden, and what it left to delete) are delivered now, as the
    // program's event loop would: left for a loop that never runs, those of
    // every input piled up for the whole run. A whole processEvents(), with
    // the timers, halved the speed and kept the memory no flatter.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
