#include "ansitounicode.h"

#include <QStringView>

namespace {

constexpr char16_t kVirama = 0x0CCD;
constexpr char16_t kZwj = 0x200D;
constexpr char16_t kVocalicR = 0x0C8B;
constexpr char16_t kVocalicRSign = 0x0CC3;

struct VowelKey
{
    const char *key;
    char16_t independent;
    char16_t sign; // 0: the inherent vowel, which only removes the virama
};

// Longer keys first within each first letter.
const VowelKey kVowels[] = {
    { "aa", 0x0C86, 0x0CBE },
    { "ai", 0x0C90, 0x0CC8 },
    { "a", 0x0C85, 0 },
    { "A", 0x0C86, 0x0CBE },
    { "ii", 0x0C88, 0x0CC0 },
    { "i", 0x0C87, 0x0CBF },
    { "I", 0x0C88, 0x0CC0 },
    { "uu", 0x0C8A, 0x0CC2 },
    { "u", 0x0C89, 0x0CC1 },
    { "U", 0x0C8A, 0x0CC2 },
    { "Ru", kVocalicR, kVocalicRSign },
    { "ee", 0x0C88, 0x0CC0 },
    { "e", 0x0C8E, 0x0CC6 },
    { "E", 0x0C8F, 0x0CC7 },
    { "oo", 0x0C8A, 0x0CC2 },
    { "ou", 0x0C94, 0x0CCC },
    { "o", 0x0C92, 0x0CCA },
    { "O", 0x0C93, 0x0CCB },
};

struct ConsonantKey
{
    const char *key;
    char16_t letter; // 0 for "Ru", which is handled on its own
    char16_t mark; // the virama, or what stands in its place
};

// In test order; only keys with the same first letter compete.
const ConsonantKey kConsonants[] = {
    { "kh", 0x0C96, kVirama },
    { "k", 0x0C95, kVirama },
    { "K", 0x0C96, kVirama },
    { "gh", 0x0C98, kVirama },
    { "g", 0x0C97, kVirama },
    { "G", 0x0C98, kVirama },
    { "ch", 0x0C9A, kVirama },
    { "c", 0x0C9A, kVirama },
    { "C", 0x0C9B, kVirama },
    { "jh", 0x0C9D, kVirama },
    { "j", 0x0C9C, kVirama },
    { "J", 0x0C9D, kVirama },
    { "Th", 0x0CA0, kVirama },
    { "T", 0x0C9F, kVirama },
    { "Dh", 0x0CA2, kVirama },
    { "D", 0x0CA1, kVirama },
    { "th", 0x0CA5, kVirama },
    { "t", 0x0CA4, kVirama },
    { "dh", 0x0CA7, kVirama },
    { "d", 0x0CA6, kVirama },
    { "ph", 0x0CAB, kVirama },
    { "p", 0x0CAA, kVirama },
    { "f", 0x0CAA, kVirama },
    { "P", 0x0CAB, kVirama },
    { "F", 0x0CAB, kVirama },
    { "bh", 0x0CAD, kVirama },
    { "b", 0x0CAC, kVirama },
    { "B", 0x0CAD, kVirama },
    { "y", 0x0CAF, kVirama },
    { "Y", 0x0CAF, kVirama },
    { "Ru", 0, 0 },
    { "r", 0x0CB0, kVirama },
    { "R", 0x0CB0, kZwj },
    { "l", 0x0CB2, kVirama },
    { "L", 0x0CB3, kVirama },
    { "v", 0x0CB5, kVirama },
    { "w", 0x0CB5, kVirama },
    { "sh", 0x0CB6, kVirama },
    { "s", 0x0CB8, kVirama },
    { "Sh", 0x0CB7, kVirama },
    { "S", 0x0CB6, kVirama },
    { "h", 0x0CB9, kVirama },
    { "H", 0x0C83, 0 },
    { "m", 0x0CAE, kVirama },
    { "M", 0x0C82, 0 },
    { "n", 0x0CA8, kVirama },
    { "N", 0x0CA3, kVirama },
    { "Z", 0x0C99, kVirama },
    { "z", 0x0C9E, kVirama },
};

// The first key (index) whose text starts at text[i], or -1.
template<typename Key, size_t N> int matchKey(const Key (&keys)[N], QStringView text, qsizetype i)
{
    const char16_t first = text[i].unicode();
    for (size_t k = 0; k < N; ++k) {
        const char *key = keys[k].key;
        if (char16_t(key[0]) != first)
            continue;
        if (key[1] == 0)
            return int(k);
        if (i + 1 < text.size() && text[i + 1].unicode() == char16_t(key[1]))
            return int(k);
    }
    return -1;
}

} // namespace

AnsiToUnicode::AnsiToUnicode() = default;

AnsiToUnicode::~AnsiToUnicode() = default;

bool AnsiToUnicode::isVowel(QChar c) const
{
    switch (c.unicode()) {
    case u'a':
    case u'e':
    case u'i':
    case u'o':
    case u'u':
    case u'A':
    case u'E':
    case u'I':
    case u'O':
    case u'U':
        return true;
    default:
        return false;
    }
}

QString AnsiToUnicode::processAnsiString(const QString &text)
{
    QString result;
    result.reserve(text.size() + 1);
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i <= n; ++i) {
        const QChar c = i < n ? text[i] : QChar(u'\n');
        if (c != u' ' && c != u'\n')
            continue;
        if (i > start)
            result += unicodeForAnsi(text.mid(start, i - start));
        result += c;
        start = i + 1;
    }
    return result;
}

QString AnsiToUnicode::unicodeForAnsi(const QString &word)
{
    QString result;
    if (word.isEmpty())
        return result;
    m_output.clear();
    m_position = 0;
    m_wordFinished = false;
    m_previousWasVowel = false;
    const qsizetype n = word.size();
    while (m_position < n) {
        const QChar c = word[m_position];
        if (c.isLetter()) {
            // A letter run ends at the first non-letter; it is converted as a whole and the
            // character after it is handled here.
            qsizetype end = m_position + 1;
            while (end < n && word[end].isLetter())
                ++end;
            const qsizetype before = m_position;
            m_output.clear();
            m_previousWasVowel = false;
            processAnsiWord(word.mid(m_position, end - m_position));
            result += m_output;
            if (m_position <= before)
                m_position = end; // an override that consumed nothing must not stall us
            if (m_wordFinished && m_position >= n)
                break;
            continue;
        }
        // "^^" ends a letter run without writing anything, so that a following vowel is an
        // independent letter; at the start of the word it is plain text.
        if (m_position != 0 && c == u'^' && m_position + 1 < n && word[m_position + 1] == u'^') {
            m_position += 2;
            continue;
        }
        result += c;
        ++m_position;
    }
    m_output.clear();
    return result;
}

void AnsiToUnicode::writeVowel(int key)
{
    const VowelKey &vowel = kVowels[key];
    if (m_output.isEmpty() || m_previousWasVowel) {
        m_output += QChar(vowel.independent);
        return;
    }
    const char16_t last = m_output.back().unicode();
    if (last == kVirama || last == kZwj) {
        // The vowel takes the place of the virama (or of the joiner after "R").
        if (vowel.sign == 0)
            m_output.chop(1);
        else
            m_output.back() = QChar(vowel.sign);
        return;
    }
    // After the anusvara, the visarga, a vowel sign or a copied letter there is no consonant
    // to carry a sign.
    m_output += QChar(vowel.independent);
}

void AnsiToUnicode::processAnsiWord(QString rest)
{
    const QStringView text(rest);
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const int vowel = matchKey(kVowels, text, i);
        if (vowel >= 0) {
            writeVowel(vowel);
            m_previousWasVowel = true;
            i += qsizetype(qstrlen(kVowels[vowel].key));
            continue;
        }
        m_previousWasVowel = false;
        if (!text[i].isLetter())
            break; // the caller copies it
        qsizetype end = i;
        while (end < n && text[end].isLetter() && !isVowel(text[end]))
            ++end;
        if (end < n && end > i && text[end] == u'u' && text[end - 1] == u'R')
            ++end;
        unicodeForConsonants(rest.mid(i, end - i));
        i = end;
    }
    m_position += i;
    m_wordFinished = i >= n;
}

void AnsiToUnicode::unicodeForConsonants(QString cluster)
{
    const QStringView text(cluster);
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const int key = matchKey(kConsonants, text, i);
        if (key < 0) {
            // No key: the rest of the cluster is copied as it is.
            m_output += text.mid(i);
            return;
        }
        const ConsonantKey &consonant = kConsonants[key];
        if (consonant.letter == 0) {
            // "Ru" after a consonant is its vowel sign; anywhere else the independent letter.
            if (!m_output.isEmpty() && m_output.back() == QChar(kVirama))
                m_output.back() = QChar(kVocalicRSign);
            else
                m_output += QChar(kVocalicR);
        } else {
            m_output += QChar(consonant.letter);
            if (consonant.mark)
                m_output += QChar(consonant.mark);
        }
        i += qsizetype(qstrlen(consonant.key));
    }
}
