#include "settingsdialog.h"
#include "ui_settingsdialog.h"

#include "ts.h"

#include <QEvent>
#include <QSettings>

static void initDialogResources()
{
    Q_INIT_RESOURCE(dialogs_settings);
}

// Stored values are read leniently: anything that is not a number counts as 0.
static int storedInt(const QSettings &settings, const QString &key)
{
    return settings.value(key, QStringLiteral("0")).toInt();
}

SettingsDialog::SettingsDialog(QWidget *parent)
    : QDialog(parent, Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , ui(new Ui::SettingsDialog)
{
    initDialogResources();
    ui->setupUi(this);
    ui->keyboardLayoutGroup->setId(ui->phoneticRadioButton, 0);
    ui->keyboardLayoutGroup->setId(ui->kannadaRadioButton, 1);
    ui->transliterationTypeGroup->setId(ui->activeTransRadio, 0);
    ui->transliterationTypeGroup->setId(ui->passiveTransRadio, 1);

    QSettings settings(Ts::ORG_NAME, Ts::APP_NAME);
    settings.beginGroup(QStringLiteral("Settings"));
    int language = storedInt(settings, QStringLiteral("Default-Language"));
    // A language outside the list would leave the box empty and Ok would then
    // store -1; show the first language instead.
    if (language < 0 || language >= ui->languageComboBox->count())
        language = 0;
    ui->languageComboBox->setCurrentIndex(language);
    if (storedInt(settings, QStringLiteral("Default-Keyboard-Layout")) == 0)
        ui->phoneticRadioButton->setChecked(true);
    else
        ui->kannadaRadioButton->setChecked(true);
    if (storedInt(settings, QStringLiteral("Default-Transliteration-Type")) == 0)
        ui->activeTransRadio->setChecked(true);
    else
        ui->passiveTransRadio->setChecked(true);
    settings.endGroup();
}

SettingsDialog::~SettingsDialog()
{
    delete ui;
}

void SettingsDialog::accept()
{
    QSettings settings(Ts::ORG_NAME, Ts::APP_NAME);
    // The group is written afresh so that keys of other versions do not linger.
    settings.remove(QStringLiteral("Settings"));
    settings.beginGroup(QStringLiteral("Settings"));
    settings.setValue(QStringLiteral("Default-Language"), ui->languageComboBox->currentIndex());
    settings.setValue(QStringLiteral("Default-Keyboard-Layout"),
                      ui->keyboardLayoutGroup->checkedId());
    settings.setValue(QStringLiteral("Default-Transliteration-Type"),
                      ui->transliterationTypeGroup->checkedId());
    settings.endGroup();
    QDialog::accept();
}

void SettingsDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this); // renames the list entries in place, keeping the choice
}
