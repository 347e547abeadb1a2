#include "tabwidget.h"
#include "makersite.h"

#include "documentimport.h"
#include "findandreplacedialog.h"
#include "highlighter.h"
#include "recentfiles.h"
#include "textencoding.h"
#include "ts.h"
#include "unicodekaeditor.h"
#include "userdict.h"
#include "utils.h"
#include "zuvodialog.h"
#include "zuvoscriptconverter.h"

#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QSettings>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace {
const QString modifiedMark = QStringLiteral(" - (*)");

// Whether a reader got any of the file's text (a picture counts). It looks
// no further than the first such character: the whole text of a long
// document made into one string took milliseconds.
bool hasText(const QTextDocument *document)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (const QChar c : text) {
            if (!c.isSpace())
                return true;
        }
    }
    return false;
}

// The family of the text at the editor's cursor, installed or not: text
// without a family of its own is in the document's font. It is read from
// the text, as a cursor just put there sees it: the editor's own cursor may
// still carry the format it had before the file's text was set (the
// language's font, or none at all after an import).
QString familyAtCursor(const QTextEdit *editor)
{
    QTextCursor at(editor->document());
    at.setPosition(editor->textCursor().position());
    const QStringList families = at.charFormat().fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return editor->document()->defaultFont().family();
}
} // namespace

TabWidget::TabWidget(QMainWindow *window, QWidget *parent)
    : QTabWidget(parent)
    , m_mainWindow(window)
    , m_workingDir(QDir::homePath())
{
    connect(this, &QTabWidget::tabCloseRequested, this, &TabWidget::slotTabCloseRequested);
    setDocumentMode(true);
    setTabShape(QTabWidget::Triangular);

    addActions();
    setTabsClosable(true);
    makeConnections();

    QStatusBar *bar = m_mainWindow ? m_mainWindow->statusBar() : nullptr;
    m_progressBar = new QProgressBar;
    m_progressBar->setRange(0, 0);
    m_progressBar->setMaximumHeight(14);
    m_progressBar->setTextVisible(false);
    m_languageStatusLabel = new QLabel;
    m_keyboardStatusLabel = new QLabel;
    if (bar) {
        bar->addPermanentWidget(new QLabel, 10);
        bar->addPermanentWidget(m_progressBar, 2);
        bar->addPermanentWidget(m_languageStatusLabel, 1);
        bar->addPermanentWidget(m_keyboardStatusLabel, 1);
    } else {
        // Without a status bar the widgets still need an owner.
        m_progressBar->setParent(this);
        m_languageStatusLabel->setParent(this);
        m_keyboardStatusLabel->setParent(this);
    }
    m_progressBar->hide();

    m_recentFiles = new RecentFiles(this);
    connect(m_recentFiles, &RecentFiles::chosen, this,
            qOverload<const QString &>(&TabWidget::editFile));

    m_utils = new Utils(this);

    m_closeButton = new QToolButton(this);
    m_closeButton->setIcon(QIcon(QStringLiteral(":/resources/find-close-icon.png")));
    m_closeButton->setIconSize(QSize(16, 16));
    m_closeButton->setToolTip(tr("Close Current Tab"));
    m_closeButton->setAutoRaise(true);
    setCornerWidget(m_closeButton, Qt::TopRightCorner);
    connect(m_closeButton, &QToolButton::clicked, this, &TabWidget::slotCloseCurrentTab);
}

TabWidget::~TabWidget()
{
    // Imports still running are stopped, each reader deleted in its thread;
    // those shown already may still be ending theirs.
    m_imports.clear();
    qDeleteAll(findChildren<DocumentImport *>(Qt::FindDirectChildrenOnly));
    // A cancelled PDF export's thread may not have come to its next page
    // yet.
    const QList<QThread *> threads = findChildren<QThread *>(Qt::FindDirectChildrenOnly);
    for (QThread *thread : threads) {
        thread->quit();
        thread->wait();
    }
    // The recent-files menu goes with its list; the form's action may still
    // show it.
    if (QAction *recent = action("actionRecentFiles"))
        if (recent->menu() == m_recentFiles->menu())
            recent->setMenu(nullptr);
}

QAction *TabWidget::action(const char *name) const
{
    return m_mainWindow ? m_mainWindow->findChild<QAction *>(QLatin1String(name)) : nullptr;
}

QMenu *TabWidget::menu(const char *name) const
{
    return m_mainWindow ? m_mainWindow->findChild<QMenu *>(QLatin1String(name)) : nullptr;
}

QToolBar *TabWidget::toolBar() const
{
    return m_mainWindow ? m_mainWindow->findChild<QToolBar *>(QStringLiteral("mainToolBar"))
                        : nullptr;
}

void TabWidget::initLoad(QStringList args)
{
    if (m_recentFiles->load())
        if (QAction *recent = action("actionRecentFiles"))
            recent->setMenu(m_recentFiles->menu());

    for (int i = 1; i < args.size(); ++i)
        editFile(args.at(i));
    if (count() == 0)
        slotNew();
    QTimer::singleShot(300, this, &TabWidget::slotLoadCompleter);
}

UnicodeKaEditor *TabWidget::createNewEditor(bool)
{
    auto *editor = new UnicodeKaEditor(m_utils, m_language, m_keyboard, this);
    editor->setWorkingDir(m_workingDir);
    connect(editor, &UnicodeKaEditor::searchString, this, &TabWidget::slotSearchString);
    connect(editor, &UnicodeKaEditor::fontFamilyChanged, this, &TabWidget::slotFontFamilyChanged);
    connect(editor, &UnicodeKaEditor::languageChanged, this, &TabWidget::slotLanguageChanged);
    connect(editor, &UnicodeKaEditor::keyboardChanged, this, &TabWidget::slotKeyboardChanged);
    connect(editor, &UnicodeKaEditor::fontChanged, this, &TabWidget::slotFontChanged);
    connect(editor, &UnicodeKaEditor::alignmentChanged, this, &TabWidget::slotAlignmentChanged);
    connect(editor, &UnicodeKaEditor::workingDirChanged, this, &TabWidget::onWorkingDirChanged);
    connect(editor, &UnicodeKaEditor::searchInZaviDodaz, this, &TabWidget::onSearchInZaviDodaz);
    connect(editor->document(), &QTextDocument::modificationChanged, this,
            &TabWidget::slotDocumentModified);

    if (m_comboFont)
        m_comboFont->setWritingSystem(
            QFontDatabase::WritingSystem(Utils::fontDatabaseIndexForLang(m_language)));
    editor->setLanguageFont(m_language);
    editor->setTextEncodingIndex(m_textEncodingIndex);
    editor->setAutoComplpetePrefixLength(autoComplpetePrefixLength());
    editor->setSpellCheckAsYouType(spellCheckAsYouType());
    // Giving the empty document its language's font is setting it up, not
    // an edit the user could undo.
    editor->document()->clearUndoRedoStacks();
    editor->document()->setModified(false);
    editor->mayTakeFileName = [this, editor](const QString &name) {
        return mayTakeFileName(editor, name);
    };
    editor->escapePressed = [this] { return onEscapePressed(); };
    return editor;
}

QString TabWidget::newFilename()
{
    return tr("untitled-%1").arg(m_untitledCounter++);
}

void TabWidget::slotNew()
{
    UnicodeKaEditor *editor = createNewEditor(false);
    m_editors.append(editor);
    const QString name = newFilename();
    addTab(editor, name);
    setCurrentWidget(editor);
    editor->setFocus();
    editor->document()->setModified(false);
    setCurrentIndex(count() - 1);
    m_openDocuments.append(name);
}

void TabWidget::slotOpen()
{
    const QString path = ZuvoDialog::openFileName(this);
    if (!path.isEmpty())
        editFile(path);
}

void TabWidget::slotRecentFilesMenuTriggered(QAction *action)
{
    if (action)
        editFile(action->data().toString());
}

// Every way of opening a file ends here (the Open dialog, the recent files,
// the command line, drops and the side pane): a file already open is shown
// in its tab, as a second editor over it would overwrite the first one's
// saves.
void TabWidget::editFile(const QString &path)
{
    const int open = indexOfFile(path);
    if (open >= 0) {
        setCurrentIndex(open);
        const QString name = m_editors.at(open)->fileName();
        updateRecentFilesMenu(name.isEmpty() ? path : name);
        return;
    }
    // A folder opens as a device but yields nothing; it is no document.
    const QFileInfo info(path);
    if (!info.exists() || info.isDir() || !info.isReadable()) {
        QMessageBox::information(this, Utils::appName(), tr("Couldn't open the file %1").arg(path),
                                 QMessageBox::Ok);
        return;
    }
    if (openFile(path))
        updateRecentFilesMenu(path);
}

int TabWidget::indexOfFile(const QString &path) const
{
    if (path.isEmpty())
        return -1;
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const auto same = [&](const QString &name) {
        return !name.isEmpty() &&
            (name == path ||
             (!canonical.isEmpty() && QFileInfo(name).canonicalFilePath() == canonical));
    };
    for (int i = 0; i < m_editors.size(); ++i)
        if (same(m_editors.at(i)->fileName()))
            return i;
    // A file still being opened has its tab, though not yet its name.
    for (const DocumentImport *import : m_imports)
        if (import->editor() && same(import->path()))
            return m_editors.indexOf(import->editor());
    return -1;
}

bool TabWidget::mayTakeFileName(const UnicodeKaEditor *editor, const QString &name)
{
    const int open = indexOfFile(name);
    if (open < 0)
        return true;
    bool opening = false;
    for (const DocumentImport *import : std::as_const(m_imports))
        opening = opening || import->editor() == m_editors.at(open);
    if (!opening && m_editors.at(open) == editor)
        return true;
    // Two tabs over one file would each save over the other's text.
    QMessageBox::warning(
        this, Utils::appName(),
        opening ? tr("%1 is still being opened.\n\nSave under another name, or wait until it "
                     "is shown.")
                      .arg(name)
                : tr("%1 is open in another tab.\n\nSave under another name, or close that tab "
                     "first.")
                      .arg(name),
        QMessageBox::Ok);
    return false;
}

// Opens the file in a new tab, by its format. False when the file could not
// be read: no tab is left for it.
bool TabWidget::openFile(const QString &path)
{
    using DocumentOpen::Format;
    using DocumentOpen::Opened;
    const Format format = DocumentOpen::formatOf(path);

    UnicodeKaEditor *editor = createNewEditor(false);
    showProgress(true);
    m_editors.append(editor);
    m_openDocuments.append(path);
    const int tab = addTab(editor, QFileInfo(path).fileName());
    setCurrentIndex(count() - 1);

    if (format == Format::Brh) {
        // There is no file behind the converted text.
        unbindTab(tab);
        const Opened opened = DocumentOpen::openBrh(path);
        appendConverted(editor, opened.lines);
        showProgress(!m_imports.isEmpty());
        if (!opened.failure.isEmpty()) {
            dropTab(indexOf(editor));
            reportUnreadable(path, opened.failure);
            return false;
        }
        return true;
    }

    setTabToolTip(tab, path);
    if (format == Format::OpenDocument) {
        startImport(editor, path);
        showProgress(true);
        editor->setWorkingDir(path);
        if (editor == m_currentEditor)
            showTextEncoding(editor->textEncodingIndex());
        return true;
    }

    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (isVisible()) {
        // The new tab is shown, with the busy cursor, before the file is
        // read: the window repaints between the two instead of after both.
        // Keys and clicks wait until the text is there.
        const QPointer<UnicodeKaEditor> guard(editor);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!guard || !m_editors.contains(editor)) {
            QApplication::restoreOverrideCursor();
            showProgress(!m_imports.isEmpty());
            return false;
        }
    }

    Opened opened;
    switch (format) {
    case Format::Rtf:
        opened = DocumentOpen::openRtf(path, editor->document()->defaultFont(),
                                       editor->document()->documentMargin());
        break;
    case Format::Nudi:
        opened = DocumentOpen::openNudi(path);
        break;
    case Format::Html:
        opened = DocumentOpen::openHtml(path);
        break;
    default:
        opened = DocumentOpen::openText(path);
        break;
    }
    showOpened(editor, opened);
    if (opened.latin1 && m_mainWindow && m_mainWindow->statusBar())
        m_mainWindow->statusBar()->showMessage(
            tr("%1 is not UTF-8 text: it was read as ISO 8859-1 and is saved so")
                .arg(QFileInfo(path).fileName()));

    // Setting an empty text reports a change that the toolkit then takes
    // back without a signal: the mark is set from the document itself.
    markTab(indexOf(editor), editor->document()->isModified());
    showProgress(!m_imports.isEmpty());
    QApplication::restoreOverrideCursor();
    const QString &failure = opened.failure;
    if (!failure.isEmpty() && !hasText(editor->document())) {
        dropTab(indexOf(editor));
        reportUnreadable(path, failure);
        return false;
    }
    // Saved over the file, what could not be read of it would be lost.
    if (opened.bound && failure.isEmpty())
        editor->setFileName(path);
    else
        unbindTab(indexOf(editor));
    if (!failure.isEmpty())
        reportPartlyRead(path, failure);
    if (format == Format::Nudi && m_mainWindow && m_mainWindow->statusBar())
        m_mainWindow->statusBar()->showMessage(
            tr("%1 was converted into Unicode text: saving it asks for a new name, and the "
               "file stays as it is")
                .arg(QFileInfo(path).fileName()));

    // A document just given to the editor has its cursor at the start
    // already; moving it there again would lay the whole text out at once
    // instead of as it comes into view.
    QTextCursor cursor = editor->textCursor();
    if (cursor.position() != 0 || cursor.hasSelection()) {
        cursor.movePosition(QTextCursor::Start);
        editor->setTextCursor(cursor);
    }
    editor->setWorkingDir(path);
    // The tab became current before its file was read.
    if (editor == m_currentEditor)
        showTextEncoding(editor->textEncodingIndex());
    return true;
}

void TabWidget::showOpened(UnicodeKaEditor *editor, DocumentOpen::Opened &opened)
{
    using Content = DocumentOpen::Opened::Content;
    switch (opened.content) {
    case Content::Document:
        opened.document->setParent(editor);
        installImportedDocument(editor, opened.document.release());
        return;
    case Content::Lines:
        appendConverted(editor, opened.lines);
        return;
    case Content::AnyText:
        if (!opened.text.isEmpty()) {
            editor->setText(opened.text);
            editor->document()->setModified(true);
        }
        return;
    case Content::Html:
    case Content::PlainText:
        if (!opened.failure.isEmpty())
            return;
        if (opened.content == Content::Html)
            editor->setHtml(opened.text);
        else
            editor->setPlainText(opened.text);
        if (opened.hasEncoding)
            editor->setTextEncodingIndex(opened.encoding);
        editor->document()->setModified(false);
        return;
    }
}

void TabWidget::startImport(UnicodeKaEditor *editor, const QString &path)
{
    auto *import = new DocumentImport(path, editor, this);
    m_imports.append(import);
    connect(import, &DocumentImport::ready, this, &TabWidget::drawDoc);
    connect(import, &DocumentImport::progress, this, &TabWidget::onRead);
    // The tab takes no typing until the document is shown: whatever went
    // into the empty one would be lost when the file's replaces it.
    editor->setReadOnly(true);
    editor->viewport()->setCursor(Qt::BusyCursor);
    import->start();
    editor->document()->setModified(false);
    markTab(indexOf(editor), false);
}

void TabWidget::drawDoc()
{
    // Each import keeps its own reader, thread and editor, so that a second
    // import started before the first is done fills its own tab.
    auto *import = qobject_cast<DocumentImport *>(sender());
    if (!import || !m_imports.removeOne(import))
        return;
    QTextDocument *read = import->finish();
    // A tab closed meanwhile gets nothing: its editor is on its way out.
    UnicodeKaEditor *editor = import->editor();
    if (editor && m_editors.contains(editor))
        finishImport(editor, import->path(), read, import->error());
    else
        delete read;
    showProgress(!m_imports.isEmpty());
}

void TabWidget::finishImport(UnicodeKaEditor *editor, const QString &path, QTextDocument *read,
                             QString error)
{
    editor->setReadOnly(false);
    editor->viewport()->setCursor(Qt::IBeamCursor);
    // A file gone before the reader came to it leaves an empty document
    // without a word of its own.
    if (error.isEmpty() && (!read || !QFileInfo::exists(path)))
        error = tr("The file is no longer there.");
    // The waiting document takes no typing, but a command may still have
    // put something into it: that is the user's and is kept.
    QTextDocument *waiting = editor->document();
    const bool edited = waiting->isModified() || !editor->fileName().isEmpty();
    const bool readText = read && hasText(read);

    if (!error.isEmpty() && !readText) {
        delete read;
        // While a dialog is open, a command may still be at work on this
        // tab (a save, a sort or a PDF export of it): the tab stays, empty
        // and untitled, and is closed like any other.
        const bool inUse = QApplication::activeModalWidget() != nullptr;
        if (!edited && !inUse)
            dropTab(indexOf(editor));
        else if (editor->fileName().isEmpty())
            unbindTab(indexOf(editor));
        reportUnreadable(path, error);
        return;
    }
    const QTextDocumentFragment typed =
        edited ? QTextDocumentFragment(waiting) : QTextDocumentFragment();
    read->setParent(editor);
    installImportedDocument(editor, read);
    if (edited) {
        if (!typed.isEmpty()) {
            QTextCursor cursor(editor->document());
            cursor.movePosition(QTextCursor::End);
            cursor.insertBlock();
            cursor.insertFragment(typed);
        }
        // Neither the file nor a name saved meanwhile holds this document.
        editor->document()->setModified(true);
    }
    if (!error.isEmpty()) {
        if (editor->fileName().isEmpty())
            unbindTab(indexOf(editor));
        reportPartlyRead(path, error);
    } else if (editor->fileName().isEmpty()) {
        editor->setFileName(path);
    }
}

void TabWidget::installImportedDocument(UnicodeKaEditor *editor, QTextDocument *document)
{
    // The replaced document carries the editor's own settings. They are
    // set before the document is shown: set after, they would lay it all
    // out a second time.
    const QFont font = editor->document()->defaultFont();
    const qreal margin = editor->document()->documentMargin();
    if (document->defaultFont() != font)
        document->setDefaultFont(font);
    if (document->documentMargin() != margin)
        document->setDocumentMargin(margin);
    editor->setDocument(document);
    // The spelling marks follow the new document. Its first pass is queued
    // before the one the attachment schedules, as when the editor was made.
    if (Highlighter *highlighter = editor->highlighter()) {
        QMetaObject::invokeMethod(
            highlighter, [highlighter] { highlighter->rehighlight(); }, Qt::QueuedConnection);
        highlighter->setDocument(document);
    }
    // The copy was built by inserting the whole text: that is the file, not
    // an edit of it.
    document->clearUndoRedoStacks();
    connect(document, &QTextDocument::modificationChanged, this, &TabWidget::slotDocumentModified);
    document->setModified(false);
    markTab(indexOfDocument(document), false);
}

void TabWidget::unbindTab(int index)
{
    if (index < 0 || index >= count() || index >= m_editors.size())
        return;
    const QString name = newFilename();
    setTabText(index, name);
    setTabToolTip(index, QString());
    if (index < m_openDocuments.size())
        m_openDocuments[index] = name;
    UnicodeKaEditor *editor = m_editors.at(index);
    editor->setFileName(QString());
    markTab(index, editor->document()->isModified());
}

void TabWidget::dropTab(int index)
{
    if (index < 0 || index >= count() || index >= m_editors.size())
        return;
    UnicodeKaEditor *editor = m_editors.takeAt(index);
    if (index < m_openDocuments.size())
        m_openDocuments.removeAt(index);
    removeTab(index);
    editor->deleteLater();
    if (count() == 0)
        slotNew();
}

void TabWidget::reportUnreadable(const QString &path, const QString &reason)
{
    QMessageBox::warning(this, Utils::appName(),
                         tr("Couldn't open the file %1\n\n%2").arg(path, reason), QMessageBox::Ok);
}

void TabWidget::reportPartlyRead(const QString &path, const QString &reason)
{
    QMessageBox::warning(this, Utils::appName(),
                         tr("Couldn't read all of the file %1\n\n%2\n\nThe text that was read is "
                            "shown as a new document: saving it asks for a name, and the file "
                            "stays as it is.")
                             .arg(path, reason),
                         QMessageBox::Ok);
}

void TabWidget::onRead(int, int) { }

void TabWidget::convertBRHFile(const QString &, QFile &file)
{
    UnicodeKaEditor *editor = m_currentEditor;
    if (!editor)
        return;
    QString failure;
    appendConverted(editor, DocumentOpen::brhLines(&file, &failure));
}

void TabWidget::appendConverted(UnicodeKaEditor *editor, const QStringList &lines)
{
    showProgress(true);
    // One edit for all the lines: the shown document is laid out once, not
    // after every line appended.
    QTextCursor edit(editor->document());
    edit.beginEditBlock();
    for (const QString &line : lines)
        editor->append(convertScript(line, m_language, Keyboard::Phonetic));
    edit.endEditBlock();
    // The converted file is the document's start, not a list of edits; it
    // is unsaved new text all the same. (With the undo steps gone, the
    // document would count as unmodified again at its next edit step unless
    // the flag is set anew.)
    QTextDocument *document = editor->document();
    document->clearUndoRedoStacks();
    document->setModified(false);
    document->setModified(true);
    showProgress(false);
}

QString TabWidget::convertScript(QString text, int language, int keyboard)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ZuvoScriptConverter converter;
    // Lines and words keep their separators, and nothing is added after
    // the last line.
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        QStringList words = line.split(QLatin1Char(' '));
        for (QString &word : words)
            word = converter.unicodeToUnicode(word, language, keyboard);
        line = words.join(QLatin1Char(' '));
    }
    QApplication::restoreOverrideCursor();
    return lines.join(QLatin1Char('\n'));
}

void TabWidget::updateRecentFilesMenu(QString path)
{
    m_recentFiles->add(path);
}

QStringList TabWidget::recentFiles() const
{
    return m_recentFiles->files();
}

QMenu *TabWidget::recentFilesMenu() const
{
    return m_recentFiles->menu();
}

bool TabWidget::slotSave()
{
    const int index = currentIndex();
    if (index < 0 || index >= m_editors.size())
        return false;
    UnicodeKaEditor *editor = m_editors.at(index);
    const bool saved = editor->onSaveFile(false);
    afterSave(m_editors.indexOf(editor), editor);
    return saved;
}

void TabWidget::slotSaveAs()
{
    const int index = currentIndex();
    if (index < 0 || index >= m_editors.size())
        return;
    UnicodeKaEditor *editor = m_editors.at(index);
    editor->onSaveFileAs();
    afterSave(m_editors.indexOf(editor), editor);
}

// The index is looked up again after each save: while a question or the
// file chooser is open, an import that ends may take another tab away.
void TabWidget::afterSave(int index, UnicodeKaEditor *editor)
{
    if (index < 0 || m_editors.value(index) != editor)
        return;
    const QString path = editor->fileName();
    if (!path.isEmpty()) {
        if (QFile::exists(path))
            setTabText(index, QFileInfo(path).fileName());
        if (index < m_openDocuments.size())
            m_openDocuments[index] = path;
        else
            m_openDocuments.append(path);
        updateRecentFilesMenu(path);
    }
    // The title follows the document's state again after the rename.
    markTab(index, editor->document()->isModified());
}

bool TabWidget::slotTabCloseRequested(int index)
{
    if (index < 0 || index >= count() || index >= m_editors.size())
        return false;
    UnicodeKaEditor *editor = m_editors.at(index);
    if (!editor->onSaveFile(true))
        return false;
    // The question may have let another tab go meanwhile.
    index = m_editors.indexOf(editor);
    if (index >= 0)
        dropTab(index);
    return true;
}

void TabWidget::slotCloseCurrentTab()
{
    slotTabCloseRequested(currentIndex());
}

bool TabWidget::slotExit()
{
    QMessageBox::StandardButton last = QMessageBox::NoButton;
    bool result = true;
    // The documents as they were when asked to leave: while a question is
    // open, an import that ends may take its tab away.
    const QList<QPointer<UnicodeKaEditor>> editors(m_editors.cbegin(), m_editors.cend());
    for (const QPointer<UnicodeKaEditor> &editor : editors) {
        if (!editor || !m_editors.contains(editor))
            continue;
        if (editor->fileName().startsWith(QLatin1String(":/")))
            continue;
        if (editor->document()->isModified() && last != QMessageBox::NoToAll &&
            last != QMessageBox::YesToAll) {
            last =
                QMessageBox::question(this, Utils::appName(),
                                      tr("Document %1 is modified, Do you want to save?")
                                          .arg(documentTitle(m_editors.indexOf(editor))),
                                      QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No |
                                          QMessageBox::NoToAll | QMessageBox::Cancel);
            // Cancel is the wish to go back to the documents, now.
            if (last == QMessageBox::Cancel) {
                result = false;
                break;
            }
        }
        if (last == QMessageBox::Yes || last == QMessageBox::YesToAll) {
            // A document that could not be written keeps the program open:
            // quitting now would throw the changes away.
            if (!editor->onSaveFile(false))
                result = false;
            // Title, list and recent files follow, also for a document that
            // got its name now, as the window may stay open.
            afterSave(m_editors.indexOf(editor), editor);
        }
    }

    m_recentFiles->save();
    return result;
}

void TabWidget::slotCurrentChanged(int index)
{
    if (index < 0 || index >= m_editors.size())
        return;
    m_currentEditor = m_editors.at(index);
    if (m_completer && m_currentEditor)
        m_currentEditor->setCompleter(m_completer);
    if (m_currentEditor) {
        markTab(index, m_currentEditor->document()->isModified());
        // Menus, status bar and toolbar show the new current document.
        slotLanguageChanged(m_currentEditor->language());
        slotKeyboardChanged(m_currentEditor->keyboardLayout());
        slotFontFamilyChanged(familyAtCursor(m_currentEditor));
        showTextEncoding(m_currentEditor->textEncodingIndex());
        retargetFindDialog();
    }
}

void TabWidget::slotDocumentModified(bool modified)
{
    // The document that changed may be in any tab: an import finishes, a
    // save at exit, a command on a document in the background.
    const int index = sender() ? indexOfDocument(sender()) : currentIndex();
    markTab(index, modified);
}

int TabWidget::indexOfDocument(const QObject *document) const
{
    for (int i = 0; i < m_editors.size(); ++i) {
        const UnicodeKaEditor *editor = m_editors.at(i);
        if (editor == document || editor->document() == document)
            return i;
    }
    return -1;
}

QString TabWidget::documentTitle(int index) const
{
    const QString title = tabText(index);
    return title.endsWith(modifiedMark) ? title.left(title.size() - modifiedMark.size()) : title;
}

void TabWidget::markTab(int index, bool modified)
{
    if (index < 0 || index >= count())
        return;
    const QString title = tabText(index);
    if (modified && !title.endsWith(modifiedMark))
        setTabText(index, title + modifiedMark);
    else if (!modified && title.endsWith(modifiedMark))
        setTabText(index, title.left(title.size() - modifiedMark.size()));
}

bool TabWidget::fromBackgroundEditor() const
{
    const auto *editor = qobject_cast<const UnicodeKaEditor *>(sender());
    return editor && editor != m_currentEditor;
}

void TabWidget::slotLoadCompleter()
{
    if (!m_completer) {
        m_completer = m_utils->zuvoCompleter();
        UserDict dict;
        const QString text = dict.read(QStringLiteral("UnicodeWords"));
        if (!text.isEmpty()) {
            QStringList words = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            words.removeDuplicates();
            m_utils->updateStringModel(words);
        }
    }
    if (m_completer && m_currentEditor)
        m_currentEditor->setCompleter(m_completer);
}

void TabWidget::onWorkingDirChanged(QString newdir)
{
    if (newdir != m_workingDir)
        m_workingDir = newdir;
}

QString TabWidget::workingDir() const
{
    return m_workingDir;
}

UnicodeKaEditor *TabWidget::currentEditor()
{
    const int index = currentIndex();
    if (index >= 0 && index < m_editors.size())
        return m_editors.at(index);
    const QMessageBox::StandardButton answer =
        QMessageBox::question(nullptr, tr("Oops unknown exception!"),
                              tr("Would you like to inform this error to author.\n\n"
                                 "Your feedback is very valuable to improve the software!\n"),
                              QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        QDesktopServices::openUrl(QUrl(MakerSite::feedbackPage()));
    return nullptr;
}

void TabWidget::showProgress(bool on)
{
    if (m_progressBar)
        m_progressBar->setVisible(on);
}
