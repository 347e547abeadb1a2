#ifndef ZUVO_TESTS_SUPPORT_EDITORFIXTURE_H
#define ZUVO_TESTS_SUPPORT_EDITORFIXTURE_H

// What the tab editor's tests share: for each test function a private folder
// as the current directory, the spelling services the editors are given and
// a window for them, made in init() and gone in cleanup().

#include "testenv.h"
#include "utils.h"

#include <QWidget>

namespace ZuvoTest {

class EditorFixture
{
protected:
    void setUpEditors()
    {
        env = new TempEnv;
        utils = new Utils;
        window = new QWidget;
    }
    // The window goes first, with the editors in it, then what they used.
    void tearDownEditors()
    {
        delete window;
        window = nullptr;
        delete utils;
        utils = nullptr;
        delete env;
        env = nullptr;
    }
    TempEnv *env = nullptr;
    Utils *utils = nullptr;
    QWidget *window = nullptr;
};

} // namespace ZuvoTest

#endif
