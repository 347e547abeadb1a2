// The words a highlighter keeps as misspelt, for the tests of its marks.
#ifndef ZUVO_TESTS_SUPPORT_UNDERLINED_H
#define ZUVO_TESTS_SUPPORT_UNDERLINED_H

#include "highlighter.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>

// The misspelt words the highlighter keeps, block by block, in order.
inline QStringList underlined(const QTextDocument *doc)
{
    QStringList out;
    for (QTextBlock b = doc->firstBlock(); b.isValid(); b = b.next()) {
        for (const Highlighter::Misspelling &m : Highlighter::misspellings(b))
            out << b.text().mid(m.start, m.length);
    }
    return out;
}

#endif // ZUVO_TESTS_SUPPORT_UNDERLINED_H
