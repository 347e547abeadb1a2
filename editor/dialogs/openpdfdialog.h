#ifndef ZUVO_EDITOR_DIALOGS_OPENPDFDIALOG_H
#define ZUVO_EDITOR_DIALOGS_OPENPDFDIALOG_H

#include <QDialog>
#include <QString>

class QEvent;
class QLineEdit;
class QPushButton;

// Shown after a PDF has been written: its path, and buttons to open the file
// or its folder with the desktop's handlers.
class OpenPdfDialog : public QDialog
{
    Q_OBJECT

public:
    explicit OpenPdfDialog(QWidget *parent = nullptr);

    void setFilename(const QString &path);

private slots:
    void on_OpenBtn_clicked();
    void on_OpenFolderBtn_clicked();
    void on_CloseBtn_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLineEdit *lineEdit;
    QPushButton *OpenBtn;
    QPushButton *OpenFolderBtn;
    QPushButton *CloseBtn;
};

#endif
