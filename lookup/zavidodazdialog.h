#ifndef ZUVO_LOOKUP_ZAVIDODAZDIALOG_H
#define ZUVO_LOOKUP_ZAVIDODAZDIALOG_H

#include <QDialog>
#include <QString>
#include <QUrl>
#include <QVector>

class Dictionary;
class QShowEvent;
class Ui_ZaviDodazDialog;

// The editor's window onto the word-list dictionary of the current language.
// A found word shows its entry; a missing one shows itself in red and links to
// near-by headwords that look themselves up when clicked. Back and forward
// walk the words looked up so far. The window is made once and only hidden
// when closed, so its history lasts for the run.
class ZaviDodazDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ZaviDodazDialog(QWidget *parent = nullptr);
    ~ZaviDodazDialog() override;

    // Binds the language's dictionary (or says there is none) and types in
    // the language and keyboard.
    void setLanguageAndKeyboard(int language, int keyboard);
    // Shows the word in the word box and looks it up unless it is blank.
    void searchMe(const QString &word);
    void search(const QString &word);

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void onSearchClicked();
    void onStopClicked();
    void onAnchorClicked(const QUrl &url);
    void onBackwardAvailable(bool available);
    void onForwardAvailable(bool available);
    void onBackwardClicked();
    void onForwardClicked();
    void onTimeOut();
    void onLanguageActionToggled(bool on);
    void onKeyboardActionToggled(bool on);
    void onAboutClicked();
    void onExitClicked();
    void onActionInformationClicked();
    void updateStatusMessage(QString msg = QString());

private:
    void goTo(bool back);

    Ui_ZaviDodazDialog *form;
    int language = 0;
    int keyboard = 0;
    Dictionary *dictionary;
    QVector<QString> history;
    bool record = true;
    QString lastWord;
};

#endif
