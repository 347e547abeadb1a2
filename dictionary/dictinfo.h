#ifndef ZUVO_DICTIONARY_DICTINFO_H
#define ZUVO_DICTIONARY_DICTINFO_H

#include <QDialog>

class Ui_DictInfo;

// Language, creation date and word count of the dictionary in use, or a note
// that only Kannada comes with the program.
class DictInfo : public QDialog
{
    Q_OBJECT

public:
    explicit DictInfo(QWidget *parent = nullptr);
    ~DictInfo() override;

    void updateData(QString wordcount, QString creationdate, QString languageName);

protected:
    void showEvent(QShowEvent *event) override;

private:
    Ui_DictInfo *ui;
};

#endif
