#ifndef ZUVO_EDITOR_SHELL_MAINWINDOW_H
#define ZUVO_EDITOR_SHELL_MAINWINDOW_H

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTranslator>

class MiniBrowser;
class QCloseEvent;
class QDockWidget;
class QDragEnterEvent;
class QDragLeaveEvent;
class QDragMoveEvent;
class QDropEvent;
class QVBoxLayout;
class TabWidget;
class Ui_MainWindow;

// The word processor's one top-level window: the form with its menus and
// toolbar, the tab controller in the middle, the optional side pane in a dock
// on the left. It keeps its geometry and input settings between runs, takes
// dropped files and asks the tab controller before it closes.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Builds the window and shows it (settings decide maximised or not).
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The whole command line, program name first: the tab controller opens
    // every argument after the first.
    void initLoad(QStringList args);

    TabWidget *tabController() const { return tabWidget; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    void on_actionKeyboardLayoutHelp_triggered();
    void slotAbout();
    void slotActionExitClicked();
    void slotToggleFileBrowser(bool on);
    void slotToolbarActionToggled(bool on);
    void slotStatusbarActionToggled(bool on);
    void writeSettings();
    void readSettings();
    void slotRunUpdater();
    void onGiveMyFeedbackTriggered();
    void onHelpTopicsTriggered();
    void onLocalizeKannada(bool on);
    void onShowKeyboardExamples();
    void onShowLowerWidget(QWidget *widget);

private:
    void initActions();
    void createDockWidgets();

    Ui_MainWindow *ui = nullptr;
    TabWidget *tabWidget = nullptr;
    MiniBrowser *miniBrowser = nullptr;
    QVBoxLayout *layout = nullptr;
    QPointer<QDockWidget> dock;
    QTranslator translator;
    // Set once the user has answered every question about leaving: whatever
    // closes the window afterwards (the quit that follows Exit closes it
    // again) asks nothing more.
    bool m_leaving = false;
};

#endif
