#ifndef ZUVO_LOOKUP_WIKTIONARYONLINE_H
#define ZUVO_LOOKUP_WIKTIONARYONLINE_H

#include <QDialog>
#include <QPointer>
#include <QStack>
#include <QString>

class MediaWiki;
class QShowEvent;
class QUrl;
class Ui_WiktionaryOnline;

// The lookup window of the online dictionary: a word box, a search button,
// Back and Forward through the words looked up, and the fetched page. A
// click on a link to another entry of the same edition looks that word up
// here. The window deletes itself when closed; hold it through a QPointer.
class WiktionaryOnline : public QDialog
{
    Q_OBJECT

public:
    explicit WiktionaryOnline(QWidget *parent = nullptr);
    ~WiktionaryOnline() override;

    void setLanguageAndKeyboard(int language, int keyboard);
    // Looks the word up, its white space simplified first.
    void search(QString word);

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void onSearchClicked();
    void onFinished(bool success);
    void onAnchorClicked(const QUrl &url);
    void onBackwardClicked();
    void onForwardClicked();

private:
    void resetButtons(int index);
    void step(int direction);

    Ui_WiktionaryOnline *ui;
    // Every word of a recorded search, in order; only ever appended to.
    QStack<QString> history;
    QPointer<MediaWiki> client;
    QString currentWord;
    // Cleared by Back and Forward for the one search they start.
    bool recordHistory = true;
};

#endif
