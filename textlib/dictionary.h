#ifndef ZUVO_TEXTLIB_DICTIONARY_H
#define ZUVO_TEXTLIB_DICTIONARY_H

#include <QString>
#include <QStringList>

class QSqlQuery;
class Utils;

// Read access to the word-list dictionaries: SQLite files in the folder "dct"
// beside the program, one per language, opened read-only through the driver
// name "QSQLCIPHER".
//
// A database holds three tables. Dict: one row per block, `word` a compressed
// headword and `data` a compressed block of entry lines ("headword" followed
// by the HTML of its meaning, which starts with a tag). A lookup reads the row
// whose rowid is the word's position among the Dict headwords (or, for a word
// that is no Dict headword, its position in their sorted list), so the row
// with rowid k holds the entries that sort after headword k-1 up to headword k,
// and the headword at position 0 is never found. DictInfo: word count,
// creation date and language name. AllUnicodeWords: one compressed text of
// every headword, one per line.
//
// What does not change between calls (the headword lists) is cached per file,
// keyed on the file's identity, size and modification time.
class Dictionary
{
public:
    Dictionary();
    ~Dictionary();
    Dictionary(const Dictionary &) = delete;
    Dictionary &operator=(const Dictionary &) = delete;

    // True after isDictAvailable found a database for the asked language.
    bool available;

    // Binds the first database in the dct folder (name order, case ignored,
    // hidden files and folders skipped) whose language is the language's name.
    bool isDictAvailable(int language);
    // Once: a word model of "usr.dct" and the bound database's headwords,
    // for the suggestions of nearByWords.
    void init();
    // Looks the word up; returns whether the database opened. On a hit the
    // meaning is the word's entry line.
    bool findMeaningOf(const QString &word, QString &meaning);
    // [wordcount, creationdate, languageName], or empty.
    QStringList dictInfo();
    // Every headword of the bound database.
    QStringList allUnicodeWords();
    // At most 10 alternatives for a word that was not found.
    QStringList nearByWords(const QString &word);
    // The first line of the block whose head (text before the first "<")
    // equals the word without regard to case, or empty.
    QString parseDictFor(const QString &word, const QString &block);
    bool execQuery(QSqlQuery &query, const QString &statement, bool clear);

    QString databasePath() const { return m_databasePath; }
    QString languageName() const { return m_languageName; }

    // The folder searched for databases: applicationDirPath() + "/dct/" unless
    // setDictFolder() named another one (an empty name restores the default).
    static QString dictFolder();
    static void setDictFolder(const QString &folder);

private:
    QString m_databasePath;
    QString m_languageName;
    Utils *m_utils = nullptr;
};

#endif
