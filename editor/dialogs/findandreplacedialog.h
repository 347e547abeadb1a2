#ifndef ZUVO_EDITOR_DIALOGS_FINDANDREPLACEDIALOG_H
#define ZUVO_EDITOR_DIALOGS_FINDANDREPLACEDIALOG_H

#include <QColor>
#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>

class QTextEdit;

namespace Ui {
class FindAndReplaceDialog;
}

// The find bar under the document tabs: searches the bound editor for the
// text of a transliterating box (letter case ignored), replaces the found
// text, replaces every occurrence, and keeps the lists of searched and
// replacement texts across runs in the history store.
class FindAndReplaceDialog : public QDialog
{
    Q_OBJECT

public:
    // Only chooses the window title: FindOnly, anything else find and replace.
    enum Operation { FindOnly = 0, FindAndReplace = 1 };

    explicit FindAndReplaceDialog(QWidget *parent = nullptr);
    ~FindAndReplaceDialog() override;

    // Binds the bar to an editor and gives both boxes its language and
    // keyboard. A null editor changes nothing.
    void setEditor(QTextEdit *editor, int language, int keyboard);
    void setOperationType(int operation);

    // One search step from the editor's cursor, wrapping once around the
    // document. True when found, and also when there is nothing to search.
    bool find(bool forward);
    // Replaces the editor's selection when it is exactly the find text.
    bool replace();
    // Puts the editor's cursor back where the last search started.
    void restoreCursorToOriginalPosition(bool focusEditor);
    void localize();

protected:
    void changeEvent(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private slots:
    void on_findPrevBtn_clicked();
    void on_findNextBtn_clicked();
    void on_replaceBtn_clicked();
    void on_replaceNextBtn_clicked();
    void on_replaceAllBtn_clicked();
    void onFindArrowBtnClicked();
    void onReplaceArrowBtnClicked();
    void onExpandReplaceButtonToggled(bool checked);

private:
    void resetPalette();
    void modifyPalette();
    void setGradientBackground();
    void focusFindBox();
    QTextDocument::FindFlags findFlags(bool forward) const;
    // The next occurrence after (or, backward, before) the cursor, without
    // wrapping; a null cursor when there is none.
    QTextCursor findFrom(const QTextCursor &from, const QString &text,
                         QTextDocument::FindFlags flags) const;
    bool isWholeWord(const QTextCursor &hit) const;
    void rememberReplacement(const QString &replacement);

    Ui::FindAndReplaceDialog *form;
    // The tab controller deletes an editor with its tab; the bar outlives it.
    QPointer<QTextEdit> editor;
    int lastOperation = 0;
    QTextCursor savedCursor;
    QStringList findHistory;
    QStringList replaceHistory;
    QColor highlightColor;
    QColor highlightedTextColor;
};

#endif
