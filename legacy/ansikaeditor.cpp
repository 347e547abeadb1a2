#include "ansikaeditor.h"

#include "ansitounicode.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStringListModel>
#include <QTextCursor>

AnsiKaEditor::AnsiKaEditor()
    : QTextEdit(nullptr)
{
    m_completer = new QCompleter(this);
    m_completer->setModel(modelFromFile(QStringLiteral(":/resources/wordlist_en.txt")));
    m_completer->setModelSorting(QCompleter::UnsortedModel);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setWrapAround(false);
    m_completer->setWidget(this);
    m_completer->setCompletionMode(QCompleter::PopupCompletion);
    connect(m_completer, qOverload<const QString &>(&QCompleter::activated), this,
            &AnsiKaEditor::insertCompletion);
    setFont(QFont(QStringLiteral("Tunga"), 12));
}

AnsiKaEditor::~AnsiKaEditor() = default;

QStringListModel *AnsiKaEditor::modelFromFile(const QString &fileName)
{
    QStringList words;
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly)) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        while (!file.atEnd()) {
            QByteArray line = file.readLine();
            const qsizetype nul = line.indexOf('\0');
            if (nul >= 0)
                line.truncate(nul);
            const QString word = QString::fromUtf8(line).trimmed();
            if (!word.isEmpty())
                words << word;
        }
        QApplication::restoreOverrideCursor();
    }
    return new QStringListModel(words, m_completer);
}

QString AnsiKaEditor::textUnderCursor() const
{
    QTextCursor cursor = textCursor();
    cursor.select(QTextCursor::WordUnderCursor);
    return cursor.selectedText();
}

QString AnsiKaEditor::lineUnderCursor() const
{
    QTextCursor cursor = textCursor();
    cursor.select(QTextCursor::LineUnderCursor);
    return cursor.selectedText();
}

void AnsiKaEditor::insertCompletion(QString completion)
{
    if (m_completer->widget() != this)
        return;
    QTextCursor cursor = textCursor();
    const qsizetype extra = completion.size() - m_completer->completionPrefix().size();
    cursor.movePosition(QTextCursor::Left);
    cursor.movePosition(QTextCursor::EndOfWord);
    if (extra > 0)
        cursor.insertText(completion.right(extra));
    setTextCursor(cursor);
    convertLine();
}

void AnsiKaEditor::focusInEvent(QFocusEvent *event)
{
    m_completer->setWidget(this);
    QTextEdit::focusInEvent(event);
}

void AnsiKaEditor::keyPressEvent(QKeyEvent *event)
{
    if (isReadOnly())
        return;

    if (m_completer->popup()->isVisible()) {
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

    const bool isShortcut = (event->modifiers() & Qt::ControlModifier) && event->key() == Qt::Key_E;
    if (!isShortcut)
        QTextEdit::keyPressEvent(event);

    // With Control or Meta held a key types nothing, whatever text the event carries.
    const QString text =
        (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) ? QString() : event->text();
    const bool ctrlOrShift = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    if (ctrlOrShift && text.isEmpty() && !isShortcut)
        return;

    static const QString endOfWord = QStringLiteral("~!@#$%^&*()_+{}|:\"<>?,./;'[]\\-=");
    const bool hasModifier = event->modifiers() != Qt::NoModifier && !ctrlOrShift;
    const QString prefix = textUnderCursor();
    if (!isShortcut &&
        (hasModifier || text.isEmpty() || prefix.size() < 2 || endOfWord.contains(text.right(1)))) {
        m_completer->popup()->hide();
        return;
    }

    if (prefix != m_completer->completionPrefix()) {
        m_completer->setCompletionPrefix(prefix);
        m_completer->popup()->setCurrentIndex(m_completer->completionModel()->index(0, 0));
    }
    QRect rect = cursorRect();
    rect.setWidth(m_completer->popup()->sizeHintForColumn(0) +
                  m_completer->popup()->verticalScrollBar()->sizeHint().width());
    m_completer->complete(rect);

    convertLine();

    if (text == QLatin1String("\n")) {
        m_convertedLine = QString();
        emit wordAdded(m_convertedLine);
    }
}

void AnsiKaEditor::convertLine()
{
    m_convertedLine.clear();
    const QStringList parts = lineUnderCursor().split(QLatin1Char(' '));
    for (const QString &part : parts) {
        m_convertedLine += AnsiToUnicode().unicodeForAnsi(part);
        m_convertedLine += QLatin1Char(' ');
        emit wordAdded(m_convertedLine);
    }
}
