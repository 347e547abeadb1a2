#ifndef ZUVO_DICTIONARY_MAINWINDOW_H
#define ZUVO_DICTIONARY_MAINWINDOW_H

#include <QMainWindow>
#include <QStack>
#include <QString>
#include <QStringList>

class QActionGroup;
class QUrl;
class Dictionary;
class Ui_RozoDezu;

// The look-up window: a transliterating word box with completion from the
// Kannada dictionary's word list, the meaning in a text browser, nearby words
// as links for a word that is not found, and Back/Forward over the words
// looked up so far.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The words looked up so far, oldest first.
    QStringList history() const;

public slots:
    void onLocalizeKannada(bool checked);
    void onMessageReceived(QString msg);

private slots:
    void onSearchClicked();
    void onStopClicked();
    void onAnchorClicked(const QUrl &link);
    void onBackwardAvailable(bool available);
    void onForwardAvailable(bool available);
    void onBackwardClicked();
    void onForwardClicked();
    void onLanguageActionToggled(bool on);
    void onKeyboardActionToggled(bool on);
    void onAboutClicked();
    void onExitClicked();
    void onActionInformationClicked();
    void updateStatusMessage();

private:
    void search(QString word);
    void stepHistory(int step);
    void readSettings();
    void writeSettings();
    void setLanguageAndKeyboard(int language, int keyboard);

    Ui_RozoDezu *ui;
    int m_currentLanguage = 0;
    int m_currentKeyboard = 0;
    QActionGroup *m_languageGroup = nullptr;
    QActionGroup *m_keyboardGroup = nullptr;
    Dictionary *m_dictionary = nullptr;
    QStack<QString> m_history;
    bool m_recording = true;
    QString m_currentWord;
    // Where the current word stands in the history (-1: nowhere). A word can
    // occur more than once, so its position is kept rather than searched for.
    int m_historyPos = -1;
    // The position a history step is about to show, for the look-up it starts.
    int m_stepTarget = -1;
};

#endif
