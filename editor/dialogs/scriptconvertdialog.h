#ifndef ZUVO_EDITOR_DIALOGS_SCRIPTCONVERTDIALOG_H
#define ZUVO_EDITOR_DIALOGS_SCRIPTCONVERTDIALOG_H

#include <QDialog>

class QEvent;
class QShowEvent;
namespace Ui {
class ScriptConvertDialog;
}

// Picks the script into which the current tab's text is converted. The
// caller converts (ZuvoScriptConverter::unicodeToUnicode with toLanguage())
// and shows the result in a new tab.
class ScriptConvertDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ScriptConvertDialog(int currentLanguage, QWidget *parent = nullptr);
    ~ScriptConvertDialog() override;

    // Language index of the destination script, 0 to 7.
    int toLanguage() const;
    bool isEnglishConverted() const;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void accept() override;
    void onNotesChecked(bool checked);

private:
    void fillSupportLink();

    Ui::ScriptConvertDialog *ui;
    int m_currentLanguage;
};

#endif
