#ifndef ZUVO_TEXTLIB_UNICODELINEEDIT_H
#define ZUVO_TEXTLIB_UNICODELINEEDIT_H

#include <QPlainTextEdit>
#include <QString>
#include <QStringList>

class QCompleter;
class QKeyEvent;
class UnicodeLineEditPrivate;

// The one-line box of every dialog that asks for a word. The user types Latin
// keys and the box shows text of its language's script: under the keyboards
// Phonetic, Nudi and Phonetic-2 the word being typed is converted again from
// all its keys after every key and replaces its previous output; under
// Transliteration the Latin word is shown as typed and converted when a
// word-ending key follows it (Backspace right after turns it back into Latin).
// F11 switches between Indic and plain Latin typing. Keys typed with Control
// or Meta held are never typing keys, and only the editing commands of
// isEditingShortcut() keep their meaning; the others change no text. Deleting
// a word (Ctrl+Backspace, Ctrl+Delete) ends the word being typed first, as
// Backspace and Delete would: under Transliteration Ctrl+Delete converts the
// Latin word before the cursor as Delete does.
//
// Built on a plain-text edit rather than a line edit because the word is
// replaced in place through text cursors; every change the box makes itself is
// one edit block, so one key is one undo step.
class UnicodeLineEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit UnicodeLineEdit(QWidget *parent = nullptr);
    ~UnicodeLineEdit() override;

    QString text() const;
    // Shows the text with its white space simplified and ends the word.
    void setText(const QString &text);
    // A new language also sets the language's default font at 11 points.
    void setLanguageAndKeyboard(int language, int keyboard);
    int language() const;
    int keyboard() const;
    // Whether keys are converted (F11 flips it).
    bool isIndic() const;
    // Ends the word being typed: the next key starts a new one.
    void clean();
    // In combo-box mode the completer opens as a list under the whole box.
    void setIsComboBox(bool comboBox);
    // The box's own completer over the words; only the first call counts.
    void setCompleter(const QStringList &words);
    // Appends the words to the completer's list (repeats dropped); nothing
    // before setCompleter.
    void updateCompleterList(const QStringList &words);
    // The box's completer, or null before setCompleter.
    QCompleter *completer() const;

    // Whether a key typed with Control or Meta held is one of the editing
    // commands the program's text boxes keep: undo, redo, cut, copy, paste,
    // select all, deleting a word before or after the cursor, and the cursor
    // moves and selections. Any other such key must change no text, whatever
    // the platform binds to it (X11 binds Ctrl+K to deleting the rest of the
    // line, for one).
    static bool isEditingShortcut(const QKeyEvent *event);
    // Whether the key deletes a word before or after the cursor
    // (Ctrl+Backspace, Ctrl+Delete): a box ends the word being typed first.
    static bool isWordDeletion(const QKeyEvent *event);

public slots:
    // The drop-down arrow beside a combo-box-mode box: opens the completer
    // list, or only forgets that it was open when it was.
    void toggleAutoCompleter();

signals:
    // Return or Enter while no completer popup is open.
    void editingFinished();
    void focusChanged(bool focusIn);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private slots:
    void onCursorPositionChanged();
    void onCompleterItemActivated(const QString &text);

private:
    friend class UnicodeLineEditPrivate;
    UnicodeLineEditPrivate *const d;
};

#endif
