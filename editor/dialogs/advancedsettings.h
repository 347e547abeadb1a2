#ifndef ZUVO_EDITOR_DIALOGS_ADVANCEDSETTINGS_H
#define ZUVO_EDITOR_DIALOGS_ADVANCEDSETTINGS_H

#include <QDialog>

namespace Ui {
class AdvancedSettings;
}

// An empty settings page with OK and Cancel, kept for settings still to come.
class AdvancedSettings : public QDialog
{
    Q_OBJECT

public:
    explicit AdvancedSettings(QWidget *parent = nullptr);
    ~AdvancedSettings() override;

private:
    Ui::AdvancedSettings *ui;
};

#endif
