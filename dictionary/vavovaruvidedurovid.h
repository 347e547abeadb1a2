#ifndef ZUVO_DICTIONARY_VAVOVARUVIDEDUROVID_H
#define ZUVO_DICTIONARY_VAVOVARUVIDEDUROVID_H

#include <QDialog>

class Ui_VavovAruvIdedurovid;

// The About dialog: the program's image, its version and the credit lines.
class VavovAruvIdedurovid : public QDialog
{
    Q_OBJECT

public:
    explicit VavovAruvIdedurovid(QWidget *parent = nullptr);
    ~VavovAruvIdedurovid() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    Ui_VavovAruvIdedurovid *ui;
};

#endif
