#ifndef ZUVO_TESTS_SUPPORT_FINDCHILD_H
#define ZUVO_TESTS_SUPPORT_FINDCHILD_H

#include <QObject>
#include <QString>

namespace ZuvoTest {

// The named child of a widget or object. A test that asks for a child the
// form does not have is wrong in itself, so a missing child stops the run.
template<typename T> T *child(const QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

} // namespace ZuvoTest

#endif
