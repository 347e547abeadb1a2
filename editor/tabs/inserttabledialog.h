#ifndef ZUVO_EDITOR_TABS_INSERTTABLEDIALOG_H
#define ZUVO_EDITOR_TABS_INSERTTABLEDIALOG_H

#include <QDialog>

namespace Ui {
class InsertTableDialog;
}

// Asks for the number of rows and columns of a new table (at least one of
// each, two by two unless changed).
class InsertTableDialog : public QDialog
{
    Q_OBJECT

public:
    explicit InsertTableDialog(QWidget *parent = nullptr);
    ~InsertTableDialog() override;

    int rows() const;
    int columns() const;

protected:
    void changeEvent(QEvent *e) override;

private:
    Ui::InsertTableDialog *ui;
};

#endif
