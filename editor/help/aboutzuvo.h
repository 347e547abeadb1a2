#ifndef ZUVO_EDITOR_HELP_ABOUTZUVO_H
#define ZUVO_EDITOR_HELP_ABOUTZUVO_H

#include <QDialog>

class QShowEvent;
namespace Ui {
class AboutZuvo;
}

// The about box of the Help menu.
class AboutZuvo : public QDialog
{
    Q_OBJECT

public:
    explicit AboutZuvo(QWidget *parent = nullptr);
    ~AboutZuvo() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    Ui::AboutZuvo *ui;
};

#endif
