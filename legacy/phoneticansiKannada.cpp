#include "phoneticansiKannada.h"

namespace {

constexpr char16_t kVirama = 0x0CCD;

// Vowels 0 to 15: independent letter and sign (0 for "a", which only removes the virama).
const char16_t kSwara[16][2] = {
    { 0x0C85, 0 },      { 0x0C86, 0x0CBE }, { 0x0C86, 0x0CBE }, { 0x0C87, 0x0CBF },
    { 0x0C88, 0x0CC0 }, { 0x0C88, 0x0CC0 }, { 0x0C89, 0x0CC1 }, { 0x0C8A, 0x0CC2 },
    { 0x0C8A, 0x0CC2 }, { 0x0C8B, 0x0CC3 }, { 0x0C8E, 0x0CC6 }, { 0x0C8F, 0x0CC7 },
    { 0x0C90, 0x0CC8 }, { 0x0C92, 0x0CCA }, { 0x0C93, 0x0CCB }, { 0x0C94, 0x0CCC },
};

// Consonants 18 to 58.
const char16_t kVyanjana[41] = {
    0x0C95, 0x0C96, 0x0C96, 0x0C97, 0x0C98, 0x0C98, 0x0C99, 0x0C9A, 0x0C9A, 0x0C9B, 0x0C9C,
    0x0C9D, 0x0C9D, 0x0C9E, 0x0C9F, 0x0CA0, 0x0CA1, 0x0CA2, 0x0CA3, 0x0CA4, 0x0CA5, 0x0CA6,
    0x0CA7, 0x0CA8, 0x0CAA, 0x0CAB, 0x0CAB, 0x0CAC, 0x0CAD, 0x0CAD, 0x0CAE, 0x0CAF, 0x0CB0,
    0x0CB2, 0x0CB5, 0x0CB6, 0x0CB6, 0x0CB7, 0x0CB8, 0x0CB9, 0x0CB3,
};

} // namespace

PhoneticANSIKannada::PhoneticANSIKannada()
{
    init();
}

void PhoneticANSIKannada::init()
{
    // clang-format off
    static const char *const tokens[] = {
        // 0-15 vowels, 16 anusvara, 17 visarga
        "a", "aa", "A", "i", "I", "ee", "u", "U", "oo", "Ru", "e", "E", "ai", "o",
        "O", "aw", "M", "H",
        // 18-58 consonants
        "k", "kh", "K", "g", "gh", "G", "Z", "c", "ch", "C", "j", "jh", "J", "z", "T",
        "Th", "D", "Dh", "N", "t", "th", "d", "dh", "n", "p", "ph", "P", "b", "bh",
        "B", "m", "y", "r", "l", "v", "sh", "S", "Sh", "s", "h", "L",
        // 59-68 digits, 69 zero width non-joiner, 70 zero width joiner
        "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "f", "F",
    };
    // clang-format on
    m_tokens.clear();
    for (const char *token : tokens)
        m_tokens << QLatin1String(token);
}

QString PhoneticANSIKannada::findNearMatch(QString text)
{
    return text.replace(QStringLiteral("expectation"), QStringLiteral("ekspekTESan"),
                        Qt::CaseInsensitive);
}

QString PhoneticANSIKannada::findChar(const QString &chars) const
{
    const QString two = chars.left(2);
    if (two.size() == 2 && m_tokens.contains(two))
        return two;
    const QString one = chars.left(1);
    if (!one.isEmpty() && m_tokens.contains(one))
        return one;
    return QString();
}

QString PhoneticANSIKannada::ansiToUnicode(QString text)
{
    if (text.isEmpty())
        return QString();
    text = findNearMatch(text);
    m_output.clear();
    qsizetype i = 0;
    while (i < text.size()) {
        const char16_t c = text[i].unicode();
        if (c >= 0x0C80 && c <= 0x0CEF) {
            m_output += text[i];
            ++i;
            continue;
        }
        const QString token = findChar(text.mid(i, 2));
        if (token.isEmpty()) {
            ++i;
            continue;
        }
        charToUnichar(token);
        i += token.size();
    }
    return m_output;
}

void PhoneticANSIKannada::charToUnichar(const QString &token)
{
    const int index = int(m_tokens.indexOf(token));
    if (index < 0)
        return;
    if (index <= 17)
        handleSwara(index);
    else if (index <= 58)
        handleVyanjana(index);
    else if (index <= 68)
        handleSankhye(index);
    else
        handleSpecialChar(index);
}

void PhoneticANSIKannada::handleSwara(int index)
{
    if (index == 16 || index == 17) {
        // Anusvara and visarga need something to follow.
        if (m_output.isEmpty())
            return;
        if (m_output.endsWith(QChar(kVirama)))
            m_output.chop(1);
        m_output += QChar(char16_t(index == 16 ? 0x0C82 : 0x0C83));
        return;
    }
    if (index < 0 || index > 15)
        return;
    if (m_output.endsWith(QChar(kVirama))) {
        m_output.chop(1);
        if (kSwara[index][1])
            m_output += QChar(kSwara[index][1]);
    } else {
        m_output += QChar(kSwara[index][0]);
    }
}

void PhoneticANSIKannada::handleVyanjana(int index)
{
    if (index < 18 || index > 58)
        return;
    m_output += QChar(kVyanjana[index - 18]);
    m_output += QChar(kVirama);
}

void PhoneticANSIKannada::handleSankhye(int index)
{
    if (index < 59 || index > 68)
        return;
    m_output += QChar(char16_t(0x0CE6 + (index - 59)));
}

void PhoneticANSIKannada::handleSpecialChar(int index)
{
    if (index == 69)
        m_output += QChar(char16_t(0x200C));
    else if (index == 70)
        m_output += QChar(char16_t(0x200D));
}
