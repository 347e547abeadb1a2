// The editor's Kannada interface: with the translation in the working folder,
// "Localize - Kannada" turns the menus and the dialogs opened afterwards into
// Kannada, and switching it off brings the English back at once; without the
// file the interface stays English.
#include "findandreplacedialog.h"
#include "mainwindow.h"
#include "sqlcipherdriver.h"

#include "findchild.h"
#include "messageboxwatcher.h"
#include "testenv.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QSettings>
#include <QTest>

using ZuvoTest::child;
using ZuvoTest::MessageBoxWatcher;
using ZuvoTest::TempEnv;

namespace {

const char *const MenuBarMenus[] = { "menuFile",     "menuEdit",     "menuFormat",
                                     "menuLanguage", "menuKeyboard", "menuTools",
                                     "menuEncoding", "menuView",     "menuHelp" };

const QStringList EnglishTitles { "&File",  "&Edit",     "Fo&rmat", "&Language", "Key&board",
                                  "&Tools", "En&coding", "&View",   "&Help" };
const QStringList KannadaTitles { "&ಕಡತ",
                                  "ಸಂಪಾ&ದನೆ",
                                  "ಸ್ವರೂ&ಪ",
                                  "ಭಾಷೆ&ಗಳು",
                                  "ಕೀಲಿ&ಮಣೆ",
                                  "&ಉಪಕರಣಗಳು",
                                  "&ಎನ್‌ಕೋಡಿಂಗ್",
                                  "ನೋ&ಟ",
                                  "&ಸಹಾಯ" };

QStringList menuTitles(const MainWindow &window)
{
    QStringList titles;
    for (const char *name : MenuBarMenus)
        titles << child<QMenu>(&window, name)->title();
    return titles;
}

QAction *action(const MainWindow &window, const char *name)
{
    return child<QAction>(&window, name);
}

void clearStore()
{
    QSettings settings(QStringLiteral("Tessavrim"), QStringLiteral("Zuvo"));
    settings.clear();
    settings.sync();
}

// The translation as the build leaves it beside the program, put where the
// program looks for it: the working folder.
bool placeTranslation(const TempEnv &env)
{
    return QFile::copy(QStringLiteral(ZUVO_KN_QM), env.filePath(QStringLiteral("zuvo_kn.qm")));
}

// The texts of the labels the tab controller puts in the toolbar and the
// status bar.
QStringList barLabels(const MainWindow &window)
{
    QStringList texts;
    for (const QLabel *label : window.findChildren<QLabel *>())
        if (label->text().contains(QLatin1String("Font")) ||
            label->text().contains(QStringLiteral("ಅಕ್ಷರಶೈಲಿ")) ||
            label->text().contains(QStringLiteral("ಅಕ್ಷರದ ಗಾತ್ರ")) ||
            label->text().contains(QLatin1String("Keyboard Layout")) ||
            label->text().contains(QStringLiteral("ಕೀಲಿಮಣೆ ವಿನ್ಯಾಸ")))
            texts << label->text();
    texts.sort();
    return texts;
}

// Opens the settings dialog through its action and returns its title and
// heading as shown.
QStringList settingsDialogTexts(const MainWindow &window)
{
    QStringList texts;
    MessageBoxWatcher watcher;
    watcher.setDialogHandler([&texts](QDialog *dialog) {
        texts << dialog->windowTitle() << child<QLabel>(dialog, "label_3")->text();
        dialog->reject();
    });
    action(window, "actionSettings")->trigger();
    return texts;
}

} // namespace

class TestLocalize : public QObject
{
    Q_OBJECT

private slots:
    void init() { clearStore(); }

    void switchesMenusAndLaterDialogs();
    void startsInKannadaWhenStored();
    void withoutTranslationStaysEnglish();
};

void TestLocalize::switchesMenusAndLaterDialogs()
{
    TempEnv env;
    QVERIFY(placeTranslation(env));
    MainWindow window;
    window.initLoad({ QStringLiteral("editor") });
    QCOMPARE(menuTitles(window), EnglishTitles);

    action(window, "actionLocalize_Kannada")->trigger();
    QCOMPARE(menuTitles(window), KannadaTitles);
    // Each menu of the bar keeps an accelerator of its own.
    QSet<QKeySequence> keys;
    for (const QString &title : menuTitles(window)) {
        const QKeySequence key = QKeySequence::mnemonic(title);
        QVERIFY2(!key.isEmpty() && !keys.contains(key), qPrintable(title));
        keys.insert(key);
    }
    QCOMPARE(action(window, "actionFind_2")->text(), QStringLiteral("ಹುಡುಕು/ಬದಲಾಯಿಸು"));
    // The toolbar's and the status bar's own labels follow.
    QTRY_COMPARE(barLabels(window),
                 QStringList({ QStringLiteral(" ಅಕ್ಷರದ ಗಾತ್ರ: "), QStringLiteral(" ಅಕ್ಷರಶೈಲಿ: "),
                               QStringLiteral("ಭಾಷೆ & ಕೀಲಿಮಣೆ ವಿನ್ಯಾಸ : <b>ಕನ್ನಡ</b>") }));
    // Shortcuts come from the translation too, and stay the same keys.
    QCOMPARE(action(window, "actionFind_2")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    QCOMPARE(action(window, "actionZoomIn")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    QCOMPARE(window.windowTitle(), QStringLiteral("Zuvo"));
    QCOMPARE(QApplication::font().family(), QStringLiteral("Tunga"));

    // Opened afterwards: the find bar under the tabs and the settings dialog.
    action(window, "actionFind_2")->trigger();
    auto *findBar = window.findChild<FindAndReplaceDialog *>();
    QVERIFY(findBar && findBar->isVisible());
    QCOMPARE(findBar->windowTitle(), QStringLiteral("Zuvo - ಹುಡುಕು"));
    QCOMPARE(child<QCheckBox>(findBar, "wholeWordsCheckBox")->text(),
             QStringLiteral("ಪೂರ್ಣ ಪದಗಳು ಮಾತ್ರ"));
    QCOMPARE(child<QLabel>(findBar, "label")->text(), QStringLiteral("ಹುಡುಕು:"));
    QCOMPARE(settingsDialogTexts(window),
             QStringList({ "Zuvo - ಸಿದ್ಧತೆಗಳು", "ನಿಮ್ಮ ಪೂರ್ವನಿಯೋಜಿತ ಸಿದ್ಧತೆಗಳನ್ನು ಆಯ್ಕೆಮಾಡಿ" }));

    // Off: the menus and the bar that stays open are English at once.
    action(window, "actionLocalize_Kannada")->trigger();
    QCOMPARE(menuTitles(window), EnglishTitles);
    QCOMPARE(action(window, "actionFind_2")->text(), QStringLiteral("Find/Replace"));
    QTRY_COMPARE(barLabels(window),
                 QStringList({ QStringLiteral(" Font Size: "), QStringLiteral(" Font: "),
                               QStringLiteral("Language & Keyboard Layout : <b>Kannada</b>") }));
    // The bar hears of the change from the event loop, as every open window does.
    QTRY_COMPARE(child<QCheckBox>(findBar, "wholeWordsCheckBox")->text(),
                 QStringLiteral("Whole words only"));
    QCOMPARE(QApplication::font().family(), QStringLiteral("MS Shell Dlg 2"));
    QCOMPARE(settingsDialogTexts(window),
             QStringList({ "Zuvo - Settings", "Choose your default settings" }));
}

// The stored setting applies the translation while the window is built, as
// `make run` shows it.
void TestLocalize::startsInKannadaWhenStored()
{
    TempEnv env;
    QVERIFY(placeTranslation(env));
    {
        QSettings settings(QStringLiteral("Tessavrim"), QStringLiteral("Zuvo"));
        settings.setValue(QStringLiteral("InputSettings/Localize"), 1);
    }
    MainWindow window;
    QVERIFY(action(window, "actionLocalize_Kannada")->isChecked());
    QCOMPARE(menuTitles(window), KannadaTitles);
    QCOMPARE(action(window, "actionLocalize_Kannada")->text(), QStringLiteral("ಸ್ಥಳೀಕರಣ - ಕನ್ನಡ"));
}

void TestLocalize::withoutTranslationStaysEnglish()
{
    TempEnv env;
    MainWindow window;
    action(window, "actionLocalize_Kannada")->trigger();
    QVERIFY(action(window, "actionLocalize_Kannada")->isChecked());
    QCOMPARE(menuTitles(window), EnglishTitles);
    QCOMPARE(QApplication::font().family(), QStringLiteral("Tunga"));
    QCOMPARE(settingsDialogTexts(window),
             QStringList({ "Zuvo - Settings", "Choose your default settings" }));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    registerSqlCipherDriver();
    TestLocalize test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_localize.moc"
