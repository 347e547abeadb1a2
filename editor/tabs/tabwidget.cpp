#include "tabwidget.h"
#include "makersite.h"

#include "OOReader.h"
#include "findandreplacedialog.h"
#include "nudiimport.h"
#include "reader.h"
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
#include <QTextStream>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace {
const QString modifiedMark = QStringLiteral(" - (*)");
const int maxRecentFiles = 9;
} // namespace

TabWidget::TabWidget(QMainWindow *window, QWidget *parent)
    : QTabWidget(parent)
    , mainWindow(window)
    , m_workingDir(QDir::homePath())
{
    connect(this, &QTabWidget::tabCloseRequested, this, &TabWidget::slotTabCloseRequested);
    setDocumentMode(true);
    setTabShape(QTabWidget::Triangular);

    addActions();
    setTabsClosable(true);
    makeConnections();

    QStatusBar *bar = mainWindow ? mainWindow->statusBar() : nullptr;
    progressBar = new QProgressBar;
    progressBar->setRange(0, 0);
    progressBar->setMaximumHeight(14);
    progressBar->setTextVisible(false);
    languageStatusLabel = new QLabel;
    keyboardStatusLabel = new QLabel;
    if (bar) {
        bar->addPermanentWidget(new QLabel, 10);
        bar->addPermanentWidget(progressBar, 2);
        bar->addPermanentWidget(languageStatusLabel, 1);
        bar->addPermanentWidget(keyboardStatusLabel, 1);
    } else {
        // Without a status bar the widgets still need an owner.
        progressBar->setParent(this);
        languageStatusLabel->setParent(this);
        keyboardStatusLabel->setParent(this);
    }
    progressBar->hide();

    m_recentFilesMenu = new QMenu;
    connect(m_recentFilesMenu, &QMenu::triggered, this, &TabWidget::slotRecentFilesMenuTriggered);

    m_utils = new Utils(this);

    auto *closeButton = new QToolButton(this);
    closeButton->setIcon(QIcon(QStringLiteral(":/resources/find-close-icon.png")));
    closeButton->setIconSize(QSize(16, 16));
    closeButton->setToolTip(tr("Close Current Tab"));
    closeButton->setAutoRaise(true);
    setCornerWidget(closeButton, Qt::TopRightCorner);
    connect(closeButton, &QToolButton::clicked, this, &TabWidget::slotCloseCurrentTab);
}

TabWidget::~TabWidget()
{
    // Imports still running are stopped before their readers go.
    for (auto it = imports.begin(); it != imports.end(); ++it) {
        PushDoc *thread = it.value().thread;
        if (thread) {
            thread->quit();
            thread->wait();
        }
        delete it.key();
    }
    imports.clear();
    // The recent-files menu has no parent; the form's action may still show it.
    if (QAction *recent = action("actionRecentFiles"))
        if (recent->menu() == m_recentFilesMenu)
            recent->setMenu(nullptr);
    delete m_recentFilesMenu;
}

QAction *TabWidget::action(const char *name) const
{
    return mainWindow ? mainWindow->findChild<QAction *>(QLatin1String(name)) : nullptr;
}

QMenu *TabWidget::menu(const char *name) const
{
    return mainWindow ? mainWindow->findChild<QMenu *>(QLatin1String(name)) : nullptr;
}

QToolBar *TabWidget::toolBar() const
{
    return mainWindow ? mainWindow->findChild<QToolBar *>(QStringLiteral("mainToolBar")) : nullptr;
}

void TabWidget::initLoad(QStringList args)
{
    QSettings settings(Ts::ORG_NAME, Ts::APP_NAME);
    settings.beginGroup(QStringLiteral("RecentFiles"));
    const QStringList keys = settings.childKeys();
    if (!keys.isEmpty()) {
        for (int n = keys.size() - 1; n >= 0; --n)
            updateRecentFilesMenu(settings.value(QString::number(n)).toString());
        if (QAction *recent = action("actionRecentFiles"))
            recent->setMenu(m_recentFilesMenu);
    }
    settings.endGroup();

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

    if (comboFont)
        comboFont->setWritingSystem(
            QFontDatabase::WritingSystem(Utils::fontDatabaseIndexForLang(m_language)));
    editor->setLanguageFont(m_language);
    editor->setAutoComplpetePrefixLength(autoComplpetePrefixLength());
    editor->setSpellCheckAsYouType(spellCheckAsYouType());
    return editor;
}

QString TabWidget::newFilename()
{
    return QStringLiteral("untitled-%1").arg(untitledCounter++);
}

void TabWidget::slotNew()
{
    UnicodeKaEditor *editor = createNewEditor(false);
    editorList.append(editor);
    const QString name = newFilename();
    addTab(editor, name);
    setCurrentWidget(editor);
    editor->setFocus();
    editor->document()->setModified(false);
    setCurrentIndex(count() - 1);
    openDocumentList.append(name);
}

void TabWidget::slotOpen()
{
    const QString path = ZuvoDialog::openFileName(this);
    if (path.isEmpty())
        return;
    const int index = openDocumentList.indexOf(path);
    if (index >= 0)
        setCurrentIndex(index);
    else
        editFile(path);
    updateRecentFilesMenu(path);
}

void TabWidget::slotRecentFilesMenuTriggered(QAction *action)
{
    if (!action)
        return;
    const QString path = action->data().toString();
    const int index = openDocumentList.indexOf(path);
    if (index >= 0)
        setCurrentIndex(index);
    else
        editFile(path);
    updateRecentFilesMenu(path);
}

void TabWidget::editFile(const QString &path)
{
    QFile file(path);
    // A folder opens as a device but yields nothing; it is no document.
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QMessageBox::information(this, Utils::appName(), tr("Couldn't open the file %1").arg(path),
                                 QMessageBox::Ok);
        return;
    }
    editFile(path, file);
}

void TabWidget::editFile(const QString &path, QFile &file)
{
    const QString suffix = QFileInfo(file).suffix().toLower();

    UnicodeKaEditor *editor = createNewEditor(false);
    showProgress(true);
    editorList.append(editor);
    openDocumentList.append(path);
    const int tab = addTab(editor, QFileInfo(path).fileName());
    setCurrentIndex(count() - 1);

    if (suffix == QLatin1String("brh")) {
        setTabText(tab, newFilename());
        convertBRHFile(path, file);
        // The list entry follows the tab's name: there is no file behind it.
        openDocumentList[tab] = tabText(tab);
        showProgress(false);
        return;
    }

    editor->setFileName(path);
    setTabToolTip(tab, path);
    file.setTextModeEnabled(true);
    QTextStream stream(&file);
    stream.setAutoDetectUnicode(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    if (suffix == QLatin1String("rtf")) {
        RTF::Reader reader;
        reader.read(&file, editor->textCursor());
        editor->document()->setModified(false);
    } else if (suffix == QLatin1String("nudi")) {
        const QString text = importNudiFile(path);
        if (!text.isEmpty()) {
            editor->setText(text);
            editor->document()->setModified(true);
        }
    } else if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) {
        QString html;
        while (!stream.atEnd()) {
            html += stream.readLine();
            QCoreApplication::processEvents();
        }
        editor->setHtml(html);
        editor->document()->setModified(false);
    } else if (suffix == QLatin1String("odt") || suffix == QLatin1String("odf")) {
        auto *thread = new PushDoc(this);
        auto *reader = new OOReader(path, OOReader::EditorDestination, nullptr);
        reader->moveToThread(thread);
        imports.insert(reader, Import { thread, editor });
        ooReader = reader;
        pushDoc = thread;
        connect(thread, &QThread::started, reader, &OOReader::read);
        connect(reader, &OOReader::ready, this, &TabWidget::drawDoc);
        connect(reader, &OOReader::statusRead, this, &TabWidget::onRead);
        thread->start(QThread::InheritPriority);
        editor->document()->setModified(false);
    } else {
        QString text;
        while (!stream.atEnd()) {
            text += stream.readLine();
            text += QLatin1Char('\n');
            QCoreApplication::processEvents();
        }
        editor->setPlainText(text);
        editor->document()->setModified(false);
    }

    showProgress(false);
    QTextCursor cursor = editor->textCursor();
    cursor.movePosition(QTextCursor::Start);
    editor->setTextCursor(cursor);
    editor->setWorkingDir(path);
    QApplication::restoreOverrideCursor();
}

void TabWidget::drawDoc()
{
    // Each import keeps its own reader, thread and editor, so that a second
    // import started before the first is done fills its own tab.
    auto *reader = qobject_cast<OOReader *>(sender());
    if (!reader || !imports.contains(reader))
        return;
    const Import import = imports.take(reader);
    if (import.editor && reader->document)
        import.editor->setDocument(reader->document->clone(import.editor));
    if (import.editor) {
        connect(import.editor->document(), &QTextDocument::modificationChanged, this,
                &TabWidget::slotDocumentModified);
        import.editor->document()->setModified(false);
    }
    if (import.thread) {
        import.thread->quit();
        import.thread->wait();
    }
    delete reader;
    if (ooReader == reader) {
        ooReader = nullptr;
        pushDoc = nullptr;
    }
}

void TabWidget::onRead(int, int) { }

void TabWidget::convertBRHFile(const QString &, QFile &file)
{
    UnicodeKaEditor *editor = m_currentEditor;
    if (!editor)
        return;
    showProgress(true);
    file.setTextModeEnabled(true);
    QTextStream stream(&file);
    stream.setAutoDetectUnicode(false);
    while (!stream.atEnd())
        editor->append(convertScript(stream.readLine(), m_language, 0));
    showProgress(false);
}

QString TabWidget::convertScript(QString text, int language, int keyboard)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ZuvoScriptConverter converter;
    QString result;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        QStringList words = line.split(QLatin1Char(' '));
        for (QString &word : words)
            word = converter.unicodeToUnicode(word, language, keyboard);
        result += words.join(QLatin1Char(' '));
        result += QLatin1Char('\n');
    }
    QApplication::restoreOverrideCursor();
    return result;
}

void TabWidget::updateRecentFilesMenu(QString path)
{
    if (!QFile::exists(path))
        return;
    QList<QAction *> actions = m_recentFilesMenu->actions();
    for (QAction *a : actions)
        m_recentFilesMenu->removeAction(a);

    QAction *first = nullptr;
    const int index = recentFilesList.indexOf(path);
    if (index < 0) {
        recentFilesList.prepend(path);
        first = new QAction(path, m_recentFilesMenu);
        first->setData(path);
        first->setToolTip(path);
        if (recentFilesList.size() > maxRecentFiles) {
            recentFilesList.removeLast();
            if (!actions.isEmpty())
                delete actions.takeLast();
        }
    } else {
        first = index < actions.size() ? actions.takeAt(index) : nullptr;
        recentFilesList.move(index, 0);
        if (!first) {
            first = new QAction(path, m_recentFilesMenu);
            first->setData(path);
            first->setToolTip(path);
        }
    }
    m_recentFilesMenu->addAction(first);
    for (QAction *a : actions)
        m_recentFilesMenu->addAction(a);
}

bool TabWidget::slotSave()
{
    const int index = currentIndex();
    if (index < 0 || index >= editorList.size())
        return false;
    UnicodeKaEditor *editor = editorList.at(index);
    const bool saved = editor->onSaveFile(false);
    const QString path = editor->fileName();
    if (!path.isEmpty()) {
        if (QFile::exists(path))
            setTabText(index, QFileInfo(path).fileName());
        if (index < openDocumentList.size())
            openDocumentList[index] = path;
        else
            openDocumentList.append(path);
        updateRecentFilesMenu(path);
    }
    // The title follows the document's state again after the rename.
    slotDocumentModified(editor->document()->isModified());
    return saved;
}

void TabWidget::slotSaveAs()
{
    const int index = currentIndex();
    if (index < 0 || index >= editorList.size())
        return;
    UnicodeKaEditor *editor = editorList.at(index);
    editor->onSaveFileAs();
    const QString path = editor->fileName();
    if (!path.isEmpty()) {
        if (QFile::exists(path))
            setTabText(index, QFileInfo(path).fileName());
        if (index < openDocumentList.size())
            openDocumentList[index] = path;
        else
            openDocumentList.append(path);
        updateRecentFilesMenu(path);
    }
    slotDocumentModified(editor->document()->isModified());
}

bool TabWidget::slotTabCloseRequested(int index)
{
    if (index < 0 || index >= count() || index >= editorList.size())
        return false;
    UnicodeKaEditor *editor = editorList.at(index);
    if (!editor->onSaveFile(true))
        return false;
    editorList.removeAt(index);
    if (index < openDocumentList.size())
        openDocumentList.removeAt(index);
    removeTab(index);
    editor->deleteLater();
    if (count() == 0)
        slotNew();
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
    for (int i = 0; i < editorList.size(); ++i) {
        UnicodeKaEditor *editor = editorList.at(i);
        if (editor->fileName().startsWith(QLatin1String(":/")))
            continue;
        if (editor->document()->isModified() && last != QMessageBox::NoToAll &&
            last != QMessageBox::YesToAll) {
            last = QMessageBox::question(
                this, Utils::appName(),
                tr("Document %1 is modified, Do you want to save?").arg(tabText(i)),
                QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::NoToAll |
                    QMessageBox::Cancel);
            if (last == QMessageBox::Cancel)
                result = false;
        }
        if (last == QMessageBox::Yes || last == QMessageBox::YesToAll) {
            // A document that could not be written keeps the program open:
            // quitting now would throw the changes away.
            if (!editor->onSaveFile(false))
                result = false;
            updateRecentFilesMenu(editor->fileName());
        }
    }

    QSettings settings(Ts::ORG_NAME, Ts::APP_NAME);
    settings.remove(QStringLiteral("RecentFiles"));
    settings.beginGroup(QStringLiteral("RecentFiles"));
    for (int i = 0; i < recentFilesList.size(); ++i)
        settings.setValue(QString::number(i), recentFilesList.at(i));
    settings.endGroup();
    return result;
}

void TabWidget::slotCurrentChanged(int index)
{
    if (index < 0 || index >= editorList.size())
        return;
    m_currentEditor = editorList.at(index);
    if (completer) {
        completer->disconnect();
        if (m_currentEditor) {
            completer->setWidget(m_currentEditor);
            m_currentEditor->setCompleter(completer);
            connect(completer.data(), qOverload<const QString &>(&QCompleter::activated),
                    m_currentEditor.data(), [editor = m_currentEditor](const QString &text) {
                        if (editor)
                            QMetaObject::invokeMethod(editor.data(), "insertCompletion",
                                                      Q_ARG(QString, text));
                    });
        }
    }
    if (m_currentEditor) {
        slotLanguageChanged(m_currentEditor->language());
        slotFontFamilyChanged(m_currentEditor->fontFamily());
        retargetFindDialog();
    }
}

void TabWidget::slotDocumentModified(bool modified)
{
    const int index = currentIndex();
    if (index < 0)
        return;
    QString title = tabText(index);
    if (modified && !title.endsWith(modifiedMark))
        setTabText(index, title + modifiedMark);
    else if (!modified && title.endsWith(modifiedMark))
        setTabText(index, title.left(title.size() - modifiedMark.size()));
}

void TabWidget::slotLoadCompleter()
{
    if (!completer) {
        completer = m_utils->zuvoCompleter();
        UserDict dict;
        const QString text = dict.read(QStringLiteral("UnicodeWords"));
        if (!text.isEmpty()) {
            QStringList words = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            words.removeDuplicates();
            m_utils->updateStringModel(words);
        }
    }
    if (completer && m_currentEditor) {
        completer->disconnect();
        completer->setWidget(m_currentEditor);
        m_currentEditor->setCompleter(completer);
        connect(completer.data(), qOverload<const QString &>(&QCompleter::activated),
                m_currentEditor.data(), [editor = m_currentEditor](const QString &text) {
                    if (editor)
                        QMetaObject::invokeMethod(editor.data(), "insertCompletion",
                                                  Q_ARG(QString, text));
                });
    }
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
    if (index >= 0 && index < editorList.size())
        return editorList.at(index);
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
    if (progressBar)
        progressBar->setVisible(on);
}
