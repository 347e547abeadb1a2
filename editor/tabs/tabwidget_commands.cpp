// The command side of the tab controller: the main window's actions and
// toolbar controls, the action groups kept in step with the current editor,
// the status-bar texts, the tool dialogs and the whole-document commands.
#include "tabwidget.h"

#include "edituserdict.h"
#include "findandreplacedialog.h"
#include "openpdfdialog.h"
#include "printersettingsdialog.h"
#include "printjob.h"
#include "scriptconvertdialog.h"
#include "settingsdialog.h"
#include "spellcheckdialog.h"
#include "textencoding.h"
#include "ts.h"
#include "unicodekaeditor.h"
#include "utils.h"
#include "wiktionaryonline.h"
#include "zavidodazdialog.h"
#include "zuvoscriptconverter.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>

#include <memory>

QList<QAction *> TabWidget::addGroup(const char *menuName, QActionGroup *&group,
                                     void (TabWidget::*slot)(bool))
{
    QList<QAction *> list;
    QMenu *m = menu(menuName);
    if (!m)
        return list;
    group = new QActionGroup(m);
    group->setExclusive(true);
    const QList<QAction *> actions = m->actions();
    for (QAction *a : actions) {
        if (a->isSeparator())
            continue;
        list.append(a);
        a->setCheckable(true);
        group->addAction(a);
        connect(a, &QAction::toggled, this, slot);
    }
    return list;
}

void TabWidget::addActions()
{
    QToolBar *bar = toolBar();

    if (m_languageActions.isEmpty())
        m_languageActions =
            addGroup("menuLanguage", m_languageGroup, &TabWidget::slotLanguageActionToggled);

    if (bar && !m_comboSize)
        m_comboSize = bar->findChild<QComboBox *>(QStringLiteral("comboSize"));
    if (bar && !m_comboSize) {
        m_comboSize = new QComboBox(bar);
        m_comboSize->setObjectName(QStringLiteral("comboSize"));
        m_fontSizeLabel = new QLabel(tr(" Font Size: "), bar);
        bar->addWidget(m_fontSizeLabel);
        bar->addWidget(m_comboSize);
        m_comboSize->setEditable(true);
        const QList<int> sizes = QFontDatabase::standardSizes();
        for (int size : sizes)
            m_comboSize->addItem(QString::number(size));
        connect(m_comboSize.data(), &QComboBox::textActivated, this, &TabWidget::slotTextSize);
        m_comboSize->setCurrentIndex(
            m_comboSize->findText(QStringLiteral("12"), Qt::MatchExactly | Qt::MatchCaseSensitive));
    }

    if (m_bulletsActions.isEmpty())
        m_bulletsActions =
            addGroup("menuBullets", m_bulletsGroup, &TabWidget::slotButtetsActionToggled);
    if (m_keyboardActions.isEmpty())
        m_keyboardActions =
            addGroup("menuKeyboard", m_keyboardGroup, &TabWidget::slotKeyboardActionToggled);

    if (bar && !m_comboFont)
        m_comboFont = bar->findChild<QFontComboBox *>(QStringLiteral("comboFontFamily"));
    if (bar && !m_comboFont) {
        m_comboFont = new QFontComboBox(bar);
        m_comboFont->setObjectName(QStringLiteral("comboFontFamily"));
        m_comboFont->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        bar->addSeparator();
        m_fontLabel = new QLabel(tr(" Font: "), bar);
        bar->addWidget(m_fontLabel);
        bar->addWidget(m_comboFont);
        connect(m_comboFont.data(), &QComboBox::textActivated, this,
                &TabWidget::slotTextFontFamily);
    }

    if (bar && !m_prefixLengthSpinBox)
        m_prefixLengthSpinBox = bar->findChild<QSpinBox *>(QStringLiteral("prefixLengthSpinBox"));
    if (bar && !m_prefixLengthSpinBox) {
        m_prefixLengthSpinBox = new QSpinBox(bar);
        m_prefixLengthSpinBox->setObjectName(QStringLiteral("prefixLengthSpinBox"));
        m_prefixLengthSpinBox->setRange(3, 26);
        bar->addSeparator();
        m_prefixBeforeLabel = new QLabel(tr(" Auto complete after "), bar);
        bar->addWidget(m_prefixBeforeLabel);
        bar->addWidget(m_prefixLengthSpinBox);
        m_prefixAfterLabel = new QLabel(tr(" keys"), bar);
        bar->addWidget(m_prefixAfterLabel);
        m_prefixLengthSpinBox->setToolTip(tr("Auto complete prefix length"));
        connect(m_prefixLengthSpinBox.data(), &QSpinBox::valueChanged, this,
                &TabWidget::setAutoComplpetePrefixLength);
    }

    if (QMenu *encoding = menu("menuEncoding")) {
        m_encodingGroup = new QActionGroup(encoding);
        m_encodingGroup->setExclusive(true);
        const QList<QAction *> actions = encoding->actions();
        for (QAction *a : actions) {
            a->setCheckable(true);
            m_encodingGroup->addAction(a);
        }
        connect(encoding, &QMenu::triggered, this, &TabWidget::onEncodingActionTriggered);
    }

    // Ctrl+W is the form's Close action's own shortcut: a second binding of
    // the key would make both ambiguous, and the key would do nothing.

    connect(this, &TabWidget::loadCompleter, this, &TabWidget::slotLoadCompleter);
}

void TabWidget::makeConnections()
{
    connect(this, &QTabWidget::currentChanged, this, &TabWidget::slotCurrentChanged);

    m_alignmentGroup = new QActionGroup(toolBar() ? static_cast<QObject *>(toolBar()) : this);
    m_alignmentGroup->setExclusive(true);
    for (const char *name :
         { "actionJustify", "actionAlign_center", "actionAlign_left", "actionAlign_right" }) {
        if (QAction *a = action(name)) {
            a->setCheckable(true);
            m_alignmentGroup->addAction(a);
        }
    }
    connect(m_alignmentGroup, &QActionGroup::triggered, this, &TabWidget::slotTextAlign);

    struct Command
    {
        const char *action;
        void (TabWidget::*slot)();
    };
    // clang-format off
    static const Command commands[] = {
        { "actionBold", &TabWidget::slotTextBold },
        { "actionUnderline", &TabWidget::slotTextUnderline },
        { "actionItalic", &TabWidget::slotTextItalic },
        { "actionText_color", &TabWidget::slotTextColor },
        { "actionBackground_Color", &TabWidget::slotBackgroundColor },
        { "actionCut", &TabWidget::slotCut },
        { "actionCopy", &TabWidget::slotCopy },
        { "actionPaste", &TabWidget::slotPaste },
        { "actionUndo", &TabWidget::slotUndo },
        { "actionRedo", &TabWidget::slotRedo },
        { "actionSelect_All", &TabWidget::slotSelectAll },
        { "actionClear", &TabWidget::slotClear },
        { "actionKeyboardLayout", &TabWidget::slotToggleKeyboardLayout },
        { "actionEnglishLanguage", &TabWidget::slotToggleLanguage },
        { "actionPicture", &TabWidget::slotInsertPicture },
        { "actionInsert_Table", &TabWidget::slotInsertTable },
        { "actionLink", &TabWidget::slotInsertHyperLink },
        { "actionFind", &TabWidget::onFind },
        { "actionFind_2", &TabWidget::onFind },
        { "actionFind_Next", &TabWidget::onFindNext },
        { "actionFind_Previous", &TabWidget::onFindPrevious },
        { "actionSpellCheck", &TabWidget::slotSpellCheck },
        { "actionSettings", &TabWidget::slotSettingsClicked },
        { "actionScriptConvert", &TabWidget::slotActionScriptConverter },
        { "actionZoomIn", &TabWidget::slotZoomIn },
        { "actionZoomOut", &TabWidget::slotZoomOut },
        { "actionSearch_Window", &TabWidget::slotShowWiktionaryOnline },
        { "actionAscending", &TabWidget::slotSortAscending },
        { "actionDescending", &TabWidget::slotSortDescending },
        { "actionZaviDodaz", &TabWidget::onActionZaviDodazClicked },
        { "actionAdd_Words_to_Dictionary", &TabWidget::onEditUserToDictionary },
    };
    struct Switch
    {
        const char *action;
        void (TabWidget::*slot)(bool);
    };
    static const Switch switches[] = {
        { "actionTabbar", &TabWidget::slotSetTabbarVisible },
        { "actionSpell_Check_As_You_Type", &TabWidget::setSpellCheckAsYouType },
    };
    // clang-format on
    for (const Command &command : commands)
        if (QAction *a = action(command.action))
            connect(a, &QAction::triggered, this, command.slot);
    for (const Switch &choice : switches)
        if (QAction *a = action(choice.action))
            connect(a, &QAction::toggled, this, choice.slot);
}

// Language

void TabWidget::slotLanguageActionToggled(bool on)
{
    if (!on || !m_languageGroup)
        return;
    const int index = m_languageActions.indexOf(m_languageGroup->checkedAction());
    if (index >= 0)
        slotChangeLanguage(qMin(index, int(Language::English)));
}

void TabWidget::slotChangeLanguage(int index)
{
    UnicodeKaEditor *editor = m_currentEditor;
    if (!editor || editor->language() == index)
        return;
    if (m_comboFont)
        m_comboFont->setWritingSystem(
            QFontDatabase::WritingSystem(Utils::fontDatabaseIndexForLang(index)));
    editor->setLanguage(index);
    editor->setLanguageFont(index);
    editor->setFocus();
    if (QAction *help = action("actionKeyboardLayoutHelp"))
        help->setEnabled(index != Language::Tamil && index != Language::Oriya &&
                         index != Language::English);
    setLanguageStatus(index);
    retargetFindDialog();
}

void TabWidget::slotLanguageChanged(int index)
{
    // Only the current document's language is shown.
    if (fromBackgroundEditor())
        return;
    if (index < 0 || index >= m_languageActions.size()) {
        setLanguageStatus(index);
        return;
    }
    if (m_languageGroup && m_languageActions.indexOf(m_languageGroup->checkedAction()) == index)
        return;
    m_languageActions.at(index)->setChecked(true);
    if (m_comboFont)
        m_comboFont->setWritingSystem(
            QFontDatabase::WritingSystem(Utils::fontDatabaseIndexForLang(index)));
    setLanguageStatus(index);
}

void TabWidget::setLanguageStatus(int index)
{
    QString name;
    switch (index) {
    case Language::Telugu:
        name = tr("Telugu");
        break;
    case Language::Malayalam:
        name = tr("Malayalam");
        break;
    case Language::Oriya:
        name = tr("Oriya");
        break;
    case Language::Hindi:
        name = tr("Hindi");
        break;
    case Language::Gujarati:
        name = tr("Gujarathi");
        break;
    case Language::Bengali:
        name = tr("Bengali");
        break;
    case Language::Gurmukhi:
        name = tr("Gurmukhi");
        break;
    case Language::Tamil:
        name = tr("Tamil");
        break;
    case Language::English:
        name = tr("English");
        break;
    default:
        name = tr("Kannada");
        break;
    }
    m_language = index;
    if (m_languageStatusLabel)
        m_languageStatusLabel->setText(tr("Language & Keyboard Layout : <b>") + name +
                                       QStringLiteral("</b>"));
    QAction *toggle = action("actionEnglishLanguage");
    if (index == Language::English) {
        if (toggle)
            toggle->setIcon(QIcon(QStringLiteral(":/resources/ts_english_32.png")));
    } else {
        if (toggle)
            toggle->setIcon(QIcon(QStringLiteral(":/resources/ts_kannada_32.png")));
        m_lastIndicLanguage = index;
    }
}

void TabWidget::slotToggleLanguage()
{
    UnicodeKaEditor *editor = m_currentEditor;
    if (!editor)
        return;
    if (QAction *toggle = action("actionEnglishLanguage"))
        toggle->setIcon(QIcon(editor->isIndic() ? QStringLiteral(":/resources/ts_english_32.png")
                                                : QStringLiteral(":/resources/ts_kannada_32.png")));
    editor->slotToggleLanguage();
}

// Keyboard

void TabWidget::slotKeyboardActionToggled(bool on)
{
    if (!on || !m_keyboardGroup)
        return;
    const int index = m_keyboardActions.indexOf(m_keyboardGroup->checkedAction());
    if (index >= 0)
        slotChangeKeyboard(index);
}

void TabWidget::slotChangeKeyboard(int index)
{
    UnicodeKaEditor *editor = m_currentEditor;
    if (!editor || editor->keyboardLayout() == index)
        return;
    editor->setKeyboardLayout(index);
    setKeyboardStatus(index);
    retargetFindDialog();
}

void TabWidget::slotKeyboardChanged(int index)
{
    // Toggling every editor reports every editor's layout: only the current
    // one's is shown (and so never given back to the current editor).
    if (fromBackgroundEditor())
        return;
    if (m_keyboardActions.isEmpty()) {
        setKeyboardStatus(index);
        return;
    }
    if (m_keyboardGroup && index >= 0 &&
        m_keyboardActions.indexOf(m_keyboardGroup->checkedAction()) == index)
        return;
    if (index < 0 || index >= m_keyboardActions.size())
        index = 0;
    m_keyboardActions.at(index)->setChecked(true);
    setKeyboardStatus(index);
}

void TabWidget::retranslate()
{
    if (m_fontSizeLabel)
        m_fontSizeLabel->setText(tr(" Font Size: "));
    if (m_fontLabel)
        m_fontLabel->setText(tr(" Font: "));
    if (m_prefixBeforeLabel)
        m_prefixBeforeLabel->setText(tr(" Auto complete after "));
    if (m_prefixAfterLabel)
        m_prefixAfterLabel->setText(tr(" keys"));
    if (m_prefixLengthSpinBox)
        m_prefixLengthSpinBox->setToolTip(tr("Auto complete prefix length"));
    if (m_closeButton)
        m_closeButton->setToolTip(tr("Close Current Tab"));
    setLanguageStatus(m_language);
    setKeyboardStatus(m_keyboard);
}

void TabWidget::changeEvent(QEvent *event)
{
    QTabWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void TabWidget::setKeyboardStatus(int index)
{
    QString name;
    QString icon;
    switch (index) {
    case Keyboard::Nudi:
        name = tr("Nudi");
        icon = QStringLiteral(":/resources/ts_kagapa_32.png");
        break;
    case Keyboard::Phonetic2:
        name = tr("Phonetic-2");
        icon = QStringLiteral(":/resources/ts_inscript_32.png");
        break;
    case Keyboard::Transliteration:
        name = tr("Transliteration");
        icon = QStringLiteral(":/resources/ts_indlish_32.png");
        break;
    default:
        name = tr("Phonetic");
        icon = QStringLiteral(":/resources/ts_baraha_32.png");
        break;
    }
    if (QAction *layout = action("actionKeyboardLayout"))
        layout->setIcon(QIcon(icon));
    m_keyboard = index;
    if (m_keyboardStatusLabel)
        m_keyboardStatusLabel->setText(QStringLiteral("<b>") + name + QStringLiteral("</b>"));
}

void TabWidget::slotToggleKeyboardLayout()
{
    UnicodeKaEditor *editor = m_currentEditor;
    if (!editor)
        return;
    if (QAction *layout = action("actionKeyboardLayout"))
        layout->setIcon(QIcon(editor->keyboardLayout() != Keyboard::Phonetic
                                  ? QStringLiteral(":/resources/ts_baraha_32.png")
                                  : QStringLiteral(":/resources/ts_kagapa_32.png")));
    for (UnicodeKaEditor *e : std::as_const(m_editors))
        e->slotToggleKeyboardLayout();
}

// Bullets and alignment

void TabWidget::slotButtetsActionToggled(bool on)
{
    if (!on || !m_bulletsGroup)
        return;
    const int index = m_bulletsActions.indexOf(m_bulletsGroup->checkedAction());
    if (index >= 0)
        slotTextStyle(index);
}

void TabWidget::slotTextAlign(QAction *a)
{
    Qt::Alignment alignment;
    if (a && a == action("actionAlign_left"))
        alignment = Qt::AlignLeft | Qt::AlignAbsolute;
    else if (a && a == action("actionAlign_center"))
        alignment = Qt::AlignHCenter;
    else if (a && a == action("actionAlign_right"))
        alignment = Qt::AlignRight | Qt::AlignAbsolute;
    else if (a && a == action("actionJustify"))
        alignment = Qt::AlignJustify;
    if (m_currentEditor)
        m_currentEditor->slotTextAlign(alignment);
}

void TabWidget::slotAlignmentChanged(Qt::Alignment a)
{
    if (fromBackgroundEditor())
        return;
    const char *name = nullptr;
    if (a & Qt::AlignLeft)
        name = "actionAlign_left";
    else if (a & Qt::AlignHCenter)
        name = "actionAlign_center";
    else if (a & Qt::AlignRight)
        name = "actionAlign_right";
    else if (a & Qt::AlignJustify)
        name = "actionJustify";
    if (name)
        if (QAction *checked = action(name))
            checked->setChecked(true);
}

// Encoding

// The menu's entries are the encoding positions, in their order. A choice applies to every open
// document and to the documents made after it; the menu shows the current
// document's encoding, which for a file read in another one is that file's.
void TabWidget::onEncodingActionTriggered(QAction *a)
{
    QMenu *encoding = menu("menuEncoding");
    const int index = TextEncoding::position(encoding ? int(encoding->actions().indexOf(a)) : -1);
    m_textEncodingIndex = index;
    for (UnicodeKaEditor *e : std::as_const(m_editors))
        e->setTextEncodingIndex(index);
}

void TabWidget::setTextEncodingIndex(int encodingIndex)
{
    m_textEncodingIndex = TextEncoding::position(encodingIndex);
    showTextEncoding(m_textEncodingIndex);
}

void TabWidget::showTextEncoding(int encodingIndex)
{
    QMenu *encoding = menu("menuEncoding");
    if (!encoding)
        return;
    const QList<QAction *> actions = encoding->actions();
    encodingIndex = TextEncoding::position(encodingIndex);
    if (encodingIndex < actions.size())
        actions.at(encodingIndex)->setChecked(true);
}

int TabWidget::textEncodingIndex()
{
    return m_textEncodingIndex;
}

// Character format

// The toolbar shows the format at the current editor's cursor; showing it
// never reaches back into an editor.
void TabWidget::slotFontChanged(const QFont &font)
{
    UnicodeKaEditor *editor = m_currentEditor;
    if (!editor || editor->isInternal() || fromBackgroundEditor())
        return;
    if (m_comboSize) {
        const QSignalBlocker blocker(m_comboSize.data());
        m_comboSize->setCurrentIndex(m_comboSize->findText(
            QString::number(font.pointSize()), Qt::MatchExactly | Qt::MatchCaseSensitive));
    }
    // The family the text asks for, which need not be installed; text
    // without a family of its own is in the document's font.
    const bool ownFamily = font.resolveMask() & (QFont::FamilyResolved | QFont::FamiliesResolved);
    showFontFamily(ownFamily ? font.family() : editor->document()->defaultFont().family());
    if (QAction *a = action("actionBold"))
        a->setChecked(font.weight() > QFont::Medium);
    if (QAction *a = action("actionItalic"))
        a->setChecked(font.style() != QFont::StyleNormal);
    if (QAction *a = action("actionUnderline"))
        a->setChecked(font.underline());
    editor->setFocus();
}

void TabWidget::slotFontFamilyChanged(const QString &family)
{
    if (fromBackgroundEditor())
        return;
    showFontFamily(family);
}

void TabWidget::showFontFamily(const QString &family)
{
    if (!m_comboFont || m_comboFont->currentText().compare(family, Qt::CaseInsensitive) == 0)
        return;
    const QSignalBlocker blocker(m_comboFont.data());
    const int index = m_comboFont->findText(family, Qt::MatchFixedString);
    if (index >= 0) {
        m_comboFont->setCurrentIndex(index);
    } else {
        // A font that is not installed is still the text's font: its name
        // is shown rather than an empty box.
        m_comboFont->setCurrentIndex(-1);
        m_comboFont->setEditText(family);
    }
}

// Forwarding to the current editor

namespace {
bool isChecked(QAction *a)
{
    return a && a->isChecked();
}
} // namespace

void TabWidget::forward(const std::function<void(UnicodeKaEditor *)> &command)
{
    if (m_currentEditor)
        command(m_currentEditor);
}

void TabWidget::slotTextBold()
{
    const bool on = isChecked(action("actionBold"));
    forward([on](UnicodeKaEditor *e) { e->slotTextBold(on); });
}

void TabWidget::slotTextItalic()
{
    const bool on = isChecked(action("actionItalic"));
    forward([on](UnicodeKaEditor *e) { e->slotTextItalic(on); });
}

void TabWidget::slotTextUnderline()
{
    const bool on = isChecked(action("actionUnderline"));
    forward([on](UnicodeKaEditor *e) { e->slotTextUnderline(on); });
}

// The toolbar's boxes give the text its focus back.
void TabWidget::slotTextFontFamily(const QString &family)
{
    forward([&family](UnicodeKaEditor *e) {
        e->slotTextFontFamily(family);
        e->setFocus();
    });
}

void TabWidget::slotTextSize(const QString &pointSize)
{
    forward([&pointSize](UnicodeKaEditor *e) {
        e->slotTextSize(pointSize);
        e->setFocus();
    });
}

void TabWidget::slotTextStyle(int styleIndex)
{
    forward([styleIndex](UnicodeKaEditor *e) { e->slotTextStyle(styleIndex); });
}

void TabWidget::slotTextColor()
{
    forward(&UnicodeKaEditor::slotTextColor);
}

void TabWidget::slotBackgroundColor()
{
    forward(&UnicodeKaEditor::slotBackgroundColor);
}

void TabWidget::slotInsertPicture()
{
    forward(&UnicodeKaEditor::slotInsertPicture);
}

void TabWidget::slotInsertTable()
{
    forward(&UnicodeKaEditor::slotInsertTable);
}

void TabWidget::slotInsertHyperLink()
{
    forward(&UnicodeKaEditor::slotInsertHyperLink);
}

void TabWidget::slotCut()
{
    forward(&QTextEdit::cut);
}

void TabWidget::slotCopy()
{
    forward(&QTextEdit::copy);
}

void TabWidget::slotPaste()
{
    forward(&QTextEdit::paste);
}

void TabWidget::slotUndo()
{
    forward(&QTextEdit::undo);
}

void TabWidget::slotRedo()
{
    forward(&QTextEdit::redo);
}

void TabWidget::slotSelectAll()
{
    forward(&QTextEdit::selectAll);
}

void TabWidget::slotClear()
{
    forward([](UnicodeKaEditor *e) {
        e->selectAll();
        e->insertPlainText(QString());
    });
}

void TabWidget::slotZoomIn()
{
    forward([](UnicodeKaEditor *e) { e->zoomIn(1); });
}

void TabWidget::slotZoomOut()
{
    forward([](UnicodeKaEditor *e) { e->zoomOut(1); });
}

void TabWidget::slotSetTabbarVisible(bool visible)
{
    tabBar()->setVisible(visible);
}

// Preferences

void TabWidget::setAutoComplpetePrefixLength(int length)
{
    if (length < 3)
        length = 3;
    if (m_prefixLengthSpinBox && m_prefixLengthSpinBox->value() != length) {
        // The box's valueChanged brings the call back with the same value.
        m_prefixLengthSpinBox->setValue(length);
        if (m_prefixLengthSpinBox->value() == length)
            return;
        length = m_prefixLengthSpinBox->value();
    }
    for (UnicodeKaEditor *e : std::as_const(m_editors))
        e->setAutoComplpetePrefixLength(length);
}

int TabWidget::autoComplpetePrefixLength()
{
    return m_prefixLengthSpinBox ? m_prefixLengthSpinBox->value() : 3;
}

void TabWidget::setSpellCheckAsYouType(bool yesNo)
{
    QAction *a = action("actionSpell_Check_As_You_Type");
    if (a && a->isChecked() != yesNo) {
        // The action's toggled brings the call back.
        a->setCheckable(true);
        a->setChecked(yesNo);
        return;
    }
    for (UnicodeKaEditor *e : std::as_const(m_editors))
        e->setSpellCheckAsYouType(yesNo);
}

bool TabWidget::spellCheckAsYouType()
{
    QAction *a = action("actionSpell_Check_As_You_Type");
    return a ? a->isChecked() : true;
}

int TabWidget::language() const
{
    return m_language;
}

int TabWidget::keyboard() const
{
    return m_keyboard;
}

// Tool dialogs

void TabWidget::retargetFindDialog()
{
    if (m_findAndReplace && m_currentEditor)
        m_findAndReplace->setEditor(m_currentEditor, m_language, m_keyboard);
}

void TabWidget::findAndReplaceDialog(bool show)
{
    if (!m_currentEditor)
        return;
    if (!m_findAndReplace)
        m_findAndReplace = new FindAndReplaceDialog(this);
    if (show) {
        emit showLowerWidget(m_findAndReplace);
        m_findAndReplace->setVisible(true);
    }
    m_findAndReplace->setEditor(m_currentEditor, m_language, m_keyboard);
}

void TabWidget::onFind()
{
    findAndReplaceDialog(true);
    if (m_findAndReplace)
        m_findAndReplace->setOperationType(0);
}

void TabWidget::slotFindAndReplace()
{
    findAndReplaceDialog(true);
    if (m_findAndReplace)
        m_findAndReplace->setOperationType(1);
}

void TabWidget::onFindNext()
{
    findAndReplaceDialog(false);
    if (m_findAndReplace && m_currentEditor) {
        m_findAndReplace->setOperationType(0);
        m_findAndReplace->find(true);
    }
}

void TabWidget::onFindPrevious()
{
    findAndReplaceDialog(false);
    if (m_findAndReplace && m_currentEditor) {
        m_findAndReplace->setOperationType(0);
        m_findAndReplace->find(false);
    }
}

bool TabWidget::onEscapePressed()
{
    if (m_findAndReplace && m_findAndReplace->isVisible()) {
        m_findAndReplace->restoreCursorToOriginalPosition(true);
        m_findAndReplace->hide();
        return true;
    }
    return false;
}

void TabWidget::slotSpellCheck()
{
    if (!m_spellCheckDialog)
        m_spellCheckDialog = new SpellCheckDialog(m_utils, this);
    if (m_currentEditor) {
        m_spellCheckDialog->setEditor(m_currentEditor, m_language, m_keyboard);
        m_spellCheckDialog->restart();
    }
}

void TabWidget::slotShowWiktionaryOnline()
{
    if (!m_wiktionary)
        m_wiktionary = new WiktionaryOnline(this);
    if (!m_currentEditor)
        return;
    m_wiktionary->setLanguageAndKeyboard(m_language, m_keyboard);
    m_wiktionary->show();
    m_currentEditor->slotSearchString();
}

void TabWidget::slotSearchString(const QString &str)
{
    if (!m_wiktionary)
        m_wiktionary = new WiktionaryOnline(this);
    m_wiktionary->setLanguageAndKeyboard(m_language, m_keyboard);
    if (!str.isEmpty())
        m_wiktionary->search(str);
    m_wiktionary->show();
}

void TabWidget::onActionZaviDodazClicked()
{
    if (!m_zaviDodaz)
        m_zaviDodaz = new ZaviDodazDialog(this);
    m_zaviDodaz->setLanguageAndKeyboard(m_language, m_keyboard);
    m_zaviDodaz->show();
}

void TabWidget::onSearchInZaviDodaz()
{
    if (!m_zaviDodaz)
        m_zaviDodaz = new ZaviDodazDialog(this);
    if (!m_currentEditor)
        return;
    const QString word = m_currentEditor->textUnderCursor().simplified();
    if (word.isEmpty())
        return;
    m_zaviDodaz->setLanguageAndKeyboard(m_language, m_keyboard);
    m_zaviDodaz->show();
    m_zaviDodaz->searchMe(word);
}

void TabWidget::onEditUserToDictionary()
{
    EditUserDict dialog(nullptr);
    dialog.setLanguageAndKeyboard(m_language, m_keyboard);
    dialog.exec();
}

void TabWidget::slotSettingsClicked()
{
    SettingsDialog dialog(nullptr);
    dialog.exec();
}

// Whole-document commands

void TabWidget::slotActionScriptConverter()
{
    UnicodeKaEditor *source = m_currentEditor;
    if (!source)
        return;
    const QString text = UnicodeKaEditor::withoutObjects(source->toPlainText());
    if (text.isEmpty()) {
        QMessageBox::information(this, Ts::APP_NAME, tr("Input text is empty!"), QMessageBox::Ok);
        return;
    }
    ScriptConvertDialog dialog(m_language, this);
    if (dialog.exec() != QDialog::Accepted)
        return;

    UnicodeKaEditor *editor = createNewEditor(false);
    m_editors.append(editor);
    const QString name = newFilename();
    m_openDocuments.append(name);
    const int tab = addTab(editor, name);
    setCurrentIndex(tab);
    showProgress(true);
    editor->setPlainText(convertScript(text, dialog.toLanguage(), Keyboard::Phonetic));
    editor->document()->setModified(true);
    showProgress(false);
    slotChangeLanguage(dialog.toLanguage());
    QMessageBox::information(this, Ts::APP_NAME,
                             tr("Done. Check the output in <b>%1</b> tab!").arg(tabText(tab)),
                             QMessageBox::Ok);
}

void TabWidget::sortLines(bool descending)
{
    UnicodeKaEditor *editor = m_currentEditor;
    if (!editor)
        return;
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, descending ? tr("Sort Descending...") : tr("Sort File..."),
        tr("Are you sure you want to continue sorting...?"), QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QStringList lines = UnicodeKaEditor::withoutObjects(editor->toPlainText())
                            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    lines.removeDuplicates();
    lines.sort();
    if (descending)
        std::reverse(lines.begin(), lines.end());
    editor->selectAll();
    editor->insertPlainText(lines.join(QLatin1Char('\n')));
    editor->document()->setModified(true);
    QApplication::restoreOverrideCursor();
    QMessageBox::information(
        this, descending ? tr("Zuvo- Sort Descending...") : tr("Zuvo- Sort Ascending..."),
        tr("Done! Check the output now!"));
}

void TabWidget::slotSortAscending()
{
    sortLines(false);
}

void TabWidget::slotSortDescending()
{
    sortLines(true);
}

void TabWidget::slotExportToPdf()
{
    UnicodeKaEditor *editor = m_currentEditor;
    if (!editor)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    PrinterSettingsDialog settings(nullptr);
    settings.setFilename(editor->document()->metaInformation(QTextDocument::DocumentTitle));
    if (settings.exec() != QDialog::Accepted)
        return;
    QString fileName = settings.filename();
    if (!fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    printer.setOutputFileName(fileName);
    settings.applyPageLayout(printer);
    const Printing::PdfResult result =
        Printing::writePdf(editor->document(), printer, fileName, this, this);
    if (result == Printing::PdfResult::Cancelled)
        return;
    if (result == Printing::PdfResult::Failed) {
        // Nothing to open: offering the file would point at nothing.
        QMessageBox::warning(this, Utils::appName(),
                             tr("Couldn't write the PDF file %1").arg(fileName), QMessageBox::Ok);
        return;
    }

    OpenPdfDialog open(nullptr);
    open.setFilename(fileName);
    open.exec();
}

void TabWidget::slotPrint()
{
    UnicodeKaEditor *editor = m_currentEditor;
    if (!editor)
        return;
    auto job = std::make_shared<Printing::Job>();
    // Shared with the printing thread, which may still be at its last page
    // after a cancel.
    const std::shared_ptr<QPrinter> printer = Printing::jobPrinter(job.get());
    QPrintDialog dialog(printer.get(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Printed to a file, the pages go the way of an export: a cancelled or
    // failed print leaves an earlier file of that name as it was.
    const QString fileName = printer->outputFileName();
    if (printer->outputFormat() == QPrinter::PdfFormat && !fileName.isEmpty()) {
        if (Printing::writePdf(editor->document(), *printer, fileName, this, this) ==
            Printing::PdfResult::Failed)
            QMessageBox::warning(this, Utils::appName(),
                                 tr("Couldn't write the PDF file %1").arg(fileName),
                                 QMessageBox::Ok);
        return;
    }
    const bool done =
        Printing::run(editor->document(), this, this, job, [job, printer](QTextDocument *copy) {
            Printing::printPages(copy, printer.get(), job.get());
        });
    if (done && (!job->printed || printer->printerState() == QPrinter::Error))
        QMessageBox::warning(this, Utils::appName(), tr("Couldn't print the document"),
                             QMessageBox::Ok);
}

void TabWidget::slotPrintPreview()
{
    UnicodeKaEditor *editor = m_currentEditor;
    if (!editor)
        return;
    QPrintPreviewDialog preview(this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, editor,
            [editor](QPrinter *printer) { Printing::printText(editor->document(), printer); });
    preview.exec();
}

void TabWidget::slotPageSetup()
{
    QPrinter printer;
    QPageSetupDialog dialog(&printer, nullptr);
    dialog.exec();
}
