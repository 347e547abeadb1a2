#ifndef ZUVO_TESTS_SUPPORT_MARKINGTRANSLATOR_H
#define ZUVO_TESTS_SUPPORT_MARKINGTRANSLATOR_H

#include <QString>
#include <QStringList>
#include <QTranslator>

namespace ZuvoTest {

// A translator that "translates" the texts of the given contexts into the
// source text between two marks, so that a test sees which texts went
// through tr() and were set again after a language change.
class MarkingTranslator : public QTranslator
{
public:
    explicit MarkingTranslator(QStringList contexts, QString before = QStringLiteral("~"),
                               QString after = QString());

    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText,
                      const char *disambiguation = nullptr, int n = -1) const override;

private:
    QStringList m_contexts;
    QString m_before;
    QString m_after;
};

} // namespace ZuvoTest

#endif
