#include "markingtranslator.h"

namespace ZuvoTest {

MarkingTranslator::MarkingTranslator(QStringList contexts, QString before, QString after)
    : m_contexts(std::move(contexts))
    , m_before(std::move(before))
    , m_after(std::move(after))
{
}

QString MarkingTranslator::translate(const char *context, const char *sourceText, const char *,
                                     int) const
{
    if (!m_contexts.contains(QLatin1String(context)))
        return QString();
    return m_before + QString::fromUtf8(sourceText) + m_after;
}

} // namespace ZuvoTest
