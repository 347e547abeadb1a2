#include "minibrowser.h"

#include "findandreplacedialog.h"
#include "tabwidget.h"
#include "ts.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QSplitter>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

// The up button's picture lives in this static library.
static void initMiniBrowserResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(mainwindow);
        return true;
    }();
    Q_UNUSED(done);
}

MiniBrowser::MiniBrowser(TabWidget *tabWidget, QWidget *parent)
    : QWidget(parent)
    , tabWidget(tabWidget)
{
    initMiniBrowserResources();
    // The model has no parent: the destructor deletes it after the view.
    model = new QFileSystemModel;
    model->setFilter(QDir::Dirs | QDir::Files | QDir::Drives | QDir::NoSymLinks |
                     QDir::NoDotAndDotDot);
    model->sort(0, Qt::DescendingOrder);

    view = new QTreeView;
    view->setHeaderHidden(true);
    view->setRootIsDecorated(false);
    view->sortByColumn(0, Qt::DescendingOrder);
    view->setSortingEnabled(true);
    view->setModel(model);
    view->hideColumn(1);
    view->hideColumn(2);
    view->hideColumn(3);

    pathLine = new QLineEdit;
    pathLine->setReadOnly(true);

    upButton = new QToolButton;
    upButton->setIcon(QIcon(QStringLiteral(":/resources/ts_arrow_top.png")));
    upButton->setIconSize(QSize(16, 16));

    auto *grid = new QGridLayout;
    grid->setContentsMargins(1, 1, 1, 1);
    grid->addWidget(pathLine, 0, 0);
    grid->addWidget(upButton, 0, 1);
    grid->addWidget(view, 1, 0, 1, 2);
    auto *container = new QWidget;
    container->setLayout(grid);

    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(container);
    auto *box = new QVBoxLayout;
    box->setContentsMargins(1, 1, 1, 1);
    box->addWidget(splitter);
    setLayout(box);

    connect(view, &QTreeView::doubleClicked, this, &MiniBrowser::slotDoubleClicked);
    connect(model, &QFileSystemModel::rootPathChanged, this, &MiniBrowser::slotRootPathChanged);
    connect(upButton, &QToolButton::clicked, this, &MiniBrowser::slotCdUp);

    // The view stays at the top of the file system until changeRootPath.
    model->setRootPath(QDir::homePath());
}

MiniBrowser::~MiniBrowser()
{
    // Detach the view first, so it never reaches into a deleted model.
    view->setModel(nullptr);
    delete model;
}

void MiniBrowser::changeRootPath(QString path)
{
    if (path.isEmpty())
        return;
    const QModelIndex index = model->index(path);
    if (!index.isValid())
        return;
    view->setRootIndex(index);
}

void MiniBrowser::slotRootPathChanged(QString path)
{
    pathLine->setText(path);
}

void MiniBrowser::slotCdUp()
{
    QDir dir(pathLine->text());
    if (!dir.cdUp())
        return;
    pathLine->setText(dir.path());
    changeRootPath(dir.path());
}

void MiniBrowser::slotDoubleClicked(const QModelIndex &index)
{
    if (model->isDir(index)) {
        if (index.data(Qt::DisplayRole).toString() == QLatin1String(".."))
            slotCdUp();
        else {
            const QString path = model->filePath(index);
            pathLine->setText(path);
            changeRootPath(path);
        }
        return;
    }

    const QString path = model->filePath(index);
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.isEmpty())
        return;
    static const char *const readable[] = { "txt", "html", "htm", "rtf", "nudi", "brh" };
    for (const char *kind : readable) {
        if (suffix.compare(QLatin1String(kind), Qt::CaseInsensitive) == 0) {
            if (tabWidget)
                tabWidget->editFile(path);
            return;
        }
    }
    QMessageBox::information(this, Ts::APP_NAME,
                             tr("Ouch sorry, can't handle this kind of file in Zuvo"),
                             QMessageBox::Ok);
}
