#include "mainwindow.h"
#include "makersite.h"
#include "ui_mainwindow.h"

#include "aboutzuvo.h"
#include "findandreplacedialog.h"
#include "helptopics.h"
#include "keyboadmapping.h"
#include "keyboardexamples.h"
#include "minibrowser.h"
#include "tabwidget.h"
#include "textencoding.h"
#include "ts.h"
#include "utils.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// More files than this in one drop are left out: each one is a tab.
constexpr int MaxDroppedFiles = 32;

} // namespace

// The form's icons live in this static library and the find icon in the
// dictionaries library: both collections are registered before the form.
// (Outside any namespace, as the resource functions are global.)
static void initMainWindowResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(mainform);
        Q_INIT_RESOURCE(dialogs_wiki);
        return true;
    }();
    Q_UNUSED(done);
}

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    initMainWindowResources();
    ui = new Ui_MainWindow;
    ui->setupUi(this);
    setWindowTitle(Utils::appName());

    tabWidget = new TabWidget(this, nullptr);

    auto *central = new QWidget(this);
    layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabWidget, 0);
    setCentralWidget(central);

    initActions();
    setWindowIcon(QIcon(QStringLiteral(":/resources/ts_appIcon.png")));
    setAcceptDrops(true);
    readSettings();
}

MainWindow::~MainWindow()
{
    writeSettings();
    delete dock;
    // The tab controller goes while the window around it is still whole: on
    // its way out it reaches the form's actions and menus by name.
    delete tabWidget;
    tabWidget = nullptr;
    delete ui;
}

void MainWindow::initLoad(QStringList args)
{
    tabWidget->initLoad(args);
    if (miniBrowser)
        miniBrowser->changeRootPath(QDir::homePath());
}

void MainWindow::initActions()
{
    connect(ui->actionNew, &QAction::triggered, tabWidget, &TabWidget::slotNew);
    connect(ui->actionOpen, &QAction::triggered, tabWidget, &TabWidget::slotOpen);
    connect(ui->actionSave, &QAction::triggered, tabWidget, &TabWidget::slotSave);
    connect(ui->actionSave_as, &QAction::triggered, tabWidget, &TabWidget::slotSaveAs);
    connect(ui->actionPDF, &QAction::triggered, tabWidget, &TabWidget::slotExportToPdf);
    connect(ui->actionClose, &QAction::triggered, tabWidget, &TabWidget::slotCloseCurrentTab);
    connect(ui->actionPrint, &QAction::triggered, tabWidget, &TabWidget::slotPrint);
    connect(ui->actionPrint_preview, &QAction::triggered, tabWidget, &TabWidget::slotPrintPreview);
    connect(ui->actionPrint_Setup, &QAction::triggered, tabWidget, &TabWidget::slotPageSetup);
    connect(ui->actionExit, &QAction::triggered, this, &MainWindow::slotActionExitClicked);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::slotAbout);
    connect(ui->actionToolbar, &QAction::toggled, this, &MainWindow::slotToolbarActionToggled);
    connect(ui->actionStatusbar, &QAction::toggled, this, &MainWindow::slotStatusbarActionToggled);
    connect(ui->actionSidepane, &QAction::toggled, this, &MainWindow::slotToggleFileBrowser);
    connect(ui->actionCheckForUpdates, &QAction::triggered, this, &MainWindow::slotRunUpdater);
    connect(ui->actionGiveMyFeedback, &QAction::triggered, this,
            &MainWindow::onGiveMyFeedbackTriggered);
    connect(ui->actionHelp_Topics, &QAction::triggered, this, &MainWindow::onHelpTopicsTriggered);
    connect(ui->actionKeyboard_Examples, &QAction::triggered, this,
            &MainWindow::onShowKeyboardExamples);
    connect(ui->actionLocalize_Kannada, &QAction::triggered, this, &MainWindow::onLocalizeKannada);
    connect(tabWidget, &TabWidget::showLowerWidget, this, &MainWindow::onShowLowerWidget);
}

void MainWindow::readSettings()
{
    QSettings settings(Ts::ORG_NAME, Ts::APP_NAME);
    settings.beginGroup(QStringLiteral("Geometry"));
    resize(settings.value(QStringLiteral("size"), QSize(400, 400)).toSize());
    move(settings.value(QStringLiteral("pos"), QPoint(200, 200)).toPoint());
    if (settings.value(QStringLiteral("isMaximized"), QStringLiteral("1")).toBool())
        showMaximized();
    else
        show();
    const bool sidePane =
        settings.value(QStringLiteral("isMiniBrowserShown"), QStringLiteral("1")).toBool();
    if (dock) {
        ui->actionSidepane->setChecked(sidePane);
        dock->setVisible(sidePane);
    }
    const bool toolbar =
        settings.value(QStringLiteral("isToolbarShown"), QStringLiteral("1")).toBool();
    ui->actionToolbar->setChecked(toolbar);
    ui->mainToolBar->setVisible(toolbar);
    const bool statusbar =
        settings.value(QStringLiteral("isStatusbarShown"), QStringLiteral("1")).toBool();
    ui->actionStatusbar->setChecked(statusbar);
    ui->statusBar->setVisible(statusbar);
    settings.endGroup();

    settings.beginGroup(QStringLiteral("InputSettings"));
    tabWidget->slotLanguageChanged(settings.value(QStringLiteral("language"), 0).toInt());
    tabWidget->slotKeyboardChanged(settings.value(QStringLiteral("keyboard"), 0).toInt());
    const QString workingDir = settings.value(QStringLiteral("WorkingDir"), QString()).toString();
    if (!workingDir.isEmpty())
        tabWidget->onWorkingDirChanged(workingDir);
    tabWidget->setAutoComplpetePrefixLength(
        settings.value(QStringLiteral("AutoComplpetePrefixLength"), 5).toInt());
    tabWidget->setSpellCheckAsYouType(
        settings.value(QStringLiteral("isSpellCheckAsYouType"), true).toBool());
    tabWidget->setTextEncodingIndex(
        settings.value(QStringLiteral("Encoding"), TextEncoding::Utf8).toInt());
    const bool localize = settings.value(QStringLiteral("Localize"), 0).toInt() != 0;
    ui->actionLocalize_Kannada->setChecked(localize);
    onLocalizeKannada(localize);
    settings.endGroup();
}

void MainWindow::writeSettings()
{
    QSettings settings(Ts::ORG_NAME, Ts::APP_NAME);
    settings.beginGroup(QStringLiteral("Geometry"));
    settings.setValue(QStringLiteral("size"), size());
    settings.setValue(QStringLiteral("pos"), pos());
    settings.setValue(QStringLiteral("isMaximized"), isMaximized());
    settings.setValue(QStringLiteral("isMiniBrowserShown"), ui->actionSidepane->isChecked());
    settings.setValue(QStringLiteral("isToolbarShown"), ui->actionToolbar->isChecked());
    settings.setValue(QStringLiteral("isStatusbarShown"), ui->actionStatusbar->isChecked());
    settings.endGroup();

    settings.beginGroup(QStringLiteral("InputSettings"));
    settings.setValue(QStringLiteral("language"), tabWidget->language());
    settings.setValue(QStringLiteral("keyboard"), tabWidget->keyboard());
    settings.setValue(QStringLiteral("WorkingDir"), tabWidget->workingDir());
    settings.setValue(QStringLiteral("AutoComplpetePrefixLength"),
                      tabWidget->autoComplpetePrefixLength());
    settings.setValue(QStringLiteral("isSpellCheckAsYouType"), tabWidget->spellCheckAsYouType());
    settings.setValue(QStringLiteral("Encoding"), tabWidget->textEncodingIndex());
    settings.setValue(QStringLiteral("Localize"), ui->actionLocalize_Kannada->isChecked() ? 1 : 0);
    settings.endGroup();
}

void MainWindow::onLocalizeKannada(bool on)
{
    // Looked for in the working folder; a missing file leaves it empty.
    const bool loaded = translator.load(QStringLiteral("zuvo_kn"));
    Q_UNUSED(loaded);
    if (on) {
        QCoreApplication::installTranslator(&translator);
        QApplication::setFont(QFont(QStringLiteral("Tunga"), 11));
    } else {
        QApplication::setFont(QFont(QStringLiteral("MS Shell Dlg 2"), 10));
        QCoreApplication::removeTranslator(&translator);
    }
    ui->retranslateUi(this);
}

void MainWindow::createDockWidgets()
{
    dock = new QDockWidget(tr("Side Pane"), this);
    miniBrowser = new MiniBrowser(tabWidget, nullptr);
    dock->hide();
    dock->setFloating(false);
    dock->setWidget(miniBrowser);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock->setTitleBarWidget(nullptr);
}

void MainWindow::slotToggleFileBrowser(bool on)
{
    if (!dock)
        createDockWidgets();
    dock->setVisible(on);
}

void MainWindow::slotToolbarActionToggled(bool on)
{
    ui->mainToolBar->setVisible(on);
}

void MainWindow::slotStatusbarActionToggled(bool on)
{
    ui->statusBar->setVisible(on);
}

void MainWindow::onShowLowerWidget(QWidget *widget)
{
    // The find-and-replace bar is docked once under the tabs and stays there.
    if (widget && layout->count() <= 1)
        layout->addWidget(widget, 0);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent *event)
{
    event->acceptProposedAction();
}

void MainWindow::dragLeaveEvent(QDragLeaveEvent *event)
{
    event->accept();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    if (!data || !data->hasUrls())
        return;
    const QList<QUrl> urls = data->urls();
    const int count = qMin(int(urls.size()), MaxDroppedFiles);
    for (int i = 0; i < count; ++i)
        tabWidget->editFile(urls.at(i).toLocalFile());
    // The files left out are named by number, so that none goes missing
    // unnoticed.
    if (count < urls.size())
        statusBar()->showMessage(tr("Only the first %1 of the %2 dropped files were opened.")
                                     .arg(count)
                                     .arg(urls.size()));
    event->acceptProposedAction();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_leaving)
        return;
    if (tabWidget->slotExit())
        m_leaving = true;
    else
        event->ignore();
}

// The same questions as the window's close button, asked once: closing the
// window asks them, and the quit after it finds them answered.
void MainWindow::slotActionExitClicked()
{
    if (close())
        QCoreApplication::quit();
}

void MainWindow::slotAbout()
{
    AboutZuvo about(this);
    about.exec();
}

void MainWindow::onHelpTopicsTriggered()
{
    HelpTopics help(nullptr);
    help.exec();
}

void MainWindow::onShowKeyboardExamples()
{
    KeyboardExamples examples(nullptr);
    examples.exec();
}

void MainWindow::on_actionKeyboardLayoutHelp_triggered()
{
    KeyboadMapping mapping(tabWidget->language(), tabWidget->keyboard(), nullptr);
    mapping.exec();
}

void MainWindow::slotRunUpdater()
{
    QDesktopServices::openUrl(QUrl(MakerSite::downloadPage()));
}

void MainWindow::onGiveMyFeedbackTriggered()
{
    QDesktopServices::openUrl(QUrl(MakerSite::feedbackPage()));
}
