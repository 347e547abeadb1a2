#include "zuvoscriptconverter.h"

#include <array>
#include <vector>

namespace {

constexpr char16_t ZWNJ = 0x200C;
constexpr char16_t ZWJ = 0x200D;
constexpr char16_t DEVANAGARI_OM = 0x0950;
constexpr int VIRAMA = 0x4D;

// Token codes: 0-66 index the phonetic list, 67-120 the Nudi list (index + 67).
constexpr int NUDI_BASE = 67;
constexpr int OM_CODE = 200; // Hindi "OM", recognised on every keyboard

// clang-format off
const char *const phoneticTokens[] = {
    "a",  "aa", "A",  "i",  "I",  "ee", "u",  "U",  "oo", "R",  "e",  "E",  "ai", "o",
    "O",  "au", "ou", "M",  "H",  "k",  "kh", "K",  "g",  "gh", "G",  "Jz", "c",  "ch",
    "C",  "j",  "jh", "J",  "jz", "T",  "Th", "D",  "Dh", "N",  "t",  "th", "d",  "dh",
    "n",  "nz", "p",  "f",  "ph", "P",  "b",  "bh", "B",  "m",  "y",  "r",  "rz", "l",
    "v",  "w",  "sh", "S",  "Sh", "s",  "h",  "L",  "Lz", "x",  "X",
};
// clang-format on
static_assert(sizeof(phoneticTokens) / sizeof(phoneticTokens[0]) == 67);

// clang-format off
const char *const nudiTokens[] = {
    "a", "A", "i", "I", "u", "U", "R", "e", "E", "Y",  "o", "O", "V", "M",  "H", "k", "K", "g",
    "G", "Z", "c", "C", "j", "J", "z", "q", "Q", "w",  "W", "N", "t", "T",  "d", "D", "n", "p",
    "P", "b", "B", "m", "y", "r", "rz", "l", "v", "S", "x", "s", "h", "L", "Lz", "f", "F", "X",
};
// clang-format on
static_assert(sizeof(nudiTokens) / sizeof(nudiTokens[0]) == 54);

// clang-format off
// Offsets of the letters that consonant codes append; -1 for the special keys.
// Phonetic codes 19-64.
constexpr std::array<signed char, 46> phoneticConsonant = {
    0x15, 0x16, 0x16, 0x17, 0x18, 0x18, 0x19, 0x1A, 0x1A, 0x1B, 0x1C, 0x1D, 0x1D, 0x1E, 0x1F, 0x20,
    0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x28, 0x2A, -1,   0x2B, 0x2B, 0x2C, 0x2D, 0x2D,
    0x2E, 0x2F, 0x30, 0x31, 0x32, 0x35, 0x35, 0x36, 0x36, 0x37, 0x38, 0x39, 0x33, 0x34,
};
// Nudi codes 82-117.
constexpr std::array<signed char, 36> nudiConsonant = {
    0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x20,
    0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x2A, 0x2B, 0x2C, 0x2D,
    0x2E, 0x2F, 0x30, 0x31, 0x32, 0x35, 0x36, 0x37, 0x38, 0x39, 0x33, 0x34,
};
// Nudi vowel codes 67-81 mapped to the phonetic vowel code of the same row.
constexpr std::array<signed char, 15> nudiVowelRow = {0, 1, 3, 4, 6, 7, 9, 10, 11, 12, 13, 14, 15, 17, 18};

const int scriptBases[9] = {0x0C80, 0x0C00, 0x0D00, 0x0B00, 0x0900, 0x0A80, 0x0980, 0x0A00, 0x0B80};
// clang-format on

// Token lookup by the first one or two characters, built once. The lists are
// small and fixed, so two 128x128 tables turn the search into two loads.
struct TokenTables
{
    QStringList phonetic;
    QStringList nudi;
    // [list][c1][c2] for two-character tokens, [list][c1] for one character.
    signed char two[2][128][128];
    signed char one[2][128];

    TokenTables()
    {
        for (const char *t : phoneticTokens)
            phonetic << QString::fromLatin1(t);
        for (const char *t : nudiTokens)
            nudi << QString::fromLatin1(t);
        for (auto &list : two)
            for (auto &row : list)
                for (auto &cell : row)
                    cell = -1;
        for (auto &list : one)
            for (auto &cell : list)
                cell = -1;
        fill(0, phoneticTokens, 67);
        fill(1, nudiTokens, 54);
    }

    void fill(int list, const char *const *tokens, int count)
    {
        for (int i = 0; i < count; ++i) {
            const char *t = tokens[i];
            if (t[1] == '\0')
                one[list][int(t[0])] = static_cast<signed char>(i);
            else
                two[list][int(t[0])][int(t[1])] = static_cast<signed char>(i);
        }
    }
};

const TokenTables &tables()
{
    static const TokenTables t;
    return t;
}

// The English respelling rules of the Transliteration keyboard, in order.
struct NearMatchRule
{
    bool wholeWord;
    const char *key;
    const char *replacement;
};

// clang-format off
const NearMatchRule nearMatchRules[] = {
    {true, "expectation", "ekspekTESan"},
    {false, "expect", "ekspekTESan"},
    {false, "clear", "kliyar"},
    {false, "opinion", "opiniyan"},
    {false, "open", "Open"},
    {false, "suggestion", "sajeShan"},
    {false, "suggest", "sajeST"},
    {true, "hi", "haay"},
    {false, "copy", "kaapi"},
    {false, "paste", "pEsT"},
    {true, "delete", "DilIT"},
    {true, "file", "pail"},
    {true, "development", "DevelapxmeMT"},
    {true, "exact", "eksaakT"},
    {true, "Just", "jasT"},
    {false, "compare", "kaMpEr"},
    {true, "imagination", "imyaajinESan"},
    {true, "image", "imEj"},
    {true, "assumption", "asaMShan"},
    {false, "assum", "asyum"},
    {true, "God", "gaaD"},
    {true, "OK", "Oke"},
    {true, "hand", "hyAMD"},
    {false, "free", "prI"},
    {true, "bus", "bas"},
    {true, "car", "kaar"},
    {true, "vehicle", "vehikal"},
    {false, "cycle", "saikal"},
    {true, "close", "klOs"},
    {true, "cancel", "kyAnsal"},
    {true, "building", "byulDiMg"},
    {true, "language", "laaMgvEj"},
    {true, "water", "vaaTar"},
    {false, "color", "kalar"},
    {true, "colour", "kalar"},
    {true, "air", "Er"},
    {true, "video", "viDiyO"},
    {true, "audio", "ADiyO"},
    {true, "house", "haws"},
    {false, "train", "Train"},
    {false, "park", "paark"},
    {false, "application", "aplikEShan"},
    {true, "unicode", "yUnikOD"},
    {false, "project", "projekT"},
    {false, "paper", "pEpar"},
    {false, "cinema", "sinema"},
    {true, "email", "imail"},
    {false, "interview", "iMTarxvIv"},
    {true, "welcome", "velxkam"},
    {false, "setting", "seTTiMg"},
    {false, "relate", "rilETeD"},
    {true, "mobile", "mobail"},
    {true, "header", "heDar"},
    {true, "source", "sOrs"},
    {true, "twitter", "TviTTar"},
    {true, "Share", "ShEr"},
    {false, "keyboard", "kIbOrD"},
    {false, "search", "sarc"},
    {true, "browser", "brawsar"},
    {true, "gmail", "jimail"},
    {true, "movies", "mUvIs"},
    {false, "movie", "mUvI"},
    {false, "doctor", "DAkTar"},
    {false, "layout", "lEawT"},
    {true, "facebook", "pEsxbuk"},
    {true, "political", "pAliTikal"},
    {false, "politic", "pAliTiks"},
    {true, "education", "ejukEShan"},
    {false, "headline", "heDxlain"},
    {false, "Time", "Taim"},
    {true, "code", "kOD"},
    {true, "assistant", "asisTeMT"},
    {true, "youtube", "yUTyUb"},
    {true, "gallery", "gyAlari"},
    {false, "phone", "pOn"},
    {false, "break", "brEk"},
    {false, "case", "kEs"},
    {false, "false", "pAls"},
    {true, "true", "TrU"},
    {false, "edit", "eDiT"},
    {false, "length", "leMt"},
    {false, "document", "DAkumeMT"},
    {false, "exit", "egxsiT"},
    {true, "red", "reD"},
    {true, "blue", "blU"},
    {true, "yellow", "ellO"},
    {true, "orange", "AreMj"},
    {true, "pink", "piMk"},
    {true, "english", "iMglISh"},
    {true, "india", "iMDiya"},
    {false, "command", "kamyAMD"},
    {true, "chief", "chIp"},
    {false, "start", "sTArT"},
    {true, "marriage", "myArEj"},
    {true, "court", "kOrT"},
    {false, "feel", "pIl"},
    {true, "verses", "versas"},
    {true, "magazine", "myAgajain"},
    {false, "channel", "chAnel"},
    {true, "home", "hOm"},
    {true, "account", "akawMT"},
    {true, "demo", "Demo"},
    {true, "live", "laiv"},
    {false, "find", "paiMD"},
    {false, "replace", "riplEs"},
    {false, "adjust", "aDjasT"},
};
// clang-format on
constexpr int nearMatchRuleCount = sizeof(nearMatchRules) / sizeof(nearMatchRules[0]);
static_assert(nearMatchRuleCount == 106);

// Every key starts with an ASCII letter, so a word that starts with an ASCII
// character can only match the rules whose key starts with the same letter in
// either case. The buckets keep the table order; words that start with any
// other character walk the whole table.
struct NearMatchIndex
{
    QString keys[nearMatchRuleCount];
    QString replacements[nearMatchRuleCount];
    std::array<std::vector<int>, 26> buckets;

    NearMatchIndex()
    {
        for (int r = 0; r < nearMatchRuleCount; ++r) {
            keys[r] = QString::fromLatin1(nearMatchRules[r].key);
            replacements[r] = QString::fromLatin1(nearMatchRules[r].replacement);
            const char first = nearMatchRules[r].key[0];
            const int letter = (first | 0x20) - 'a';
            buckets[letter].push_back(r);
        }
    }
};

const NearMatchIndex &nearMatchIndex()
{
    static const NearMatchIndex index;
    return index;
}

// True when the rule matches the word; then the word is respelled in place.
bool applyNearMatchRule(const NearMatchIndex &index, int r, QString &word)
{
    const QString &key = index.keys[r];
    if (nearMatchRules[r].wholeWord) {
        if (word.compare(key, Qt::CaseInsensitive) != 0)
            return false;
        word = index.replacements[r];
        return true;
    }
    if (!word.startsWith(key, Qt::CaseInsensitive))
        return false;
    word.replace(key, index.replacements[r], Qt::CaseInsensitive);
    return true;
}

// Characters after which a word-internal "n" or "m" keeps its own sound
// instead of becoming the anusvara.
bool keepsNasal(const QString &s, qsizetype next, qsizetype end)
{
    if (next >= end)
        return false;
    const char16_t u = s.at(next).unicode();
    switch (u) {
    // clang-format off
    case 'e': case 'E': case 'i': case 'I': case 'o': case 'O': case 'u': case 'U':
    case 'a': case 'A': case 'm': case 'n': case 'z': case 'Z': case 'q': case 'Q':
    case 'w': case 'W': case 'x': case 'X': case 'v': case 'V': case 'r': case '|':
        return true;
    // clang-format on
    default:
        break;
    }
    char32_t cp = u;
    if (QChar::isHighSurrogate(u) && next + 1 < end && s.at(next + 1).isLowSurrogate())
        cp = QChar::surrogateToUcs4(u, s.at(next + 1).unicode());
    return QChar::isDigit(cp);
}

// Whether a nasal after this character may close its syllable as an
// anusvara: after a letter (a Latin key, or Indic text already in the word),
// a vowel sign or a virama.
bool endsSyllable(QChar before)
{
    return before.isLetter() || before.isMark();
}

// clang-format off
char16_t foldFor(int language, char16_t u, bool *drop)
{
    *drop = false;
    switch (language) {
    case Language::Kannada:
        return u == 0x0CB4 ? 0x0CDE : u;
    case Language::Telugu:
        return u == 0x0C34 ? 0x0C33 : u;
    case Language::Oriya:
        switch (u) {
        case 0x0B0E: return 0x0B0F;
        case 0x0B12: return 0x0B13;
        case 0x0B4A: return 0x0B4B;
        case 0x0B46: return 0x0B47;
        default: return u;
        }
    case Language::Hindi:
        switch (u) {
        case 0x090E: return 0x090F;
        case 0x0912: return 0x0913;
        case 0x094A: return 0x094B;
        case 0x0946: return 0x0947;
        default: return u;
        }
    case Language::Gujarati:
        switch (u) {
        case 0x0A8E: return 0x0A8F;
        case 0x0ACA: return 0x0ACB;
        case 0x0A92: return 0x0A93;
        case 0x0AC6: return 0x0AC7;
        case 0x0AB4: return 0x0AB3;
        default: return u;
        }
    case Language::Bengali:
        switch (u) {
        case 0x098E: return 0x098F;
        case 0x0992: return 0x0993;
        case 0x09CA: return 0x09CB;
        case 0x09C6: return 0x09C7;
        case 0x09B3: return 0x09B2;
        case 0x09B4: return 0x09B2;
        case 0x09B5: return 0x09AC;
        default: return u;
        }
    case Language::Gurmukhi:
        switch (u) {
        case 0x0A0E: return 0x0A0F;
        case 0x0A46: return 0x0A47;
        case 0x0A12: return 0x0A13;
        case 0x0A4A: return 0x0A4B;
        case 0x0A0B: return 0x0A5C;
        case 0x0A37: return 0x0A36;
        case 0x0A03: return 0x0A39;
        case 0x0A34: return 0x0A33;
        default: return u;
        }
    case Language::Tamil:
        switch (u) {
        case 0x0B8B: return 0x0BB1;
        case 0x0BC3: *drop = true; return u;
        case 0x0B96: case 0x0B97: case 0x0B98: return 0x0B95;
        case 0x0B9B: return 0x0B9A;
        case 0x0B9D: return 0x0B9C;
        case 0x0BA0: case 0x0BA1: case 0x0BA2: return 0x0B9F;
        case 0x0BA5: case 0x0BA6: case 0x0BA7: return 0x0BA4;
        case 0x0BAB: case 0x0BAC: case 0x0BAD: return 0x0BAA;
        case 0x0BB6: return 0x0BB7;
        case 0x0B82: return 0x0BAE;
        default: return u;
        }
    default:
        return u;
    }
}
// clang-format on

int normalizedKeyboard(int keyboard)
{
    return (keyboard >= Keyboard::Phonetic && keyboard <= Keyboard::Transliteration)
        ? keyboard
        : Keyboard::Phonetic;
}

} // namespace

ZuvoScriptConverter::ZuvoScriptConverter()
{
    init();
}

ZuvoScriptConverter::~ZuvoScriptConverter() = default;

void ZuvoScriptConverter::init()
{
    // The lists never change; sharing them makes a converter cheap to create.
    phoneticList = tables().phonetic;
    nudiList = tables().nudi;
}

QStringList ZuvoScriptConverter::phoneticAksharamale() const
{
    return phoneticList;
}

QStringList ZuvoScriptConverter::nudiAksharamale() const
{
    return nudiList;
}

int ZuvoScriptConverter::unicodeOffset(int language)
{
    return (language >= Language::Kannada && language <= Language::Tamil) ? scriptBases[language]
                                                                          : 0;
}

QString ZuvoScriptConverter::ansiToUnicode(QString text, int language, int keyboard)
{
    if (text.isEmpty())
        return QString();
    // English, and any value that names no script, is typing without conversion:
    // a script base of 0 would turn letters into control characters.
    if (language < Language::Kannada || language > Language::Tamil)
        return text;

    this->keyboard = normalizedKeyboard(keyboard);
    this->language = language;
    scriptBase = unicodeOffset(language);

    if (this->keyboard == Keyboard::Transliteration)
        transliterationPrePass(text);
    if (this->keyboard == Keyboard::Phonetic && language == Language::Tamil)
        tamilRewrite(text);

    output.clear();
    output.reserve(text.size() * 2);
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        handled = true;
        const QChar c = text.at(i);
        if (c.unicode() >= 0x100) {
            output.append(c);
            ++i;
        } else if (c.isNumber()) {
            handleSankhye(c.unicode());
            ++i;
        } else if (c.isSpace()) {
            output.append(c);
            ++i;
        } else {
            int len = 0;
            const int code = findChar(text, i, &len);
            if (code < 0) {
                output.append(c);
                ++i;
            } else {
                charToUnichar(code);
                if (!handled)
                    output.append(QStringView(text).mid(i, len));
                i += len;
            }
        }
    }
    normalize(language);
    return output;
}

QString ZuvoScriptConverter::unicodeToUnicode(QString text, int language, int keyboard)
{
    if (text.isEmpty())
        return QString();
    // A target that names no script leaves the text as it is.
    if (language < Language::Kannada || language > Language::Tamil)
        return text;

    this->keyboard = normalizedKeyboard(keyboard);
    this->language = language;
    scriptBase = unicodeOffset(language);

    output.clear();
    output.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        handled = true;
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (u >= 0x0B80 && u <= 0x0BFF) {
            // Tamil has too few letters to map position for position.
            output.append(c);
            ++i;
        } else if (u >= 0x100) {
            uniCharToUnichar(c);
            ++i;
        } else if (c.isNumber()) {
            handleSankhye(u);
            ++i;
        } else {
            int len = 0;
            const int code = findChar(text, i, &len);
            if (code < 0) {
                // Spaces, line breaks and punctuation keep the text readable.
                output.append(c);
                ++i;
            } else {
                charToUnichar(code);
                if (!handled)
                    output.append(QStringView(text).mid(i, len));
                i += len;
            }
        }
    }
    normalize(language);
    return output;
}

QString ZuvoScriptConverter::findNearMatch(QString word)
{
    if (word.isEmpty())
        return word;
    const NearMatchIndex &index = nearMatchIndex();
    const char16_t first = word.at(0).unicode();
    if (first < 0x80) {
        const char16_t lower = first | 0x20;
        if (lower < 'a' || lower > 'z')
            return word;
        for (int r : index.buckets[lower - 'a'])
            if (applyNearMatchRule(index, r, word))
                return word;
        return word;
    }
    for (int r = 0; r < nearMatchRuleCount; ++r)
        if (applyNearMatchRule(index, r, word))
            return word;
    return word;
}

void ZuvoScriptConverter::transliterationPrePass(QString &text)
{
    QString word = findNearMatch(text);

    // Word endings whose nasal is pronounced and must stay a letter.
    qsizetype tailLength = 0;
    static const char *const twoLetterEndings[] = { "nn", "mm", "nm", "nh", "mh" };
    for (const char *ending : twoLetterEndings) {
        if (word.endsWith(QLatin1String(ending, 2))) {
            tailLength = 2;
            break;
        }
    }
    if (tailLength == 0 && (word.endsWith(QLatin1Char('n')) || word.endsWith(QLatin1Char('m'))))
        tailLength = 1;

    const qsizetype leftLength = word.size() - tailLength;
    if (leftLength > 1) {
        QChar *data = word.data();
        for (qsizetype j = 1; j < leftLength; ++j) {
            const char16_t u = data[j].unicode();
            // An anusvara closes the syllable before it: a nasal that starts
            // a word (the text's first, or one after a space, a digit or a
            // mark of punctuation) stays a consonant.
            if ((u == 'n' || u == 'm') && endsSyllable(data[j - 1]) &&
                !keepsNasal(word, j + 1, leftLength))
                data[j] = QLatin1Char('M');
        }
    }
    text = word;
    keyboard = 0;
}

void ZuvoScriptConverter::tamilRewrite(QString &text) const
{
    // In Tamil "s" is CA, "sh"/"Sh" SSA and "S" SA. Three passes, each reading
    // the result of the one before, as three successive replacements would.
    const qsizetype n = text.size();
    QChar *d = text.data();
    for (qsizetype i = 0; i < n; ++i)
        if (d[i] == QLatin1Char('s') && !(i + 1 < n && d[i + 1] == QLatin1Char('h')))
            d[i] = QLatin1Char('c');
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (d[i] == QLatin1Char('s') && d[i + 1] == QLatin1Char('h')) {
            d[i] = QLatin1Char('S');
            ++i;
        }
    }
    for (qsizetype i = 0; i < n; ++i)
        if (d[i] == QLatin1Char('S') && !(i + 1 < n && d[i + 1] == QLatin1Char('h')))
            d[i] = QLatin1Char('s');
}

int ZuvoScriptConverter::findChar(const QString &text, qsizetype i, int *len) const
{
    const qsizetype n = text.size();
    const char16_t c1 = text.at(i).unicode();
    const char16_t c2 = i + 1 < n ? text.at(i + 1).unicode() : 0;
    if (language == Language::Hindi && c1 == 'O' && c2 == 'M') {
        *len = 2;
        return OM_CODE;
    }
    if (keyboard == Keyboard::Transliteration || c1 >= 128)
        return -1;
    const int list = keyboard == Keyboard::Nudi ? 1 : 0;
    const int base = keyboard == Keyboard::Nudi ? NUDI_BASE : 0;
    const TokenTables &t = tables();
    if (c2 != 0 && c2 < 128) {
        const int code = t.two[list][c1][c2];
        if (code >= 0) {
            *len = 2;
            return base + code;
        }
    }
    const int code = t.one[list][c1];
    if (code >= 0) {
        *len = 1;
        return base + code;
    }
    return -1;
}

void ZuvoScriptConverter::charToUnichar(int code)
{
    if (code == OM_CODE) {
        output.append(QChar(DEVANAGARI_OM));
        return;
    }
    const char16_t virama = char16_t(scriptBase + VIRAMA);
    switch (keyboard) {
    case Keyboard::Phonetic:
        if (code <= 18) {
            bool afterConsonant = false;
            if (endsWith(ZWJ)) {
                output.chop(1);
                afterConsonant = true;
            }
            if (endsWith(virama)) {
                output.chop(1);
                afterConsonant = true;
            }
            handleSwara(code, afterConsonant);
        } else if (code <= 64) {
            handleVyanjana(code);
            output.append(QChar(virama));
        } else {
            handleSpecialChar(code);
        }
        break;
    case Keyboard::Nudi:
        if (code <= 81) {
            const bool afterConsonant = !output.isEmpty() && isConsonant(output.back().unicode());
            handleSwara(code, afterConsonant);
        } else {
            handleVyanjana(code);
        }
        break;
    case Keyboard::Phonetic2:
        if (code >= 19 && code <= 64) {
            handleVyanjana(code);
        } else if (code >= 65) {
            handleSpecialChar(code);
        } else {
            bool afterConsonant = false;
            if (endsWith(ZWJ)) {
                output.chop(1);
                afterConsonant = true;
            }
            if (endsWith(virama)) {
                output.chop(1);
                afterConsonant = true;
            }
            if (!output.isEmpty()) {
                const char16_t last = output.back().unicode();
                if (isConsonant(last) || last == char16_t(scriptBase + 0x5E) || last == virama)
                    afterConsonant = true;
                if (isVowelSign(last)) {
                    afterConsonant = true;
                    // A new vowel replaces the previous sign; anusvara and
                    // visarga are added after it.
                    if (code != 17 && code != 18)
                        output.chop(1);
                }
            }
            handleSwara(code, afterConsonant);
        }
        break;
    default:
        break;
    }
}

void ZuvoScriptConverter::handleSwara(int code, bool afterConsonant)
{
    int row;
    if (code >= 0 && code <= 18)
        row = code;
    else if (code >= NUDI_BASE && code <= 81)
        row = nudiVowelRow[code - NUDI_BASE];
    else {
        handled = false;
        return;
    }
    const bool hindi = language == Language::Hindi;
    int letter = 0;
    int sign = 0;
    switch (row) {
    case 0:
        if (!afterConsonant)
            append(0x05);
        else if (keyboard == Keyboard::Nudi)
            append(0x3E);
        else if (keyboard == Keyboard::Phonetic2)
            append(0x05);
        return;
    // clang-format off
    case 1: case 2: letter = 0x06; sign = 0x3E; break;
    case 3: letter = 0x07; sign = 0x3F; break;
    case 4: case 5: letter = 0x08; sign = 0x40; break;
    case 6: letter = 0x09; sign = 0x41; break;
    case 7: case 8: letter = 0x0A; sign = 0x42; break;
    case 9: letter = 0x0B; sign = 0x43; break;
    case 10:
        letter = hindi ? 0x0F : 0x0E;
        sign = hindi ? 0x47 : 0x46;
        break;
    case 11:
        letter = hindi ? 0x45 : 0x0F;
        sign = hindi ? 0x45 : 0x47;
        break;
    case 12: letter = 0x10; sign = 0x48; break;
    case 13:
        letter = hindi ? 0x13 : 0x12;
        sign = hindi ? 0x4B : 0x4A;
        break;
    case 14:
        letter = hindi ? 0x01 : 0x13;
        sign = hindi ? 0x01 : 0x4B;
        break;
    case 15: case 16: letter = 0x14; sign = 0x4C; break;
    case 17: letter = sign = 0x02; break;
    case 18: letter = sign = 0x03; break;
    // clang-format on
    default:
        handled = false;
        return;
    }
    append(afterConsonant ? sign : letter);
}

void ZuvoScriptConverter::handleVyanjana(int code)
{
    const char16_t virama = char16_t(scriptBase + VIRAMA);
    if (code == 45) { // phonetic "f"
        if (keyboard == Keyboard::Phonetic2) {
            if (!endsWith(virama))
                output.append(QChar(virama));
        } else if (keyboard == Keyboard::Phonetic) {
            append(0x2A);
        }
        return;
    }
    if (code >= 19 && code <= 64) {
        int offset = phoneticConsonant[code - 19];
        if (code == 42 && language == Language::Tamil)
            offset = 0x29;
        append(offset);
        return;
    }
    if (code >= 82 && code <= 117) {
        int offset = nudiConsonant[code - 82];
        if (code == 101 && language == Language::Tamil)
            offset = 0x29;
        append(offset);
        return;
    }
    switch (code) {
    case 118: // Nudi "f", the virama key
        if (endsWith(ZWNJ))
            handled = false;
        else if (endsWith(virama))
            output.append(QChar(ZWNJ));
        else
            output.append(QChar(virama));
        break;
    case 119: { // Nudi "F", the reph key
        if (output.isEmpty())
            break;
        const char16_t last = output.back().unicode();
        const QChar reph[2] = { QChar(char16_t(scriptBase + 0x30)), QChar(virama) };
        if (language == Language::Kannada && last == char16_t(scriptBase + 0x30)) {
            output.append(QChar(virama));
            output.append(QChar(ZWJ));
            append(0x2F);
        } else if (isConsonant(last)) {
            output.insert(output.size() - 1, reph, 2);
        } else if (isVowelSign(last)) {
            output.insert(qMax<qsizetype>(0, output.size() - 2), reph, 2);
        } else {
            handled = false;
        }
        break;
    }
    case 120: // Nudi "X"
        output.append(QChar(ZWJ));
        break;
    default:
        break;
    }
}

void ZuvoScriptConverter::handleSankhye(int character)
{
    if (character >= '0' && character <= '9')
        append(0x66 + (character - '0'));
}

void ZuvoScriptConverter::handleSpecialChar(int code)
{
    const char16_t joiner = code == 65 ? ZWNJ : code == 66 ? ZWJ : 0;
    if (!joiner)
        return;
    if (endsWith(joiner))
        handled = false;
    else
        output.append(QChar(joiner));
}

void ZuvoScriptConverter::normalize(int language)
{
    if (language < Language::Kannada || language > Language::Tamil ||
        language == Language::Malayalam)
        return;
    QChar *d = output.data();
    const qsizetype n = output.size();
    qsizetype w = 0;
    for (qsizetype r = 0; r < n; ++r) {
        bool drop = false;
        const char16_t u = foldFor(language, d[r].unicode(), &drop);
        if (!drop)
            d[w++] = QChar(u);
    }
    output.truncate(w);
}

void ZuvoScriptConverter::uniCharToUnichar(QChar c)
{
    const char16_t u = c.unicode();
    // The nine blocks are contiguous and 0x80 wide, from U+0900 to U+0D7F.
    if (u >= 0x0900 && u < 0x0D80)
        append(u & 0x7F);
    else
        output.append(c); // joiners, dashes, quotes and symbols stay as they are
}
