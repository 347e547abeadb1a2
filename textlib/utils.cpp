#include "utils.h"

#include "dictionary.h"
#include "textencoding.h"
#include "ts.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QSaveFile>
#include <QStringConverter>
#include <QStringListModel>
#include <QTextStream>

#include <cstdlib>

namespace {

const QString UserWordFile = QStringLiteral("usr.dct");
// A word file of a few million words is a few tens of megabytes; anything
// larger is not a word list and is not read into memory.
constexpr qint64 MaxWordFileBytes = 64ll * 1024 * 1024;

struct LanguageRow
{
    const char *name;
    const char *prefix;
    const char *font;
    int writingSystem; // QFontDatabase::WritingSystem
};

// By LanguageIndex; the last row answers every other value.
const LanguageRow LanguageTable[] = {
    { "Kannada", "kn", "tunga", 16 },
    { "Telugu", "te", "gautami", 15 },
    { "Malayalam", "ml", "kartika", 17 },
    { "Oriya", "or", "ARIALUNI", 13 },
    { "Hindi", "hi", "mangal", 9 },
    { "Gujarati", "gu", "shruti", 12 },
    { "Bengali", "bn", "vrinda", 10 },
    { "Gurmukhi", "pa", "Arial Unicode MS", 11 },
    { "Tamil", "ta", "latha", 14 },
    { "English", "", "arial", 1 },
    { "", "", "tunga", 1 },
};
constexpr int LanguageRows = int(sizeof(LanguageTable) / sizeof(LanguageTable[0]));

const LanguageRow &languageRow(int language)
{
    if (language < 0 || language >= LanguageRows - 1)
        return LanguageTable[LanguageRows - 1];
    return LanguageTable[language];
}

// The wait cursor while word lists load; only a GUI application has one.
class WaitCursor
{
public:
    WaitCursor()
        : m_on(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (m_on)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (m_on)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool m_on;
};

QByteArray encoded(const QString &text, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

} // namespace

Utils::Utils(QObject *parent)
    : QObject(parent)
{
}

Utils::~Utils()
{
    // The completer goes first, while the models it may show still exist.
    delete m_completer.data();
    for (const QPointer<QStringListModel> &old : std::as_const(m_oldModels)) {
        if (old && !old->parent())
            delete old.data();
    }
    if (m_model && !m_model->parent())
        delete m_model.data();
}

QString Utils::appName()
{
    return QStringLiteral("Zuvo Software");
}

QString Utils::converterName()
{
    return QStringLiteral("Zuvo-Converter");
}

QString Utils::languageName(int language)
{
    return QString::fromLatin1(languageRow(language).name);
}

QString Utils::languagePrefix(int language)
{
    return QString::fromLatin1(languageRow(language).prefix);
}

QString Utils::languageDefaultFont(int language)
{
    return QString::fromLatin1(languageRow(language).font);
}

int Utils::fontDatabaseIndexForLang(int language)
{
    return languageRow(language).writingSystem;
}

QStringList Utils::wordsFromUnicodeFile(const QString &path)
{
    // Binary mode: the stream splits the lines itself, and no byte of a
    // UTF-16 or UTF-32 file is taken for a line end.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringList();
    if (file.size() > MaxWordFileBytes) {
        qWarning() << "Utils: word file too large, not read:" << path;
        return QStringList();
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    in.setAutoDetectUnicode(true);
    QStringList words;
    QString line;
    while (in.readLineInto(&line)) {
        line = line.trimmed();
        if (!line.isEmpty())
            words.append(line);
    }
    words.removeDuplicates();
    return words;
}

bool Utils::appendWordToUnicodeFile(const QString &word, const QString &path)
{
    // A file of another encoding keeps its encoding, and a last line without
    // its line feed gets one first, so that the new word never runs into the
    // old text.
    TextEncoding::Mark bom { QStringConverter::Utf8, 0 };
    bool needsLineFeed = false;
    qint64 size = 0;
    {
        QFile existing(path);
        if (existing.exists() && existing.open(QIODevice::ReadOnly)) {
            size = existing.size();
            if (size > 0) {
                bom = TextEncoding::markOf(existing.read(4));
                const int unit = bom.encoding == QStringConverter::Utf32LE ||
                        bom.encoding == QStringConverter::Utf32BE
                    ? 4
                    : bom.encoding == QStringConverter::Utf8 ? 1
                                                             : 2;
                if (size > bom.size && existing.seek(size - unit))
                    needsLineFeed =
                        existing.read(unit) != encoded(QStringLiteral("\n"), bom.encoding);
            }
        }
    }

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    QByteArray bytes;
    if (file.size() == 0)
        bytes = QByteArrayLiteral("\xEF\xBB\xBF");
    else if (file.size() != size)
        needsLineFeed = false; // changed under us: append as if it ended well
    if (needsLineFeed)
        bytes += encoded(QStringLiteral("\n"), bom.encoding);
    bytes +=
        encoded(word + QLatin1Char('\n'), file.size() == 0 ? QStringConverter::Utf8 : bom.encoding);
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

bool Utils::writeToUnicodeFile(const QStringList &words, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes =
        QByteArrayLiteral("\xEF\xBB\xBF") + words.join(QLatin1Char('\n')).toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString Utils::toUnicode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    QStringDecoder decoder(Ts::DEFAULT_CODEC.constData());
    return decoder.decode(bytes);
}

bool Utils::isWordChar(char32_t c)
{
    return c == u'_' || c == 0x200C || c == 0x200D || QChar::isLetterOrNumber(c) ||
        QChar::isMark(c);
}

bool Utils::isSpellingWord(QStringView word)
{
    for (qsizetype i = 0; i < word.size(); ++i) {
        char32_t c = word.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < word.size() && word.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(word.at(i), word.at(i + 1));
            ++i;
        }
        if (QChar::isLetter(c))
            return true;
    }
    return false;
}

bool Utils::isMisSpelled(const QString &word) const
{
    if (!m_model)
        return true;
    ensureIndex();
    return !m_index.contains(word) && !m_ignored.contains(word);
}

bool Utils::isIgnoredMissSpellWord(const QString &word) const
{
    return m_ignored.contains(word);
}

void Utils::appendIgnoredList(const QString &word)
{
    m_ignored.append(word);
    m_ignored.removeDuplicates();
}

void Utils::loadUnicodeWords()
{
    if (m_model && !m_provisionalModel)
        return;
    QStringList words;
    {
        WaitCursor wait;
        const QStringList files { UserWordFile };
        for (const QString &file : files)
            words += wordsFromUnicodeFile(file);
    }
    if (m_model) {
        // Words added meanwhile stay; the file's words come first, as in a
        // model read from it.
        m_provisionalModel = false;
        QStringList all = words + m_model->stringList();
        all.removeDuplicates();
        setModelWords(all, words);
        return;
    }
    setWordModel(new QStringListModel(words));
}

void Utils::ensureWordModel()
{
    if (m_model)
        return;
    setWordModel(new QStringListModel);
    m_provisionalModel = true;
}

void Utils::updateStringModel(const QString &word)
{
    updateStringModel(QStringList { word });
}

void Utils::updateStringModel(const QStringList &words)
{
    if (!m_model) {
        qWarning() << "Utils::updateStringModel: no word model yet";
        return;
    }
    QStringList list = m_model->stringList();
    list += words;
    list.removeDuplicates();
    setModelWords(list, words);
}

QStringListModel *Utils::unicodeWords(int language)
{
    QStringList words;
    {
        WaitCursor wait;
        words = wordsFromUnicodeFile(UserWordFile);
        Dictionary dictionary;
        if (dictionary.isDictAvailable(language)) {
            words += dictionary.allUnicodeWords();
            words.removeDuplicates();
        }
    }
    setWordModel(new QStringListModel(words));
    return m_model;
}

QCompleter *Utils::zuvoCompleter()
{
    if (m_completer)
        return m_completer;
    auto *completer = new QCompleter(this);
    m_completer = completer;
    completer->setModel(unicodeWords(0));
    completer->setModelSorting(QCompleter::UnsortedModel);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setWrapAround(false);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->popup()->setFont(QFont(QStringLiteral("Tunga"), 11));
    return completer;
}

bool Utils::addToDictionary(const QString &word, QCompleter *completer)
{
    // A word the file did not take would count for this run only, and be
    // gone at the next start while the user was told it was not added.
    if (!appendWordToUnicodeFile(word, UserWordFile))
        return false;
    if (completer)
        updateStringModel(word);
    return true;
}

QStringListModel *Utils::wordModel() const
{
    return m_model;
}

void Utils::setWordModel(QStringListModel *model)
{
    if (m_model) {
        disconnect(m_model, nullptr, this, nullptr);
        m_oldModels.append(m_model);
    }
    m_model = model;
    m_provisionalModel = false;
    m_index.clear();
    m_indexValid = false;
    const auto changed = [this]() {
        if (!m_selfUpdate)
            m_indexValid = false;
    };
    connect(model, &QAbstractItemModel::modelReset, this, changed);
    connect(model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(model, &QAbstractItemModel::rowsMoved, this, changed);
    connect(model, &QAbstractItemModel::dataChanged, this, changed);
    connect(model, &QAbstractItemModel::layoutChanged, this, changed);
}

void Utils::setModelWords(const QStringList &words, const QStringList &added)
{
    m_selfUpdate = true;
    m_model->setStringList(words);
    m_selfUpdate = false;
    if (m_indexValid) {
        for (const QString &w : added)
            m_index.insert(w);
    }
}

void Utils::ensureIndex() const
{
    if (m_indexValid)
        return;
    const QStringList words = m_model->stringList();
    m_index = QSet<QString>(words.cbegin(), words.cend());
    m_indexValid = true;
}

// ---- Kannada spelling suggestions ----

namespace {

constexpr char16_t Anusvara = 0x0C82;
constexpr char16_t Visarga = 0x0C83;
constexpr char16_t Ra = 0x0CB0;
constexpr char16_t SignAa = 0x0CBE;
constexpr char16_t Virama = 0x0CCD;

// Short and long vowel signs, each to its partner.
char16_t vowelSignPartner(char16_t c)
{
    switch (c) {
    case 0x0CBF:
        return 0x0CC0;
    case 0x0CC0:
        return 0x0CBF;
    case 0x0CC1:
        return 0x0CC2;
    case 0x0CC2:
        return 0x0CC1;
    case 0x0CC6:
        return 0x0CC7;
    case 0x0CC7:
        return 0x0CC6;
    case 0x0CCA:
        return 0x0CCB;
    case 0x0CCB:
        return 0x0CCA;
    default:
        return 0;
    }
}

// Short and long independent vowels, each to its partner.
char16_t vowelPartner(char16_t c)
{
    switch (c) {
    case 0x0C85:
        return 0x0C86;
    case 0x0C86:
        return 0x0C85;
    case 0x0C87:
        return 0x0C88;
    case 0x0C88:
        return 0x0C87;
    case 0x0C89:
        return 0x0C8A;
    case 0x0C8A:
        return 0x0C89;
    case 0x0C8E:
        return 0x0C8F;
    case 0x0C8F:
        return 0x0C8E;
    case 0x0C92:
        return 0x0C93;
    case 0x0C93:
        return 0x0C92;
    default:
        return 0;
    }
}

// The consonants a consonant may be mistaken for, in the order they are tried:
// unaspirated and aspirated partners, and the three sibilants.
QList<char16_t> consonantPartners(char16_t c)
{
    switch (c) {
    case 0x0C95:
    case 0x0C97:
    case 0x0C9A:
    case 0x0C9C:
    case 0x0C9F:
    case 0x0CA1:
    case 0x0CA4:
    case 0x0CA6:
    case 0x0CAA:
    case 0x0CAC:
        return { char16_t(c + 1) };
    case 0x0C96:
    case 0x0C98:
    case 0x0C9B:
    case 0x0C9D:
    case 0x0CA0:
    case 0x0CA2:
    case 0x0CA5:
    case 0x0CA7:
    case 0x0CAB:
    case 0x0CAD:
        return { char16_t(c - 1) };
    case 0x0CB6:
        return { 0x0CB7, 0x0CB8 };
    case 0x0CB7:
        return { 0x0CB6 };
    case 0x0CB8:
        return { 0x0CB7 };
    default:
        return {};
    }
}

} // namespace

QStringList Utils::suggestions(const QString &word) const
{
    if (!m_model)
        return QStringList();

    const qsizetype n = word.size();
    QStringList found; // accepted candidates, in the order they are found
    const auto tryCandidate = [&](const QString &candidate) {
        if (!isMisSpelled(candidate))
            found.append(candidate);
    };
    const auto withInserted = [&](qsizetype pos, QStringView text) {
        QString s = word;
        s.insert(pos, text);
        return s;
    };
    const auto withReplaced = [&](qsizetype pos, char16_t c) {
        QString s = word;
        s[pos] = QChar(c);
        return s;
    };
    const char16_t virama[] = { Virama };
    const char16_t anusvara[] = { Anusvara };
    const char16_t raVirama[] = { Ra, Virama };
    const char16_t signAa[] = { SignAa };

    // The first character is never removed and nothing goes before it.
    for (qsizetype i = 1; i < n; ++i)
        tryCandidate(withInserted(i, QStringView(virama, 1)));
    for (qsizetype i = 1; i < n; ++i) {
        if (word.at(i).unicode() == Virama)
            tryCandidate(QString(word).remove(i, 1));
    }
    for (qsizetype i = 1; i < n; ++i)
        tryCandidate(withInserted(i, QStringView(anusvara, 1)));
    tryCandidate(word + QChar(Visarga));
    for (qsizetype i = 1; i < n; ++i)
        tryCandidate(withInserted(i, QStringView(raVirama, 2)));
    for (qsizetype i = 1; i < n; ++i) {
        const char16_t c = word.at(i).unicode();
        if (c == SignAa)
            tryCandidate(QString(word).remove(i, 1));
        else if (const char16_t partner = vowelSignPartner(c))
            tryCandidate(withReplaced(i, partner));
        else
            tryCandidate(withInserted(i, QStringView(signAa, 1)));
    }
    for (qsizetype i = 0; i < n; ++i) {
        if (const char16_t partner = vowelPartner(word.at(i).unicode()))
            tryCandidate(withReplaced(i, partner));
    }
    for (qsizetype i = 0; i < n; ++i) {
        for (char16_t partner : consonantPartners(word.at(i).unicode()))
            tryCandidate(withReplaced(i, partner));
    }

    // Latest candidates first, then the known words that contain the word;
    // only lengths within 2 of the word's, no repeats, at most 15.
    constexpr qsizetype MaxSuggestions = 15;
    QStringList result;
    QSet<QString> seen;
    const auto take = [&](const QString &s) {
        if (std::abs(s.size() - n) > 2 || seen.contains(s))
            return;
        seen.insert(s);
        result.append(s);
    };
    for (auto it = found.crbegin(); it != found.crend() && result.size() < MaxSuggestions; ++it)
        take(*it);
    if (result.size() < MaxSuggestions) {
        const QStringList known = m_model->stringList();
        for (const QString &w : known) {
            if (w.size() - n > 2 || n - w.size() > 2 || !w.contains(word))
                continue;
            take(w);
            if (result.size() == MaxSuggestions)
                break;
        }
    }
    return result;
}
