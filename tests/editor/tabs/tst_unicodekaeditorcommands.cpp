// Editing commands of the tab editor: character formats, lists, tables,
// hyperlinks, pictures and the context menu.

#include "unicodekaeditor.h"

#include "editorfixture.h"
#include "messageboxwatcher.h"
#include "sqlcipherdriver.h"
#include "suggestions.h"
#include "testenv.h"
#include "utils.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStringListModel>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QTimer>
#include <QtTest/QTest>

namespace {

// Types the absolute path into the chooser and accepts it: selectFile()
// resolves against a folder that the chooser may still be loading.
void chooseFile(QFileDialog *chooser, const QString &path)
{
    auto *edit = chooser->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit);
    edit->setText(path);
    QMetaObject::invokeMethod(chooser, "accept");
}

} // namespace

class TestUnicodeKaEditorCommands : public QObject, ZuvoTest::EditorFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void boldAndSize_data();
    void boldAndSize();
    void formatWithoutSelectionTakesTheWord();
    void alignment_data();
    void alignment();
    void bulletNone();
    void insertTable();
    void tableCommands_data();
    void tableCommands();
    void removeWithoutSelectionRemovesNothing();
    void hyperlink();
    void hyperlinkPrefillsTheAddress();
    void invalidPicture();
    void contextMenu_data();
    void contextMenu();
    void contextMenuCommands();
    void addToDictionary();
    void suggestionReplacesTheWord_data();
    void suggestionReplacesTheWord();
    void imageData();
    void programDialogs();

private:
    UnicodeKaEditor *makeEditor(const QString &text);
    // The texts of the context menu's entries (submenus by their titles), with
    // "-" for separators, for the editor's cursor position.
    QStringList menuEntries(UnicodeKaEditor *editor, const QString &trigger = QString());
};

void TestUnicodeKaEditorCommands::init()
{
    setUpEditors();
    utils->loadUnicodeWords();
    utils->updateStringModel(QStringLiteral("correct"));
}

void TestUnicodeKaEditorCommands::cleanup()
{
    tearDownEditors();
}

UnicodeKaEditor *TestUnicodeKaEditorCommands::makeEditor(const QString &text)
{
    auto *editor = new UnicodeKaEditor(utils, 9, 0, window);
    editor->setPlainText(text);
    editor->resize(400, 300);
    window->show();
    return editor;
}

QStringList TestUnicodeKaEditorCommands::menuEntries(UnicodeKaEditor *editor,
                                                     const QString &trigger)
{
    QStringList entries;
    QTimer poll;
    poll.setInterval(5);
    connect(&poll, &QTimer::timeout, this, [&]() {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return;
        poll.stop();
        for (QAction *action : menu->actions()) {
            if (action->isSeparator())
                entries << QStringLiteral("-");
            else
                entries << action->text();
            if (action->menu())
                entries << action->menu()->actions().first()->text();
            if (!trigger.isEmpty() && action->text() == trigger)
                action->trigger();
        }
        menu->close();
    });
    poll.start();
    // A right click reaches the editor through its viewport.
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            editor->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(editor->viewport(), &event);
    return entries;
}

void TestUnicodeKaEditorCommands::boldAndSize_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("property");
    QTest::addColumn<QVariant>("value"); // invalid: property not set

    QTest::newRow("bold on") << "bold"
                             << "1" << int(QTextFormat::FontWeight) << QVariant(int(QFont::Bold));
    QTest::newRow("bold off") << "bold"
                              << "" << int(QTextFormat::FontWeight) << QVariant(int(QFont::Normal));
    QTest::newRow("italic") << "italic"
                            << "1" << int(QTextFormat::FontItalic) << QVariant(true);
    QTest::newRow("underline") << "underline"
                               << "1" << int(QTextFormat::TextUnderlineStyle) << QVariant(1);
    QTest::newRow("size") << "size"
                          << "14.5" << int(QTextFormat::FontPointSize) << QVariant(14.5);
    QTest::newRow("size zero") << "size"
                               << "0" << int(QTextFormat::FontPointSize) << QVariant();
    QTest::newRow("size text") << "size"
                               << "large" << int(QTextFormat::FontPointSize) << QVariant();
    QTest::newRow("size negative") << "size"
                                   << "-3" << int(QTextFormat::FontPointSize) << QVariant();
}

void TestUnicodeKaEditorCommands::boldAndSize()
{
    QFETCH(QString, command);
    QFETCH(QString, argument);
    QFETCH(int, property);
    QFETCH(QVariant, value);
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("word"));
    editor->selectAll();
    if (command == QLatin1String("bold")) {
        editor->slotTextBold(true);
        editor->slotTextBold(!argument.isEmpty());
    } else if (command == QLatin1String("italic")) {
        editor->slotTextItalic(true);
    } else if (command == QLatin1String("underline")) {
        editor->slotTextUnderline(true);
    } else {
        editor->slotTextSize(argument);
    }
    QTextCursor tc(editor->document());
    tc.setPosition(2);
    const QTextCharFormat format = tc.charFormat();
    if (!value.isValid()) {
        QVERIFY(!format.hasProperty(property));
    } else {
        QCOMPARE(format.property(property).toString(), value.toString());
    }
}

void TestUnicodeKaEditorCommands::formatWithoutSelectionTakesTheWord()
{
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("one two three"));
    QTextCursor tc = editor->textCursor();
    tc.setPosition(5); // inside "two"
    editor->setTextCursor(tc);
    editor->slotTextBold(true);
    editor->slotTextFontFamily(QStringLiteral("Tunga"));
    QCOMPARE(editor->fontName(), QStringLiteral("Tunga"));
    const auto weightAt = [editor](int pos) {
        QTextCursor c(editor->document());
        c.setPosition(pos);
        return c.charFormat().fontWeight();
    };
    QCOMPARE(weightAt(2), int(QFont::Normal));
    QCOMPARE(weightAt(5), int(QFont::Bold));
    QCOMPARE(weightAt(7), int(QFont::Bold));
    QCOMPARE(weightAt(10), int(QFont::Normal));
    // The text typed next carries the format too.
    QTest::keyClicks(editor, QStringLiteral("x"));
    QCOMPARE(weightAt(6), int(QFont::Bold));
    QCOMPARE(editor->currentCharFormat().fontFamilies().toStringList(),
             QStringList { QStringLiteral("Tunga") });
}

void TestUnicodeKaEditorCommands::alignment_data()
{
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("result");
    QTest::newRow("left") << int(Qt::AlignLeft) << int(Qt::AlignLeft | Qt::AlignAbsolute);
    QTest::newRow("center") << int(Qt::AlignHCenter) << int(Qt::AlignHCenter);
    QTest::newRow("right") << int(Qt::AlignRight) << int(Qt::AlignRight | Qt::AlignAbsolute);
    QTest::newRow("justify") << int(Qt::AlignJustify) << int(Qt::AlignJustify);
    QTest::newRow("vertical only") << int(Qt::AlignTop) << int(Qt::AlignHCenter);
}

void TestUnicodeKaEditorCommands::alignment()
{
    QFETCH(int, requested);
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("text"));
    editor->setAlignment(Qt::AlignHCenter);
    editor->slotTextAlign(Qt::Alignment(requested));
    QTEST(int(editor->alignment()), "result");
}

void TestUnicodeKaEditorCommands::bulletNone()
{
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("plain"));
    editor->slotTextStyle(0);
    QTextList *list = editor->textCursor().currentList();
    QVERIFY(list);
    QCOMPARE(int(list->format().style()), 0);
    QCOMPARE(list->format().indent(), 1);
    QCOMPARE(editor->textCursor().blockFormat().indent(), 0);

    // On a list item: a new marker-less list at the block's indent.
    editor->setPlainText(QStringLiteral("item"));
    editor->slotTextStyle(-4); // same as 4
    QTextList *decimal = editor->textCursor().currentList();
    QVERIFY(decimal);
    QCOMPARE(decimal->format().style(), QTextListFormat::ListDecimal);
    QTextBlockFormat block = editor->textCursor().blockFormat();
    block.setIndent(2);
    editor->textCursor().setBlockFormat(block);
    editor->slotTextStyle(0);
    QTextList *none = editor->textCursor().currentList();
    QVERIFY(none);
    QCOMPARE(int(none->format().style()), 0);
    QCOMPARE(none->format().indent(), 2);
}

void TestUnicodeKaEditorCommands::insertTable()
{
    UnicodeKaEditor *editor = makeEditor(QString());
    editor->askTableSize = nullptr;
    editor->slotInsertTable(); // no dialog: nothing
    bool accept = false;
    editor->askTableSize = [&](int *rows, int *columns) {
        *rows = 3;
        *columns = 4;
        return accept;
    };
    editor->slotInsertTable();
    QVERIFY(!editor->textCursor().currentTable());
    accept = true;
    editor->slotInsertTable();
    QTextTable *table = editor->textCursor().currentTable();
    QVERIFY(table);
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->columns(), 4);
    QCOMPARE(table->format().cellPadding(), 6.0);
}

void TestUnicodeKaEditorCommands::tableCommands_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<int>("answer"); // 0: cancel
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("cell"); // where the cell of the cursor went, "row,column"

    QTest::newRow("append rows") << "slotAppendRow" << 2 << 4 << 2 << "1,1";
    QTest::newRow("append rows cancelled") << "slotAppendRow" << 0 << 2 << 2 << "1,1";
    QTest::newRow("append columns") << "slotAppendColumn" << 3 << 2 << 5 << "1,1";
    QTest::newRow("insert rows after") << "slotInsertRow" << 2 << 4 << 2 << "1,1";
    QTest::newRow("insert row before") << "slotInsertRowBefore" << 1 << 3 << 2 << "2,1";
    QTest::newRow("insert column after") << "slotInsertCol" << 1 << 2 << 3 << "1,1";
    QTest::newRow("insert columns before") << "slotInsertColBefore" << 2 << 2 << 4 << "1,3";
}

void TestUnicodeKaEditorCommands::tableCommands()
{
    QFETCH(QString, slot);
    QFETCH(int, answer);
    UnicodeKaEditor *editor = makeEditor(QString());
    QTextCursor tc = editor->textCursor();
    QTextTable *table = tc.insertTable(2, 2);
    const QStringList texts { "a", "b", "c", "d" };
    for (int i = 0; i < 4; ++i)
        table->cellAt(i / 2, i % 2).firstCursorPosition().insertText(texts.at(i));
    editor->setTextCursor(table->cellAt(1, 1).firstCursorPosition());

    ZuvoTest::MessageBoxWatcher watcher;
    QStringList labels;
    watcher.setDialogHandler([&](QDialog *dialog) {
        auto *input = qobject_cast<QInputDialog *>(dialog);
        QVERIFY(input);
        labels << input->labelText();
        if (answer > 0) {
            input->setIntValue(answer);
            input->accept();
        } else {
            input->reject();
        }
    });
    QVERIFY(QMetaObject::invokeMethod(editor, slot.toLatin1().constData()));
    QCOMPARE(labels.size(), 1);
    QCOMPARE(watcher.titles(), QStringList { Utils::appName() });
    QTEST(table->rows(), "rows");
    QTEST(table->columns(), "columns");
    QString cell;
    for (int r = 0; r < table->rows(); ++r) {
        for (int c = 0; c < table->columns(); ++c) {
            if (table->cellAt(r, c).firstCursorPosition().block().text() == QLatin1String("d"))
                cell = QStringLiteral("%1,%2").arg(r).arg(c);
        }
    }
    QTEST(cell, "cell");
    // The new rows or columns come at the cell's side the command names.
    if (slot == QLatin1String("slotInsertRow"))
        QCOMPARE(table->cellAt(2, 1).firstCursorPosition().block().text(), QString());

    // Outside a table the command asks nothing and changes nothing.
    labels.clear();
    editor->moveCursor(QTextCursor::End);
    QVERIFY(!editor->textCursor().currentTable());
    const QString html = editor->toHtml();
    QVERIFY(QMetaObject::invokeMethod(editor, slot.toLatin1().constData()));
    QVERIFY(labels.isEmpty());
    QCOMPARE(editor->toHtml(), html);
}

void TestUnicodeKaEditorCommands::removeWithoutSelectionRemovesNothing()
{
    UnicodeKaEditor *editor = makeEditor(QString());
    QTextTable *table = editor->textCursor().insertTable(3, 3);
    editor->setTextCursor(table->cellAt(1, 1).firstCursorPosition());
    QMetaObject::invokeMethod(editor, "slotRemoveRow");
    QMetaObject::invokeMethod(editor, "slotRemoveColumn");
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->columns(), 3);

    // With cells of two rows selected, both rows go.
    QTextCursor tc = table->cellAt(0, 0).firstCursorPosition();
    tc.setPosition(table->cellAt(1, 0).firstPosition(), QTextCursor::KeepAnchor);
    editor->setTextCursor(tc);
    QMetaObject::invokeMethod(editor, "slotRemoveRow");
    QCOMPARE(table->rows(), 1);

    // Merge, then split back.
    tc = table->cellAt(0, 0).firstCursorPosition();
    tc.setPosition(table->cellAt(0, 1).firstPosition(), QTextCursor::KeepAnchor);
    editor->setTextCursor(tc);
    QMetaObject::invokeMethod(editor, "slotMergeCells");
    QCOMPARE(table->cellAt(0, 0).columnSpan(), 2);
    ZuvoTest::MessageBoxWatcher watcher;
    QList<int> answers { 1, 2 }; // rows, columns
    watcher.setDialogHandler([&](QDialog *dialog) {
        auto *input = qobject_cast<QInputDialog *>(dialog);
        QVERIFY(input);
        input->setIntValue(answers.takeFirst());
        input->accept();
    });
    editor->setTextCursor(table->cellAt(0, 0).firstCursorPosition());
    QMetaObject::invokeMethod(editor, "slotSplitCells");
    // The rows answer is held at the minimum 2, more than the merged cell
    // spans: nothing is split.
    QCOMPARE(table->cellAt(0, 0).columnSpan(), 2);
}

void TestUnicodeKaEditorCommands::hyperlink()
{
    UnicodeKaEditor *editor = makeEditor(QString());
    QString shown;
    editor->askLinkUrl = [&](QString *url) {
        shown = *url;
        *url = QStringLiteral("http://example.org/a?b=1&c=\"2\"");
        return true;
    };
    editor->slotInsertHyperLink();
    QVERIFY(shown.isEmpty());
    QCOMPARE(editor->toPlainText(), QStringLiteral("http://example.org/a?b=1&c=\"2\""));
    QTextCursor tc(editor->document());
    tc.setPosition(3);
    QVERIFY(tc.charFormat().isAnchor());
    QCOMPARE(tc.charFormat().anchorHref(), QStringLiteral("http://example.org/a?b=1&c=\"2\""));

    // Selected text stays the link's text, markup characters included.
    editor->setPlainText(QStringLiteral("see a<b> here"));
    tc = editor->textCursor();
    tc.setPosition(4);
    tc.setPosition(8, QTextCursor::KeepAnchor);
    editor->setTextCursor(tc);
    editor->slotInsertHyperLink();
    QCOMPARE(editor->toPlainText(), QStringLiteral("see a<b> here"));

    // A selection of two paragraphs with a picture and a bold word becomes
    // the link as it stands.
    editor->setPlainText(QString());
    QTextCursor at(editor->document());
    at.insertText(QStringLiteral("one "));
    QTextImageFormat picture;
    picture.setName(QStringLiteral(":/resources/ts_new_32.png"));
    at.insertImage(picture);
    at.insertBlock();
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    at.insertText(QStringLiteral("two"), bold);
    editor->selectAll();
    editor->slotInsertHyperLink();
    QCOMPARE(editor->document()->blockCount(), 2);
    QCOMPARE(editor->toPlainText(),
             QStringLiteral("one ") + QChar(QChar::ObjectReplacementCharacter) +
                 QStringLiteral("\ntwo"));
    at.setPosition(5);
    QVERIFY(at.charFormat().isImageFormat());
    QVERIFY(at.charFormat().isAnchor());
    at.movePosition(QTextCursor::End);
    QCOMPARE(at.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(at.charFormat().anchorHref(), QStringLiteral("http://example.org/a?b=1&c=\"2\""));

    // A cancelled dialog changes nothing.
    editor->askLinkUrl = [](QString *) { return false; };
    editor->selectAll();
    const QString html = editor->toHtml();
    editor->slotInsertHyperLink();
    QCOMPARE(editor->toHtml(), html);
}

void TestUnicodeKaEditorCommands::hyperlinkPrefillsTheAddress()
{
    UnicodeKaEditor *editor = makeEditor(QString());
    editor->insertHtml(QStringLiteral("<a href=\"http://kannada.example/\">link</a>"));
    QTextCursor tc = editor->textCursor();
    tc.setPosition(2);
    editor->setTextCursor(tc);
    QString shown;
    editor->askLinkUrl = [&](QString *url) {
        shown = *url;
        return false;
    };
    editor->slotInsertHyperLink();
    QCOMPARE(shown, QStringLiteral("http://kannada.example/"));
}

void TestUnicodeKaEditorCommands::invalidPicture()
{
    QVERIFY(env->writeFile(QStringLiteral("broken.png"), QByteArray("not an image")));
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("x"));
    ZuvoTest::MessageBoxWatcher watcher;
    QString file = env->filePath(QStringLiteral("broken.png"));
    watcher.setDialogHandler([&](QDialog *dialog) {
        auto *chooser = qobject_cast<QFileDialog *>(dialog);
        QVERIFY(chooser);
        QCOMPARE(chooser->windowTitle(), Utils::appName());
        chooseFile(chooser, file);
    });
    editor->slotInsertPicture();
    QCOMPARE(watcher.texts().last(), QStringLiteral("Invalid image"));
    QCOMPARE(editor->toPlainText(), QStringLiteral("x"));

    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    file = env->filePath(QStringLiteral("red.png"));
    QVERIFY(image.save(file));
    editor->moveCursor(QTextCursor::End);
    editor->slotInsertPicture();
    QTextCursor tc(editor->document());
    tc.setPosition(2);
    QVERIFY(tc.charFormat().isImageFormat());
    QCOMPARE(tc.charFormat().toImageFormat().name(), file);
}

void TestUnicodeKaEditorCommands::contextMenu_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("inTable");
    QTest::addColumn<QStringList>("added"); // entries after the standard ones

    const QStringList spelling { "-", "Suggestions...", "-", "ZaviDodaz Meaning...",
                                 "Wiktionary Meaning (Online)..." };
    QStringList misspelled = spelling;
    misspelled.insert(1, QStringLiteral("Add To Dictionary"));
    const QStringList table { "-", "Table Properties", "Append row(s)" };
    QTest::newRow("correct word") << "correct" << 3 << false << spelling;
    QTest::newRow("misspelled word") << "wrongg" << 3 << false << misspelled;
    QTest::newRow("blank") << "   " << 1 << false << QStringList {};
    // A number is no misspelling: there is nothing to add.
    QTest::newRow("number") << "2016" << 2 << false << spelling;
    QTest::newRow("kannada number") << "೨೦೨೪" << 2 << false << spelling;
    QTest::newRow("letters and digits") << "12ab" << 2 << false << misspelled;
    QTest::newRow("misspelled in a table") << "wrongg" << 3 << true << table;
}

void TestUnicodeKaEditorCommands::contextMenu()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(bool, inTable);
    QFETCH(QStringList, added);
    UnicodeKaEditor *editor = makeEditor(QString());
    const QStringList standard = menuEntries(editor);
    QVERIFY(!standard.isEmpty());
    QTextCursor tc = editor->textCursor();
    if (inTable) {
        QTextTable *table = tc.insertTable(1, 1);
        tc = table->cellAt(0, 0).firstCursorPosition();
    }
    tc.insertText(text);
    tc.setPosition(tc.position() - text.size() + position);
    editor->setTextCursor(tc);
    const QStringList entries = menuEntries(editor);
    QCOMPARE(entries.mid(0, standard.size()), standard);
    QCOMPARE(entries.mid(standard.size()), added);
    // The table submenu is made once and kept.
    if (inTable) {
        const auto submenus = [editor]() {
            QList<QMenu *> found;
            for (QMenu *menu : editor->findChildren<QMenu *>()) {
                if (menu->title() == QLatin1String("Table Properties"))
                    found << menu;
            }
            return found;
        };
        const QList<QMenu *> first = submenus();
        QCOMPARE(first.size(), 1);
        menuEntries(editor);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(submenus(), first);
    }
}

void TestUnicodeKaEditorCommands::contextMenuCommands()
{
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("correct"));
    QSignalSpy search(editor, &UnicodeKaEditor::searchString);
    QSignalSpy zavi(editor, &UnicodeKaEditor::searchInZaviDodaz);
    menuEntries(editor, QStringLiteral("Wiktionary Meaning (Online)..."));
    menuEntries(editor, QStringLiteral("ZaviDodaz Meaning..."));
    QTRY_COMPARE(search.size(), 1);
    QCOMPARE(search.at(0).at(0).toString(), QStringLiteral("correct"));
    QTRY_COMPARE(zavi.size(), 1);
}

void TestUnicodeKaEditorCommands::addToDictionary()
{
    UnicodeKaEditor *editor = makeEditor(QStringLiteral("newword"));
    // With the completer, an added word also counts at once in this run.
    QCompleter completer(utils->wordModel());
    editor->setCompleter(&completer);
    ZuvoTest::MessageBoxWatcher watcher;
    QMetaObject::invokeMethod(editor, "slotAddDictionary");
    QCOMPARE(watcher.texts(), QStringList { QStringLiteral("Word added to dictionary") });
    QVERIFY(
        Utils::wordsFromUnicodeFile(QStringLiteral("usr.dct")).contains(QStringLiteral("newword")));
    QVERIFY(!utils->isMisSpelled(QStringLiteral("newword")));

    // A word file that cannot be written: the failure is reported.
    watcher.clear();
    QVERIFY(QDir().mkpath(QStringLiteral("blocked")));
    QVERIFY(QDir::setCurrent(env->filePath(QStringLiteral("blocked"))));
    QVERIFY(QDir().mkdir(QStringLiteral("usr.dct"))); // a folder in the file's place
    editor->setPlainText(QStringLiteral("another"));
    QMetaObject::invokeMethod(editor, "slotAddDictionary");
    QVERIFY(QDir::setCurrent(env->path()));
    QCOMPARE(watcher.texts(), QStringList { QStringLiteral("Failed to add the word") });
    // Not added is not added: the word stays marked, as it will be after
    // the next start.
    QVERIFY(utils->isMisSpelled(QStringLiteral("another")));
}

void TestUnicodeKaEditorCommands::suggestionReplacesTheWord_data()
{
    QTest::addColumn<int>("offset"); // of the cursor in the misspelt word
    QTest::addColumn<bool>("editedMeanwhile");
    QTest::newRow("cursor after the word") << 3 << false;
    QTest::newRow("cursor inside the word") << 1 << false;
    QTest::newRow("cursor before the word") << 0 << false;
    QTest::newRow("word changed while the list was open") << 3 << true;
}

void TestUnicodeKaEditorCommands::suggestionReplacesTheWord()
{
    QFETCH(int, offset);
    QFETCH(bool, editedMeanwhile);
    const QString misspelt = QStringLiteral("\u0CA4\u0CAA\u0CC1"); // tapu
    const QString chosen = QStringLiteral("\u0CA4\u0CAA\u0CCD\u0CAA\u0CC1"); // tappu
    const QString before = QStringLiteral("\u0C85\u0CA6\u0CC1 "); // adu
    const QString after = QStringLiteral(" \u0C87\u0CA6\u0CC6"); // ide
    UnicodeKaEditor *editor = makeEditor(before + misspelt + after);
    QCompleter completer(QStringList {});
    editor->setCompleter(&completer);
    // The misspelt word is bold and of its own family.
    QTextCursor word(editor->document());
    word.setPosition(int(before.size()));
    word.setPosition(int(before.size() + misspelt.size()), QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    format.setFontFamilies({ QStringLiteral("tunga") });
    word.mergeCharFormat(format);
    QTextCursor tc = editor->textCursor();
    tc.setPosition(int(before.size()) + offset);
    editor->setTextCursor(tc);

    editor->slotDisplaySuggestions();
    auto *popup = editor->findChild<Suggestions *>();
    QVERIFY(popup);
    if (editedMeanwhile) {
        QTextCursor other(editor->document());
        other.setPosition(int(before.size()) + 1);
        other.insertText(QStringLiteral("\u0C95"));
    }
    const QString shown = editor->toPlainText();
    emit popup->wordSelected(chosen);
    delete popup;
    if (editedMeanwhile) {
        // The list was for a word that is no longer there.
        QCOMPARE(editor->toPlainText(), shown);
        return;
    }
    QCOMPARE(editor->toPlainText(), before + chosen + after);
    QTextCursor inWord(editor->document());
    inWord.setPosition(int(before.size()) + 2);
    QCOMPARE(inWord.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(inWord.charFormat().fontFamilies().toStringList(), QStringList { "tunga" });
    QCOMPARE(editor->textCursor().position(), int(before.size() + chosen.size()));
    // One undo step brings the misspelt word back.
    editor->undo();
    QCOMPARE(editor->toPlainText(), before + misspelt + after);
}

void TestUnicodeKaEditorCommands::imageData()
{
    // Image data alone, pasted: the image is inserted.
    UnicodeKaEditor *editor = makeEditor(QString());
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(Qt::blue);
    auto *clip = new QMimeData;
    clip->setImageData(image);
    QApplication::clipboard()->setMimeData(clip);
    QVERIFY(editor->canPaste());
    editor->paste();
    QTextCursor tc(editor->document());
    tc.setPosition(1);
    QVERIFY(tc.charFormat().isImageFormat());
}

void TestUnicodeKaEditorCommands::programDialogs()
{
    UnicodeKaEditor *editor = makeEditor(QString());
    ZuvoTest::MessageBoxWatcher watcher;
    QStringList classes;
    watcher.setDialogHandler([&](QDialog *dialog) {
        classes << QString::fromLatin1(dialog->metaObject()->className());
        if (auto *rows = dialog->findChild<QSpinBox *>(QStringLiteral("rowsSpinBox")))
            rows->setValue(3);
        if (auto *url = dialog->findChild<QLineEdit *>(QStringLiteral("urlLineEdit")))
            url->setText(QStringLiteral("http://a.example/"));
        if (auto *chooser = qobject_cast<QFileDialog *>(dialog)) {
            chooseFile(chooser, env->filePath(QStringLiteral("saved.html")));
            return;
        }
        dialog->accept();
    });
    editor->slotInsertTable();
    QTextTable *table = editor->textCursor().currentTable();
    QVERIFY(table);
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->columns(), 2);
    editor->moveCursor(QTextCursor::End);
    editor->slotInsertHyperLink();
    QVERIFY(editor->toPlainText().endsWith(QStringLiteral("http://a.example/")));
    QVERIFY(editor->onSaveFile(false));
    QCOMPARE(classes, (QStringList { "InsertTableDialog", "InsertLinkDialog", "ZuvoDialog" }));
    QCOMPARE(editor->fileName(), env->filePath(QStringLiteral("saved.html")));
    QVERIFY(env->readFile(QStringLiteral("saved.html")).contains("<a href=\"http://a.example/\""));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    registerSqlCipherDriver();
    TestUnicodeKaEditorCommands test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_unicodekaeditorcommands.moc"
