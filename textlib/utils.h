#ifndef ZUVO_TEXTLIB_UTILS_H
#define ZUVO_TEXTLIB_UTILS_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

class QCompleter;
class QStringListModel;

// Language tables, the user word file "usr.dct", and the spelling vocabulary
// of one program: the word model behind completion and the spelling test, the
// shared completer on it, and the words the user chose to ignore.
//
// The spelling test answers from a hash of the model's words. The hash follows
// the model: our own updates extend it, and any other change of the model
// (through the pointer that unicodeWords() hands out) makes it be rebuilt on
// the next test.
class Utils : public QObject
{
public:
    explicit Utils(QObject *parent = nullptr);
    ~Utils() override;

    // Title of the editor's message boxes.
    static QString appName();
    static QString converterName();

    // Tables by LanguageIndex; any other value falls back to the last row.
    static QString languageName(int language);
    static QString languagePrefix(int language);
    static QString languageDefaultFont(int language);
    static int fontDatabaseIndexForLang(int language);

    // The trimmed, non-empty, distinct lines of a word file (UTF-8 with or
    // without a byte-order mark, UTF-16 or UTF-32 by their mark); empty when
    // the file does not open.
    static QStringList wordsFromUnicodeFile(const QString &path);
    // Appends the word and a line feed; a new or empty file starts with the
    // UTF-8 byte-order mark. Returns whether every byte was written.
    static bool appendWordToUnicodeFile(const QString &word, const QString &path);
    // Replaces the file with the words joined by line feeds, UTF-8 with a mark.
    static bool writeToUnicodeFile(const QStringList &words, const QString &path);
    static QString toUnicode(const QByteArray &bytes);

    // The characters a word is made of, for the spelling checks: letters,
    // marks (Indic vowel signs and the virama), digits, "_" and the two
    // joiners, which the typing engine writes inside words. Qt's own word
    // boundaries end a word at a vowel sign or a virama.
    static bool isWordChar(char32_t c);
    // Whether a run of word characters is a word for the spelling test: it
    // holds a letter. A number (digits of any script, in groups separated
    // by "." or "," or not) is none, nor is a run of "_", joiners or marks;
    // a word that mixes letters and digits is tested.
    static bool isSpellingWord(QStringView word);

    bool isMisSpelled(const QString &word) const;
    bool isIgnoredMissSpellWord(const QString &word) const;
    void appendIgnoredList(const QString &word);

    // Makes the word model from "usr.dct" unless there is one already; an
    // empty model made by ensureWordModel() takes the file's words.
    void loadUnicodeWords();
    // Makes an empty word model when there is none yet, so that words added
    // to it or ignored count as correct at once: without a model every word
    // is misspelt. The model that loads later replaces it.
    void ensureWordModel();
    // Add words to the model (repeats removed); they need the model to exist.
    void updateStringModel(const QString &word);
    void updateStringModel(const QStringList &words);
    // A fresh word model from "usr.dct" and the language's dictionary.
    QStringListModel *unicodeWords(int language);
    // The one shared completer, over unicodeWords(0), made on the first call.
    QCompleter *zuvoCompleter();
    // Appends the word to "usr.dct" and, once it is there and with a
    // completer, to the word model. Returns whether the word reached the file.
    bool addToDictionary(const QString &word, QCompleter *completer);

    // Up to 15 single-edit Kannada spellings of the word that pass the
    // spelling test, then known words that contain it.
    QStringList suggestions(const QString &word) const;

    // The current word model, or null before one was made.
    QStringListModel *wordModel() const;

private:
    void setWordModel(QStringListModel *model);
    void setModelWords(const QStringList &words, const QStringList &added);
    void ensureIndex() const;

    QPointer<QStringListModel> m_model;
    QPointer<QCompleter> m_completer;
    QStringList m_ignored;

    // Models replaced by unicodeWords(): a completer may still show one.
    QList<QPointer<QStringListModel>> m_oldModels;
    mutable QSet<QString> m_index;
    mutable bool m_indexValid = false;
    bool m_selfUpdate = false;
    // The model is the empty one of ensureWordModel(), not read from a file.
    bool m_provisionalModel = false;
};

#endif
