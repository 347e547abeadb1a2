// What the targets that open database files set up once per process.
#ifndef ZUVO_FUZZ_FUZZDATABASE_H
#define ZUVO_FUZZ_FUZZDATABASE_H

#include "dictionary.h"
#include "sqlcipherdriver.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <sanitizer/lsan_interface.h>

namespace FuzzDatabase {

// A core application, quiet, with the database driver registered. Every
// failed statement writes a diagnostic line; thousands a second only slow the
// run down.
inline void start(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // The driver registration lives as long as the process, as in the programs.
    __lsan_disable();
    registerSqlCipherDriver();
    __lsan_enable();
}

// A private folder for the process's files, kept until it ends.
inline QTemporaryDir &folder()
{
    static QTemporaryDir *dir = new QTemporaryDir;
    return *dir;
}

// The dictionaries are looked for in folder()/dct/.
inline void useDictFolder()
{
    QDir(folder().path()).mkpath(QStringLiteral("dct"));
    Dictionary::setDictFolder(folder().filePath(QStringLiteral("dct")) + u'/');
}

} // namespace FuzzDatabase

#endif // ZUVO_FUZZ_FUZZDATABASE_H
