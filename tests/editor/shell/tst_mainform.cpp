// The main window's form: every action, menu and toolbar entry that the main
// window and the tab controller later reach by object name.
#include "ui_mainwindow.h"

#include <QIcon>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTranslator>

namespace {

enum Flag {
    Plain = 0,
    Checkable = 1,
    Checked = 2,
    Hidden = 4,
    NoMenuIcon = 8,
    NoAutoRepeat = 16,
};

struct ActionRow
{
    const char *name;
    const char *text;
    const char *shortcut;
    const char *icon;
    int flags;
    const char *toolTip = "";
    const char *iconText = "";
};

// Every action of the form, in menu-tree order, the toolbar-only ones last.
// The wide gaps in the texts of actionEnglish (7 spaces) and actionK_P_Rao
// (16 spaces) line the hint up in the menu; they are part of the text.
const ActionRow actionRows[] = {
    { "actionNew", "New", "Ctrl+N", ":/resources/ts_new_32.png", NoMenuIcon },
    { "actionOpen", "Open...", "Ctrl+O", ":/resources/ts_open_32.png", NoMenuIcon },
    { "actionSave", "Save...", "Ctrl+S", ":/resources/ts_save_32.png", NoMenuIcon, "Save..." },
    { "actionSave_as", "Save as...", "", ":/resources/ts_saveAs_32.png", NoMenuIcon },
    { "actionClose", "Close Tab", "Ctrl+W", "", Plain, "Close current Tab" },
    { "actionRecentFiles", "Recent Files", "", "", Plain },
    { "actionPrint_preview", "Print Preview...", "", "", Plain },
    { "actionPrint", "Print...", "Ctrl+P", "", Plain },
    { "actionPrint_Setup", "Print Setup...", "", "", Plain },
    { "actionPDF", "Export to PDF", "", ":/resources/ts_pdf_32.png", NoMenuIcon },
    { "actionExit", "Exit", "", ":/resources/ts_exit_32.png", NoMenuIcon, "Exit" },
    { "actionUndo", "Undo", "Ctrl+Z", "", Plain },
    { "actionRedo", "Redo", "Ctrl+Shift+Z", "", Plain },
    { "actionCut", "Cut", "Ctrl+X", ":/resources/ts_cut_32.png", NoMenuIcon },
    { "actionCopy", "Copy", "Ctrl+C", ":/resources/ts_copy_32.png", NoMenuIcon },
    { "actionPaste", "Paste", "Ctrl+V", ":/resources/ts_paste_32.png", NoMenuIcon },
    { "actionClear", "Clear", "", "", Plain },
    { "actionSelect_All", "Select All", "Ctrl+A", "", Plain },
    { "actionFind_2", "Find/Replace", "Ctrl+F", "", Plain },
    { "actionFind_Next", "Find Next", "F3", "", Plain },
    { "actionFind_Previous", "Find Previous", "Shift+F3", "", Plain },
    { "actionBold", "Bold", "Ctrl+B", ":/resources/ts_bold_32.png", Checkable | NoMenuIcon },
    { "actionItalic", "Italic", "Ctrl+I", ":/resources/ts_italic_32.png", Checkable | NoMenuIcon },
    { "actionUnderline", "Underline", "Ctrl+U", ":/resources/ts_underline_32.png",
      Checkable | NoMenuIcon },
    { "actionNone", "None", "", "", Plain },
    { "actionDisc", "Disc", "", "", Plain },
    { "actionCircle", "Circle", "", "", Plain },
    { "actionSquare", "Square", "", "", Plain },
    { "actionDecimal", "Decimal", "", "", Plain },
    { "actionAlpha_Lower", "Alpha Lower", "", "", Plain },
    { "actionAlpha_Upper", "Alpha Upper", "", "", Plain },
    { "actionRoman_Lower", "Roman Lower", "", "", Plain },
    { "actionRoman_Upper", "Roman Upper", "", "", Plain },
    { "actionJustify", "Justify", "", ":/resources/ts_justify_32.png", Checkable },
    { "actionAlign_left", "Left", "", ":/resources/ts_left_32.png", Checkable },
    { "actionAlign_center", "Center", "", ":/resources/ts_center_32.png", Checkable },
    { "actionAlign_right", "Right", "", ":/resources/ts_right_32.png", Checkable },
    { "actionText_color", "Text Color", "", ":/resources/ts_chooseColor_32.png",
      NoMenuIcon | NoAutoRepeat },
    { "actionBackground_Color", "Background Color", "", "", Plain },
    { "actionKannada", "&Kannada", "", "", Checkable },
    { "actionTelugu", "Telugu", "", "", Plain },
    { "actionMalayalam", "Malayalam", "", "", Plain },
    { "actionOriya", "Oriya", "", "", Plain },
    { "actionHindi", "Hindi", "", "", Plain },
    { "actionGujarati", "Gujarati", "", "", Plain },
    { "actionBengali", "Bengali", "", "", Plain },
    { "actionGurmukhi", "Gurmukhi", "", "", Plain },
    { "actionTamil", "Tamil", "", "", Plain },
    { "actionEnglish", "English       F11", "", "", NoMenuIcon, "F11 To Toggle", "English " },
    { "actionPhonetic", "Phonetic", "", "", Checkable | NoMenuIcon, "CTRL+K To Toggle" },
    { "actionK_P_Rao", "Nudi (KP.Rao)                CTRL+K", "", "", Checkable, "", "KP.Rao " },
    { "actionPhonetic2", "Phonetic-2", "", "", Checkable },
    { "actionIndLish", "Transliteration", "", "", Checkable },
    { "actionPicture", "Picture", "", ":/resources/ts_picture_32.png", Plain },
    { "actionInsert_Table", "Table", "", ":/resources/ts_insertTable_32.png", Plain },
    { "actionScriptConvert", "Script Converter...", "", "", Plain, "Script Convert",
      "Script Convert" },
    { "actionAscending", "Alphabetical Order", "", "", Plain },
    { "actionDescending", "Reverse Alphabetical Order", "", "", Plain },
    { "actionSpell_Check_As_You_Type", "Spell Check As You Type", "", "", Checkable | Checked },
    { "actionSpellCheck", "Spell Check Dialog...", "", ":/resources/ts_spellCheck_32.png", Plain },
    { "actionAdd_Words_to_Dictionary", "Edit User Dictionary", "", "", Plain },
    { "actionANSI", "ANSI", "", "", Checkable },
    { "actionUTF_8", "UTF-8", "", "", Checkable },
    { "actionUTF_16", "UTF-16", "", "", Checkable },
    { "actionUTF_16BE", "UTF-16BE", "", "", Checkable },
    { "actionUTF_32", "UTF-32", "", "", Checkable },
    { "actionUTF_32BE", "UTF-32BE", "", "", Checkable },
    { "actionToolbar", "Toolbar", "", "", Checkable | Checked },
    { "actionTabbar", "Tabbar", "", "", Checkable | Checked },
    { "actionStatusbar", "Statusbar", "", "", Checkable | Checked },
    { "actionSidepane", "Side Pane", "", "", Checkable | Hidden, "Side Pane" },
    { "actionZaviDodaz", "ZaviDodaz", "", "", Plain },
    { "actionSearch_Window", "Wiktionary Meaning (Online)...", "Ctrl+M", "", Plain,
      "Search Window" },
    { "actionZoomIn", "Zoom In", "Ctrl+PgUp", "", Plain, "ZoomIn" },
    { "actionZoomOut", "Zoom Out", "Ctrl+PgDown", "", Plain, "ZoomOut" },
    { "actionLocalize_Kannada", "Localize - Kannada", "", "", Checkable },
    { "actionKeyboard", "Keyboard Tutor", "", "", Hidden },
    { "actionAbout", "About Zuvo", "", ":/resources/ts_about_32.png", Plain },
    { "actionHelp_Topics", "Help Topics", "", "", Plain },
    { "actionKeyboardLayoutHelp", "Keyboard Layout", "", "", Plain },
    { "actionKeyboard_Examples", "Keyboard Examples", "", "", Plain },
    { "actionCheckForUpdates", "Check for Updates...", "", "", Plain, "Check For Updates" },
    { "actionGiveMyFeedback", "Send Feedback...", "", "", Plain },
    { "actionFind", "Find && Replace", "", ":/resources/ts_findReplace_32.png", NoMenuIcon },
    { "actionBullet", "Bullet", "", ":/resources/ts_bullet.png", Hidden },
    { "actionKeyboardLayout", " Keyboard Layout", "Ctrl+K", ":/resources/ts_kagapa_32.png",
      Hidden },
    { "actionEnglishLanguage", "English", "Ctrl+G", ":/resources/ts_english_32.png", Hidden },
    { "actionSettings", "Settings", "", ":/resources/ts_settings_32.png", Hidden },
    { "actionLink", "Link", "", ":/resources/ts_insertLink.png", Hidden },
};

// Stands in for the main window: receives the one connection the form makes
// by name.
class FormWindow : public QMainWindow
{
    Q_OBJECT
public:
    int layoutHelpCalls = 0;
private slots:
    void on_actionKeyboardLayoutHelp_triggered() { ++layoutHelpCalls; }
};

// A translation with a few entries only, as a partial translation file would be.
class PartialTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (qstrcmp(context, "MainWindow") != 0)
            return QString();
        if (qstrcmp(source, "Zuvo") == 0)
            return QString::fromUtf8("ಜುವೊ");
        if (qstrcmp(source, "&File") == 0)
            return QString::fromUtf8("ಕಡತ");
        if (qstrcmp(source, "New") == 0)
            return QString::fromUtf8("ಹೊಸ");
        if (qstrcmp(source, "Ctrl+N") == 0)
            return QStringLiteral("Ctrl+Shift+N");
        return QString();
    }
};

// The entries of a menu, menu bar or toolbar as names: an action by its
// objectName, a submenu by its menu's objectName, a separator as "|".
QString entryNames(const QWidget *container)
{
    QStringList names;
    const QList<QAction *> actions = container->actions();
    for (const QAction *action : actions) {
        if (action->isSeparator())
            names << QStringLiteral("|");
        else if (action->menu())
            names << action->menu()->objectName();
        else
            names << action->objectName();
    }
    return names.join(QLatin1Char(' '));
}

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void window();
    void actions_data();
    void actions();
    void everyActionIsListed();
    void containers_data();
    void containers();
    void toolbar();
    void connectsByName();
    void partialTranslation();

private:
    FormWindow *m_window = nullptr;
    Ui_MainWindow *m_ui = nullptr;
};

void TestMainForm::initTestCase()
{
    // The resources live in static libraries; nothing else pulls them in here.
    // The find icon is the dictionaries library's, shared with its dialogs.
    Q_INIT_RESOURCE(mainform);
    Q_INIT_RESOURCE(dialogs_wiki);
}

void TestMainForm::init()
{
    m_window = new FormWindow;
    m_ui = new Ui_MainWindow;
    m_ui->setupUi(m_window);
}

void TestMainForm::cleanup()
{
    delete m_ui;
    m_ui = nullptr;
    delete m_window;
    m_window = nullptr;
}

void TestMainForm::window()
{
    QCOMPARE(m_window->objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(m_window->size(), QSize(655, 397));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Zuvo"));
    QVERIFY(!m_window->windowIcon().isNull());
    QCOMPARE(QImage(QStringLiteral(":/resources/varu_zoda_128.png")).size(), QSize(128, 128));
    QCOMPARE(m_window->centralWidget(), m_ui->centralWidget);
    QCOMPARE(m_ui->centralWidget->objectName(), QStringLiteral("centralWidget"));
    QCOMPARE(m_window->statusBar(), m_ui->statusBar);
    QCOMPARE(m_ui->statusBar->objectName(), QStringLiteral("statusBar"));
    QCOMPARE(m_window->menuBar(), m_ui->menuBar);
    QCOMPARE(m_ui->menuBar->objectName(), QStringLiteral("menuBar"));

    // A window that already has a name keeps it.
    FormWindow named;
    named.setObjectName(QStringLiteral("Other"));
    Ui_MainWindow ui;
    ui.setupUi(&named);
    QCOMPARE(named.objectName(), QStringLiteral("Other"));
}

void TestMainForm::actions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("iconText");
    for (const ActionRow &row : actionRows)
        QTest::newRow(row.name) << QString::fromUtf8(row.text) << QString::fromUtf8(row.shortcut)
                                << QString::fromUtf8(row.icon) << row.flags
                                << QString::fromUtf8(row.toolTip)
                                << QString::fromUtf8(row.iconText);
}

// Object name, text, shortcut, icon, check state, visibility and the smaller
// flags of each action; each icon must load from the resources.
void TestMainForm::actions()
{
    QFETCH(QString, text);
    QFETCH(QString, shortcut);
    QFETCH(QString, icon);
    QFETCH(int, flags);
    QFETCH(QString, toolTip);
    QFETCH(QString, iconText);

    const QString name = QString::fromLatin1(QTest::currentDataTag());
    QAction *action = m_window->findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
    QVERIFY2(action, qPrintable(name));
    QCOMPARE(action->text(), text);
    // The text of the key sequence, not the sequence itself, so that a key
    // name Qt does not know shows up as a difference instead of two empties.
    QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), shortcut);
    QCOMPARE(action->isCheckable(), bool(flags & Checkable));
    QCOMPARE(action->isChecked(), bool(flags & Checked));
    QCOMPARE(action->isVisible(), !(flags & Hidden));
    // Hiding an action also disables it, shortcut included.
    QCOMPARE(action->isEnabled(), !(flags & Hidden));
    QCOMPARE(action->isIconVisibleInMenu(), !(flags & NoMenuIcon));
    QCOMPARE(action->autoRepeat(), !(flags & NoAutoRepeat));
    if (!toolTip.isEmpty())
        QCOMPARE(action->toolTip(), toolTip);
    if (!iconText.isEmpty())
        QCOMPARE(action->iconText(), iconText);
    // actionRecentFiles gets its submenu from the tab controller only.
    QVERIFY(!action->menu());

    QCOMPARE(action->icon().isNull(), icon.isEmpty());
    if (!icon.isEmpty()) {
        const QImage image(icon);
        QVERIFY2(!image.isNull(), qPrintable(icon));
        if (icon.endsWith(QLatin1String("_32.png")))
            QCOMPARE(image.size(), QSize(32, 32));
        QVERIFY(!action->icon().pixmap(16, 16).isNull());
    }
}

// The form makes exactly the actions of the table, all children of the window:
// none missing, none extra.
void TestMainForm::everyActionIsListed()
{
    QStringList expected;
    for (const ActionRow &row : actionRows)
        expected << QString::fromLatin1(row.name);
    QStringList made;
    const QList<QAction *> children =
        m_window->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly);
    for (const QAction *action : children)
        made << action->objectName();
    expected.sort();
    made.sort();
    QCOMPARE(made, expected);
}

void TestMainForm::containers_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("entries");

    // The positions within the Language, Keyboard, Bullets and Encoding menus
    // are the indexes the tab controller works with.
    QTest::newRow("menuBar") << "MainWindow"
                             << ""
                             << ""
                             << "menuFile menuEdit menuFormat menuLanguage menuKeyboard menuTools "
                                "menuEncoding menuView menuHelp";
    QTest::newRow("mainToolBar") << "MainWindow"
                                 << ""
                                 << ""
                                 << "actionNew actionOpen actionSave | actionPDF actionFind | "
                                    "actionBullet actionKeyboardLayout actionEnglishLanguage "
                                    "actionSettings actionLink";
    QTest::newRow("menuFile") << "menuBar"
                              << "&File"
                              << ""
                              << "actionNew actionOpen actionSave actionSave_as actionClose | "
                                 "actionRecentFiles | actionPrint_preview actionPrint "
                                 "actionPrint_Setup | actionPDF | actionExit";
    QTest::newRow("menuEdit") << "menuBar"
                              << "&Edit"
                              << ""
                              << "actionUndo actionRedo | actionCut actionCopy actionPaste | "
                                 "actionClear actionSelect_All | menuFind_Replace";
    QTest::newRow("menuFind_Replace") << "menuEdit"
                                      << "Find/Replace"
                                      << ""
                                      << "actionFind_2 | actionFind_Next actionFind_Previous";
    QTest::newRow("menuFormat") << "menuBar"
                                << "Fo&rmat"
                                << ""
                                << "actionBold actionItalic actionUnderline | menuBullets | "
                                   "menuAlign | actionText_color actionBackground_Color";
    QTest::newRow("menuBullets") << "menuFormat"
                                 << "Bullets"
                                 << ""
                                 << "actionNone actionDisc actionCircle actionSquare "
                                    "actionDecimal actionAlpha_Lower actionAlpha_Upper "
                                    "actionRoman_Lower actionRoman_Upper";
    QTest::newRow("menuAlign") << "menuFormat"
                               << "Align"
                               << ""
                               << "actionJustify actionAlign_left actionAlign_center "
                                  "actionAlign_right";
    QTest::newRow("menuLanguage") << "menuBar"
                                  << "&Language"
                                  << "F11 To Toggle"
                                  << "actionKannada actionTelugu actionMalayalam actionOriya "
                                     "actionHindi actionGujarati actionBengali actionGurmukhi "
                                     "actionTamil actionEnglish";
    QTest::newRow("menuKeyboard") << "menuBar"
                                  << "Key&board"
                                  << "CTRL+K To Toggle"
                                  << "actionPhonetic actionK_P_Rao actionPhonetic2 actionIndLish";
    QTest::newRow("menuTools") << "menuBar"
                               << "&Tools"
                               << ""
                               << "menuInsert_2 | actionScriptConvert | menuSort_File | "
                                  "actionSpell_Check_As_You_Type actionSpellCheck | "
                                  "actionAdd_Words_to_Dictionary";
    QTest::newRow("menuInsert_2") << "menuTools"
                                  << "Insert"
                                  << ""
                                  << "actionPicture actionInsert_Table";
    QTest::newRow("menuSort_File") << "menuTools"
                                   << "Sort File"
                                   << ""
                                   << "actionAscending actionDescending";
    QTest::newRow("menuEncoding") << "menuBar"
                                  << "En&coding"
                                  << ""
                                  << "actionANSI actionUTF_8 actionUTF_16 actionUTF_16BE "
                                     "actionUTF_32 actionUTF_32BE";
    QTest::newRow("menuView") << "menuBar"
                              << "&View"
                              << ""
                              << "actionToolbar actionTabbar actionStatusbar actionSidepane | "
                                 "actionZaviDodaz actionSearch_Window | actionZoomIn "
                                 "actionZoomOut | actionLocalize_Kannada";
    QTest::newRow("menuHelp") << "menuBar"
                              << "&Help"
                              << ""
                              << "actionKeyboard actionAbout | actionHelp_Topics | "
                                 "actionKeyboardLayoutHelp actionKeyboard_Examples | "
                                 "actionCheckForUpdates actionGiveMyFeedback";
}

// Parent, title, tool tip and entries in order of the menu bar, the toolbar
// and each of the 14 menus.
void TestMainForm::containers()
{
    QFETCH(QString, parent);
    QFETCH(QString, title);
    QFETCH(QString, toolTip);
    QFETCH(QString, entries);

    const QString name = QString::fromLatin1(QTest::currentDataTag());
    QWidget *container = m_window->findChild<QWidget *>(name);
    QVERIFY2(container, qPrintable(name));
    QVERIFY(container->parent());
    QCOMPARE(container->parent()->objectName(), parent);
    QCOMPARE(entryNames(container), entries);
    if (QMenu *menu = qobject_cast<QMenu *>(container)) {
        QCOMPARE(menu->title(), title);
        QCOMPARE(menu->toolTip(), toolTip);
        QVERIFY(!menu->isTearOffEnabled());
    }
}

void TestMainForm::toolbar()
{
    QToolBar *bar = m_ui->mainToolBar;
    QCOMPARE(bar->parent(), m_window);
    QVERIFY(!bar->isMovable());
    QVERIFY(!bar->isFloatable());
    QCOMPARE(bar->allowedAreas(), Qt::TopToolBarArea);
    QCOMPARE(bar->iconSize(), QSize(16, 16));
    QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonIconOnly);
    QCOMPARE(m_window->toolBarArea(bar), Qt::TopToolBarArea);

    // The hidden actions leave New, Open, Save, PDF and Find with two
    // separators to be seen.
    int buttons = 0;
    int separators = 0;
    const QList<QAction *> actions = bar->actions();
    for (const QAction *action : actions) {
        if (!action->isVisible())
            continue;
        if (action->isSeparator())
            ++separators;
        else
            ++buttons;
    }
    QCOMPARE(buttons, 5);
    QCOMPARE(separators, 2);

    // The form makes the 14 menus of the tree and no others.
    QCOMPARE(m_window->findChildren<QMenu *>().size(), 14);
}

void TestMainForm::connectsByName()
{
    m_ui->actionKeyboardLayoutHelp->trigger();
    QCOMPARE(m_window->layoutHelpCalls, 1);
    // Nothing else reaches the window's slot.
    m_ui->actionKeyboard_Examples->trigger();
    m_ui->actionKeyboard->trigger();
    QCOMPARE(m_window->layoutHelpCalls, 1);
}

// Retranslation takes what the translation has and keeps the English text of
// everything it lacks; without the translation the English comes back.
void TestMainForm::partialTranslation()
{
    PartialTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    m_ui->retranslateUi(m_window);
    QCOMPARE(m_window->windowTitle(), QString::fromUtf8("ಜುವೊ"));
    QCOMPARE(m_ui->menuFile->title(), QString::fromUtf8("ಕಡತ"));
    QCOMPARE(m_ui->actionNew->text(), QString::fromUtf8("ಹೊಸ"));
    QCOMPARE(m_ui->actionNew->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+N")));
    QCOMPARE(m_ui->menuEdit->title(), QStringLiteral("&Edit"));
    QCOMPARE(m_ui->actionOpen->text(), QStringLiteral("Open..."));
    QCOMPARE(m_ui->actionOpen->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(m_ui->menuLanguage->toolTip(), QStringLiteral("F11 To Toggle"));

    QVERIFY(QCoreApplication::removeTranslator(&translator));
    m_ui->retranslateUi(m_window);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Zuvo"));
    QCOMPARE(m_ui->menuFile->title(), QStringLiteral("&File"));
    QCOMPARE(m_ui->actionNew->text(), QStringLiteral("New"));
    QCOMPARE(m_ui->actionNew->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
