#ifndef ZUVO_EDITOR_HELP_KEYBOARDEXAMPLES_H
#define ZUVO_EDITOR_HELP_KEYBOARDEXAMPLES_H

#include <QDialog>

class QShowEvent;
namespace Ui {
class KeyboardExamples;
}

// Pictures of example words and the keys that type them under the Phonetic,
// Nudi and Phonetic-2 layouts.
class KeyboardExamples : public QDialog
{
    Q_OBJECT

public:
    explicit KeyboardExamples(QWidget *parent = nullptr);
    ~KeyboardExamples() override;

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void onShowExample(int index);

private:
    Ui::KeyboardExamples *ui;
};

#endif
