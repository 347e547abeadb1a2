#ifndef TABWIDGET_H
#define TABWIDGET_H

#include <QFont>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTabWidget>
#include <QTextCharFormat>
#include <QThread>

#include "textencoding.h"

#include <functional>
#include <memory>

class FindAndReplaceDialog;
class OOReader;
class QAction;
class QActionGroup;
class QComboBox;
class QCompleter;
class QEvent;
class QFile;
class QFontComboBox;
class QLabel;
class QMainWindow;
class QMenu;
class QProgressBar;
class QSpinBox;
class QTextDocument;
class QTextEdit;
class QToolBar;
class QToolButton;
class RecentFiles;
class SpellCheckDialog;
class UnicodeKaEditor;
class Utils;
class WiktionaryOnline;
class ZaviDodazDialog;

// The thread of one OpenDocument import: it only runs an event loop, in which
// the reader that was moved to it does its reading, hands its document over
// to the GUI thread and is deleted.
class PushDoc : public QThread
{
    Q_OBJECT
public:
    explicit PushDoc(QObject *parent = nullptr)
        : QThread(parent)
    {
    }

protected:
    void run() override { exec(); }
};

// The centre of the word processor: one UnicodeKaEditor per open document,
// one tab each. Every menu command reaches the documents through it.
//
// It is built on a main window whose form has already been set up: the
// actions, menus, toolbar and status bar are found there by object name.
class TabWidget : public QTabWidget
{
    Q_OBJECT

public:
    TabWidget(QMainWindow *window, QWidget *parent = nullptr);
    ~TabWidget() override;

    void initLoad(QStringList args);

    // False when the file could not be read: no tab is left for it.
    bool editFile(const QString &path, QFile &file);
    void convertBRHFile(const QString &path, QFile &file);
    QString convertScript(QString text, int language, int keyboard);

    UnicodeKaEditor *createNewEditor(bool internal = false);
    QString newFilename();
    UnicodeKaEditor *currentEditor();

    QString workingDir() const;

    int autoComplpetePrefixLength();
    bool spellCheckAsYouType();
    int textEncodingIndex();
    int language() const;
    int keyboard() const;

    // The editors in tab order and the parallel names (path or untitled name).
    QList<UnicodeKaEditor *> editors() const { return editorList; }
    QStringList openDocuments() const { return openDocumentList; }
    QStringList recentFiles() const;
    QMenu *recentFilesMenu() const;
    Utils *utils() const { return m_utils; }
    FindAndReplaceDialog *findDialog() const { return findAndReplace; }

signals:
    void showLowerWidget(QWidget *widget);
    void loadCompleter();

public slots:
    void slotNew();
    void slotOpen();
    void editFile(const QString &path);
    bool slotSave();
    void slotSaveAs();
    bool slotExit();
    bool slotTabCloseRequested(int index);
    void slotCloseCurrentTab();
    void slotRecentFilesMenuTriggered(QAction *action);
    void updateRecentFilesMenu(QString path);
    void slotCurrentChanged(int index);
    void slotDocumentModified(bool modified);
    void slotLoadCompleter();
    void onWorkingDirChanged(QString newdir);
    void drawDoc();
    void onRead(int now, int total);

    // Commands, action groups and tools.
    void slotLanguageActionToggled(bool on);
    void slotChangeLanguage(int index);
    void slotLanguageChanged(int index);
    void setLanguageStatus(int index);
    void slotToggleLanguage();

    void slotKeyboardActionToggled(bool on);
    void slotChangeKeyboard(int index);
    void slotKeyboardChanged(int index);
    void setKeyboardStatus(int index);
    void slotToggleKeyboardLayout();

    void slotButtetsActionToggled(bool on);
    void slotTextAlign(QAction *action);
    void slotAlignmentChanged(Qt::Alignment alignment);

    void onEncodingActionTriggered(QAction *action);
    void setTextEncodingIndex(int encodingIndex);

    void slotFontChanged(const QFont &font);
    void slotFontFamilyChanged(const QString &family);

    void slotTextBold();
    void slotTextItalic();
    void slotTextUnderline();
    void slotTextFontFamily(const QString &family);
    void slotTextSize(const QString &pointSize);
    void slotTextStyle(int styleIndex);
    void slotTextColor();
    void slotBackgroundColor();
    void slotInsertPicture();
    void slotInsertTable();
    void slotInsertHyperLink();
    void slotCut();
    void slotCopy();
    void slotPaste();
    void slotUndo();
    void slotRedo();
    void slotSelectAll();
    void slotClear();
    void slotZoomIn();
    void slotZoomOut();
    void slotSetTabbarVisible(bool visible);

    void setAutoComplpetePrefixLength(int length);
    void setSpellCheckAsYouType(bool yesNo);

    void findAndReplaceDialog(bool show);
    void onFind();
    void slotFindAndReplace();
    void onFindNext();
    void onFindPrevious();
    bool onEscapePressed();
    void slotSpellCheck();
    void slotShowWiktionaryOnline();
    void slotSearchString(const QString &str);
    void onActionZaviDodazClicked();
    void onSearchInZaviDodaz();
    void onEditUserToDictionary();
    void slotSettingsClicked();

    void slotActionScriptConverter();
    void slotSortAscending();
    void slotSortDescending();

    void slotExportToPdf();
    void slotPrint();
    void slotPrintPreview();
    void slotPageSetup();

protected:
    void changeEvent(QEvent *event) override;

private:
    // Where the document or editor of a tab is; -1 when none of the tabs.
    int indexOfDocument(const QObject *document) const;
    // The tab of an open file (the same file under another spelling of its
    // path included); -1 when the file is not open.
    int indexOfFile(const QString &path) const;
    // A tab's title without the modified mark.
    QString documentTitle(int index) const;
    void markTab(int index, bool modified);
    // What slotSave and slotSaveAs do once the editor has saved.
    void afterSave(int index, UnicodeKaEditor *editor);
    // The editor gets the document a reader built (it takes the editor's
    // font and margin): the file as read, unmodified, nothing to undo.
    void installImportedDocument(UnicodeKaEditor *editor, QTextDocument *document);
    // What an import ends in: the document shown and bound to its file, shown
    // without the file when it was read only in part, or no tab at all. It
    // takes the document read (null when there is none).
    void finishImport(UnicodeKaEditor *editor, const QString &path, QTextDocument *read,
                      QString error);
    // The tab keeps its text but not the file: an untitled name, no file
    // name, so that a save asks where to write.
    void unbindTab(int index);
    // The tab of a file that could not be read goes without a question: its
    // document holds nothing of the user's.
    void dropTab(int index);
    void reportUnreadable(const QString &path, const QString &reason);
    void reportPartlyRead(const QString &path, const QString &reason);
    // Whether the editor may be saved under the name: not while another tab
    // holds that file, or while the file is being opened.
    bool mayTakeFileName(const UnicodeKaEditor *editor, const QString &name);
    // True for a signal of an editor that is not the current one.
    bool fromBackgroundEditor() const;
    void showFontFamily(const QString &family);
    void showTextEncoding(int encodingIndex);
    void addActions();
    void makeConnections();
    QList<QAction *> addGroup(const char *menuName, QActionGroup *&group, const char *slot);
    void sortLines(bool descending);
    void showProgress(bool on);
    void retargetFindDialog();
    QAction *action(const char *name) const;
    QMenu *menu(const char *name) const;
    QToolBar *toolBar() const;
    // Sets the texts of the toolbar labels, the corner button and the status
    // bar again, in the interface language now installed.
    void retranslate();

    QMainWindow *mainWindow;
    QList<UnicodeKaEditor *> editorList;
    QPointer<UnicodeKaEditor> m_currentEditor;
    Utils *m_utils = nullptr;
    QStringList openDocumentList;
    int untitledCounter = 0;
    int m_language = 0;
    int m_keyboard = 0;
    QString m_workingDir;
    RecentFiles *m_recentFiles = nullptr;
    QProgressBar *progressBar = nullptr;
    OOReader *ooReader = nullptr;
    PushDoc *pushDoc = nullptr;
    struct Import
    {
        QPointer<PushDoc> thread;
        QPointer<UnicodeKaEditor> editor;
        QString path;
        // What the reader reported before it was ready.
        QString error;
    };
    QHash<OOReader *, Import> imports;
    QPointer<QCompleter> completer;
    QPointer<QFontComboBox> comboFont;
    QPointer<QComboBox> comboSize;
    QPointer<QSpinBox> prefixLengthSpinBox;
    QPointer<FindAndReplaceDialog> findAndReplace;
    QPointer<SpellCheckDialog> spellCheckDialog;
    QPointer<WiktionaryOnline> wiktionary;
    QPointer<ZaviDodazDialog> zaviDodaz;

    QList<QAction *> languageActions;
    QActionGroup *languageGroup = nullptr;
    QList<QAction *> keyboardActions;
    QActionGroup *keyboardGroup = nullptr;
    QList<QAction *> bulletsActions;
    QActionGroup *bulletsGroup = nullptr;
    QActionGroup *encodingGroup = nullptr;
    QActionGroup *alignmentGroup = nullptr;
    QPointer<QLabel> fontSizeLabel;
    QPointer<QLabel> fontLabel;
    QPointer<QLabel> prefixBeforeLabel;
    QPointer<QLabel> prefixAfterLabel;
    QPointer<QToolButton> closeButton;
    QLabel *languageStatusLabel = nullptr;
    QLabel *keyboardStatusLabel = nullptr;
    int lastIndicLanguage = 0;
    // The encoding last chosen in the Encoding menu (or restored from the
    // settings): new documents are saved in it.
    int m_textEncodingIndex = TextEncoding::Utf8;
};

#endif
