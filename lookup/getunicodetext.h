#ifndef ZUVO_LOOKUP_GETUNICODETEXT_H
#define ZUVO_LOOKUP_GETUNICODETEXT_H

#include <QDialog>
#include <QString>

class Ui_GetUnicodeText;

// A small dialog that asks for one word through the transliterating input
// box; Return or Enter in the box accepts it like OK.
class GetUnicodeText : public QDialog
{
    Q_OBJECT

public:
    explicit GetUnicodeText(QWidget *parent = nullptr);
    GetUnicodeText(int language, int keyboard, QWidget *parent = nullptr);
    GetUnicodeText(int language, int keyboard, QString text, QWidget *parent = nullptr);
    ~GetUnicodeText() override;

    QString text() const;
    void selectAll();
    void setLanguageAndKeyboard(int language, int keyboard);
    void setText(QString text);

protected:
    void changeEvent(QEvent *event) override;

private:
    void init();

    Ui_GetUnicodeText *ui;
};

#endif
