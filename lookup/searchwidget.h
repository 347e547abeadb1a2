#ifndef ZUVO_LOOKUP_SEARCHWIDGET_H
#define ZUVO_LOOKUP_SEARCHWIDGET_H

#include <QDialog>
#include <QString>

class MediaWiki;
class QProgressBar;
class QTextBrowser;
class QUrl;
class QVBoxLayout;
class UnicodeLineEdit;

// A plain lookup window over the page client: a word box, the fetched page
// and a busy bar. Links in the page are not followed.
class SearchWidget : public QDialog
{
    Q_OBJECT

public:
    explicit SearchWidget(QWidget *parent = nullptr);

    void setLanguageAndKeyboard(int language, int keyboard);
    void setLanguage(int language);

public slots:
    void go();
    void search(QString word);
    void addWordToWiktionary();

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void finished(bool success);
    void onAnchorClicked(const QUrl &link);

private:
    MediaWiki *m_client;
    UnicodeLineEdit *m_wordBox;
    QTextBrowser *m_browser;
    QProgressBar *m_busy;
    QVBoxLayout *m_layout;
};

#endif
