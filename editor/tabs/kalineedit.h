#ifndef ZUVO_EDITOR_TABS_KALINEEDIT_H
#define ZUVO_EDITOR_TABS_KALINEEDIT_H

#include <QLineEdit>
#include <QString>

class QCompleter;

// A one-line box that converts its line up to the cursor from Latin keys to
// the chosen language when a whitespace key is typed.
class KaLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit KaLineEdit(QWidget *parent = nullptr);

    void setLanugage(int language);
    void setKeyboard(int keyboard);
    void setTyping(int typing);
    QString unicodeText() const;

public slots:
    void slotTextEdited(const QString &text);
    void slotCursorPositionChanged(int oldPos, int newPos);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString keyText;
    int language = 0;
    int keyboard = 0;
    int typing = 0;
    bool busy = false;
    QCompleter *completer = nullptr;
};

#endif
