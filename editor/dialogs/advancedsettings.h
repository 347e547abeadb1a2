#ifndef ADVANCEDSETTINGS_H
#define ADVANCEDSETTINGS_H

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
