#include "aboutzuvo.h"
#include "helptopics.h"
#include "keyboardexamples.h"
#include "mainwindow.h"
#include "zuvodialog.h"

#include "sqlcipherdriver.h"
#include "testenv.h"
#include "zuvoscriptconverter.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest/QTest>

namespace {

QString helpPage()
{
    QFile page(QStringLiteral(":/resources/HelpTopics.html"));
    if (!page.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(page.readAll());
}

QString typeWords(const QString &keys, int keyboard)
{
    QStringList words;
    for (const QString &word : keys.split(QLatin1Char(' '))) {
        ZuvoScriptConverter converter;
        words << converter.ansiToUnicode(word, 0, keyboard);
    }
    return words.join(QLatin1Char(' '));
}

QImage labelImage(QDialog &dialog)
{
    auto *label = dialog.findChild<QLabel *>(QStringLiteral("label"));
    return label ? label->pixmap().toImage() : QImage();
}

QImage resourceImage(const QString &path)
{
    return QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// What a user reads on a menu entry: without the accelerator marks, its
// white space simplified.
QString shown(const QString &text)
{
    return QString(text).remove(QLatin1Char('&')).simplified();
}

// Every entry of the menus under its path ("Tools, Insert, Table"), every
// name alone too.
void collectMenus(const QList<QAction *> &actions, const QString &path, QSet<QString> *paths,
                  QSet<QString> *names)
{
    for (QAction *action : actions) {
        if (action->isSeparator())
            continue;
        const QString name = shown(action->text());
        const QString here = path.isEmpty() ? name : path + QStringLiteral(", ") + name;
        paths->insert(here);
        names->insert(name);
        if (QMenu *menu = action->menu())
            collectMenus(menu->actions(), here, paths, names);
    }
}

} // namespace

class TestHelpWindows : public QObject
{
    Q_OBJECT

private slots:
    void helpPageIsShown();
    void helpPageNamesWhatTheWindowShows();
    void typingExamplesAreWhatTheEngineTypes_data();
    void typingExamplesAreWhatTheEngineTypes();
    void findForwardAndBackward();
    void emptyFindBoxFindsNothing();
    void aboutBox();
    void examplePictureFollowsComboChoice_data();
    void examplePictureFollowsComboChoice();
    void examplePictureIgnoresCodeChanges();
    void examplesCloseButton();
};

void TestHelpWindows::helpPageIsShown()
{
    HelpTopics help(nullptr);
    QCOMPARE(help.windowTitle(), QStringLiteral("Help Topics"));
    auto *edit = help.findChild<QTextEdit *>(QStringLiteral("textEdit"));
    QVERIFY(edit);
    QVERIFY(edit->isReadOnly());
    const QString text = edit->toPlainText();
    QVERIFY(text.contains(QStringLiteral("Welcome")));
    QVERIFY(text.contains(QStringLiteral("Ctrl+K")));
    QVERIFY(text.contains(QStringLiteral("ಸತ್ಯಮೇವ ಜಯತೆ")));
    QVERIFY(!edit->textCursor().hasSelection());
}

// Every menu path, menu entry, toolbar label and file type the help page
// names in bold is one the window has, under that name; keys are named as
// keys.
void TestHelpWindows::helpPageNamesWhatTheWindowShows()
{
    QVERIFY(registerSqlCipherDriver());
    ZuvoTest::TempEnv env;
    MainWindow window;
    QSet<QString> paths;
    QSet<QString> names;
    collectMenus(window.menuBar()->actions(), QString(), &paths, &names);
    for (QToolBar *bar : window.findChildren<QToolBar *>()) {
        for (QLabel *label : bar->findChildren<QLabel *>())
            names.insert(shown(label->text()));
    }
    ZuvoDialog open(0);
    for (const QString &filter : open.nameFilters())
        names.insert(filter.section(QStringLiteral(" ("), 0, 0));
    QVERIFY(paths.contains(QStringLiteral("Tools, Insert, Table")));

    static const QRegularExpression bold(QStringLiteral("<b>(.*?)</b>"));
    static const QRegularExpression key(QStringLiteral("^(Ctrl\\+[A-Z]|F\\d+)$"));
    QTextDocument unescape;
    int named = 0;
    for (auto it = bold.globalMatch(helpPage()); it.hasNext();) {
        unescape.setHtml(it.next().captured(1));
        const QString name = unescape.toPlainText();
        ++named;
        if (key.match(name).hasMatch())
            continue;
        if (name.contains(QStringLiteral(", ")))
            QVERIFY2(paths.contains(name), qPrintable(name));
        else
            QVERIFY2(names.contains(name), qPrintable(name));
    }
    QVERIFY(named > 0);
}

void TestHelpWindows::typingExamplesAreWhatTheEngineTypes_data()
{
    QTest::addColumn<QString>("phonetic");
    QTest::addColumn<QString>("nudi");
    QTest::addColumn<QString>("phonetic2");
    QTest::addColumn<QString>("result");
    const QString page = helpPage();
    QVERIFY(!page.isEmpty());
    static const QRegularExpression row(
        QStringLiteral("<tr><td>(\\d+)</td><td>([^<]*)</td><td>([^<]*)</td><td>([^<]*)</"
                       "td><td>([^<]*)</td></tr>"));
    auto it = row.globalMatch(page);
    QVERIFY(it.hasNext());
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        auto text = [&m](int i) {
            QTextDocument cell;
            cell.setHtml(m.captured(i));
            return cell.toPlainText();
        };
        QTest::newRow(qPrintable(m.captured(1))) << text(2) << text(3) << text(4) << text(5);
    }
}

// The help page's table must hold for our typing engine: each key sequence
// types the word beside it.
void TestHelpWindows::typingExamplesAreWhatTheEngineTypes()
{
    QFETCH(QString, phonetic);
    QFETCH(QString, nudi);
    QFETCH(QString, phonetic2);
    QFETCH(QString, result);
    if (result == QLatin1String("ZWNJ & ZWJ")) {
        // Typed after a consonant: the first key gives the non-joiner, the second the joiner.
        const QStringList keys[] = { phonetic.split(" & "), nudi.split(" & "),
                                     phonetic2.split(" & ") };
        for (int keyboard = 0; keyboard < 3; ++keyboard) {
            QCOMPARE(keys[keyboard].size(), 2);
            QVERIFY(typeWords("k" + keys[keyboard].at(0), keyboard).contains(QChar(0x200C)));
            QVERIFY(typeWords("k" + keys[keyboard].at(1), keyboard).contains(QChar(0x200D)));
        }
        return;
    }
    QCOMPARE(typeWords(phonetic, 0), result);
    QCOMPARE(typeWords(nudi, 1), result);
    QCOMPARE(typeWords(phonetic2, 2), result);
}

void TestHelpWindows::findForwardAndBackward()
{
    HelpTopics help(nullptr);
    auto *edit = help.findChild<QTextEdit *>(QStringLiteral("textEdit"));
    auto *box = help.findChild<QLineEdit *>(QStringLiteral("lineEdit"));
    auto *forward = help.findChild<QToolButton *>(QStringLiteral("findForward"));
    auto *backward = help.findChild<QToolButton *>(QStringLiteral("findBackWard"));
    QVERIFY(edit && box && forward && backward);
    edit->setPlainText(QStringLiteral("one Tab two tab three"));
    box->setText(QStringLiteral("tab"));

    forward->click();
    QCOMPARE(edit->textCursor().selectionStart(), 4); // not case-sensitive
    forward->click();
    QCOMPARE(edit->textCursor().selectionStart(), 12);
    forward->click(); // no wrap-around
    QCOMPARE(edit->textCursor().selectionStart(), 12);
    QCOMPARE(edit->textCursor().selectedText(), QStringLiteral("tab"));
    backward->click();
    QCOMPARE(edit->textCursor().selectionStart(), 4);
    backward->click();
    QCOMPARE(edit->textCursor().selectionStart(), 4);
}

void TestHelpWindows::emptyFindBoxFindsNothing()
{
    HelpTopics help(nullptr);
    auto *edit = help.findChild<QTextEdit *>(QStringLiteral("textEdit"));
    auto *forward = help.findChild<QToolButton *>(QStringLiteral("findForward"));
    QVERIFY(edit && forward);
    const int before = edit->textCursor().position();
    forward->click();
    QCOMPARE(edit->textCursor().position(), before);
    QVERIFY(!edit->textCursor().hasSelection());
}

void TestHelpWindows::aboutBox()
{
    AboutZuvo about(nullptr);
    QCOMPARE(about.windowTitle(), QStringLiteral("Zuvo Software"));
    auto *version = about.findChild<QLabel *>(QStringLiteral("label_2"));
    auto *link = about.findChild<QLabel *>(QStringLiteral("label_5"));
    auto *icon = about.findChild<QLabel *>(QStringLiteral("label"));
    auto *layout = about.findChild<QVBoxLayout *>(QStringLiteral("verticalLayout"));
    QVERIFY(version && link && icon && layout);
    QCOMPARE(version->text(), QStringLiteral("Version 4.1"));
    QVERIFY(link->openExternalLinks());
    QVERIFY(link->text().contains(QStringLiteral("href=")));
    QCOMPARE(layout->itemAt(layout->indexOf(icon))->alignment(), Qt::AlignHCenter);
    QCOMPARE(icon->size(), QSize(128, 128));
}

void TestHelpWindows::examplePictureFollowsComboChoice_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("picture");
    QTest::newRow("nudi") << 1 << ":/resources/examples/Nudi.png";
    QTest::newRow("phonetic-2") << 2 << ":/resources/examples/phonetic-2.png";
    QTest::newRow("phonetic") << 0 << ":/resources/examples/Phonetic.png";
    QTest::newRow("other value") << 7 << ":/resources/examples/Phonetic.png";
}

void TestHelpWindows::examplePictureFollowsComboChoice()
{
    QFETCH(int, index);
    QFETCH(QString, picture);
    KeyboardExamples examples(nullptr);
    auto *combo = examples.findChild<QComboBox *>(QStringLiteral("comboBox"));
    QVERIFY(combo);
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->currentText(), QStringLiteral("Phonetic"));
    emit combo->activated(index == 0 ? 1 : 0); // start from another picture
    emit combo->activated(index);
    const QImage expected = resourceImage(picture);
    QVERIFY(!expected.isNull());
    QCOMPARE(labelImage(examples).convertToFormat(QImage::Format_ARGB32_Premultiplied), expected);
}

void TestHelpWindows::examplePictureIgnoresCodeChanges()
{
    KeyboardExamples examples(nullptr);
    auto *combo = examples.findChild<QComboBox *>(QStringLiteral("comboBox"));
    QVERIFY(combo);
    const QImage phonetic = resourceImage(QStringLiteral(":/resources/examples/Phonetic.png"));
    QVERIFY(!phonetic.isNull());
    QCOMPARE(labelImage(examples).convertToFormat(QImage::Format_ARGB32_Premultiplied), phonetic);
    combo->setCurrentIndex(1);
    QCOMPARE(labelImage(examples).convertToFormat(QImage::Format_ARGB32_Premultiplied), phonetic);
}

void TestHelpWindows::examplesCloseButton()
{
    KeyboardExamples examples(nullptr);
    examples.show();
    auto *close = examples.findChild<QPushButton *>(QStringLiteral("pushClose"));
    QVERIFY(close);
    close->click();
    QVERIFY(!examples.isVisible());
}

QTEST_MAIN(TestHelpWindows)
#include "tst_helpwindows.moc"
