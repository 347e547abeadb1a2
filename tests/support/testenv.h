#ifndef ZUVO_TESTS_SUPPORT_TESTENV_H
#define ZUVO_TESTS_SUPPORT_TESTENV_H

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QtTest/QTest>

class QWidget;

namespace ZuvoTest {

// A temporary folder that is the current directory (and the settings store)
// for as long as the object lives; the previous directory comes back after.
class TempEnv
{
public:
    TempEnv();
    ~TempEnv();
    TempEnv(const TempEnv &) = delete;
    TempEnv &operator=(const TempEnv &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Writes bytes to a file below the folder (creating sub-folders); true on success.
    bool writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
};

// The bytes of a file; empty when it does not open.
QByteArray fileBytes(const QString &path);

// Shows a window and waits until it is exposed and active. Under the X11
// platform (tests built with XCB) there is no window manager, so the window is
// activated explicitly; offscreen it is active at once. False on a time-out.
bool showActive(QWidget *window);

// True when the tests run in CI, where every outside program must be present.
bool inCI();

// The path of an outside program, or empty. Use ZUVO_REQUIRE_PROGRAM in a test.
QString findProgram(const QString &name);

} // namespace ZuvoTest

// Skips the test when the program is missing, except in CI where it fails.
#define ZUVO_REQUIRE_PROGRAM(var, name)                                                            \
    const QString var = ZuvoTest::findProgram(QStringLiteral(name));                               \
    do {                                                                                           \
        if (var.isEmpty()) {                                                                       \
            if (ZuvoTest::inCI())                                                                  \
                QFAIL("outside program missing in CI: " name);                                     \
            QSKIP("outside program not installed: " name);                                         \
        }                                                                                          \
    } while (false)

#endif
