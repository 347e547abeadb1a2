#ifndef ZUVO_EDITOR_DIALOGS_ZUVOSAVEFILES_H
#define ZUVO_EDITOR_DIALOGS_ZUVOSAVEFILES_H

#include <QDialog>
#include <QStringList>

namespace Ui {
class ZuvoSaveFiles;
}

// A list of file names from which the user picks those to save.
class ZuvoSaveFiles : public QDialog
{
    Q_OBJECT

public:
    explicit ZuvoSaveFiles(QWidget *parent = nullptr);
    ~ZuvoSaveFiles() override;

    // Appends the names, in order, after those already listed.
    void setFilenames(const QStringList &names);
    // The picked names, in list order.
    QStringList selectedFiles() const;

private:
    Ui::ZuvoSaveFiles *ui;
};

#endif
