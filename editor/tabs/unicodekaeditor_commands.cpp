// The editing commands of the tab editor: character formats, alignment,
// lists, pictures, tables, hyperlinks, the context menu and printing.

#include "unicodekaeditor.h"

#include "highlighter.h"
#include "suggestions.h"
#include "utils.h"

#include <QAction>
#include <QColorDialog>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QTextTable>

void UnicodeKaEditor::mergeFormatOnWordOrSelection(const QTextCharFormat &format)
{
    QTextCursor tc = textCursor();
    if (!tc.hasSelection())
        tc.select(QTextCursor::WordUnderCursor);
    tc.mergeCharFormat(format);
    mergeCurrentCharFormat(format);
}

void UnicodeKaEditor::slotTextBold(bool on)
{
    QTextCharFormat format;
    // Bold off is the normal weight: a weight below the scale would make the
    // text thin.
    format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeFormatOnWordOrSelection(format);
}

void UnicodeKaEditor::slotTextItalic(bool on)
{
    QTextCharFormat format;
    format.setFontItalic(on);
    mergeFormatOnWordOrSelection(format);
}

void UnicodeKaEditor::slotTextUnderline(bool on)
{
    QTextCharFormat format;
    format.setUnderlineStyle(on ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline);
    mergeFormatOnWordOrSelection(format);
}

void UnicodeKaEditor::slotTextFontFamily(const QString &family)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList { family });
    mergeFormatOnWordOrSelection(format);
    m_fontName = family;
}

void UnicodeKaEditor::slotTextSize(const QString &text)
{
    bool ok = false;
    const float size = text.toFloat(&ok);
    if (!ok || !(size > 0))
        return;
    QTextCharFormat format;
    format.setFontPointSize(double(size));
    mergeFormatOnWordOrSelection(format);
}

void UnicodeKaEditor::slotTextColor()
{
    const QColor color = QColorDialog::getColor(textColor(), this);
    if (!color.isValid())
        return;
    QTextCharFormat format;
    format.setForeground(QBrush(color));
    mergeFormatOnWordOrSelection(format);
}

void UnicodeKaEditor::slotBackgroundColor()
{
    const QColor color = QColorDialog::getColor(Qt::white, this);
    if (!color.isValid())
        return;
    QTextCharFormat format;
    format.setBackground(QBrush(color));
    mergeFormatOnWordOrSelection(format);
}

void UnicodeKaEditor::slotTextAlign(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignLeft)
        setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    else if (alignment & Qt::AlignHCenter)
        setAlignment(Qt::AlignHCenter);
    else if (alignment & Qt::AlignRight)
        setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    else if (alignment & Qt::AlignJustify)
        setAlignment(Qt::AlignJustify);
}

void UnicodeKaEditor::slotTextStyle(int styleIndex)
{
    const int style = -qAbs(styleIndex);
    QTextCursor tc = textCursor();
    tc.beginEditBlock();
    QTextBlockFormat blockFormat = tc.blockFormat();
    QTextListFormat listFormat;
    if (QTextList *list = tc.currentList()) {
        listFormat = list->format();
        if (style == 0)
            listFormat.setIndent(blockFormat.indent());
    } else {
        listFormat.setIndent(blockFormat.indent() + 1);
        blockFormat.setIndent(0);
        tc.setBlockFormat(blockFormat);
    }
    listFormat.setStyle(QTextListFormat::Style(style));
    tc.createList(listFormat);
    tc.endEditBlock();
    setTextCursor(tc);
}

void UnicodeKaEditor::slotInsertPicture()
{
    const QString file = QFileDialog::getOpenFileName(this, Utils::appName(), QDir::homePath(),
                                                      tr("Images (*.png *.xpm *.jpg);;All (*.*)"));
    if (file.isEmpty())
        return;
    const QImage image(file);
    if (image.isNull()) {
        QMessageBox::information(this, Utils::appName(), tr("Invalid image"), QMessageBox::Ok);
        return;
    }
    textCursor().insertImage(image, file);
}

void UnicodeKaEditor::slotInsertTable()
{
    int rows = 2;
    int columns = 2;
    if (!askTableSize || !askTableSize(&rows, &columns) || rows < 1 || columns < 1)
        return;
    QTextTableFormat format;
    format.setCellPadding(6);
    QTextCursor tc = textCursor();
    tc.insertTable(rows, columns, format);
    setTextCursor(tc);
}

bool UnicodeKaEditor::askCount(const QString &label, int initial, int minimum, int maximum,
                               int *value)
{
    bool ok = false;
    const int n =
        QInputDialog::getInt(this, Utils::appName(), label, initial, minimum, maximum, 1, &ok);
    if (!ok)
        return false;
    *value = n;
    return true;
}

void UnicodeKaEditor::slotAppendRow()
{
    QTextTable *table = textCursor().currentTable();
    int n = 0;
    if (table && askCount(tr("Enter number of rows:"), 1, 1, 999, &n))
        table->appendRows(n);
}

void UnicodeKaEditor::slotAppendColumn()
{
    QTextTable *table = textCursor().currentTable();
    int n = 0;
    if (table && askCount(tr("Enter number of columns:"), 1, 1, 999, &n))
        table->appendColumns(n);
}

void UnicodeKaEditor::slotInsertRow()
{
    QTextTable *table = textCursor().currentTable();
    int n = 0;
    if (table && askCount(tr("Enter number of rows:"), 1, 1, 999, &n))
        table->insertRows(table->cellAt(textCursor()).row() + 1, n);
}

void UnicodeKaEditor::slotInsertCol()
{
    QTextTable *table = textCursor().currentTable();
    int n = 0;
    if (table && askCount(tr("Enter number of columns:"), 1, 1, 999, &n))
        table->insertColumns(table->cellAt(textCursor()).column() + 1, n);
}

void UnicodeKaEditor::slotInsertRowBefore()
{
    QTextTable *table = textCursor().currentTable();
    int n = 0;
    if (table && askCount(tr("Enter number of rows:"), 1, 1, 999, &n))
        table->insertRows(table->cellAt(textCursor()).row(), n);
}

void UnicodeKaEditor::slotInsertColBefore()
{
    QTextTable *table = textCursor().currentTable();
    int n = 0;
    if (table && askCount(tr("Enter number of columns:"), 1, 1, 999, &n))
        table->insertColumns(table->cellAt(textCursor()).column(), n);
}

void UnicodeKaEditor::slotSplitCells()
{
    QTextTable *table = textCursor().currentTable();
    if (!table)
        return;
    int rows = 0;
    int columns = 0;
    if (!askCount(tr("Number of rows to split into:"), 2, 2, 99, &rows))
        return;
    if (!askCount(tr("Number of columns to split into:"), 2, 2, 99, &columns))
        return;
    const QTextTableCell cell = table->cellAt(textCursor());
    table->splitCell(cell.row(), cell.column(), rows, columns);
}

void UnicodeKaEditor::slotRemoveRow()
{
    QTextTable *table = textCursor().currentTable();
    if (!table)
        return;
    int firstRow = -1, numRows = 0, firstColumn = -1, numColumns = 0;
    textCursor().selectedTableCells(&firstRow, &numRows, &firstColumn, &numColumns);
    if (firstRow >= 0 && numRows > 0)
        table->removeRows(firstRow, numRows);
}

void UnicodeKaEditor::slotRemoveColumn()
{
    QTextTable *table = textCursor().currentTable();
    if (!table)
        return;
    int firstRow = -1, numRows = 0, firstColumn = -1, numColumns = 0;
    textCursor().selectedTableCells(&firstRow, &numRows, &firstColumn, &numColumns);
    if (firstColumn >= 0 && numColumns > 0)
        table->removeColumns(firstColumn, numColumns);
}

void UnicodeKaEditor::slotMergeCells()
{
    if (QTextTable *table = textCursor().currentTable())
        table->mergeCells(textCursor());
}

void UnicodeKaEditor::slotUpdateImageSize()
{
    const QTextCharFormat format = currentCharFormat();
    if (format.isImageFormat())
        qDebug() << format.toImageFormat().name();
}

void UnicodeKaEditor::slotEditImageWidth(int delta)
{
    const QTextCharFormat format = currentCharFormat();
    if (!format.isImageFormat())
        return;
    QTextImageFormat image = format.toImageFormat();
    image.setWidth(image.width() + delta);
    mergeFormatOnWordOrSelection(image);
}

void UnicodeKaEditor::slotEditImageHeight(int delta)
{
    const QTextCharFormat format = currentCharFormat();
    if (!format.isImageFormat())
        return;
    QTextImageFormat image = format.toImageFormat();
    image.setHeight(image.height() + delta);
    mergeFormatOnWordOrSelection(image);
}

void UnicodeKaEditor::slotInsertHyperLink()
{
    QTextCursor tc = textCursor();
    const QTextCharFormat format = tc.charFormat();
    QString url = format.isAnchor() ? format.anchorHref() : QString();
    if (!askLinkUrl || !askLinkUrl(&url))
        return;
    // A link looks as one the toolkit reads from HTML.
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(url);
    link.setFontUnderline(true);
    link.setForeground(palette().link());
    tc.beginEditBlock();
    if (tc.hasSelection()) {
        // The selection becomes the link as it stands: its pictures,
        // paragraphs and formats stay.
        tc.mergeCharFormat(link);
    } else {
        QTextCharFormat linked = format;
        linked.merge(link);
        tc.insertText(url, linked);
    }
    tc.endEditBlock();
    setTextCursor(tc);
}

QMenu *UnicodeKaEditor::tableMenu()
{
    if (m_tableSubMenu)
        return m_tableSubMenu;
    m_tableSubMenu = new QMenu(tr("Table Properties"), this);
    const struct
    {
        const char *label;
        void (UnicodeKaEditor::*slot)();
    } entries[] = {
        { QT_TR_NOOP("Append row(s)"), &UnicodeKaEditor::slotAppendRow },
        { QT_TR_NOOP("Append column(s)"), &UnicodeKaEditor::slotAppendColumn },
        { QT_TR_NOOP("Remove row(s)"), &UnicodeKaEditor::slotRemoveRow },
        { QT_TR_NOOP("Remove column(s)"), &UnicodeKaEditor::slotRemoveColumn },
        { QT_TR_NOOP("Insert row(s)"), &UnicodeKaEditor::slotInsertRow },
        { QT_TR_NOOP("Insert column(s)"), &UnicodeKaEditor::slotInsertCol },
        { QT_TR_NOOP("Insert row(s) before"), &UnicodeKaEditor::slotInsertRowBefore },
        { QT_TR_NOOP("Insert column(s) before"), &UnicodeKaEditor::slotInsertColBefore },
        { QT_TR_NOOP("Merge cell(s)"), &UnicodeKaEditor::slotMergeCells },
        { QT_TR_NOOP("Split cell"), &UnicodeKaEditor::slotSplitCells },
    };
    for (const auto &entry : entries) {
        QAction *action = m_tableSubMenu->addAction(tr(entry.label));
        connect(action, &QAction::triggered, this, entry.slot, Qt::QueuedConnection);
    }
    return m_tableSubMenu;
}

void UnicodeKaEditor::contextMenuEvent(QContextMenuEvent *event)
{
    QPointer<QMenu> menu = createStandardContextMenu(event->pos());
    if (!menu) {
        QTextEdit::contextMenuEvent(event);
        return;
    }
    const QTextCharFormat format = currentCharFormat();
    if (format.isImageFormat()) {
        menu->addSeparator();
        QAction *action = menu->addAction(tr("Image Properties"));
        connect(action, &QAction::triggered, this, &UnicodeKaEditor::slotUpdateImageSize,
                Qt::QueuedConnection);
    } else if (textCursor().currentTable() || format.objectType() == QTextFormat::TableCellObject ||
               format.objectType() == QTextFormat::TableObject) {
        menu->addSeparator();
        menu->addMenu(tableMenu());
    } else if (format.isCharFormat()) {
        const QString word = textUnderCursor();
        if (!word.isEmpty()) {
            menu->addSeparator();
            if (m_utils && Utils::isSpellingWord(word) && m_utils->isMisSpelled(word)) {
                QAction *add = menu->addAction(tr("Add To Dictionary"));
                connect(add, &QAction::triggered, this, &UnicodeKaEditor::slotAddDictionary,
                        Qt::QueuedConnection);
            }
            QAction *suggest = menu->addAction(tr("Suggestions..."));
            connect(suggest, &QAction::triggered, this, &UnicodeKaEditor::slotDisplaySuggestions,
                    Qt::QueuedConnection);
            menu->addSeparator();
            QAction *zavi = menu->addAction(tr("ZaviDodaz Meaning..."));
            connect(zavi, &QAction::triggered, this, &UnicodeKaEditor::searchInZaviDodaz,
                    Qt::QueuedConnection);
            QAction *wiki = menu->addAction(tr("Wiktionary Meaning (Online)..."));
            connect(wiki, &QAction::triggered, this, &UnicodeKaEditor::slotSearchString,
                    Qt::QueuedConnection);
        }
    }
    menu->exec(event->globalPos());
    if (menu) {
        // The table submenu belongs to the editor and is kept for the next menu.
        if (m_tableSubMenu)
            menu->removeAction(m_tableSubMenu->menuAction());
        menu->deleteLater();
    }
}

void UnicodeKaEditor::slotAddDictionary()
{
    const QString word = textUnderCursor().simplified();
    if (word.isEmpty() || !m_utils)
        return;
    if (m_utils->addToDictionary(word, m_completer)) {
        QMessageBox::information(this, Utils::appName(), tr("Word added to dictionary"),
                                 QMessageBox::Ok);
        if (m_highlighter)
            m_highlighter->rehighlightBlock(textCursor().block());
    } else {
        QMessageBox::warning(this, Utils::appName(), tr("Failed to add the word"));
    }
}

void UnicodeKaEditor::slotDisplaySuggestions()
{
    if (!m_completer || !m_utils)
        return;
    // The misspelt word is the one the list was made for; the cursor kept
    // here follows the edits made while the list is open.
    QTextCursor word = textCursor();
    word.select(QTextCursor::WordUnderCursor);
    const QString misspelt = word.selectedText();
    auto *popup = new Suggestions(m_utils->suggestions(misspelt), this);
    popup->move(mapToGlobal(cursorRect().bottomLeft()));
    connect(popup, &Suggestions::wordSelected, this,
            [this, word, misspelt](const QString &replacement) mutable {
                // A word changed in the meantime is not the user's choice to
                // replace any more.
                if (replacement.isEmpty() || word.selectedText() != misspelt || misspelt.isEmpty())
                    return;
                // In the format of the word's first letter, as one undo step.
                QTextCursor first(document());
                first.setPosition(word.selectionStart() + 1);
                const QTextCharFormat format = first.charFormat();
                word.beginEditBlock();
                word.insertText(replacement, format);
                word.endEditBlock();
                setTextCursor(word);
            });
}

void UnicodeKaEditor::slotSearchString()
{
    emit searchString(textUnderCursor());
}

bool UnicodeKaEditor::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasImage() || QTextEdit::canInsertFromMimeData(source);
}

void UnicodeKaEditor::insertFromMimeData(const QMimeData *source)
{
    // Paste reaches here also when the editor takes no typing (while its
    // document is still being opened, nothing may go into it).
    if (isReadOnly())
        return;
    // Image data alone would insert nothing through the standard insertion.
    if (source->hasImage() && !source->hasText() && !source->hasHtml()) {
        const QImage image = qvariant_cast<QImage>(source->imageData());
        if (!image.isNull()) {
            textCursor().insertImage(image);
            return;
        }
    }
    QTextEdit::insertFromMimeData(source);
}

QMimeData *UnicodeKaEditor::createMimeDataFromSelection() const
{
    // The rich formats keep the pictures; other programs get the words of
    // the plain text without a placeholder for each.
    QMimeData *data = QTextEdit::createMimeDataFromSelection();
    if (data && data->hasText())
        data->setText(withoutObjects(data->text()));
    return data;
}

QString UnicodeKaEditor::withoutObjects(QString text)
{
    text.remove(QChar::ObjectReplacementCharacter);
    return text;
}

void UnicodeKaEditor::slotPrint(QPrinter *printer)
{
    if (printer)
        document()->print(printer);
}
