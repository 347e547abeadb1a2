#include "mainwindow.h"

#include "dictinfo.h"
#include "dictionary.h"
#include "makersite.h"
#include "ts.h"
#include "ui_mainwindow.h"
#include "utils.h"
#include "vavovaruvidedurovid.h"

#include <QActionGroup>
#include <QApplication>
#include <QDebug>
#include <QMessageBox>
#include <QSettings>
#include <QTranslator>
#include <QUrl>

namespace {

constexpr int MessageTimeout = 4000;
constexpr int KeyboardLayouts = 4;

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui_RozoDezu)
{
    Q_INIT_RESOURCE(dazedevive);
    ui->setupUi(this);
    // Without any hint the platform shows all its title-bar buttons, so the
    // wanted ones are named before the maximise button is taken away.
    Qt::WindowFlags flags = windowFlags();
    if (!(flags & Qt::CustomizeWindowHint))
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
            Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    setWindowFlags(flags & ~Qt::WindowMaximizeButtonHint);
    // The framed panel with its grid fills the window; the form's plain
    // central widget goes with the replacement.
    setCentralWidget(ui->myCentralWidget);

    m_dictionary = new Dictionary;

    connect(ui->searchButton, &QToolButton::clicked, this, &MainWindow::onSearchClicked);
    connect(ui->forwardButton, &QToolButton::clicked, this, &MainWindow::onForwardClicked);
    connect(ui->backwardButton, &QToolButton::clicked, this, &MainWindow::onBackwardClicked);
    ui->forwardButton->setEnabled(false);
    ui->backwardButton->setEnabled(false);
    connect(ui->textBrowser, &QTextBrowser::backwardAvailable, this,
            &MainWindow::onBackwardAvailable);
    connect(ui->textBrowser, &QTextBrowser::forwardAvailable, this,
            &MainWindow::onForwardAvailable);
    connect(ui->textBrowser, &QTextBrowser::anchorClicked, this, &MainWindow::onAnchorClicked);
    connect(ui->wordLineEdit, &UnicodeLineEdit::editingFinished, this,
            &MainWindow::onSearchClicked);
    connect(ui->wordLineEdit, &UnicodeLineEdit::focusChanged, this,
            &MainWindow::updateStatusMessage);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::onAboutClicked);
    connect(ui->actionExit, &QAction::triggered, this, &MainWindow::onExitClicked);
    connect(ui->actionLocalize_Kannada, &QAction::triggered, this, &MainWindow::onLocalizeKannada);

    m_languageGroup = new QActionGroup(this);
    m_languageGroup->setExclusive(true);
    for (QAction *action : ui->menuLanguage->actions()) {
        action->setCheckable(true);
        m_languageGroup->addAction(action);
        connect(action, &QAction::toggled, this, &MainWindow::onLanguageActionToggled);
    }
    m_keyboardGroup = new QActionGroup(this);
    m_keyboardGroup->setExclusive(true);
    for (QAction *action : ui->menuKeyboard->actions()) {
        action->setCheckable(true);
        m_keyboardGroup->addAction(action);
        connect(action, &QAction::toggled, this, &MainWindow::onKeyboardActionToggled);
    }
    connect(ui->actionInfo, &QAction::triggered, this, &MainWindow::onActionInformationClicked);

    readSettings();
    updateStatusMessage();

    if (!m_dictionary->isDictAvailable(0)) {
        const QString link = QStringLiteral("<a href=\"%1\">%2</a>")
                                 .arg(MakerSite::contactPage(), MakerSite::base());
        QMessageBox::information(this, QStringLiteral("ZaviDodaz"),
                                 tr("Dictionary is not found!! <br/>Check here => %1").arg(link),
                                 QMessageBox::Ok);
    }
    ui->textBrowser->setFont(QFont(QStringLiteral("Tunga"), 11));

    m_dictionary->init();
    ui->wordLineEdit->setCompleter(m_dictionary->allUnicodeWords());
}

MainWindow::~MainWindow()
{
    writeSettings();
    // The widgets outlive this part of the window: a visible window loses the
    // focus while QWidget's destructor closes it, and the word box's
    // focusChanged must not reach updateStatusMessage() through a deleted form.
    for (QObject *child : findChildren<QObject *>())
        disconnect(child, nullptr, this, nullptr);
    delete m_dictionary;
    delete ui;
}

QStringList MainWindow::history() const
{
    return QStringList(m_history.cbegin(), m_history.cend());
}

void MainWindow::readSettings()
{
    QSettings settings(Ts::ORG_NAME, Ts::DCT_NAME);
    settings.beginGroup(QStringLiteral("Geometry"));
    resize(settings.value(QStringLiteral("size"), QSize(500, 400)).toSize());
    move(settings.value(QStringLiteral("pos"), QPoint(200, 200)).toPoint());
    ui->actionLocalize_Kannada->setChecked(
        settings.value(QStringLiteral("Localize"), false).toBool());
    onLocalizeKannada(settings.value(QStringLiteral("Localize"), false).toBool());
    settings.endGroup();

    QSettings input(Ts::ORG_NAME, Ts::APP_NAME);
    input.beginGroup(QStringLiteral("InputSettings"));
    int keyboard = input.value(QStringLiteral("keyboard"), 0).toInt();
    input.endGroup();
    // The Keyboard menu has four layouts; any other stored value means the
    // first, as it does everywhere else in the system.
    if (keyboard < 0 || keyboard >= KeyboardLayouts)
        keyboard = 0;

    ui->menuLanguage->actions().first()->setChecked(true);
    const QList<QAction *> layouts = ui->menuKeyboard->actions();
    if (keyboard < layouts.size())
        layouts.at(keyboard)->setChecked(true);
}

void MainWindow::writeSettings()
{
    QSettings settings(Ts::ORG_NAME, Ts::DCT_NAME);
    settings.beginGroup(QStringLiteral("Geometry"));
    settings.setValue(QStringLiteral("size"), size());
    settings.setValue(QStringLiteral("pos"), pos());
    settings.setValue(QStringLiteral("Localize"), ui->actionLocalize_Kannada->isChecked());
    settings.endGroup();

    QSettings input(Ts::ORG_NAME, Ts::APP_NAME);
    input.beginGroup(QStringLiteral("InputSettings"));
    input.setValue(QStringLiteral("keyboard"), m_currentKeyboard);
    input.endGroup();
}

void MainWindow::setLanguageAndKeyboard(int language, int keyboard)
{
    m_currentLanguage = language;
    m_currentKeyboard = keyboard;
    ui->wordLineEdit->setLanguageAndKeyboard(language, keyboard);
}

void MainWindow::onLocalizeKannada(bool checked)
{
    // The translator only lives for this call: it translates the texts the
    // form sets below, and everything shown later keeps its English text.
    QTranslator translator;
    const bool loaded = translator.load(QStringLiteral("dudadidoz_iv"));
    if (checked) {
        if (!loaded)
            qDebug() << "dictionary: no translation dudadidoz_iv in the current folder";
        QCoreApplication::installTranslator(&translator);
        QApplication::setFont(QFont(QStringLiteral("Tunga"), 9));
    } else {
        QApplication::setFont(QFont(QStringLiteral("MS Shell Dlg 2"), 8));
    }
    ui->retranslateUi(this);
}

void MainWindow::onMessageReceived(QString msg)
{
    Q_UNUSED(msg);
    raise();
}

void MainWindow::onSearchClicked()
{
    const QString word = ui->wordLineEdit->text();
    // Blanks alone are no word: looking them up would show every head word
    // as a nearby word and record an empty entry.
    if (word.trimmed().isEmpty()) {
        ui->statusBar->showMessage(tr("You have not entered any text"), MessageTimeout);
        return;
    }
    search(word);
}

void MainWindow::onStopClicked() { }

void MainWindow::search(QString word)
{
    const int stepTarget = m_stepTarget;
    m_stepTarget = -1;

    ui->textBrowser->clear();
    ui->wordLineEdit->selectAll();
    ui->wordLineEdit->clean();

    word = word.trimmed();
    QString meaning;
    if (!m_dictionary->findMeaningOf(word, meaning))
        return;

    if (!meaning.isEmpty()) {
        const qsizetype lt = meaning.indexOf(QLatin1Char('<'));
        if (lt >= 0) {
            meaning.insert(lt, QStringLiteral("</font></h2>"));
            meaning.prepend(QStringLiteral("<h2><font color=\"darkblue\">&nbsp;&nbsp;"));
            ui->textBrowser->setHtml(meaning);
        }
    } else {
        ui->statusBar->showMessage(tr("Word not found. Sorry!"), MessageTimeout);
        // The word is the user's text: shown escaped, and carried in the link
        // percent-encoded so that "#", "?" or "%" stay part of it.
        ui->textBrowser->append(
            QStringLiteral("<i><b><font color=\"red\">&nbsp;&nbsp;%1</font></i></b>")
                .arg(word.toHtmlEscaped()));
        const QStringList nearBy = m_dictionary->nearByWords(word);
        for (const QString &near : nearBy) {
            const QString href =
                MakerSite::wordLinkPrefix() + QString::fromLatin1(QUrl::toPercentEncoding(near));
            ui->textBrowser->append(QStringLiteral("<a href=\"%1\">%2</a>")
                                        .arg(href.toHtmlEscaped(), near.toHtmlEscaped()));
        }
    }

    const bool recorded = m_recording && word != m_currentWord;
    if (recorded) {
        m_history.push(word);
        ui->backwardButton->setEnabled(m_history.size() > 1);
        m_historyPos = int(m_history.size()) - 1;
    } else if (!m_recording && stepTarget >= 0 && stepTarget < m_history.size() &&
               m_history.at(stepTarget) == word) {
        m_historyPos = stepTarget;
    } else if (m_historyPos < 0 || m_historyPos >= m_history.size() ||
               m_history.at(m_historyPos) != word) {
        m_historyPos = int(m_history.lastIndexOf(word));
    }
    m_currentWord = word;
    m_recording = true;
}

void MainWindow::stepHistory(int step)
{
    if (m_history.isEmpty())
        return;
    const int size = int(m_history.size());
    QString target;
    int j = -1;
    if (m_historyPos < 0) {
        target = m_history.last();
    } else {
        j = m_historyPos + step;
        if (j >= 0 && j < size)
            target = m_history.at(j);
    }
    ui->backwardButton->setEnabled(j > 0);
    ui->forwardButton->setEnabled(j < size - 1);
    if (target.isEmpty())
        return;
    m_recording = false;
    m_stepTarget = j < 0 ? size - 1 : j;
    ui->wordLineEdit->setText(target);
    search(target);
}

void MainWindow::onBackwardClicked()
{
    stepHistory(-1);
}

void MainWindow::onForwardClicked()
{
    stepHistory(+1);
}

void MainWindow::onAnchorClicked(const QUrl &link)
{
    // Fully encoded, the text of a word link is the prefix followed by the
    // percent-encoded word, whatever characters the word holds.
    const QString text = link.toString(QUrl::FullyEncoded);
    const QString prefix = MakerSite::wordLinkPrefix();
    if (!text.startsWith(prefix))
        return;
    const QString word = QUrl::fromPercentEncoding(text.mid(prefix.size()).toLatin1());
    ui->wordLineEdit->setText(word);
    onSearchClicked();
}

void MainWindow::onBackwardAvailable(bool available)
{
    ui->backwardButton->setEnabled(available);
}

void MainWindow::onForwardAvailable(bool available)
{
    ui->forwardButton->setEnabled(available);
}

void MainWindow::onLanguageActionToggled(bool on)
{
    if (!on)
        return;
    setLanguageAndKeyboard(
        int(m_languageGroup->actions().indexOf(m_languageGroup->checkedAction())),
        m_currentKeyboard);
    updateStatusMessage();
}

void MainWindow::onKeyboardActionToggled(bool on)
{
    if (!on)
        return;
    setLanguageAndKeyboard(
        m_currentLanguage,
        int(m_keyboardGroup->actions().indexOf(m_keyboardGroup->checkedAction())));
}

void MainWindow::onAboutClicked()
{
    VavovAruvIdedurovid about(this);
    about.exec();
}

void MainWindow::onExitClicked()
{
    QCoreApplication::exit(0);
}

void MainWindow::onActionInformationClicked()
{
    DictInfo info(this);
    if (m_dictionary->available) {
        const QStringList data = m_dictionary->dictInfo();
        if (data.size() == 3)
            info.updateData(data.at(0), data.at(1), data.at(2));
    } else {
        info.updateData(QString(), QString(), QString());
    }
    info.exec();
}

void MainWindow::updateStatusMessage()
{
    ui->statusBar->showMessage(tr("Use \" F11\" key to toggle between %1 & English")
                                   .arg(Utils::languageName(m_currentLanguage)));
}
