#include "findandreplacedialog.h"
#include "ui_findandreplacedialog.h"

#include "history.h"
#include "utils.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHideEvent>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPaintEvent>
#include <QShowEvent>
#include <QTextBlock>
#include <QTextEdit>

namespace {

const QLatin1String findTable("Find");
const QLatin1String replaceTable("Replace");

// Letters, marks and digits, the underscore, ZWNJ and ZWJ: the characters of
// a word of Indic text. The toolkit's own whole-word search ends a word at a
// vowel sign or virama, so it would find a word inside a longer one.
bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == QLatin1Char('_') || c.unicode() == 0x200C ||
        c.unicode() == 0x200D;
}

QPalette darkPalette()
{
    QPalette p;
    const QColor white(255, 255, 255);
    const QColor grey90(90, 90, 90);
    for (auto group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
        p.setColor(group, QPalette::WindowText, white);
        p.setColor(group, QPalette::ButtonText, white);
        p.setColor(group, QPalette::Button, grey90);
        p.setColor(group, QPalette::Base, grey90);
        p.setColor(group, QPalette::Window, grey90);
        p.setColor(group, QPalette::Midlight, QColor(106, 106, 106));
    }
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(118, 118, 118));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(116, 116, 116));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(108, 108, 108));
    return p;
}

} // namespace

FindAndReplaceDialog::FindAndReplaceDialog(QWidget *parent)
    : QDialog(parent, Qt::Tool)
    , form(new Ui::FindAndReplaceDialog)
{
    // The icons sit in this static library.
    Q_INIT_RESOURCE(dialogs_edit);
    form->setupUi(this);
    setPalette(darkPalette());
    for (QWidget *arrow : { static_cast<QWidget *>(form->findArrowBtn),
                            static_cast<QWidget *>(form->replaceArrowBtn) }) {
        QPalette p = arrow->palette();
        p.setColor(QPalette::Button, QColor(182, 206, 254));
        arrow->setPalette(p);
    }

    connect(form->findLineEdit, &UnicodeLineEdit::editingFinished, this,
            &FindAndReplaceDialog::on_findNextBtn_clicked);
    connect(form->replaceLineEdit, &UnicodeLineEdit::editingFinished, this,
            &FindAndReplaceDialog::on_replaceNextBtn_clicked);

    {
        History history;
        findHistory = history.readHistory(findTable).split(QLatin1Char('\n'));
        replaceHistory = history.readHistory(replaceTable).split(QLatin1Char('\n'));
    }
    form->findLineEdit->setCompleter(findHistory);
    form->replaceLineEdit->setCompleter(replaceHistory);
    form->findLineEdit->setIsComboBox(true);
    form->replaceLineEdit->setIsComboBox(true);

    connect(form->findArrowBtn, &QToolButton::clicked, this,
            &FindAndReplaceDialog::onFindArrowBtnClicked);
    connect(form->replaceArrowBtn, &QToolButton::clicked, this,
            &FindAndReplaceDialog::onReplaceArrowBtnClicked);

    setGradientBackground();
}

FindAndReplaceDialog::~FindAndReplaceDialog()
{
    {
        History history;
        history.writeHistory(findTable, findHistory.join(QLatin1Char('\n')));
        history.writeHistory(replaceTable, replaceHistory.join(QLatin1Char('\n')));
    }
    delete form;
}

void FindAndReplaceDialog::setGradientBackground()
{
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, QColor(65, 65, 65, 150));
    gradient.setColorAt(0.3, QColor(65, 65, 65, 230));
    gradient.setColorAt(0.8, QColor(65, 65, 65, 250));
    gradient.setColorAt(1, QColor(65, 65, 65, 200));
    QPalette p = palette();
    p.setBrush(QPalette::All, QPalette::Window, QBrush(gradient));
    setPalette(p);
}

void FindAndReplaceDialog::resetPalette() { }

void FindAndReplaceDialog::modifyPalette()
{
    QPalette p = editor->palette();
    highlightColor = p.color(QPalette::Active, QPalette::Highlight);
    highlightedTextColor = p.color(QPalette::Active, QPalette::HighlightedText);
    // The found text stays visibly selected while the focus is in the bar.
    p.setBrush(QPalette::Inactive, QPalette::Highlight, QBrush(highlightColor));
    p.setBrush(QPalette::Inactive, QPalette::HighlightedText, QBrush(highlightedTextColor));
    editor->setPalette(p);
}

void FindAndReplaceDialog::focusFindBox()
{
    form->findLineEdit->ensureCursorVisible();
    form->findLineEdit->setFocus(Qt::OtherFocusReason);
    form->findLineEdit->selectAll();
}

void FindAndReplaceDialog::setEditor(QTextEdit *newEditor, int language, int keyboard)
{
    if (!newEditor)
        return;
    editor = newEditor;
    modifyPalette();
    const QTextCursor cursor = editor->textCursor();
    if (cursor.hasSelection())
        form->findLineEdit->setText(cursor.selectedText());
    form->findLineEdit->setLanguageAndKeyboard(language, keyboard);
    form->replaceLineEdit->setLanguageAndKeyboard(language, keyboard);
    savedCursor = cursor;
    form->findLineEdit->clean();
    form->replaceLineEdit->clean();
    focusFindBox();
}

void FindAndReplaceDialog::setOperationType(int operation)
{
    setWindowTitle(operation == FindOnly ? tr("Zuvo - Find") : tr("Zuvo - Find and Replace"));
}

QTextDocument::FindFlags FindAndReplaceDialog::findFlags(bool forward) const
{
    // Whole words are checked by isWholeWord, not by the toolkit; letter case
    // never matters.
    QTextDocument::FindFlags flags;
    if (!forward)
        flags |= QTextDocument::FindBackward;
    return flags;
}

bool FindAndReplaceDialog::isWholeWord(const QTextCursor &hit) const
{
    const QTextDocument *doc = hit.document();
    const int start = hit.selectionStart();
    const int end = hit.selectionEnd();
    if (start > 0 && isWordChar(doc->characterAt(start - 1)) && isWordChar(doc->characterAt(start)))
        return false;
    if (isWordChar(doc->characterAt(end)) && end > start && isWordChar(doc->characterAt(end - 1)))
        return false;
    return true;
}

QTextCursor FindAndReplaceDialog::findFrom(const QTextCursor &from, const QString &text,
                                           QTextDocument::FindFlags flags) const
{
    QTextDocument *doc = editor->document();
    const bool wholeWords = form->wholeWordsCheckBox->isChecked();
    QTextCursor start = from;
    for (;;) {
        const QTextCursor hit = doc->find(text, start, flags);
        if (hit.isNull() || !wholeWords || isWholeWord(hit))
            return hit;
        // Go on from inside this hit, so that a whole word overlapping it
        // is still found; every step moves by one, so the loop ends.
        start = QTextCursor(doc);
        if (flags & QTextDocument::FindBackward)
            start.setPosition(hit.selectionStart());
        else
            start.setPosition(hit.selectionStart() + 1);
    }
}

bool FindAndReplaceDialog::find(bool forward)
{
    if (!editor)
        return true;
    form->findLineEdit->clean();
    form->replaceLineEdit->clean();
    form->findLineEdit->ensureCursorVisible();
    const QString text = form->findLineEdit->text();
    if (text.isEmpty())
        return true;

    if (!findHistory.contains(text)) {
        findHistory.prepend(text);
        form->findLineEdit->updateCompleterList(findHistory);
    }

    const QTextDocument::FindFlags flags = findFlags(forward);
    savedCursor = editor->textCursor();
    savedCursor.clearSelection();

    QTextCursor hit = findFrom(editor->textCursor(), text, flags);
    if (hit.isNull()) {
        QTextCursor wrap(editor->document());
        wrap.movePosition(forward ? QTextCursor::Start : QTextCursor::End);
        editor->setTextCursor(wrap);
        hit = findFrom(wrap, text, flags);
    }
    if (!hit.isNull()) {
        editor->setTextCursor(hit);
        editor->ensureCursorVisible();
        return true;
    }

    if (lastOperation != 3) {
        QMessageBox::information(editor, Utils::appName(), tr("Done!"), QMessageBox::Ok);
    }
    restoreCursorToOriginalPosition(false);
    return false;
}

void FindAndReplaceDialog::rememberReplacement(const QString &replacement)
{
    if (!replacement.isEmpty() && !replaceHistory.contains(replacement)) {
        replaceHistory.prepend(replacement);
        form->replaceLineEdit->updateCompleterList(replaceHistory);
    }
}

bool FindAndReplaceDialog::replace()
{
    if (!editor)
        return false;
    const QString replacement = form->replaceLineEdit->text();
    bool replaced = false;
    QTextCursor cursor = editor->textCursor();
    // Exact comparison, letter case included, although the search ignores it.
    if (cursor.hasSelection() && cursor.selectedText() == form->findLineEdit->text()) {
        cursor.insertText(replacement);
        editor->setTextCursor(cursor);
        replaced = true;
    }
    rememberReplacement(replacement);
    return replaced;
}

void FindAndReplaceDialog::restoreCursorToOriginalPosition(bool focusEditor)
{
    if (!editor)
        return;
    // A cursor of a document that is gone is null; keep the editor's own.
    if (!savedCursor.isNull() && savedCursor.document() == editor->document())
        editor->setTextCursor(savedCursor);
    if (focusEditor)
        editor->setFocus(Qt::OtherFocusReason);
}

void FindAndReplaceDialog::on_findPrevBtn_clicked()
{
    lastOperation = 0;
    find(false);
}

void FindAndReplaceDialog::on_findNextBtn_clicked()
{
    lastOperation = 0;
    find(true);
}

void FindAndReplaceDialog::on_replaceBtn_clicked()
{
    if (!editor)
        return;
    lastOperation = 1;
    replace();
}

void FindAndReplaceDialog::on_replaceNextBtn_clicked()
{
    if (!editor)
        return;
    lastOperation = 2;
    replace();
    find(true);
}

void FindAndReplaceDialog::on_replaceAllBtn_clicked()
{
    if (!editor)
        return;
    lastOperation = 3;
    const QTextCursor kept = editor->textCursor();

    find(true);
    const QString replacement = form->replaceLineEdit->text();
    int count = 0;

    // With no find text the search leaves the user's own selection alone,
    // and that is no occurrence to replace.
    const QTextCursor first = editor->textCursor();
    if (first.hasSelection() && !form->findLineEdit->text().isEmpty()) {
        // Every occurrence present now, in the order the wrapping search
        // meets them from the first one, is collected before anything is
        // replaced: a replacement that itself matches (a change of letter
        // case, or one containing the find text) is never met again, so the
        // loop ends and each occurrence is replaced once.
        const QString text = form->findLineEdit->text();
        const QTextDocument::FindFlags flags = findFlags(true);
        QList<QTextCursor> hits { first };
        for (QTextCursor hit = findFrom(first, text, flags); !hit.isNull();
             hit = findFrom(hit, text, flags)) {
            hits << hit;
        }
        QTextCursor from(editor->document());
        for (QTextCursor hit = findFrom(from, text, flags);
             !hit.isNull() && hit.selectionEnd() <= first.selectionStart();
             hit = findFrom(hit, text, flags)) {
            hits << hit;
        }
        // The cursors follow the edits, so each still spans its occurrence.
        // All of them are one edit: one undo takes the whole command back.
        QTextCursor step(editor->document());
        step.beginEditBlock();
        for (QTextCursor &hit : hits) {
            editor->setTextCursor(hit);
            QTextCursor cursor = editor->textCursor();
            cursor.insertText(replacement);
            editor->setTextCursor(cursor);
            ++count;
            rememberReplacement(replacement);
        }
        step.endEditBlock();
    }

    editor->setTextCursor(kept);
    QMessageBox::information(editor, Utils::appName(), tr("Replaced %1 occurrence(s)").arg(count),
                             QMessageBox::Ok);
}

void FindAndReplaceDialog::onFindArrowBtnClicked()
{
    form->findLineEdit->toggleAutoCompleter();
}

void FindAndReplaceDialog::onReplaceArrowBtnClicked()
{
    form->replaceLineEdit->toggleAutoCompleter();
}

void FindAndReplaceDialog::onExpandReplaceButtonToggled(bool) { }

void FindAndReplaceDialog::localize()
{
    const char *ctx = "FindAndReplaceDialog";
    setWindowTitle(QCoreApplication::translate(ctx, "Find & Replace"));
    form->label->setText(QCoreApplication::translate(ctx, "Find:"));
    form->findArrowBtn->setText(QCoreApplication::translate(ctx, "..."));
    form->label_2->setText(QCoreApplication::translate(ctx, "Replace With: "));
    form->replaceArrowBtn->setText(QCoreApplication::translate(ctx, "..."));
    form->findPrevBtn->setText(QCoreApplication::translate(ctx, "..."));
    form->findNextBtn->setText(QString());
    form->pushButton_2->setText(QString());
    form->wholeWordsCheckBox->setText(QCoreApplication::translate(ctx, "Whole words only"));
    form->replaceBtn->setText(QCoreApplication::translate(ctx, "Replace"));
    form->replaceNextBtn->setText(QCoreApplication::translate(ctx, "Replace && Find"));
    form->replaceAllBtn->setText(QCoreApplication::translate(ctx, "Replace All"));
}

void FindAndReplaceDialog::changeEvent(QEvent *e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::LanguageChange)
        localize();
}

void FindAndReplaceDialog::showEvent(QShowEvent *e)
{
    form->findLineEdit->clean();
    form->replaceLineEdit->clean();
    focusFindBox();
    QDialog::showEvent(e);
}

void FindAndReplaceDialog::hideEvent(QHideEvent *e)
{
    restoreCursorToOriginalPosition(true);
    QDialog::hideEvent(e);
}

void FindAndReplaceDialog::closeEvent(QCloseEvent *e)
{
    restoreCursorToOriginalPosition(true);
    QDialog::closeEvent(e);
}

void FindAndReplaceDialog::paintEvent(QPaintEvent *e)
{
    QDialog::paintEvent(e);
}
