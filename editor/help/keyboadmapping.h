#ifndef ZUVO_EDITOR_HELP_KEYBOADMAPPING_H
#define ZUVO_EDITOR_HELP_KEYBOADMAPPING_H

#include <QDialog>
#include <QList>

class QKeyEvent;
class QShowEvent;
class ZuvoScriptConverter;
namespace Ui {
class KeyboadMapping;
}

// The keyboard-layout chart of the Help menu: one page of key tiles for the
// phonetic keys and one for the Nudi keys. Every tile's letter is what the
// typing engine makes of its key, so the chart cannot drift from the engine.
class KeyboadMapping : public QDialog
{
    Q_OBJECT

public:
    KeyboadMapping(int language, int keyboard, QWidget *parent = nullptr);
    ~KeyboadMapping() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private slots:
    void onPhoneticRadioClicked();
    void onNudoRadioClicked();
    void createPhoneticHelp();
    void createNudiHelp();
    void setPhoneticRowLens(QList<int> &rowLen);
    void setNudiRowLens(QList<int> &rowLen);

private:
    enum Page { PhoneticPage, NudiPage };
    void createPage(Page page);
    QString letterText(ZuvoScriptConverter &converter, const QString &key, const QString &letter,
                       Page page) const;

    Ui::KeyboadMapping *ui;
    int language;
};

#endif
