#include "keyboadmapping.h"
#include "ui_keyboadmapping.h"

#include "utils.h"
#include "zuvoscriptconverter.h"

#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

static void initWindowsResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(windows);
        return true;
    }();
    Q_UNUSED(done);
}

KeyboadMapping::KeyboadMapping(int language, int keyboard, QWidget *parent)
    : QDialog(parent, Qt::Tool)
    , ui(new Ui::KeyboadMapping)
    , language(language)
{
    initWindowsResources();
    ui->setupUi(this);
    createPhoneticHelp();
    createNudiHelp();
    if (keyboard == Keyboard::Nudi) {
        ui->nudiRadio->setChecked(true);
        onNudoRadioClicked();
    } else {
        ui->phoneticRadio->setChecked(true);
        onPhoneticRadioClicked();
    }
    connect(ui->phoneticRadio, &QAbstractButton::clicked, this,
            &KeyboadMapping::onPhoneticRadioClicked);
    connect(ui->nudiRadio, &QAbstractButton::clicked, this, &KeyboadMapping::onNudoRadioClicked);
}

KeyboadMapping::~KeyboadMapping()
{
    delete ui;
}

void KeyboadMapping::keyPressEvent(QKeyEvent *event)
{
    // Any key dismisses the chart, letters included: it is looked at, not typed in.
    close();
    QDialog::keyPressEvent(event);
}

void KeyboadMapping::showEvent(QShowEvent *event)
{
    activateWindow();
    QDialog::showEvent(event);
}

void KeyboadMapping::onPhoneticRadioClicked()
{
    if (ui->stackedWidget->count() < 1)
        createPhoneticHelp();
    ui->stackedWidget->setCurrentIndex(PhoneticPage);
    adjustSize();
}

void KeyboadMapping::onNudoRadioClicked()
{
    if (ui->stackedWidget->count() < 2)
        createNudiHelp();
    ui->stackedWidget->setCurrentIndex(NudiPage);
    adjustSize();
}

void KeyboadMapping::createPhoneticHelp()
{
    createPage(PhoneticPage);
}

void KeyboadMapping::createNudiHelp()
{
    createPage(NudiPage);
}

// Row lengths are the same for both charts except the last row, where the
// Nudi chart has room for its extra keys.
static void appendRowLens(int language, bool nudi, QList<int> &rowLen)
{
    const bool shortFirstRows = language == Language::Gujarati || language == Language::Bengali ||
        language == Language::Gurmukhi;
    rowLen << (shortFirstRows ? 9 : 10);
    rowLen << (shortFirstRows ? 4 : 5);
    for (int row = 2; row <= 6; ++row)
        rowLen << 5;
    if (language == Language::Telugu || language == Language::Gujarati ||
        language == Language::Bengali)
        rowLen << 10;
    else if (language == Language::Gurmukhi)
        rowLen << 9;
    else
        rowLen << 11;
    const bool hindi = language == Language::Hindi;
    if (nudi)
        rowLen << (hindi ? 5 : 4);
    else
        rowLen << (hindi ? 3 : 2);
}

void KeyboadMapping::setPhoneticRowLens(QList<int> &rowLen)
{
    appendRowLens(language, false, rowLen);
}

void KeyboadMapping::setNudiRowLens(QList<int> &rowLen)
{
    appendRowLens(language, true, rowLen);
}

QString KeyboadMapping::letterText(ZuvoScriptConverter &converter, const QString &key,
                                   const QString &letter, Page page) const
{
    if (page == PhoneticPage) {
        if (key == QLatin1String("x"))
            return QStringLiteral("ZWNJ");
        if (key == QLatin1String("X"))
            return QStringLiteral("ZWJ");
        return letter;
    }
    if (key == QLatin1String("ff"))
        return QStringLiteral("ZWNJ");
    if (key == QLatin1String("X"))
        return QStringLiteral("ZWJ");
    if (key == QLatin1String("F")) {
        // The reph key types nothing on its own: it puts the reph before the
        // consonant typed last. Show the reph the engine writes after a "k".
        const QString consonant =
            converter.ansiToUnicode(QStringLiteral("k"), language, Keyboard::Nudi);
        const QString withReph =
            converter.ansiToUnicode(QStringLiteral("kF"), language, Keyboard::Nudi);
        if (!consonant.isEmpty() && withReph.size() > consonant.size() &&
            withReph.endsWith(consonant))
            return withReph.left(withReph.size() - consonant.size());
    }
    return letter;
}

void KeyboadMapping::createPage(Page page)
{
    ZuvoScriptConverter converter;
    const int keyboard = page == NudiPage ? Keyboard::Nudi : Keyboard::Phonetic;

    QList<int> rowLen;
    QStringList keys;
    if (page == NudiPage) {
        setNudiRowLens(rowLen);
        keys = converter.nudiAksharamale();
        keys << QStringLiteral("ff");
    } else {
        setPhoneticRowLens(rowLen);
        keys = converter.phoneticAksharamale();
    }
    if (language == Language::Hindi)
        keys << QStringLiteral("OM");

    auto *pageWidget = new QWidget;
    pageWidget->setStyleSheet(QStringLiteral("background-color: white;"));
    auto *grid = new QGridLayout(pageWidget);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setSpacing(3);

    const QString keyStyle =
        page == NudiPage ? QStringLiteral("color:brown") : QStringLiteral("color:brown;");
    const QString letterStyle =
        page == NudiPage ? QStringLiteral("color:darkblue") : QStringLiteral("color:darkblue;");
    QFont keyFont;
    keyFont.setPointSize(12);
    keyFont.setWeight(QFont::Bold);
    QFont letterFont(Utils::languageDefaultFont(language));
    letterFont.setPointSize(language == Language::Malayalam     ? 15
                                : language == Language::Bengali ? 17
                                                                : 12);
    letterFont.setWeight(QFont::Bold);

    QLabel *lastKeyLabel = nullptr;
    QLabel *lastLetterLabel = nullptr;
    qsizetype k = 0;
    for (int row = 0; row < rowLen.size() && k < keys.size(); ++row) {
        const int length = rowLen.at(row);
        for (int column = 0; column < length && k < keys.size(); ++k) {
            const QString &key = keys.at(k);
            const QString letter = converter.ansiToUnicode(key, language, keyboard);
            if (lastLetterLabel && letter == lastLetterLabel->text()) {
                // Keys that type the same letter share a tile, newest key first.
                lastKeyLabel->setText(key + QLatin1Char('/') + lastKeyLabel->text());
                continue;
            }
            auto *tile = new QFrame;
            tile->setFrameShape(QFrame::StyledPanel);
            tile->setFixedSize(55, 50);
            tile->setStyleSheet(QStringLiteral("background-image:url(:/resources/button-bg.png);"));
            auto *box = new QVBoxLayout(tile);
            box->setContentsMargins(0, 0, 0, 0);
            box->setSpacing(0);

            auto *keyLabel = new QLabel(key);
            keyLabel->setAlignment(Qt::AlignCenter);
            keyLabel->setStyleSheet(keyStyle);
            keyLabel->setFont(keyFont);
            auto *letterLabel = new QLabel(letterText(converter, key, letter, page));
            letterLabel->setAlignment(Qt::AlignCenter);
            letterLabel->setStyleSheet(letterStyle);
            letterLabel->setFont(letterFont);
            box->addWidget(keyLabel);
            box->addWidget(letterLabel);

            grid->addWidget(tile, row, column);
            lastKeyLabel = keyLabel;
            lastLetterLabel = letterLabel;
            ++column;
        }
    }
    ui->stackedWidget->addWidget(pageWidget);
}
