#ifndef ZUVO_EDITOR_TABS_TABWIDGET_H
#define ZUVO_EDITOR_TABS_TABWIDGET_H

#include <QFont>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTabWidget>
#include <QTextCharFormat>

#include "documentopen.h"
#include "textencoding.h"

#include <functional>

class DocumentImport;
class FindAndReplaceDialog;
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
    QList<UnicodeKaEditor *> editors() const { return m_editors; }
    QStringList openDocuments() const { return m_openDocuments; }
    QStringList recentFiles() const;
    QMenu *recentFilesMenu() const;
    Utils *utils() const { return m_utils; }
    FindAndReplaceDialog *findDialog() const { return m_findAndReplace; }

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
    // Opens the file in a new tab, by its format; false when it could not
    // be read, and no tab is left for it.
    bool openFile(const QString &path);
    // The text a file gave goes into the editor of its tab.
    void showOpened(UnicodeKaEditor *editor, DocumentOpen::Opened &opened);
    // The lines of a BRH file, converted into the editor's language, as one
    // edit.
    void appendConverted(UnicodeKaEditor *editor, const QStringList &lines);
    void startImport(UnicodeKaEditor *editor, const QString &path);
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
    // The command carried out by the current editor, when there is one.
    void forward(const std::function<void(UnicodeKaEditor *)> &command);
    // True for a signal of an editor that is not the current one.
    bool fromBackgroundEditor() const;
    void showFontFamily(const QString &family);
    void showTextEncoding(int encodingIndex);
    void addActions();
    void makeConnections();
    QList<QAction *> addGroup(const char *menuName, QActionGroup *&group,
                              void (TabWidget::*slot)(bool));
    void sortLines(bool descending);
    void showProgress(bool on);
    void retargetFindDialog();
    QAction *action(const char *name) const;
    QMenu *menu(const char *name) const;
    QToolBar *toolBar() const;
    // Sets the texts of the toolbar labels, the corner button and the status
    // bar again, in the interface language now installed.
    void retranslate();

    QMainWindow *m_mainWindow;
    QList<UnicodeKaEditor *> m_editors;
    QPointer<UnicodeKaEditor> m_currentEditor;
    Utils *m_utils = nullptr;
    QStringList m_openDocuments;
    int m_untitledCounter = 0;
    int m_language = 0;
    int m_keyboard = 0;
    QString m_workingDir;
    RecentFiles *m_recentFiles = nullptr;
    QProgressBar *m_progressBar = nullptr;
    // The OpenDocument imports still reading, each with its tab.
    QList<DocumentImport *> m_imports;
    QPointer<QCompleter> m_completer;
    QPointer<QFontComboBox> m_comboFont;
    QPointer<QComboBox> m_comboSize;
    QPointer<QSpinBox> m_prefixLengthSpinBox;
    QPointer<FindAndReplaceDialog> m_findAndReplace;
    QPointer<SpellCheckDialog> m_spellCheckDialog;
    QPointer<WiktionaryOnline> m_wiktionary;
    QPointer<ZaviDodazDialog> m_zaviDodaz;

    QList<QAction *> m_languageActions;
    QActionGroup *m_languageGroup = nullptr;
    QList<QAction *> m_keyboardActions;
    QActionGroup *m_keyboardGroup = nullptr;
    QList<QAction *> m_bulletsActions;
    QActionGroup *m_bulletsGroup = nullptr;
    QActionGroup *m_encodingGroup = nullptr;
    QActionGroup *m_alignmentGroup = nullptr;
    QPointer<QLabel> m_fontSizeLabel;
    QPointer<QLabel> m_fontLabel;
    QPointer<QLabel> m_prefixBeforeLabel;
    QPointer<QLabel> m_prefixAfterLabel;
    QPointer<QToolButton> m_closeButton;
    QLabel *m_languageStatusLabel = nullptr;
    QLabel *m_keyboardStatusLabel = nullptr;
    int m_lastIndicLanguage = 0;
    // The encoding last chosen in the Encoding menu (or restored from the
    // settings): new documents are saved in it.
    int m_textEncodingIndex = TextEncoding::Utf8;
};

#endif
