#ifndef ZUVO_LOOKUP_SPELLCHECKDIALOG_H
#define ZUVO_LOOKUP_SPELLCHECKDIALOG_H

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

class QCloseEvent;
class QEvent;
class QListWidgetItem;
class QTextEdit;
class Ui_SpellCheckDialog;
class Utils;

// Walks the document of one editor word by word and stops at each word the
// spelling test rejects. A word is a run of the characters Utils::isWordChar
// accepts, the same words the highlighter underlines, so punctuation around a
// word is neither tested nor replaced with it. The word is marked in the
// document itself (a real character format, so marking is an ordinary,
// undoable edit; unmarking gives each piece of the word its own format back)
// and the user changes it, changes it everywhere from here on, ignores it or
// adds it to the user's word file. The ignore list and the word model belong
// to the shared Utils object, so a choice made here holds for the highlighter
// too.
class SpellCheckDialog : public QDialog
{
    Q_OBJECT

public:
    SpellCheckDialog(Utils *spellChecker, QWidget *parent = nullptr);
    ~SpellCheckDialog() override;

    // The editor whose document the next restart() walks; the change-to box
    // types in the editor's language and keyboard.
    void setEditor(QTextEdit *editor, int language, int keyboard);
    // Opens the dialog (window-modal) and goes to the first misspelt word from
    // the start of the document; does nothing without an editor.
    void restart();

public slots:
    // Escape ends the walk here too: the mark is removed before hiding.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void on_ignorePushButton_clicked();
    void on_closePushButton_clicked();
    void on_ignoreAllPushButton_clicked();
    void on_changePushButton_clicked();
    void on_changeAllPushButton_clicked();
    void on_addToDictionary_clicked();
    void onSuggestionDoubleClicked(QListWidgetItem *item);
    void onCurrentRowChanged(int row);

private:
    // A piece of the current word with the format it had before the mark.
    struct Fragment
    {
        int offset; // from the start of the word
        int length;
        QTextCharFormat format;
    };

    void nextWord();
    // Moves the check cursor's selection to the next misspelt word after
    // it; false at the end of the document.
    bool selectNextMisspelt();
    void showWord();
    void mark();
    // Gives every piece of the marked word its own format back.
    void restoreFormats();
    void unmark();

    Ui_SpellCheckDialog *form;
    QPointer<QTextEdit> editor;
    QTextCharFormat markFormat;
    QTextCursor checkCursor;
    Utils *spellChecker;
    QString currentWord;
    // The format of the word's last character before it was marked: a
    // changed word takes it.
    QTextCharFormat savedFormat;
    QList<Fragment> savedFragments;
    bool closing = false;
};

#endif
