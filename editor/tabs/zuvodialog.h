#ifndef ZUVO_EDITOR_TABS_ZUVODIALOG_H
#define ZUVO_EDITOR_TABS_ZUVODIALOG_H

#include <QFileDialog>
#include <QString>

class QCloseEvent;

// The file chooser of the Open, Save and Save As commands. Its layout and
// last folder are carried from one use to the next in the file "ZuvoFD" of
// the current directory, written when the chooser's window is closed.
class ZuvoDialog : public QFileDialog
{
    Q_OBJECT

public:
    // mode 0 chooses an existing file to open, mode 1 a name to save under.
    explicit ZuvoDialog(int mode, QWidget *parent = nullptr);
    ~ZuvoDialog() override;

    // The chosen file, or an empty string when the user cancelled.
    static QString openFileName(QWidget *parent = nullptr);
    // The chosen name; a name without suffix gets the extension of the filter
    // the user picked. Empty when the user cancelled.
    static QString saveFileName(const QString &title, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *e) override;

private slots:
    void onFilterSelected(const QString &filter);

private:
    struct Private;
    Private *const d;
};

#endif
