#ifndef ZUVO_EDITOR_TABS_UNICODEKAEDITOR_H
#define ZUVO_EDITOR_TABS_UNICODEKAEDITOR_H

#include <QPointer>
#include <QString>
#include <QTextCharFormat>
#include <QTextEdit>
#include <functional>

#include "textencoding.h"

class Highlighter;
class QCompleter;
class QIODevice;
class QMenu;
class QPrinter;
class QTextCodec;
class QTimer;
class Utils;

// The rich-text editor of one document tab. Latin keystrokes are turned into
// Unicode text of the tab's language word by word: the keys of the word being
// typed are kept, and after each key the whole key string is converted again
// and replaces the word's earlier output in one edit step. A cursor move the
// editor did not make itself ends the word.
//
// The parent is the tab controller. On Escape the editor asks it, through its
// invokable `bool onEscapePressed()`, whether it has just closed its find bar.
class UnicodeKaEditor : public QTextEdit
{
    Q_OBJECT

public:
    UnicodeKaEditor(Utils *utils, int language, int keyboard, QWidget *parent);
    ~UnicodeKaEditor() override;

    void setLanguage(int value);
    int language() const;
    int indicLanguage() const;
    void setKeyboardLayout(int value);
    int keyboardLayout() const;
    void setIndic(bool on);
    bool isIndic() const;

    void setLanguageFont(int language);
    QString fontName() const;

    void setCompleter(QCompleter *completer);
    QCompleter *completer() const;

    QString textUnderCursor() const;
    QString textUnderBlock() const;

    void setTextCodecName(const QString &name);
    QString textCodecName() const;
    void setTextCodec(QTextCodec *codec);
    QTextCodec *textCodec() const;

    void setInternal(bool internal);
    bool isInternal() const;
    void clearBuffers();

    void setWorkingDir(QString path);
    QString workingDir() const;
    void setFileName(const QString &name);
    QString fileName() const;
    // The spelling highlighter of the editor's document.
    Highlighter *highlighter() const { return m_highlighter; }

    bool save();
    bool onSaveFile(bool ask);
    bool onSaveFileAs();

    // Plain text taken from a document without the placeholder character
    // that stands for each picture (or other object) in its text: a text
    // file, the clipboard's plain text and the commands that work on the
    // whole text hold the words alone.
    static QString withoutObjects(QString text);

    void setDefaultSettings();
    void addActions();

    // The modal dialogs of the table, link and save commands: the program's
    // InsertTableDialog, InsertLinkDialog and ZuvoDialog unless replaced.
    // Each returns false (or an empty name) when the user cancelled; left
    // empty, the commands act as if cancelled.
    std::function<bool(int *rows, int *columns)> askTableSize;
    std::function<bool(QString *url)> askLinkUrl;
    std::function<QString(const QString &title)> askSaveFileName;
    // Asked before a save gives the document a new file name; false keeps
    // the old name and writes nothing. Left empty, any name is taken.
    std::function<bool(const QString &name)> mayTakeFileName;
    // Asked first when Escape is pressed: true when it closed something of
    // the window's (the find bar), and the key goes on as usual then.
    std::function<bool()> escapePressed;

public slots:
    void slotToggleLanguage();
    void slotToggleKeyboardLayout();
    void setAutoComplpetePrefixLength(int length);
    int autoComplpetePrefixLength();
    void setSpellCheckAsYouType(bool on);
    bool spellCheckAsYouType();
    void setTextEncodingIndex(int index);
    int textEncodingIndex();
    void updateWorkingDir();

    void slotTextBold(bool on);
    void slotTextItalic(bool on);
    void slotTextUnderline(bool on);
    void slotTextFontFamily(const QString &family);
    void slotTextSize(const QString &text);
    void slotTextStyle(int styleIndex);
    void slotTextColor();
    void slotBackgroundColor();
    void slotTextAlign(Qt::Alignment alignment);
    void slotInsertPicture();
    void slotInsertTable();
    void slotInsertHyperLink();
    void slotPrint(QPrinter *printer);
    void slotSearchString();
    void slotDisplaySuggestions();

signals:
    void alignmentChanged(Qt::Alignment alignment);
    void fontChanged(const QFont &font);
    void languageChanged(int language);
    void keyboardChanged(int keyboard);
    void fontFamilyChanged(const QString &family);
    void loadCompleter();
    void searchString(const QString &word);
    void workingDirChanged(const QString &dir);
    void searchInZaviDodaz();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

protected slots:
    void insertCompletion(const QString &completion);
    void slotBufferTimeout();
    void slotCursorPositionChanged();
    void mergeFormatOnWordOrSelection(const QTextCharFormat &format);

private slots:
    void slotKeyRepeatKeyTimer();
    void slotCurrentCharFormatChanged(const QTextCharFormat &format);
    void slotUpdateImageSize();
    void slotEditImageWidth(int delta);
    void slotEditImageHeight(int delta);
    void slotAppendRow();
    void slotAppendColumn();
    void slotRemoveRow();
    void slotRemoveColumn();
    void slotInsertRow();
    void slotInsertCol();
    void slotInsertRowBefore();
    void slotInsertColBefore();
    void slotMergeCells();
    void slotSplitCells();
    void slotAddDictionary();

private:
    void processEnglishKey(QKeyEvent *event);
    void processTransliterationKey(QKeyEvent *event);
    // The run of Latin letters that ends at the position (empty: none).
    QString latinWordBefore(int position) const;
    // Converts the word being typed in place; the key is the one that made
    // it change.
    void handlePhoneticKey(bool extraDelete, const QKeyEvent *event);
    void autoCompleteKannada(QKeyEvent *event);
    void emptyWordBuffers();
    void passKey(QKeyEvent *event);
    // Adds ".txt" to a name without suffix, asking before an existing file
    // of that name is replaced; false when the user keeps it, or when
    // mayTakeFileName refuses the name.
    bool nameWithSuffix(QString *name);
    // Writes the document as an OpenDocument text into the file.
    bool writeOdt(QIODevice *file);
    bool askCount(const QString &label, int initial, int minimum, int maximum, int *value);
    QMenu *tableMenu();

    Utils *m_utils;
    QString m_insertedText;
    QString m_keyBuffer;
    QTextCodec *m_textCodec = nullptr;
    QTimer *m_bufferTimer = nullptr;
    // The next cursor move is the program's own and does not end the word.
    bool m_internal = false;
    // Set for the whole of an edit of the word being typed, whose own
    // cursor moves never end the word.
    bool m_converting = false;
    QString m_textCodecName;
    QPointer<QCompleter> m_completer;
    QString m_fileName;
    int m_keyboardLayout;
    int m_language;
    bool m_indic = true;
    QPointer<QMenu> m_tableSubMenu;
    QString m_fontName;
    QString m_workingDir;
    Highlighter *m_highlighter = nullptr;
    int m_autoComplpetePrefixLength = 3;
    bool m_spellCheckAsYouType = true;
    int m_textEncodingIndex = TextEncoding::Utf8;
    QString m_keyRepeatText;
    // True while save() writes.
    bool m_saving = false;
};

#endif
