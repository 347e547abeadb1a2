#ifndef ZUVO_EDITOR_TABS_INSERTLINKDIALOG_H
#define ZUVO_EDITOR_TABS_INSERTLINKDIALOG_H

#include <QDialog>

class QDialogButtonBox;
class QGridLayout;
class QLabel;
class QLineEdit;

// Asks for the address of a hyperlink. The text is handed back as typed; an
// empty address is a valid answer.
class InsertLinkDialog : public QDialog
{
    Q_OBJECT

public:
    explicit InsertLinkDialog(QWidget *parent = nullptr);

    QString url() const;

public slots:
    void setURL(const QString &url);

protected:
    void changeEvent(QEvent *e) override;

private:
    void retranslateUi();

    QGridLayout *gridLayout;
    QLabel *label_2;
    QLineEdit *urlLineEdit;
    QDialogButtonBox *buttonBox;
};

#endif
