#include "spellcheckdialog.h"
#include "ui_spellcheckdialog.h"

#include "utils.h"

#include <QApplication>
#include <QCloseEvent>
#include <QListWidgetItem>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// A selection that holds no letter or digit (a lone punctuation mark, a
// symbol) is no word to test: the text cursor's word boundaries enclose
// such runs too.
bool isWord(const QString &text)
{
    for (const QChar c : text) {
        if (c.isLetterOrNumber())
            return true;
    }
    return false;
}

} // namespace

SpellCheckDialog::SpellCheckDialog(Utils *spellChecker, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , form(new Ui_SpellCheckDialog)
    , spellChecker(spellChecker)
{
    form->setupUi(this);

    connect(form->suggestionsList, &QListWidget::itemDoubleClicked, this,
            &SpellCheckDialog::onSuggestionDoubleClicked);
    connect(form->suggestionsList, &QListWidget::currentRowChanged, this,
            &SpellCheckDialog::onCurrentRowChanged);
    connect(form->changeToLineEdit, &UnicodeLineEdit::editingFinished, this,
            &SpellCheckDialog::on_changePushButton_clicked);

    markFormat.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    markFormat.setUnderlineColor(Qt::red);
}

SpellCheckDialog::~SpellCheckDialog()
{
    delete form;
}

void SpellCheckDialog::setEditor(QTextEdit *editor, int language, int keyboard)
{
    this->editor = editor;
    form->changeToLineEdit->setLanguageAndKeyboard(language, keyboard);
}

void SpellCheckDialog::restart()
{
    if (!editor)
        return;
    currentWord.clear();
    checkCursor = QTextCursor(editor->document());
    checkCursor.movePosition(QTextCursor::Start);
    open();
    activateWindow();
    nextWord();
}

void SpellCheckDialog::nextWord()
{
    // One loop over the correct words, however many there are in a row.
    for (;;) {
        if (!editor || checkCursor.isNull()) {
            currentWord.clear();
            checkCursor = QTextCursor();
        } else {
            checkCursor.clearSelection();
            QApplication::setOverrideCursor(Qt::WaitCursor);
            while (!checkCursor.hasSelection()) {
                if (checkCursor.atStart()) {
                    checkCursor.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
                    if (checkCursor.hasSelection())
                        break;
                }
                const int before = checkCursor.position();
                if (!checkCursor.movePosition(QTextCursor::NextWord) ||
                    checkCursor.position() <= before) {
                    if (!checkCursor.movePosition(QTextCursor::NextBlock))
                        break; // the document has ended
                }
                checkCursor.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
            }
            QApplication::restoreOverrideCursor();
        }

        if (checkCursor.isNull() || !checkCursor.hasSelection()) {
            currentWord.clear();
            form->misSpelledLineEdit->clear();
            form->changeToLineEdit->setText(QString());
            form->suggestionsList->clear();
            hide();
            return;
        }
        if (testWord())
            return;
    }
}

bool SpellCheckDialog::testWord()
{
    currentWord = checkCursor.selectedText().simplified();
    if (!isWord(currentWord) || !spellChecker || !spellChecker->isMisSpelled(currentWord)) {
        currentWord.clear();
        return false;
    }

    savedFormat = checkCursor.charFormat();
    checkCursor.mergeCharFormat(markFormat);
    editor->setTextCursor(checkCursor);
    form->misSpelledLineEdit->setText(currentWord);
    form->changeToLineEdit->setText(QString());
    form->suggestionsList->clear();

    const QStringList words = spellChecker->suggestions(currentWord);
    form->suggestionsList->addItems(words);
    if (words.isEmpty())
        form->changeToLineEdit->setFocus(Qt::OtherFocusReason);
    else
        form->suggestionsList->setCurrentRow(0);
    return true;
}

// The format a changed or unmarked word is given: that of its last character
// before the mark. A word the user had underlined keeps its own underline;
// only our mark goes.
static QTextCharFormat withoutMark(QTextCharFormat format)
{
    if (format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
        format.setUnderlineStyle(QTextCharFormat::NoUnderline);
    return format;
}

void SpellCheckDialog::unmark()
{
    if (!editor || currentWord.isEmpty() || checkCursor.isNull() || !checkCursor.hasSelection())
        return;
    // Set rather than merged: the whole word takes the format of its last
    // character, and the mark's underline colour does not linger in it.
    savedFormat = withoutMark(savedFormat);
    checkCursor.setCharFormat(savedFormat);
    editor->setTextCursor(checkCursor);
}

void SpellCheckDialog::replaceSelection(const QString &text)
{
    QTextCursor cursor = editor->textCursor();
    cursor.insertText(text, savedFormat);
    editor->setTextCursor(cursor);
}

void SpellCheckDialog::reject()
{
    // Hiding a dialog may send it a close event, which comes back here.
    if (closing)
        return;
    closing = true;
    unmark();
    currentWord.clear();
    QDialog::reject();
    closing = false;
}

void SpellCheckDialog::on_ignorePushButton_clicked()
{
    if (currentWord.isEmpty())
        return;
    spellChecker->appendIgnoredList(currentWord);
    unmark();
    nextWord();
}

void SpellCheckDialog::on_ignoreAllPushButton_clicked()
{
    // The ignore list lasts as long as the shared Utils object, so ignoring
    // once already ignores everywhere.
    on_ignorePushButton_clicked();
}

void SpellCheckDialog::on_addToDictionary_clicked()
{
    if (currentWord.isEmpty())
        return;
    spellChecker->addToDictionary(currentWord, nullptr);
    spellChecker->updateStringModel(currentWord);
    unmark();
    nextWord();
}

void SpellCheckDialog::on_changePushButton_clicked()
{
    if (!editor || currentWord.isEmpty())
        return;
    savedFormat = withoutMark(savedFormat);
    replaceSelection(form->changeToLineEdit->text());
    nextWord();
}

void SpellCheckDialog::on_changeAllPushButton_clicked()
{
    if (!editor || currentWord.isEmpty())
        return;
    savedFormat = withoutMark(savedFormat);
    const QString replacement = form->changeToLineEdit->text();
    // Each find starts after the text just put in, so a replacement that
    // contains the word cannot be found again.
    while (editor->textCursor().hasSelection()) {
        replaceSelection(replacement);
        if (!editor->find(currentWord, QTextDocument::FindWholeWords))
            break;
    }
    nextWord();
}

void SpellCheckDialog::on_closePushButton_clicked()
{
    reject();
}

void SpellCheckDialog::onSuggestionDoubleClicked(QListWidgetItem *item)
{
    if (!item)
        return;
    form->changeToLineEdit->setText(item->text());
    on_changePushButton_clicked();
}

void SpellCheckDialog::onCurrentRowChanged(int row)
{
    QListWidgetItem *item = form->suggestionsList->item(row);
    if (item)
        form->changeToLineEdit->setText(item->text());
}

void SpellCheckDialog::closeEvent(QCloseEvent *event)
{
    reject();
    event->accept();
}

void SpellCheckDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        form->retranslateUi(this);
}
