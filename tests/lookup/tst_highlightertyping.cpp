// Typing in a shown editor with the keys the window system delivers: a
// misspelt word is underlined as soon as it ends, the underlines of the rest
// of the text stay, and what the user sees is a red underline under each
// misspelt word and under nothing else.
#include "highlighter.h"
#include "testenv.h"
#include "underlined.h"
#include "utils.h"

#include <QAbstractTextDocumentLayout>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

namespace {

const QStringList Known { QStringLiteral("ಕನ್ನಡ"), QStringLiteral("ನಮಸ್ಕಾರ"),
                          QStringLiteral("hello") };

// Types through the window: characters as they are, and <bs>, <enter>,
// <left>, <end> and <undo> (Ctrl+Z) for those keys.
void type(QWidget *widget, const QString &keys)
{
    QWindow *window = widget->window()->windowHandle();
    static const QList<QPair<QString, QPair<Qt::Key, Qt::KeyboardModifiers>>> named {
        { QStringLiteral("<bs>"), { Qt::Key_Backspace, Qt::NoModifier } },
        { QStringLiteral("<enter>"), { Qt::Key_Return, Qt::NoModifier } },
        { QStringLiteral("<left>"), { Qt::Key_Left, Qt::NoModifier } },
        { QStringLiteral("<end>"), { Qt::Key_End, Qt::NoModifier } },
        { QStringLiteral("<undo>"), { Qt::Key_Z, Qt::ControlModifier } },
    };
    for (qsizetype i = 0; i < keys.size();) {
        bool done = false;
        for (const auto &n : named) {
            if (QStringView(keys).mid(i).startsWith(n.first)) {
                QTest::keyClick(window, n.second.first, n.second.second);
                i += n.first.size();
                done = true;
                break;
            }
        }
        if (done)
            continue;
        const QChar c = keys.at(i++);
        const Qt::Key key = c == u' ' ? Qt::Key_Space
            : c == u','               ? Qt::Key_Comma
            : c.isDigit()             ? Qt::Key(Qt::Key_0 + (c.unicode() - u'0'))
                                      : Qt::Key(Qt::Key_A + (c.toLower().unicode() - u'a'));
        QTest::sendKeyEvent(QTest::Click, window, key, QString(c), Qt::NoModifier);
    }
}

// The red pixels on the screen under the word (start and length in the block).
int redUnder(QTextEdit &edit, const QTextBlock &block, int start, int length)
{
    QTextCursor c(block);
    c.setPosition(block.position() + start);
    const QRect from = edit.cursorRect(c);
    c.setPosition(block.position() + start + length);
    const QRect to = edit.cursorRect(c);
    const QRect area(QPoint(std::min(from.left(), to.left()) + 1, from.top()),
                     QPoint(std::max(from.left(), to.left()) - 1, from.bottom() + 2));
    // What the X server shows, not a fresh rendering: a change must have
    // been painted to be seen.
    QWidget *viewport = edit.viewport();
    const QPoint origin = viewport->mapTo(viewport->window(), QPoint(0, 0));
    const QImage image = viewport->screen()
                             ->grabWindow(viewport->window()->winId(), origin.x(), origin.y(),
                                          viewport->width(), viewport->height())
                             .toImage();
    int red = 0;
    for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y) {
        for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right());
             ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) > 160 && qGreen(p) < 120 && qBlue(p) < 120)
                ++red;
        }
    }
    return red;
}

// Each word of the document's visible blocks with whether red is painted
// under it, "word" or "word*" (underlined), block by block.
QStringList painted(QTextEdit &edit)
{
    QStringList out;
    const QRect view = edit.viewport()->rect();
    for (QTextBlock b = edit.document()->firstBlock(); b.isValid(); b = b.next()) {
        QTextCursor c(b);
        if (!view.intersects(edit.cursorRect(c)))
            continue;
        const QString text = b.text();
        qsizetype start = 0;
        while (start < text.size()) {
            while (start < text.size() && !text.at(start).isLetterOrNumber())
                ++start;
            qsizetype end = start;
            while (end < text.size() && (text.at(end).isLetterOrNumber() || text.at(end).isMark()))
                ++end;
            if (end > start) {
                const bool red = redUnder(edit, b, int(start), int(end - start)) > 0;
                out << text.mid(start, end - start) + (red ? QStringLiteral("*") : QString());
            }
            start = end;
        }
    }
    return out;
}

} // namespace

class TestHighlighterTyping : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void wordEnds_data();
    void wordEnds();
    void marksKept_data();
    void marksKept();
    void otherBlocksUnaffected();
    void paintedWhereTheWordsAre();

private:
    // A shown, active editor with the highlighter and the text, the cursor
    // at `cursor` (-1: the end).
    bool open(const QString &text, int cursor = -1);

    ZuvoTest::TempEnv *m_env = nullptr;
    Utils *m_utils = nullptr;
    QTextEdit *m_edit = nullptr;
    Highlighter *m_highlighter = nullptr;
};

void TestHighlighterTyping::init()
{
    m_env = new ZuvoTest::TempEnv;
    QVERIFY(m_env->writeFile(QStringLiteral("usr.dct"), Known.join(u'\n').toUtf8()));
    m_utils = new Utils;
    m_utils->loadUnicodeWords();
}

void TestHighlighterTyping::cleanup()
{
    delete m_edit;
    m_edit = nullptr;
    delete m_utils;
    delete m_env;
}

bool TestHighlighterTyping::open(const QString &text, int cursor)
{
    m_edit = new QTextEdit;
    m_edit->resize(500, 300);
    m_highlighter = new Highlighter(m_utils, m_edit);
    m_edit->setPlainText(text);
    if (!ZuvoTest::showActive(m_edit))
        return false;
    m_edit->setFocus();
    QTextCursor c = m_edit->textCursor();
    if (cursor < 0)
        c.movePosition(QTextCursor::End);
    else
        c.setPosition(cursor);
    m_edit->setTextCursor(c);
    QCoreApplication::processEvents();
    return true;
}

void TestHighlighterTyping::wordEnds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("misspelt word ended by a space")
        << "hello" << -1 << " wrold " << QStringList { "wrold" };
    QTest::newRow("ended by a comma") << "hello" << -1 << " wrold," << QStringList { "wrold" };
    QTest::newRow("ended by Return") << "hello" << -1 << " wrold<enter>" << QStringList { "wrold" };
    QTest::newRow("known word") << "hello" << -1 << " hello " << QStringList();
    QTest::newRow("corrected before it ends") << "hello" << -1 << " helo<bs>lo " << QStringList();
    QTest::newRow("inside a paragraph")
        << "hello hello" << 5 << " wrold" << QStringList { "wrold" };
    // Numbers are no misspellings; letters typed after digits are.
    QTest::newRow("a number") << "hello" << -1 << " 2024 1,000.5 " << QStringList();
    QTest::newRow("a number, then letters")
        << "hello" << -1 << " 2024 2nd " << QStringList { "2nd" };
}

void TestHighlighterTyping::wordEnds()
{
    QFETCH(QString, text);
    QFETCH(int, cursor);
    QFETCH(QString, keys);
    QFETCH(QStringList, expected);

    QVERIFY(open(text, cursor));
    type(m_edit, keys);
    QCOMPARE(underlined(m_edit->document()), expected);
    // Painted at once, with nothing more typed.
    QStringList shown;
    for (const QString &w : expected)
        shown << w + u'*';
    QTRY_COMPARE(painted(*m_edit).filter(QStringLiteral("*")), shown);
}

void TestHighlighterTyping::marksKept_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("expected");

    // The text is "wrold hello qq", the cursor at its end.
    QTest::newRow("more words") << " hello zz hello" << QStringList { "wrold", "qq", "zz" };
    QTest::newRow("backspace") << "<bs>" << QStringList { "wrold" };
    QTest::newRow("split by Return") << "<enter>zz " << QStringList { "wrold", "qq", "zz" };
    QTest::newRow("split inside a word") << "<left><enter>" << QStringList { "wrold" };
    QTest::newRow("typed and undone") << " abc<undo>" << QStringList { "wrold", "qq" };
    QTest::newRow("known word broken")
        << "<left><left><left><left><bs>" << QStringList { "wrold", "helo", "qq" };
}

void TestHighlighterTyping::marksKept()
{
    QFETCH(QString, keys);
    QFETCH(QStringList, expected);

    QVERIFY(open(QStringLiteral("wrold hello qq")));
    QCOMPARE(underlined(m_edit->document()), QStringList({ "wrold", "qq" }));
    type(m_edit, keys);
    QCOMPARE(underlined(m_edit->document()), expected);
    QStringList shown;
    for (const QString &w : expected)
        shown << w + u'*';
    QTRY_COMPARE(painted(*m_edit).filter(QStringLiteral("*")), shown);
}

// Typing in one paragraph leaves the others' underlines as they were.
void TestHighlighterTyping::otherBlocksUnaffected()
{
    QVERIFY(open(QStringLiteral("wrold hello\nhello\nqq ಕನ್ನಡ ಕಲಮ"), 17));
    const QStringList before { "wrold*", "hello", "hello", "qq*", "ಕನ್ನಡ", "ಕಲಮ*" };
    QTRY_COMPARE(painted(*m_edit), before);
    type(m_edit, QStringLiteral(" zz hello"));
    QCOMPARE(m_edit->document()->findBlockByNumber(1).text(), QStringLiteral("hello zz hello"));
    QCOMPARE(underlined(m_edit->document()), QStringList({ "wrold", "zz", "qq", "ಕಲಮ" }));
    QTRY_COMPARE(
        painted(*m_edit),
        QStringList({ "wrold*", "hello", "hello", "zz*", "hello", "qq*", "ಕನ್ನಡ", "ಕಲಮ*" }));
}

// Scrolled into a long document, the underlines are painted under the words
// they belong to; a word the user ignores loses its underline at once.
void TestHighlighterTyping::paintedWhereTheWordsAre()
{
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines << QStringLiteral("hello ನಮಸ್ಕಾರ hello");
    lines[150] = QStringLiteral("hello ಕಲಮ hello wrold");
    QVERIFY(open(lines.join(u'\n')));
    const QTextBlock block = m_edit->document()->findBlockByNumber(150);
    m_edit->verticalScrollBar()->setValue(
        int(m_edit->document()->documentLayout()->blockBoundingRect(block).top()) - 100);
    QTRY_VERIFY(redUnder(*m_edit, block, 6, 3) > 0);
    QVERIFY(redUnder(*m_edit, block, 16, 5) > 0);
    QCOMPARE(redUnder(*m_edit, block, 0, 5), 0);
    QCOMPARE(redUnder(*m_edit, block, 10, 5), 0);
    const QTextBlock neighbour = block.previous();
    QCOMPARE(redUnder(*m_edit, neighbour, 0, int(neighbour.length() - 1)), 0);

    m_utils->appendIgnoredList(QStringLiteral("wrold"));
    m_highlighter->rehighlight();
    QTRY_COMPARE(redUnder(*m_edit, block, 16, 5), 0);
    QVERIFY(redUnder(*m_edit, block, 6, 3) > 0);
}

QTEST_MAIN(TestHighlighterTyping)
#include "tst_highlightertyping.moc"
