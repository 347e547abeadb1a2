#ifndef ZUVO_LEGACY_NUDITOANSI_H
#define ZUVO_LEGACY_NUDITOANSI_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

class QProgressDialog;
class QTextStream;
class QTimer;

// Converts text typed in the Nudi font (one character per glyph byte, ISO 8859-1) into the
// Latin romanisation of Kannada ("ka", "kA", "kii", "kSha" ...) that AnsiToUnicode reads.
//
// A syllable is a run of glyph bytes matched against a fixed table, longest key first. The
// bytes of subjoined consonants and of the reph follow the glyphs of their syllable; their
// romanisation is moved back into what was already written for it. Bytes that match nothing
// are copied, and so is any character above U+00FF.
class NudiToAnsi : public QObject
{
    Q_OBJECT

public:
    NudiToAnsi();
    ~NudiToAnsi() override;

    void init();

    // Converts a whole text, line by line ("\n") and word by word (" "); every line of the
    // result, the last one included, ends with "\n".
    QString processNudiText(const QString &text);
    // Converts one word of Nudi bytes.
    QString processNudiLine(const QByteArray &word);
    // The length of the longest key at the start of run (at most 6 bytes), or 0; sets the
    // current match to its value (empty on no match).
    int findChar(const QByteArray &run);
    QString ansiString() const;

    // Converts one line of a file and writes it to out; returns 1.
    int processNudiLine(const QByteArray &line, QTextStream &out);
    // Converts the file "nudi-input.txt" of the current folder into "nudi-output.txt".
    void processNudiFile();

signals:
    void loaded();

public slots:
    void slotUpdateDialog();
    void slotLoaded();
    void slotCancel();

private:
    struct TrieNode
    {
        int key = -1; // index into m_keys of the key ending here, or -1
        std::vector<std::pair<unsigned char, int>> children;
    };

    void buildIndex();
    // Longest key at the start of bytes[0..n); its index, and its length in *length.
    int longestKey(const unsigned char *bytes, int n, int *length) const;
    // Converts one word and appends the result to out.
    void convertWord(QStringView word, QString &out);

    QProgressDialog *m_progressDialog = nullptr;
    QTimer *m_progressTimer = nullptr;
    int m_progressCounter = 0;

    QList<QByteArray> m_keys;
    QStringList m_values;
    QByteArray m_reorderBytes;
    QStringList m_reorderValues;
    QByteArray m_kShaPrefix;
    QByteArray m_kShePrefix;
    QString m_currentMatch;
    QString m_resultText;

    // Exact-match index over the keys; m_vowelTail[i] is how many letters of value i make
    // up its final vowel, which a subjoined consonant goes before.
    std::vector<TrieNode> m_trie;
    std::vector<int> m_vowelTail;
    int m_reorderIndex[256];
};

#endif
