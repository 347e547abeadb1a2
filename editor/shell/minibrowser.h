#ifndef ZUVO_EDITOR_SHELL_MINIBROWSER_H
#define ZUVO_EDITOR_SHELL_MINIBROWSER_H

#include <QWidget>

class QFileSystemModel;
class QLineEdit;
class QModelIndex;
class QToolButton;
class QTreeView;
class TabWidget;

// A small file browser for a dock beside the documents: the folder the user
// is in, a button one folder up and a tree of names. Double-clicking a folder
// lists it; double-clicking a document the editor reads opens it in a new tab.
class MiniBrowser : public QWidget
{
    Q_OBJECT
public:
    explicit MiniBrowser(TabWidget *tabWidget, QWidget *parent = nullptr);
    ~MiniBrowser() override;

    // Lists the folder at path in the tree; an empty or unknown path is left
    // alone. The path line is not changed.
    void changeRootPath(QString path);

private slots:
    void slotDoubleClicked(const QModelIndex &index);
    void slotRootPathChanged(QString path);
    void slotCdUp();

private:
    QFileSystemModel *model = nullptr;
    QTreeView *view = nullptr;
    TabWidget *tabWidget = nullptr;
    QLineEdit *pathLine = nullptr;
    QToolButton *upButton = nullptr;
};

#endif
