#include "nuditoansi.h"

#include "nuditable.h"

#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstring>

namespace {

constexpr unsigned char kReph = 0xF0;
constexpr int kMaxKeyLength = 6;

// How many letters at the end of a value form its vowel: a subjoined consonant is written
// before them ("kii" + "y" is "kyii", "kai" + "y" is "kyai").
int vowelTailOf(const QString &value)
{
    if (value.endsWith(QLatin1String("ii")) || value.endsWith(QLatin1String("ai")) ||
        value.endsWith(QLatin1String("ou")) || value.endsWith(QLatin1String("Ru")))
        return 2;
    return 1;
}

} // namespace

NudiToAnsi::NudiToAnsi()
{
    init();
}

NudiToAnsi::~NudiToAnsi() = default;

void NudiToAnsi::init()
{
    m_keys.clear();
    m_values.clear();
    m_keys.reserve(kNudiKeyCount + 1);
    m_values.reserve(kNudiKeyCount + 1);
    for (const NudiKey &key : kNudiKeys) {
        m_keys.append(QByteArray(reinterpret_cast<const char *>(key.bytes), key.length));
        m_values.append(QString::fromLatin1(key.value));
    }
    // The group of "ka" has no bare form in the table; without it the glyphs of a bare k
    // would come out as the bytes themselves.
    m_keys.append(QByteArray("\x50\xEF", 2));
    m_values.append(QStringLiteral("k"));

    m_reorderBytes.clear();
    m_reorderValues.clear();
    for (const NudiReorder &reorder : kNudiReorder) {
        m_reorderBytes.append(char(reorder.byte));
        m_reorderValues.append(QString::fromLatin1(reorder.value));
    }
    m_kShaPrefix = QByteArray("\x50\xEB\xC0", 3);
    m_kShePrefix = QByteArray("\x50\xEB\xC9", 3);

    buildIndex();
    emit loaded();
}

void NudiToAnsi::buildIndex()
{
    m_trie.assign(1, TrieNode());
    m_vowelTail.clear();
    for (int i = 0; i < m_keys.size(); ++i) {
        int node = 0;
        for (char c : std::as_const(m_keys[i])) {
            const unsigned char b = static_cast<unsigned char>(c);
            int next = -1;
            for (const auto &child : m_trie[node].children) {
                if (child.first == b) {
                    next = child.second;
                    break;
                }
            }
            if (next < 0) {
                next = int(m_trie.size());
                m_trie[node].children.emplace_back(b, next);
                m_trie.emplace_back();
            }
            node = next;
        }
        m_trie[node].key = i;
        m_vowelTail.push_back(vowelTailOf(m_values[i]));
    }

    std::fill(std::begin(m_reorderIndex), std::end(m_reorderIndex), -1);
    for (int i = 0; i < m_reorderBytes.size(); ++i)
        m_reorderIndex[static_cast<unsigned char>(m_reorderBytes[i])] = i;
}

int NudiToAnsi::longestKey(const unsigned char *bytes, int n, int *length) const
{
    int best = -1;
    *length = 0;
    int node = 0;
    for (int i = 0; i < n && i < kMaxKeyLength; ++i) {
        int next = -1;
        for (const auto &child : m_trie[node].children) {
            if (child.first == bytes[i]) {
                next = child.second;
                break;
            }
        }
        if (next < 0)
            break;
        node = next;
        if (m_trie[node].key >= 0) {
            best = m_trie[node].key;
            *length = i + 1;
        }
    }
    return best;
}

int NudiToAnsi::findChar(const QByteArray &run)
{
    m_currentMatch.clear();
    int length = 0;
    const int key = longestKey(reinterpret_cast<const unsigned char *>(run.constData()),
                               int(std::min<qsizetype>(run.size(), kMaxKeyLength)), &length);
    if (key < 0)
        return 0;
    m_currentMatch = m_values[key];
    return length;
}

void NudiToAnsi::convertWord(QStringView word, QString &out)
{
    const qsizetype base = out.size();
    const qsizetype n = word.size();
    // The match is per word, so a reph at a word start never depends on the word before.
    m_currentMatch.clear();
    // Letters of the last syllable's vowel; a subjoined consonant goes before them. Kept
    // across consecutive subjoined forms, which all belong to the same syllable.
    int tail = 1;
    // Letters written for the last matched syllable, its subjoined consonants included: the
    // reph goes before all of them ("tha" + "y" + reph is "rthya", not "thyar").
    qsizetype syllable = 0;
    qsizetype p = 0;
    while (p < n) {
        const char16_t c = word[p].unicode();
        if (c <= 0xFF && m_reorderIndex[c] >= 0) {
            const QString &value = m_reorderValues[m_reorderIndex[c]];
            const qsizetype written = out.size() - base;
            // The reph goes before the whole syllable, every other form before its vowel.
            const qsizetype at = c == kReph ? written - syllable : written - tail;
            if (at >= 0) {
                out.insert(base + at, value);
                if (c != kReph && syllable > 0)
                    syllable += value.size();
            }
            if (c == kReph)
                syllable = 0;
            m_currentMatch.clear();
            ++p;
            continue;
        }
        if (c > 0xFF) {
            // No byte value: no key can hold it, so it passes through as it is.
            out.append(QChar(c));
            m_currentMatch.clear();
            tail = 1;
            syllable = 0;
            ++p;
            continue;
        }

        unsigned char run[kMaxKeyLength];
        int runLength = 0;
        while (runLength < kMaxKeyLength && p + runLength < n &&
               word[p + runLength].unicode() <= 0xFF) {
            run[runLength] = static_cast<unsigned char>(word[p + runLength].unicode());
            ++runLength;
        }
        int length = 0;
        const int key = longestKey(run, runLength, &length);
        if (key >= 0) {
            m_currentMatch = m_values[key];
            out.append(m_currentMatch);
            tail = m_vowelTail[size_t(key)];
            syllable = m_currentMatch.size();
            p += length;
            continue;
        }
        m_currentMatch.clear();
        tail = 1;
        syllable = 0;
        const auto startsWith = [&](const QByteArray &prefix) {
            return runLength >= prefix.size() &&
                std::memcmp(run, prefix.constData(), prefix.size()) == 0;
        };
        if (startsWith(m_kShaPrefix) || startsWith(m_kShePrefix)) {
            out.append(startsWith(m_kShaPrefix) ? QLatin1String("kSha") : QLatin1String("kShe"));
            p += 3;
            continue;
        }
        out.append(QChar(c));
        ++p;
    }
}

QString NudiToAnsi::processNudiLine(const QByteArray &word)
{
    QString out;
    if (word.isEmpty())
        return out;
    out.reserve(word.size() * 2);
    convertWord(QString::fromLatin1(word), out);
    return out;
}

QString NudiToAnsi::processNudiText(const QString &text)
{
    m_resultText.clear();
    QString result;
    result.reserve(text.size() * 2 + 1);
    const QStringView all(text);
    const qsizetype n = all.size();
    qsizetype start = 0;
    // Words end at " " and lines at "\n"; empty words and lines are kept, so the spacing
    // and the line structure of the text survive.
    for (qsizetype i = 0; i <= n; ++i) {
        const QChar c = i < n ? all[i] : QChar(u'\n');
        if (c != u' ' && c != u'\n')
            continue;
        convertWord(all.mid(start, i - start), result);
        result.append(c);
        start = i + 1;
    }
    m_resultText = result;
    return result;
}

QString NudiToAnsi::ansiString() const
{
    return m_resultText;
}

int NudiToAnsi::processNudiLine(const QByteArray &line, QTextStream &out)
{
    out << processNudiLine(line);
    return 1;
}

void NudiToAnsi::processNudiFile()
{
    const QString title = QStringLiteral("Zuvo Software");
    QFile input(QStringLiteral("nudi-input.txt"));
    if (!input.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QMessageBox::information(nullptr, title, QStringLiteral("input file didn't open"));
        return;
    }
    QFile output(QStringLiteral("nudi-output.txt"));
    if (!output.open(QIODevice::ReadWrite | QIODevice::Text | QIODevice::Truncate)) {
        QMessageBox::information(nullptr, title, QStringLiteral("output file didn't open"));
        return;
    }
    QTextStream out(&output);
    out.setEncoding(QStringConverter::Latin1);
    while (!input.atEnd())
        processNudiLine(input.readLine(), out);
    out.flush();
    output.close();
    input.close();
}

void NudiToAnsi::slotUpdateDialog()
{
    if (!m_progressDialog)
        return;
    m_progressDialog->setValue(m_progressCounter);
    ++m_progressCounter;
    if (m_progressCounter > m_progressDialog->maximum()) {
        m_progressDialog->hide();
        if (m_progressTimer)
            m_progressTimer->stop();
    }
}

void NudiToAnsi::slotLoaded()
{
    if (m_progressDialog) {
        m_progressDialog->hide();
        m_progressDialog->deleteLater();
        m_progressDialog = nullptr;
    }
    if (m_progressTimer) {
        m_progressTimer->stop();
        m_progressTimer->deleteLater();
        m_progressTimer = nullptr;
    }
}

void NudiToAnsi::slotCancel()
{
    QCoreApplication::exit();
}
