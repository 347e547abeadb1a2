// make run starts the programs in a folder of the user's own: what the user
// keeps there (the words, the histories, added dictionaries) outlives the
// build folder, and the program and its bundled files are brought up to date.
#include "testenv.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

namespace {

const QString sourceDir = QStringLiteral(ZUVO_SOURCE_DIR);

// Runs a program to its end in the folder; its output, or a null array when
// it failed.
QByteArray run(const QString &program, const QStringList &args, const QString &folder)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning() << program << args << p.readAll();
        return QByteArray();
    }
    QByteArray out = p.readAll();
    return out.isNull() ? QByteArray("") : out;
}

} // namespace

class TestUserFolder : public QObject
{
    Q_OBJECT

private slots:
    void programsStartInTheUserFolder_data();
    void programsStartInTheUserFolder();
    void userFilesStay();
};

void TestUserFolder::programsStartInTheUserFolder_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("program");
    QTest::newRow("editor") << "run"
                            << "editor/editor";
    QTest::newRow("dictionary") << "run-dictionary"
                                << "dictionary/dictionary";
}

// What make run would do, as make prints it: the program goes into the
// user's folder and starts there, not in the build.
void TestUserFolder::programsStartInTheUserFolder()
{
    QFETCH(QString, target);
    QFETCH(QString, program);
    ZUVO_REQUIRE_PROGRAM(make, "make");
    ZuvoTest::TempEnv env;
    const QString home = env.filePath(QStringLiteral("my words"));
    const QString build = env.filePath(QStringLiteral("build"));
    const QByteArray out =
        run(make,
            { QStringLiteral("-n"), QStringLiteral("-C"), sourceDir, target,
              QStringLiteral("ZUVO_HOME=") + home, QStringLiteral("BUILD=") + build },
            env.path());
    QVERIFY(!out.isNull());
    const QString name = QFileInfo(program).fileName();
    const QString place =
        QStringLiteral("scripts/place-program %1/%2 \"%3\"").arg(build, program, home);
    const QString start = QStringLiteral("cd \"%1\" && ./%2").arg(home, name);
    const QString printed = QString::fromLocal8Bit(out);
    QVERIFY2(printed.contains(place), qPrintable(printed));
    QVERIFY2(printed.contains(start), qPrintable(printed));
    QVERIFY2(printed.indexOf(place) < printed.indexOf(start), qPrintable(printed));
}

void TestUserFolder::userFilesStay()
{
    ZuvoTest::TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("build/editor/editor"), "new program"));
    QVERIFY(env.writeFile(QStringLiteral("build/editor/dct/kannada.dct"), "new bundled"));
    QVERIFY(env.writeFile(QStringLiteral("build/editor/zuvo_kn.qm"), "translation"));
    QVERIFY(env.writeFile(QStringLiteral("home/editor"), "old program"));
    QVERIFY(env.writeFile(QStringLiteral("home/dct/kannada.dct"), "old bundled"));
    QVERIFY(env.writeFile(QStringLiteral("home/dct/mine.dct"), "the user's dictionary"));
    QVERIFY(env.writeFile(QStringLiteral("home/usr.dct"), "ಪದ\n"));
    QVERIFY(env.writeFile(QStringLiteral("home/dat/history.dat"), "history"));
    QVERIFY(env.writeFile(QStringLiteral("home/ZuvoFD"), "dialog"));

    QVERIFY(!run(sourceDir + QStringLiteral("/scripts/place-program"),
                 { env.filePath(QStringLiteral("build/editor/editor")),
                   env.filePath(QStringLiteral("home")) },
                 env.path())
                 .isNull());

    QCOMPARE(env.readFile(QStringLiteral("home/editor")), QByteArray("new program"));
    QVERIFY(QFileInfo(env.filePath(QStringLiteral("home/editor"))).isExecutable());
    QCOMPARE(env.readFile(QStringLiteral("home/dct/kannada.dct")), QByteArray("new bundled"));
    QCOMPARE(env.readFile(QStringLiteral("home/zuvo_kn.qm")), QByteArray("translation"));
    QCOMPARE(env.readFile(QStringLiteral("home/dct/mine.dct")),
             QByteArray("the user's dictionary"));
    QCOMPARE(env.readFile(QStringLiteral("home/usr.dct")), QByteArray("ಪದ\n"));
    QCOMPARE(env.readFile(QStringLiteral("home/dat/history.dat")), QByteArray("history"));
    QCOMPARE(env.readFile(QStringLiteral("home/ZuvoFD")), QByteArray("dialog"));
}

QTEST_GUILESS_MAIN(TestUserFolder)
#include "tst_userfolder.moc"
