#ifndef ZUVO_EDITOR_DIALOGS_SETTINGSDIALOG_H
#define ZUVO_EDITOR_DIALOGS_SETTINGSDIALOG_H

#include <QDialog>

class QEvent;
namespace Ui {
class SettingsDialog;
}

// The user's default language, keyboard layout and transliteration type,
// kept in the settings group "Settings".
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SettingsDialog(QWidget *parent = nullptr);
    ~SettingsDialog() override;

public slots:
    void accept() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui::SettingsDialog *ui;
};

#endif
