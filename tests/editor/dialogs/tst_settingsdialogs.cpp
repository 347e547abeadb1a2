#include "findchild.h"
#include "markingtranslator.h"
#include "scriptconvertdialog.h"
#include "settingsdialog.h"

#include "testenv.h"
#include "ts.h"
#include "zuvoscriptconverter.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTranslator>
#include <QtTest/QTest>

class TestSettingsDialogs : public QObject
{
    Q_OBJECT

private slots:
    void storedValuesShownAndWritten_data();
    void storedValuesShownAndWritten();
    void okRewritesTheGroup();
    void cancelWritesNothing();
    void languageChangeKeepsChoices();
    void converterLists_data();
    void converterLists();
    void converterHelpNotes();
    void converterDestinationDrivesConversion();
};

static void clickOk(QWidget *dialog)
{
    ZuvoTest::child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok)->click();
}

static QStringList itemTexts(QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

static QVariant stored(const QString &key)
{
    QSettings settings(Ts::ORG_NAME, Ts::APP_NAME);
    return settings.value(key);
}

void TestSettingsDialogs::storedValuesShownAndWritten_data()
{
    // Stored values (an invalid QVariant: the key is missing), then what the
    // dialog shows and what Ok writes back.
    QTest::addColumn<QVariant>("language");
    QTest::addColumn<QVariant>("layout");
    QTest::addColumn<QVariant>("transliteration");
    QTest::addColumn<int>("shownLanguage");
    QTest::addColumn<bool>("kpRao");
    QTest::addColumn<bool>("passive");

    const QVariant none;
    QTest::newRow("no group") << none << none << none << 0 << false << false;
    QTest::newRow("telugu, K.P.Rao, passive")
        << QVariant(1) << QVariant(1) << QVariant(1) << 1 << true << true;
    QTest::newRow("layout 2") << none << QVariant(2) << none << 0 << true << false;
    QTest::newRow("layout 3") << none << QVariant(3) << none << 0 << true << false;
    QTest::newRow("english") << QVariant(8) << QVariant(0) << QVariant(0) << 8 << false << false;
    QTest::newRow("not numbers") << QVariant("abc") << QVariant("x") << QVariant("") << 0 << false
                                 << false;
    QTest::newRow("language past the list") << QVariant(42) << none << none << 0 << false << false;
    QTest::newRow("negative language") << QVariant(-1) << none << none << 0 << false << false;
}

void TestSettingsDialogs::storedValuesShownAndWritten()
{
    QFETCH(QVariant, language);
    QFETCH(QVariant, layout);
    QFETCH(QVariant, transliteration);
    QFETCH(int, shownLanguage);
    QFETCH(bool, kpRao);
    QFETCH(bool, passive);

    ZuvoTest::TempEnv env;
    {
        QSettings settings(Ts::ORG_NAME, Ts::APP_NAME);
        settings.beginGroup(QStringLiteral("Settings"));
        if (language.isValid())
            settings.setValue(QStringLiteral("Default-Language"), language);
        if (layout.isValid())
            settings.setValue(QStringLiteral("Default-Keyboard-Layout"), layout);
        if (transliteration.isValid())
            settings.setValue(QStringLiteral("Default-Transliteration-Type"), transliteration);
    }

    SettingsDialog dialog(nullptr);
    QCOMPARE(ZuvoTest::child<QComboBox>(&dialog, "languageComboBox")->currentIndex(),
             shownLanguage);
    QCOMPARE(ZuvoTest::child<QRadioButton>(&dialog, "kannadaRadioButton")->isChecked(), kpRao);
    QCOMPARE(ZuvoTest::child<QRadioButton>(&dialog, "phoneticRadioButton")->isChecked(), !kpRao);
    QCOMPARE(ZuvoTest::child<QRadioButton>(&dialog, "passiveTransRadio")->isChecked(), passive);
    QCOMPARE(ZuvoTest::child<QRadioButton>(&dialog, "activeTransRadio")->isChecked(), !passive);

    dialog.show();
    clickOk(&dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(stored(QStringLiteral("Settings/Default-Language")).toInt(), shownLanguage);
    QCOMPARE(stored(QStringLiteral("Settings/Default-Keyboard-Layout")).toInt(), kpRao ? 1 : 0);
    QCOMPARE(stored(QStringLiteral("Settings/Default-Transliteration-Type")).toInt(),
             passive ? 1 : 0);
}

void TestSettingsDialogs::okRewritesTheGroup()
{
    ZuvoTest::TempEnv env;
    {
        QSettings settings(Ts::ORG_NAME, Ts::APP_NAME);
        settings.setValue(QStringLiteral("Settings/Old-Key"), 7);
        settings.setValue(QStringLiteral("Geometry/Kept"), 3);
    }

    SettingsDialog dialog(nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Zuvo - Settings"));
    const Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    QCOMPARE(dialog.windowFlags() & flags, flags);
    QVERIFY(!dialog.windowIcon().isNull());
    auto *languages = ZuvoTest::child<QComboBox>(&dialog, "languageComboBox");
    QCOMPARE(itemTexts(languages),
             QStringList({ "Kannada", "Telugu", "Malayalam", "Oriya", "Hindi", "Gujarati",
                           "Bengali", "Gurumukhi", "English" }));
    languages->setCurrentIndex(languages->findText(QStringLiteral("English")));
    ZuvoTest::child<QRadioButton>(&dialog, "kannadaRadioButton")->setChecked(true);
    ZuvoTest::child<QRadioButton>(&dialog, "passiveTransRadio")->setChecked(true);
    dialog.show();
    clickOk(&dialog);

    QSettings settings(Ts::ORG_NAME, Ts::APP_NAME);
    settings.beginGroup(QStringLiteral("Settings"));
    QCOMPARE(settings.childKeys().size(), 3);
    QVERIFY(!settings.contains(QStringLiteral("Old-Key")));
    QCOMPARE(settings.value(QStringLiteral("Default-Language")).toInt(), 8);
    QCOMPARE(settings.value(QStringLiteral("Default-Keyboard-Layout")).toInt(), 1);
    QCOMPARE(settings.value(QStringLiteral("Default-Transliteration-Type")).toInt(), 1);
    settings.endGroup();
    QCOMPARE(settings.value(QStringLiteral("Geometry/Kept")).toInt(), 3);
}

void TestSettingsDialogs::cancelWritesNothing()
{
    ZuvoTest::TempEnv env;
    {
        QSettings settings(Ts::ORG_NAME, Ts::APP_NAME);
        settings.setValue(QStringLiteral("Settings/Default-Language"), 2);
        settings.setValue(QStringLiteral("Settings/Old-Key"), 7);
    }
    SettingsDialog dialog(nullptr);
    ZuvoTest::child<QComboBox>(&dialog, "languageComboBox")->setCurrentIndex(4);
    dialog.show();
    ZuvoTest::child<QDialogButtonBox>(&dialog, "buttonBox")
        ->button(QDialogButtonBox::Cancel)
        ->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(stored(QStringLiteral("Settings/Default-Language")).toInt(), 2);
    QCOMPARE(stored(QStringLiteral("Settings/Old-Key")).toInt(), 7);
}

void TestSettingsDialogs::languageChangeKeepsChoices()
{
    ZuvoTest::TempEnv env;
    SettingsDialog settings(nullptr);
    ZuvoTest::child<QComboBox>(&settings, "languageComboBox")->setCurrentIndex(6);
    ScriptConvertDialog converter(3, nullptr);
    ZuvoTest::child<QComboBox>(&converter, "toLanguageCombo")->setCurrentIndex(5);

    ZuvoTest::MarkingTranslator translator({ "SettingsDialog", "ScriptConvertDialog" });
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    QCOMPARE(settings.windowTitle(), QStringLiteral("~Zuvo - Settings"));
    QCOMPARE(ZuvoTest::child<QComboBox>(&settings, "languageComboBox")->count(), 9);
    QCOMPARE(ZuvoTest::child<QComboBox>(&settings, "languageComboBox")->currentText(),
             QStringLiteral("~Bengali"));
    QCOMPARE(ZuvoTest::child<QRadioButton>(&settings, "kannadaRadioButton")->text(),
             QStringLiteral("~K.P.Rao -  GoK"));
    QCOMPARE(converter.windowTitle(), QStringLiteral("~Zuvo - Script Converter"));
    QCOMPARE(ZuvoTest::child<QComboBox>(&converter, "fromLanguageCombo")->currentText(),
             QStringLiteral("~Oriya"));
    QCOMPARE(converter.toLanguage(), 5);
    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    QCOMPARE(ZuvoTest::child<QComboBox>(&settings, "languageComboBox")->currentIndex(), 6);
}

void TestSettingsDialogs::converterLists_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("shown");
    QTest::newRow("kannada") << int(Language::Kannada) << "Kannada";
    QTest::newRow("gujarati") << int(Language::Gujarati) << "Gujarathi";
    QTest::newRow("tamil") << int(Language::Tamil) << "Tamil";
    QTest::newRow("english") << int(Language::English) << "English";
}

void TestSettingsDialogs::converterLists()
{
    QFETCH(int, current);
    QFETCH(QString, shown);
    ScriptConvertDialog dialog(current, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Zuvo - Script Converter"));
    QVERIFY(dialog.windowFlags().testFlag(Qt::Tool));

    auto *from = ZuvoTest::child<QComboBox>(&dialog, "fromLanguageCombo");
    QCOMPARE(itemTexts(from),
             QStringList({ "Kannada", "Telugu", "Malayalam", "Oriya", "Hindi", "Gujarathi",
                           "Bengali", "Gurmukhi", "Tamil", "English" }));
    QCOMPARE(from->currentText(), shown);
    dialog.show();
    QVERIFY(!from->isEnabled());

    auto *to = ZuvoTest::child<QComboBox>(&dialog, "toLanguageCombo");
    QCOMPARE(itemTexts(to),
             QStringList({ "Kannada", "Telugu", "Malayalam", "Oriya", "Hindi", "Gujarathi",
                           "Bengali", "Gurmukhi" }));
    QCOMPARE(dialog.toLanguage(), 0);
    QVERIFY(dialog.isEnglishConverted());
}

void TestSettingsDialogs::converterHelpNotes()
{
    ScriptConvertDialog dialog(Language::Kannada, nullptr);
    dialog.show();
    auto *help = ZuvoTest::child<QGroupBox>(&dialog, "groupBox");
    auto *notes = ZuvoTest::child<QTextBrowser>(&dialog, "textBrowser");
    QVERIFY(help->isCheckable());
    QVERIFY(!help->isChecked());
    QVERIFY(!notes->isVisible());
    help->setChecked(true);
    QVERIFY(notes->isVisible());
    help->setChecked(false);
    QVERIFY(!notes->isVisible());

    const QString text = notes->toPlainText();
    const QStringList inOrder = {
        "Script-converter is a zuvo-tool, which you can use to convert script(text) from one "
        "Indian language to another.",
        "Below is a list of notes about the same. Please read.",
        "1) Script-Converter considers the current tab as the source of input text.",
        "2) The output Unicode text is displayed in a new tab. You can save it to new file for "
        "later use.",
        "3) Select the to language to which you want to convert the script (\"Destination "
        "language\" combobox).",
        "If you have any confusions or questions, don't hesitate to ask.",
    };
    qsizetype at = 0;
    for (const QString &line : inOrder) {
        const qsizetype found = text.indexOf(line, at);
        QVERIFY2(found >= 0, qPrintable(line));
        at = found + line.size();
    }
    QVERIFY(notes->openExternalLinks());
    QVERIFY(notes->toHtml().contains(QLatin1String("<a href=\"https://")));
    const QTextCursor bold = notes->document()->find(QStringLiteral("new tab"));
    QVERIFY(!bold.isNull());
    QVERIFY(bold.charFormat().fontWeight() >= QFont::Bold);
    const QTextCursor plain = notes->document()->find(QStringLiteral("You can save"));
    QVERIFY(plain.charFormat().fontWeight() < QFont::Bold);
    QCOMPARE(plain.charFormat().font().pointSize(), 9);
}

void TestSettingsDialogs::converterDestinationDrivesConversion()
{
    ScriptConvertDialog dialog(Language::Kannada, nullptr);
    ZuvoTest::child<QComboBox>(&dialog, "toLanguageCombo")->setCurrentIndex(Language::Telugu);
    dialog.show();
    clickOk(&dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.toLanguage(), int(Language::Telugu));

    // What the caller then does with the choice.
    ZuvoScriptConverter converter;
    QCOMPARE(
        converter.unicodeToUnicode(QStringLiteral("ಕನ್ನಡ"), dialog.toLanguage(), Keyboard::Phonetic),
        QStringLiteral("కన్నడ"));
}

QTEST_MAIN(TestSettingsDialogs)
#include "tst_settingsdialogs.moc"
