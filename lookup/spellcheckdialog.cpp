#include "spellcheckdialog.h"
#include "ui_spellcheckdialog.h"

#include "utils.h"

#include <QApplication>
#include <QCloseEvent>
#include <QListWidgetItem>
#include <QMessageBox>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// The code point that starts at i, and its length in code units.
char32_t codePointAt(const QString &s, qsizetype i, int *len)
{
    const QChar c = s.at(i);
    if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
        *len = 2;
        return QChar::surrogateToUcs4(c, s.at(i + 1));
    }
    *len = 1;
    return c.unicode();
}

// The code point that ends just before i (i > 0).
char32_t codePointBefore(const QString &s, qsizetype i)
{
    const QChar c = s.at(i - 1);
    if (c.isLowSurrogate() && i >= 2 && s.at(i - 2).isHighSurrogate())
        return QChar::surrogateToUcs4(s.at(i - 2), c);
    return c.unicode();
}

// Whether the found text stands as a whole word: no word character touches
// it on either side. Qt's own whole-word search takes a vowel sign or a
// virama for the end of a word and so matches inside longer words.
bool standsAlone(const QTextCursor &found)
{
    const QTextBlock block = found.document()->findBlock(found.selectionStart());
    const QString text = block.text();
    const qsizetype start = found.selectionStart() - block.position();
    const qsizetype end = found.selectionEnd() - block.position();
    if (start > 0 && Utils::isWordChar(codePointBefore(text, start)))
        return false;
    int len = 0;
    return end >= text.size() || !Utils::isWordChar(codePointAt(text, end, &len));
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
    // A walk left in the middle leaves no mark behind.
    if (!currentWord.isEmpty())
        restoreFormats();
    currentWord.clear();
    checkCursor = QTextCursor(editor->document());
    checkCursor.movePosition(QTextCursor::Start);
    open();
    activateWindow();
    nextWord();
}

void SpellCheckDialog::nextWord()
{
    currentWord.clear();
    savedFragments.clear();
    bool found = false;
    if (editor && !checkCursor.isNull() && checkCursor.document() == editor->document()) {
        // On from the end of the word just handled, so that the word after
        // it is tested too.
        checkCursor.setPosition(checkCursor.selectionEnd());
        QApplication::setOverrideCursor(Qt::WaitCursor);
        found = selectNextMisspelt();
        QApplication::restoreOverrideCursor();
    }
    if (!found) {
        checkCursor = QTextCursor();
        form->misSpelledLineEdit->clear();
        form->changeToLineEdit->setText(QString());
        form->suggestionsList->clear();
        hide();
        return;
    }
    showWord();
}

bool SpellCheckDialog::selectNextMisspelt()
{
    if (!spellChecker)
        return false;
    // One loop over the correct words, however many there are in a row;
    // each block's text is taken once.
    const int from = checkCursor.position();
    for (QTextBlock block = checkCursor.document()->findBlock(from); block.isValid();
         block = block.next()) {
        const QString text = block.text();
        qsizetype i = qMax(0, from - block.position());
        while (i < text.size()) {
            int len = 0;
            if (!Utils::isWordChar(codePointAt(text, i, &len))) {
                i += len;
                continue;
            }
            const qsizetype start = i;
            while (i < text.size() && Utils::isWordChar(codePointAt(text, i, &len)))
                i += len;
            const QString word = text.mid(start, i - start);
            if (Utils::isSpellingWord(word) && spellChecker->isMisSpelled(word)) {
                checkCursor.setPosition(block.position() + int(start));
                checkCursor.setPosition(block.position() + int(i), QTextCursor::KeepAnchor);
                return true;
            }
        }
    }
    return false;
}

void SpellCheckDialog::showWord()
{
    currentWord = checkCursor.selectedText();
    mark();
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
}

void SpellCheckDialog::mark()
{
    const int start = checkCursor.selectionStart();
    const int end = checkCursor.selectionEnd();
    savedFragments.clear();
    const QTextBlock block = checkCursor.document()->findBlock(start);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        const int from = qMax(f.position(), start);
        const int to = qMin(f.position() + f.length(), end);
        if (from < to)
            savedFragments.append({ from - start, to - from, f.charFormat() });
    }
    savedFormat = checkCursor.charFormat();
    checkCursor.mergeCharFormat(markFormat);
}

void SpellCheckDialog::restoreFormats()
{
    if (checkCursor.isNull() || savedFragments.isEmpty())
        return;
    const int start = checkCursor.selectionStart();
    const Fragment &last = savedFragments.constLast();
    if (checkCursor.selectionEnd() - start != last.offset + last.length) {
        savedFragments.clear(); // no longer the word that was marked
        return;
    }
    // Joined to the mark's own edit: marking and unmarking make one undo step.
    QTextCursor cursor(checkCursor);
    cursor.joinPreviousEditBlock();
    for (const Fragment &f : std::as_const(savedFragments)) {
        cursor.setPosition(start + f.offset);
        cursor.setPosition(start + f.offset + f.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(f.format);
    }
    cursor.endEditBlock();
    savedFragments.clear();
}

void SpellCheckDialog::unmark()
{
    if (!editor || currentWord.isEmpty() || checkCursor.isNull() || !checkCursor.hasSelection())
        return;
    restoreFormats();
    editor->setTextCursor(checkCursor);
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
    // Without a word model every word is misspelt, ignored or not.
    spellChecker->ensureWordModel();
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
    if (!spellChecker->addToDictionary(currentWord, nullptr)) {
        // A word only in the model would be gone after a restart: it stays
        // misspelt, and the walk stays at it.
        QMessageBox::warning(this, Utils::appName(),
                             tr("Failed to add the word \"%1\": the user word file \"%2\" "
                                "cannot be written.")
                                 .arg(currentWord, QStringLiteral("usr.dct")));
        return;
    }
    spellChecker->ensureWordModel();
    spellChecker->updateStringModel(currentWord);
    unmark();
    nextWord();
}

void SpellCheckDialog::on_changePushButton_clicked()
{
    if (!editor || currentWord.isEmpty() || checkCursor.isNull() || !checkCursor.hasSelection())
        return;
    // Joined to the mark: one undo brings the word back as it was.
    checkCursor.joinPreviousEditBlock();
    checkCursor.insertText(form->changeToLineEdit->text(), savedFormat);
    checkCursor.endEditBlock();
    savedFragments.clear();
    editor->setTextCursor(checkCursor);
    nextWord();
}

void SpellCheckDialog::on_changeAllPushButton_clicked()
{
    if (!editor || currentWord.isEmpty() || checkCursor.isNull() || !checkCursor.hasSelection())
        return;
    const QString replacement = form->changeToLineEdit->text();
    QTextDocument *doc = checkCursor.document();
    // One undo step for the whole change, the mark included.
    checkCursor.joinPreviousEditBlock();
    checkCursor.insertText(replacement, savedFormat);
    savedFragments.clear();
    // Each search starts after the text just put in, so a replacement that
    // contains the word is not found again; occurrences before the current
    // word stay. Each occurrence keeps its own format. The search ignores
    // letter case.
    QTextCursor from(checkCursor);
    for (;;) {
        QTextCursor found = doc->find(currentWord, from);
        if (found.isNull())
            break;
        if (!standsAlone(found)) {
            from.setPosition(found.selectionStart() + 1);
            continue;
        }
        found.insertText(replacement, found.charFormat());
        from = found;
    }
    checkCursor.endEditBlock();
    editor->setTextCursor(checkCursor);
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
