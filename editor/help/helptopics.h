#ifndef ZUVO_EDITOR_HELP_HELPTOPICS_H
#define ZUVO_EDITOR_HELP_HELPTOPICS_H

#include <QDialog>

class QShowEvent;
namespace Ui {
class HelpTopics;
}

// The user guide: the help page compiled into the program, with a find box
// that searches it forward and backward.
class HelpTopics : public QDialog
{
    Q_OBJECT

public:
    explicit HelpTopics(QWidget *parent = nullptr);
    ~HelpTopics() override;

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void onFindForwardClicked();
    void onFindBackwardClicked();

private:
    Ui::HelpTopics *ui;
};

#endif
