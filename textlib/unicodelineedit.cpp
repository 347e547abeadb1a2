#include "unicodelineedit.h"

#include "utils.h"
#include "zuvoscriptconverter.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListView>
#include <QScrollBar>
#include <QStringListModel>
#include <QTextBlock>
#include <QTextCursor>

namespace {

// Characters after which no completion is offered.
const QString EndOfWordChars = QStringLiteral("~!@#$%^&*()_+{}|:<>?,./;'[]\\-=\"");

constexpr char16_t ZWNJ = 0x200C;
constexpr char16_t ZWJ = 0x200D;

// Letters, combining marks, digits, "_" and the joiners: the typing engine
// writes vowel signs, the virama and ZWNJ/ZWJ inside words, so a word of Indic
// text is a run of all of them.
bool isWordChar(char32_t c)
{
    return c == u'_' || c == ZWNJ || c == ZWJ || QChar::isLetterOrNumber(c) || QChar::isMark(c);
}

// What the Transliteration keyboard converts: the letters of a word with the
// marks and joiners between them, but no digits (digits typed under that
// keyboard stay as typed).
bool isLatinWordChar(char32_t c)
{
    return c == ZWNJ || c == ZWJ || QChar::isLetter(c) || QChar::isMark(c);
}

// The code point that ends at index `end` of s (exclusive) and its length.
char32_t codePointBefore(const QString &s, qsizetype end, int *len)
{
    const QChar low = s.at(end - 1);
    if (low.isLowSurrogate() && end >= 2 && s.at(end - 2).isHighSurrogate()) {
        *len = 2;
        return QChar::surrogateToUcs4(s.at(end - 2), low);
    }
    *len = 1;
    return low.unicode();
}

char32_t codePointAt(const QString &s, qsizetype i, int *len)
{
    const QChar high = s.at(i);
    if (high.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
        *len = 2;
        return QChar::surrogateToUcs4(high, s.at(i + 1));
    }
    *len = 1;
    return high.unicode();
}

// Start of the run of characters accepted by `inWord` that ends at `at`.
template<typename Pred> qsizetype runStart(const QString &s, qsizetype at, Pred inWord)
{
    while (at > 0) {
        int len = 0;
        if (!inWord(codePointBefore(s, at, &len)))
            break;
        at -= len;
    }
    return at;
}

template<typename Pred> qsizetype runEnd(const QString &s, qsizetype at, Pred inWord)
{
    while (at < s.size()) {
        int len = 0;
        if (!inWord(codePointAt(s, at, &len)))
            break;
        at += len;
    }
    return at;
}

bool isPopupKey(int key)
{
    return key == Qt::Key_Escape || key == Qt::Key_Tab || key == Qt::Key_Backtab ||
        key == Qt::Key_Return || key == Qt::Key_Enter;
}

QFont languageFont(const QFont &base, int language)
{
    QFont f = base;
    f.setFamily(Utils::languageDefaultFont(language));
    f.setPointSize(11);
    return f;
}

} // namespace

class UnicodeLineEditPrivate
{
public:
    explicit UnicodeLineEditPrivate(UnicodeLineEdit *owner)
        : q(owner)
    {
    }
    ~UnicodeLineEditPrivate()
    {
        delete completer;
        delete completerModel;
    }

    void clearBuffer();
    void toggleIndicToEnglish();
    QString textUnderCursor() const;
    void insertCompletion(const QString &text);
    void complete();
    void handlePhoneticKey(QKeyEvent *e);
    void handleTransliterationKey(QKeyEvent *e);
    // Transliteration keyboard: replaces the Latin word before the cursor by
    // its conversion followed by `after`, as one edit that Backspace can take
    // back. False (and nothing changed) when there is no word to convert.
    bool convertWordBeforeCursor(const QString &after);
    // True when a word character follows the cursor.
    bool standsInsideWord() const;
    void autoComplete(QKeyEvent *e);

    // Replaces the `count` characters before the cursor by `text`, as one
    // edit block made by the box itself (the word stays current).
    void replaceBeforeCursor(int count, const QString &text);
    // True when `text` stands right before the cursor, with no selection.
    bool standsBeforeCursor(const QString &text) const;
    void passOn(QKeyEvent *e) { q->QPlainTextEdit::keyPressEvent(e); }

    UnicodeLineEdit *const q;
    bool busy = false;
    QString lastOutput;
    QString buffer;
    int language = 0;
    int keyboard = 0;
    QCompleter *completer = nullptr;
    QStringListModel *completerModel = nullptr;
    bool indic = true;
    bool dropDownShown = false;
    bool comboBox = false;
    // Transliteration keyboard: the key that ended the converted word.
    QString wordEnd;
};

void UnicodeLineEditPrivate::clearBuffer()
{
    if (!busy) {
        lastOutput.clear();
        buffer.clear();
        wordEnd.clear();
        if (completer && !completer->completionPrefix().isEmpty())
            completer->setCompletionPrefix(QString());
    }
    dropDownShown = false;
}

void UnicodeLineEditPrivate::toggleIndicToEnglish()
{
    indic = !indic;
    clearBuffer();
}

QString UnicodeLineEditPrivate::textUnderCursor() const
{
    const QTextCursor cursor = q->textCursor();
    const QString block = cursor.block().text();
    const qsizetype at = cursor.positionInBlock();
    const qsizetype start = runStart(block, at, isWordChar);
    const qsizetype end = runEnd(block, at, isWordChar);
    return block.mid(start, end - start);
}

void UnicodeLineEditPrivate::insertCompletion(const QString &text)
{
    if (!completer || completer->widget() != q)
        return;
    q->setText(text);
    q->moveCursor(QTextCursor::End);
    q->ensureCursorVisible();
    dropDownShown = false;
}

void UnicodeLineEditPrivate::complete()
{
    if (!completer)
        return;
    if (!comboBox) {
        completer->complete();
        return;
    }
    completer->complete(QRect(q->x() - 4, -2, q->width() + 21, q->cursorRect().height()));
    dropDownShown = true;
}

bool UnicodeLineEditPrivate::standsBeforeCursor(const QString &text) const
{
    const QTextCursor cursor = q->textCursor();
    if (cursor.hasSelection())
        return false;
    if (text.isEmpty())
        return true;
    const int at = cursor.positionInBlock();
    return at >= text.size() &&
        QStringView(cursor.block().text()).mid(at - text.size(), text.size()) == text;
}

void UnicodeLineEditPrivate::replaceBeforeCursor(int count, const QString &text)
{
    busy = true;
    QTextCursor cursor = q->textCursor();
    const QTextCharFormat format = q->currentCharFormat();
    cursor.beginEditBlock();
    if (count > 0) {
        cursor.clearSelection();
        cursor.setPosition(cursor.position() - count, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    cursor.mergeCharFormat(format);
    cursor.insertText(text);
    cursor.endEditBlock();
    q->setTextCursor(cursor);
    busy = false;
    q->ensureCursorVisible();
}

void UnicodeLineEditPrivate::handlePhoneticKey(QKeyEvent *e)
{
    // The word's output must still stand before the cursor; if something else
    // changed the text around it, start a new word rather than delete the
    // user's text.
    if (!standsBeforeCursor(lastOutput))
        clearBuffer();

    const QString text = e->text();
    if (text.front().isLetterOrNumber()) {
        buffer += text;
    } else if (e->key() == Qt::Key_Backspace && !buffer.isEmpty()) {
        buffer.chop(1);
    } else {
        // A space or punctuation is typed as it is; the cursor move that
        // follows ends the word.
        passOn(e);
        return;
    }
    const QString result = ZuvoScriptConverter().ansiToUnicode(buffer, language, keyboard);
    replaceBeforeCursor(int(lastOutput.size()), result);
    lastOutput = result;
    autoComplete(e);
}

void UnicodeLineEditPrivate::handleTransliterationKey(QKeyEvent *e)
{
    const QString text = e->text();
    const int key = e->key();

    if (key == Qt::Key_Backspace) {
        // Right after a conversion: take back the key that ended the word and
        // show the word's Latin keys again.
        if (!buffer.isEmpty() && standsBeforeCursor(lastOutput + wordEnd)) {
            const QString latin = buffer;
            replaceBeforeCursor(int(lastOutput.size() + wordEnd.size()), latin);
            buffer.clear();
            wordEnd.clear();
            lastOutput = latin;
            autoComplete(e);
            return;
        }
        clearBuffer();
        passOn(e);
        return;
    }
    // Letters are shown in Latin until the word ends.
    if (text.front().isLetter()) {
        passOn(e);
        return;
    }
    // A key that types nothing visible (Escape, Delete, Tab) ends the word
    // but keeps its own meaning: the box never holds control characters, and
    // Escape still reaches the dialog.
    if (!text.front().isPrint()) {
        if (!standsInsideWord())
            convertWordBeforeCursor(QString());
        passOn(e);
        return;
    }
    // A word-ending key (space, digit, punctuation) converts the Latin word
    // before the cursor and is typed after it.
    if (!convertWordBeforeCursor(text))
        passOn(e);
}

bool UnicodeLineEditPrivate::standsInsideWord() const
{
    const QTextCursor cursor = q->textCursor();
    const QString block = cursor.block().text();
    const qsizetype at = cursor.positionInBlock();
    int len = 0;
    return at < block.size() && isWordChar(codePointAt(block, at, &len));
}

bool UnicodeLineEditPrivate::convertWordBeforeCursor(const QString &after)
{
    // Only when a letter stands right before the cursor.
    const QTextCursor cursor = q->textCursor();
    const QString block = cursor.block().text();
    const qsizetype at = cursor.positionInBlock();
    int len = 0;
    if (cursor.hasSelection() || at == 0 || !QChar::isLetter(codePointBefore(block, at, &len)))
        return false;
    const qsizetype start = runStart(block, at, isLatinWordChar);
    const QString word = block.mid(start, at - start);
    const QString result = ZuvoScriptConverter().ansiToUnicode(word, language, keyboard);
    if (result == word)
        return false;
    replaceBeforeCursor(int(word.size()), result + after);
    buffer = word;
    lastOutput = result;
    wordEnd = after;
    return true;
}

void UnicodeLineEditPrivate::autoComplete(QKeyEvent *e)
{
    if (!completer || !e)
        return;
    QAbstractItemView *popup = completer->popup();
    const int key = e->key();
    const QString text = e->text();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete || text.isEmpty()) {
        popup->hide();
        return;
    }
    // Any held key other than Control and Shift (the keypad flag is no key).
    const Qt::KeyboardModifiers held = e->modifiers() & ~Qt::KeypadModifier;
    const bool hasModifier =
        held != Qt::NoModifier && !(held & (Qt::ControlModifier | Qt::ShiftModifier));
    const QString prefix = textUnderCursor();
    if (hasModifier || prefix.isEmpty() || EndOfWordChars.contains(text.back())) {
        popup->hide();
        return;
    }
    if (prefix == completer->completionPrefix()) {
        complete();
        return;
    }
    completer->setCompletionPrefix(prefix);
    const QModelIndex first = completer->completionModel()->index(0, 0);
    if (first.data().toString() == prefix) {
        popup->hide(); // the word is complete already
        return;
    }
    popup->setCurrentIndex(first);
    complete();
}

UnicodeLineEdit::UnicodeLineEdit(QWidget *parent)
    : QPlainTextEdit(parent)
    , d(new UnicodeLineEditPrivate(this))
{
    setFont(languageFont(font(), 0));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFixedHeight(24);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this,
            &UnicodeLineEdit::onCursorPositionChanged);
    setStyleSheet(QStringLiteral("margin-top: -2px; padding-top: -2px;"));
}

UnicodeLineEdit::~UnicodeLineEdit()
{
    delete d;
}

QString UnicodeLineEdit::text() const
{
    return toPlainText();
}

void UnicodeLineEdit::setText(const QString &text)
{
    // Through a cursor rather than setPlainText: the replacement is one undo
    // step and the earlier text stays reachable.
    d->busy = true;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(text.simplified());
    cursor.endEditBlock();
    setTextCursor(cursor);
    d->busy = false;
    d->clearBuffer();
}

void UnicodeLineEdit::setLanguageAndKeyboard(int language, int keyboard)
{
    if (language != d->language) {
        d->language = language;
        setFont(languageFont(font(), language));
    }
    d->keyboard = keyboard;
    d->clearBuffer();
}

int UnicodeLineEdit::language() const
{
    return d->language;
}

int UnicodeLineEdit::keyboard() const
{
    return d->keyboard;
}

bool UnicodeLineEdit::isIndic() const
{
    return d->indic;
}

void UnicodeLineEdit::clean()
{
    d->clearBuffer();
}

void UnicodeLineEdit::setIsComboBox(bool comboBox)
{
    d->comboBox = comboBox;
}

void UnicodeLineEdit::setCompleter(const QStringList &words)
{
    if (d->completer)
        return;
    d->completerModel = new QStringListModel(words);
    d->completer = new QCompleter(d->completerModel, this);
    d->completer->setModelSorting(QCompleter::UnsortedModel);
    d->completer->setCaseSensitivity(Qt::CaseInsensitive);
    d->completer->setWrapAround(true);
    d->completer->setCompletionMode(QCompleter::PopupCompletion);
    d->completer->popup()->setFont(QFont(QStringLiteral("Tunga"), 10));
    // The entries are single words in one font, so every row has the same
    // height. Telling the list so keeps it from shaping every match each
    // time the popup opens: a one-letter prefix can match thousands of words.
    if (auto *list = qobject_cast<QListView *>(d->completer->popup()))
        list->setUniformItemSizes(true);
    d->completer->setWidget(this);
    connect(d->completer, qOverload<const QString &>(&QCompleter::activated), this,
            &UnicodeLineEdit::onCompleterItemActivated);
}

void UnicodeLineEdit::updateCompleterList(const QStringList &words)
{
    if (!d->completerModel)
        return;
    QStringList list = d->completerModel->stringList();
    list += words;
    list.removeDuplicates();
    d->completerModel->setStringList(list);
}

QCompleter *UnicodeLineEdit::completer() const
{
    return d->completer;
}

void UnicodeLineEdit::toggleAutoCompleter()
{
    setFocus(Qt::OtherFocusReason);
    if (!d->completer)
        return;
    if (!d->dropDownShown)
        d->complete();
    else
        d->dropDownShown = false;
}

void UnicodeLineEdit::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    QAbstractItemView *popup = d->completer ? d->completer->popup() : nullptr;
    const bool popupVisible = popup && popup->isVisible();
    if (popupVisible && isPopupKey(key)) {
        e->ignore(); // the completer takes it
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // What the box hands on is the converted word, not its Latin keys.
        if (d->indic && d->keyboard == Keyboard::Transliteration && !d->standsInsideWord())
            d->convertWordBeforeCursor(QString());
        emit editingFinished();
        return;
    }
    if (popupVisible)
        popup->hide();
    if (key == Qt::Key_F11)
        d->toggleIndicToEnglish();

    // With Control or Meta held a key is a command (select all, undo, copy),
    // whatever letter it carries as text; other commands are left to the
    // window.
    if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        if (!isEditingShortcut(e)) {
            e->ignore();
            return;
        }
        // The word being typed ends before a word is deleted, as it does
        // before Backspace or Delete: its keys are never converted again
        // into what the deletion left.
        if (isWordDeletion(e)) {
            if (d->indic && d->keyboard == Keyboard::Transliteration &&
                e->matches(QKeySequence::DeleteEndOfWord) && !d->standsInsideWord())
                d->convertWordBeforeCursor(QString());
            else
                d->clearBuffer();
        }
        QPlainTextEdit::keyPressEvent(e);
        return;
    }
    if (e->text().isEmpty() || !d->indic) {
        QPlainTextEdit::keyPressEvent(e);
        return;
    }
    if (d->keyboard == Keyboard::Transliteration)
        d->handleTransliterationKey(e);
    else
        d->handlePhoneticKey(e);
}

bool UnicodeLineEdit::isEditingShortcut(const QKeyEvent *event)
{
    // clang-format off
    static const QKeySequence::StandardKey kept[] = {
        QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut, QKeySequence::Copy,
        QKeySequence::Paste, QKeySequence::SelectAll, QKeySequence::Deselect,
        QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
        QKeySequence::MoveToNextChar, QKeySequence::MoveToPreviousChar,
        QKeySequence::MoveToNextWord, QKeySequence::MoveToPreviousWord,
        QKeySequence::MoveToNextLine, QKeySequence::MoveToPreviousLine,
        QKeySequence::MoveToNextPage, QKeySequence::MoveToPreviousPage,
        QKeySequence::MoveToStartOfLine, QKeySequence::MoveToEndOfLine,
        QKeySequence::MoveToStartOfBlock, QKeySequence::MoveToEndOfBlock,
        QKeySequence::MoveToStartOfDocument, QKeySequence::MoveToEndOfDocument,
        QKeySequence::SelectNextChar, QKeySequence::SelectPreviousChar,
        QKeySequence::SelectNextWord, QKeySequence::SelectPreviousWord,
        QKeySequence::SelectNextLine, QKeySequence::SelectPreviousLine,
        QKeySequence::SelectNextPage, QKeySequence::SelectPreviousPage,
        QKeySequence::SelectStartOfLine, QKeySequence::SelectEndOfLine,
        QKeySequence::SelectStartOfBlock, QKeySequence::SelectEndOfBlock,
        QKeySequence::SelectStartOfDocument, QKeySequence::SelectEndOfDocument,
    };
    // clang-format on
    for (QKeySequence::StandardKey key : kept) {
        if (event->matches(key))
            return true;
    }
    return false;
}

bool UnicodeLineEdit::isWordDeletion(const QKeyEvent *event)
{
    return event->matches(QKeySequence::DeleteStartOfWord) ||
        event->matches(QKeySequence::DeleteEndOfWord);
}

void UnicodeLineEdit::focusInEvent(QFocusEvent *e)
{
    emit focusChanged(true);
    QPlainTextEdit::focusInEvent(e);
}

void UnicodeLineEdit::focusOutEvent(QFocusEvent *e)
{
    emit focusChanged(false);
    QPlainTextEdit::focusOutEvent(e);
}

void UnicodeLineEdit::onCursorPositionChanged()
{
    d->clearBuffer();
}

void UnicodeLineEdit::onCompleterItemActivated(const QString &text)
{
    d->insertCompletion(text);
}
