#include "unicodekaeditor.h"

#include "highlighter.h"
#include "insertlinkdialog.h"
#include "inserttabledialog.h"
#include "ts.h"
#include "unicodelineedit.h"
#include "utils.h"
#include "zuvodialog.h"
#include "zuvoscriptconverter.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSettings>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextCursor>
#include <QTimer>

UnicodeKaEditor::UnicodeKaEditor(Utils *utils, int language, int keyboard, QWidget *parent)
    : QTextEdit(parent)
    , m_utils(utils)
    , m_textCodecName(QString::fromLatin1(Ts::DEFAULT_CODEC))
    , m_keyboardLayout(keyboard)
    , m_language(language)
    , m_workingDir(QDir::homePath())
{
    setFrameStyle(QFrame::Box);
    QFont f = font();
    f.setPointSize(11);
    setFont(f);
    m_textCodec = QTextCodec::codecForName(m_textCodecName.toLocal8Bit());
    m_bufferTimer = new QTimer(this);
    document()->setDocumentMargin(12);
    if (language == Language::English)
        m_indic = false;
    connect(this, &QTextEdit::currentCharFormatChanged, this,
            &UnicodeKaEditor::slotCurrentCharFormatChanged);
    connect(this, &QTextEdit::cursorPositionChanged, this,
            &UnicodeKaEditor::slotCursorPositionChanged);
    connect(m_bufferTimer, &QTimer::timeout, this, &UnicodeKaEditor::slotBufferTimeout);
    clearBuffers();
    m_highlighter = new Highlighter(utils, this);

    askTableSize = [](int *rows, int *columns) {
        InsertTableDialog dialog(nullptr);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        *rows = dialog.rows();
        *columns = dialog.columns();
        return true;
    };
    askLinkUrl = [](QString *url) {
        InsertLinkDialog dialog(nullptr);
        dialog.setURL(*url);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        *url = dialog.url();
        return true;
    };
    askSaveFileName = [this](const QString &title) {
        return ZuvoDialog::saveFileName(title, this);
    };

    emit alignmentChanged(alignment());
}

UnicodeKaEditor::~UnicodeKaEditor() = default;

// --- language and layout ---------------------------------------------------

void UnicodeKaEditor::setLanguage(int value)
{
    if (value == m_language) {
        if (m_language != Language::English)
            m_indic = true;
        return;
    }
    if (value >= 0 && value <= 8) {
        m_language = value;
        m_indic = true;
        emit languageChanged(value);
    } else if (value == Language::English) {
        m_indic = false;
        emit languageChanged(Language::English);
    } else {
        return;
    }
    emptyWordBuffers();
}

int UnicodeKaEditor::language() const
{
    return m_indic ? m_language : int(Language::English);
}

int UnicodeKaEditor::indicLanguage() const
{
    return m_language;
}

void UnicodeKaEditor::setKeyboardLayout(int value)
{
    if (value >= 0 && value <= 3 && value != m_keyboardLayout) {
        m_keyboardLayout = value;
        emit keyboardChanged(value);
    }
    emptyWordBuffers();
}

int UnicodeKaEditor::keyboardLayout() const
{
    return m_keyboardLayout;
}

void UnicodeKaEditor::setIndic(bool on)
{
    if (m_indic == on)
        return;
    m_indic = on;
    emptyWordBuffers();
}

bool UnicodeKaEditor::isIndic() const
{
    return m_indic;
}

void UnicodeKaEditor::slotToggleLanguage()
{
    m_indic = !m_indic;
    emit languageChanged(m_indic ? m_language : int(Language::English));
    clearBuffers();
    emptyWordBuffers();
}

void UnicodeKaEditor::slotToggleKeyboardLayout()
{
    m_keyboardLayout = (m_keyboardLayout + 1) % 4;
    if (m_keyboardLayout < 0)
        m_keyboardLayout = 0;
    clearBuffers();
    emptyWordBuffers();
    emit keyboardChanged(m_keyboardLayout);
}

void UnicodeKaEditor::setLanguageFont(int language)
{
    const QString family = Utils::languageDefaultFont(language);
    QFont f = font();
    f.setFamily(family);
    setFont(f);
    document()->setDefaultFont(f);
    if (m_completer && m_completer->popup())
        m_completer->popup()->setFont(f);
    slotTextFontFamily(family);
    emit fontFamilyChanged(family);
}

QString UnicodeKaEditor::fontName() const
{
    return m_fontName;
}

// --- small accessors -------------------------------------------------------

// One completer serves every editor: it completes in the one it was last
// given to (or that last had the focus), and its choice goes there.
void UnicodeKaEditor::setCompleter(QCompleter *completer)
{
    if (m_completer)
        m_completer->disconnect(this);
    m_completer = completer;
    if (!completer)
        return;
    completer->setWidget(this);
    connect(completer, qOverload<const QString &>(&QCompleter::activated), this,
            &UnicodeKaEditor::insertCompletion);
}

QCompleter *UnicodeKaEditor::completer() const
{
    return m_completer;
}

QString UnicodeKaEditor::textUnderCursor() const
{
    QTextCursor tc = textCursor();
    tc.select(QTextCursor::WordUnderCursor);
    return tc.selectedText();
}

QString UnicodeKaEditor::textUnderBlock() const
{
    QTextCursor tc = textCursor();
    tc.select(QTextCursor::BlockUnderCursor);
    return tc.selectedText();
}

void UnicodeKaEditor::setAutoComplpetePrefixLength(int length)
{
    m_autoComplpetePrefixLength = length;
}

int UnicodeKaEditor::autoComplpetePrefixLength()
{
    return m_autoComplpetePrefixLength;
}

void UnicodeKaEditor::setSpellCheckAsYouType(bool on)
{
    m_spellCheckAsYouType = on;
    if (m_highlighter) {
        m_highlighter->setSpellCheckAsYouType(on);
        m_highlighter->rehighlight();
    }
}

bool UnicodeKaEditor::spellCheckAsYouType()
{
    return m_spellCheckAsYouType;
}

void UnicodeKaEditor::setTextEncodingIndex(int index)
{
    m_textEncodingIndex = index;
}

int UnicodeKaEditor::textEncodingIndex()
{
    return m_textEncodingIndex;
}

void UnicodeKaEditor::setTextCodecName(const QString &name)
{
    if (name == m_textCodecName)
        return;
    m_textCodecName = name;
    m_textCodec = QTextCodec::codecForName(name.toLocal8Bit());
}

QString UnicodeKaEditor::textCodecName() const
{
    return m_textCodecName;
}

void UnicodeKaEditor::setTextCodec(QTextCodec *codec)
{
    m_textCodec = codec;
}

QTextCodec *UnicodeKaEditor::textCodec() const
{
    return m_textCodec;
}

void UnicodeKaEditor::setInternal(bool value)
{
    m_internal = value;
}

bool UnicodeKaEditor::isInternal() const
{
    return m_internal || m_converting;
}

void UnicodeKaEditor::clearBuffers()
{
    if (m_bufferTimer && m_bufferTimer->isActive())
        m_bufferTimer->stop();
    m_internal = false;
}

void UnicodeKaEditor::emptyWordBuffers()
{
    m_keyBuffer.clear();
    m_insertedText.clear();
}

void UnicodeKaEditor::slotBufferTimeout()
{
    clearBuffers();
}

void UnicodeKaEditor::slotKeyRepeatKeyTimer()
{
    m_keyRepeatText.clear();
}

void UnicodeKaEditor::slotCurrentCharFormatChanged(const QTextCharFormat &format)
{
    emit fontChanged(format.font());
}

void UnicodeKaEditor::setDefaultSettings()
{
    QSettings settings(Ts::ORG_NAME, Ts::APP_NAME);
    settings.beginGroup(QStringLiteral("Settings"));
    const int lang =
        settings.value(QStringLiteral("Default-Language"), QStringLiteral("0")).toInt();
    const int layout =
        settings.value(QStringLiteral("Default-Keyboard-Layout"), QStringLiteral("0")).toInt();
    settings.endGroup();
    setLanguage(lang);
    setKeyboardLayout(layout);
}

void UnicodeKaEditor::addActions() { }

// --- keys ------------------------------------------------------------------

void UnicodeKaEditor::passKey(QKeyEvent *event)
{
    QTextEdit::keyPressEvent(event);
}

void UnicodeKaEditor::keyPressEvent(QKeyEvent *event)
{
    if (isReadOnly())
        return;
    const int key = event->key();
    if (m_completer && m_completer->popup() && m_completer->popup()->isVisible()) {
        switch (key) {
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->ignore();
            return;
        default:
            m_completer->popup()->hide();
            break;
        }
    }

    bool handled = false;
    if (key == Qt::Key_Escape && escapePressed && escapePressed()) {
        passKey(event);
        handled = true;
    }
    if (!handled) {
        if (key == Qt::Key_F11) {
            slotToggleLanguage();
            passKey(event);
        } else if (key == Qt::Key_K && (event->modifiers() & Qt::ControlModifier)) {
            // The layout switch only: the platform's own binding of the key
            // (X11 deletes the rest of the line) never sees it.
            slotToggleKeyboardLayout();
            event->accept();
        } else if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
            // A command, never typing. Only the editing commands the program
            // offers reach the text; the rest are left to the window.
            if (UnicodeLineEdit::isEditingShortcut(event)) {
                // Deleting a word ends the word being typed first, whether
                // the cursor moves or not: its keys are never converted again
                // into what the deletion left. Under Transliteration the
                // Latin letters stay as typed, as after Delete.
                if (UnicodeLineEdit::isWordDeletion(event)) {
                    clearBuffers();
                    emptyWordBuffers();
                }
                passKey(event);
            } else {
                event->ignore();
            }
        } else if (m_indic) {
            processEnglishKey(event);
        } else {
            passKey(event);
        }
    }
    if (m_completer)
        autoCompleteKannada(event);
}

void UnicodeKaEditor::processEnglishKey(QKeyEvent *event)
{
    const QString text = event->text();
    if (text.isEmpty()) {
        passKey(event);
        return;
    }
    if (m_keyboardLayout == Keyboard::Transliteration) {
        processTransliterationKey(event);
        return;
    }
    // The word's text must still stand right before the cursor: an edit made
    // elsewhere (a replacement through another cursor) ends the word, so that
    // the conversion never deletes text that is not the word's.
    if (!m_insertedText.isEmpty()) {
        QTextCursor probe = textCursor();
        const int end = probe.position();
        if (probe.hasSelection() || end < m_insertedText.size()) {
            emptyWordBuffers();
        } else {
            probe.setPosition(end - int(m_insertedText.size()));
            probe.setPosition(end, QTextCursor::KeepAnchor);
            if (probe.selectedText() != m_insertedText)
                emptyWordBuffers();
        }
    }
    if (text.at(0).isLetterOrNumber()) {
        m_keyBuffer.append(text);
        handlePhoneticKey(false, event);
    } else if (event->key() == Qt::Key_Backspace && !m_keyBuffer.isEmpty()) {
        m_keyBuffer.chop(1);
        handlePhoneticKey(false, event);
    } else {
        passKey(event);
    }
}

void UnicodeKaEditor::processTransliterationKey(QKeyEvent *event)
{
    const QString text = event->text();
    const QChar first = text.at(0);

    if (first.isSpace()) {
        if (textCursor().hasSelection()) {
            passKey(event);
            return;
        }
        // The word is the one that ends where the whitespace is typed.
        const QString latin = latinWordBefore(textCursor().position());
        passKey(event);
        if (latin.isEmpty())
            return;
        QTextCursor tc = textCursor();
        tc.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
        setTextCursor(tc);
        m_keyBuffer = latin;
        // The word converted and the space after it are one edit of ours:
        // neither cursor move ends a word.
        const QScopedValueRollback<bool> own(m_converting, true);
        handlePhoneticKey(true, event);
        passKey(event);
        return;
    }
    if (first.isLetter()) {
        passKey(event);
        return;
    }
    if (event->key() == Qt::Key_Backspace) {
        if (m_keyBuffer.isEmpty()) {
            passKey(event);
            return;
        }
        const QString keys = m_keyBuffer;
        const QString inserted = m_insertedText;
        passKey(event);
        m_keyBuffer = keys;
        m_insertedText = inserted;
        handlePhoneticKey(false, event);
        return;
    }
    if (!first.isPrint()) {
        passKey(event);
        return;
    }
    // A digit or punctuation mark ends the word before it, but only at the
    // word's end: typed inside a word, converting would rewrite text on
    // both sides of the key.
    QTextCursor tc = textCursor();
    const QChar next = tc.hasSelection() ? QChar() : document()->characterAt(tc.position());
    const bool insideWord = next.isLetterOrNumber() || next.isMark();
    const QString word =
        tc.hasSelection() || insideWord ? QString() : latinWordBefore(tc.position());
    if (!word.isEmpty()) {
        m_keyBuffer = word;
        const QScopedValueRollback<bool> own(m_converting, true);
        handlePhoneticKey(false, event);
        passKey(event);
        return;
    }
    passKey(event);
}

QString UnicodeKaEditor::latinWordBefore(int position) const
{
    // Latin letters only: digits stay as typed, so that a number is never
    // converted digit by digit by the key that follows it, and text of the
    // script before the letters is never converted again.
    int start = position;
    while (start > 0) {
        const QChar c = document()->characterAt(start - 1);
        if (c.unicode() > 0x7f || !c.isLetter())
            break;
        --start;
    }
    QTextCursor tc(document());
    tc.setPosition(start);
    tc.setPosition(position, QTextCursor::KeepAnchor);
    return tc.selectedText();
}

void UnicodeKaEditor::handlePhoneticKey(bool extraDelete, const QKeyEvent *event)
{
    const QScopedValueRollback<bool> own(m_converting, true);
    QTextCursor tc = textCursor();
    QTextCharFormat format = tc.charFormat();
    tc.beginEditBlock();
    ZuvoScriptConverter converter;
    QString newText;
    if (m_keyboardLayout != Keyboard::Transliteration) {
        for (qsizetype i = 0; i < m_insertedText.size(); ++i)
            tc.deletePreviousChar();
        newText = converter.ansiToUnicode(m_keyBuffer, m_language, m_keyboardLayout);
    } else if (event && event->key() == Qt::Key_Backspace && !m_keyBuffer.isEmpty()) {
        for (qsizetype i = 0; i < m_insertedText.size(); ++i)
            tc.deletePreviousChar();
        newText = m_keyBuffer;
        m_keyBuffer.clear();
    } else {
        const qsizetype count = m_keyBuffer.size() + (extraDelete ? 1 : 0);
        for (qsizetype i = 0; i < count; ++i)
            tc.deletePreviousChar();
        newText = converter.ansiToUnicode(m_keyBuffer, m_language, Keyboard::Transliteration);
    }
    if (!m_fontName.isEmpty())
        format.setFontFamilies(QStringList { m_fontName });
    tc.mergeCharFormat(format);
    tc.insertText(newText, format);
    m_insertedText = newText;
    tc.endEditBlock();
    setTextCursor(tc);
    m_internal = false;
    ensureCursorVisible();
}

void UnicodeKaEditor::slotCursorPositionChanged()
{
    if (isReadOnly() || m_converting)
        return;
    if (m_internal) {
        m_internal = false;
        return;
    }
    clearBuffers();
    emptyWordBuffers();
    emit alignmentChanged(alignment());
}

// --- completion ------------------------------------------------------------

void UnicodeKaEditor::autoCompleteKannada(QKeyEvent *event)
{
    if (!m_completer)
        return;
    QAbstractItemView *popup = m_completer->popup();
    const QString text = event->text();
    const QChar last = text.isEmpty() ? QChar() : text.back();
    if (!last.isLetter()) {
        popup->hide();
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods & (Qt::ControlModifier | Qt::AltModifier)) {
        popup->hide();
        return;
    }
    if (popup->isVisible()) {
        switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->ignore();
            return;
        default:
            break;
        }
    }
    if (mods != Qt::NoModifier && !(mods & (Qt::ShiftModifier | Qt::ControlModifier))) {
        popup->hide();
        return;
    }
    const QString prefix = textUnderCursor();
    if (text.isEmpty() || prefix.size() < m_autoComplpetePrefixLength) {
        popup->hide();
        return;
    }
    // The shared completer belongs to the focused editor; opening it for
    // another widget would show its popup in the wrong place.
    if (m_completer->widget() != this)
        return;
    if (prefix != m_completer->completionPrefix()) {
        m_completer->setCompletionPrefix(prefix);
        const QModelIndex first = m_completer->completionModel()->index(0, 0);
        if (first.data(Qt::DisplayRole).toString() == prefix) {
            popup->hide();
            return;
        }
        popup->setCurrentIndex(first);
    }
    QRect rect = cursorRect();
    rect.setWidth(popup->sizeHintForColumn(0) + popup->verticalScrollBar()->sizeHint().width());
    m_completer->complete(rect);
}

void UnicodeKaEditor::insertCompletion(const QString &completion)
{
    if (!m_completer || m_completer->widget() != this)
        return;
    QTextCursor tc = textCursor();
    QTextCharFormat format = tc.charFormat();
    tc.movePosition(QTextCursor::StartOfWord, QTextCursor::KeepAnchor);
    if (!m_fontName.isEmpty())
        format.setFontFamilies(QStringList { m_fontName });
    tc.insertText(completion, format);
    setTextCursor(tc);
    ensureCursorVisible();
}

void UnicodeKaEditor::focusInEvent(QFocusEvent *event)
{
    if (m_completer)
        m_completer->setWidget(this);
    QTextEdit::focusInEvent(event);
}

// --- working directory -----------------------------------------------------

void UnicodeKaEditor::setWorkingDir(QString path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return;
    m_workingDir = info.absolutePath();
    emit workingDirChanged(m_workingDir);
}

QString UnicodeKaEditor::workingDir() const
{
    return m_workingDir;
}

void UnicodeKaEditor::updateWorkingDir()
{
    setWorkingDir(m_fileName);
}

void UnicodeKaEditor::setFileName(const QString &name)
{
    m_fileName = name;
}

QString UnicodeKaEditor::fileName() const
{
    return m_fileName;
}
