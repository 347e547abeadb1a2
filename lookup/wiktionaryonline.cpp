#include "wiktionaryonline.h"

#include "mediawiki.h"
#include "ui_wiktionaryonline.h"
#include "unicodelineedit.h"
#include "utils.h"

#include <QEvent>
#include <QFont>
#include <QShowEvent>
#include <QUrl>

// The pictures live in a static library: without this call the linker may
// drop them.
static void initWikiResources()
{
    Q_INIT_RESOURCE(dialogs_wiki);
}

WiktionaryOnline::WiktionaryOnline(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , ui(new Ui_WiktionaryOnline)
{
    initWikiResources();
    ui->setupUi(this);
    client = new MediaWiki(this);
    ui->progressBar->hide();

    connect(ui->toolButton, &QToolButton::clicked, this, &WiktionaryOnline::onSearchClicked);
    connect(ui->plainTextEdit, &UnicodeLineEdit::editingFinished, this,
            &WiktionaryOnline::onSearchClicked);
    connect(client.data(), qOverload<bool>(&MediaWiki::finished), this,
            &WiktionaryOnline::onFinished);
    connect(ui->textBrowser, &QTextBrowser::anchorClicked, this,
            &WiktionaryOnline::onAnchorClicked);

    ui->backwardButton->setEnabled(false);
    ui->forwardButton->setEnabled(false);
    connect(ui->backwardButton, &QToolButton::clicked, this, &WiktionaryOnline::onBackwardClicked);
    connect(ui->forwardButton, &QToolButton::clicked, this, &WiktionaryOnline::onForwardClicked);

    setAttribute(Qt::WA_DeleteOnClose);
}

WiktionaryOnline::~WiktionaryOnline()
{
    delete ui;
}

void WiktionaryOnline::setLanguageAndKeyboard(int language, int keyboard)
{
    ui->plainTextEdit->setLanguageAndKeyboard(language, keyboard);
    ui->plainTextEdit->setFocus(Qt::OtherFocusReason);
    ui->textBrowser->setFont(QFont(Utils::languageDefaultFont(language), 11));
    if (client)
        client->setLanguage(language);
}

void WiktionaryOnline::search(QString word)
{
    word = word.simplified();
    ui->plainTextEdit->setText(word);
    ui->plainTextEdit->setFocus(Qt::OtherFocusReason);
    onSearchClicked();
}

void WiktionaryOnline::showEvent(QShowEvent *event)
{
    activateWindow();
    QDialog::showEvent(event);
}

void WiktionaryOnline::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

void WiktionaryOnline::onSearchClicked()
{
    const QString text = ui->plainTextEdit->text();
    if (text.isEmpty()) {
        recordHistory = true;
        return;
    }
    ui->textBrowser->clear();
    ui->plainTextEdit->selectAll();
    ui->plainTextEdit->clean();

    if (client)
        client->search(text);
    ui->progressBar->show();

    if (recordHistory && text != currentWord) {
        history.push(text);
        ui->backwardButton->setEnabled(true);
    }
    currentWord = text;
    recordHistory = true;
}

void WiktionaryOnline::onFinished(bool success)
{
    Q_UNUSED(success)
    ui->progressBar->hide();
    ui->textBrowser->setText(client ? client->result() : QString());
}

void WiktionaryOnline::onAnchorClicked(const QUrl &url)
{
    if (!client)
        return;
    const QUrl site = client->siteUrl(ui->plainTextEdit->language());
    const QString entryPath = site.path() + QStringLiteral("/wiki/");
    const QString prefix = QStringLiteral("//") + site.authority() + entryPath;
    // The section or query of a link names a part of an entry, not the word.
    const QString link = url.toString(QUrl::RemoveQuery | QUrl::RemoveFragment);
    if (!link.startsWith(prefix))
        return;
    // The word is the rest of the path, fully decoded: the client encodes it
    // again, and a "%27" left in it would ask for the entry "%27".
    const QString path = url.path(QUrl::FullyDecoded);
    if (!path.startsWith(entryPath))
        return;
    search(path.mid(entryPath.size()));
}

void WiktionaryOnline::onBackwardClicked()
{
    step(-1);
}

void WiktionaryOnline::onForwardClicked()
{
    step(1);
}

// The position in the history is not kept: it is the last occurrence of the
// current word, so a word looked up twice is found at its later place.
void WiktionaryOnline::step(int direction)
{
    if (history.isEmpty())
        return;
    QString target;
    int p = -1;
    const int i = int(history.lastIndexOf(currentWord));
    if (i < 0) {
        target = history.last();
    } else {
        p = i + direction;
        if (p >= 0 && p < history.size())
            target = history.at(p);
    }
    resetButtons(p);
    recordHistory = false;
    if (!target.isEmpty()) {
        ui->plainTextEdit->setText(target);
        search(target);
    }
}

void WiktionaryOnline::resetButtons(int index)
{
    ui->backwardButton->setEnabled(index > 0);
    ui->forwardButton->setEnabled(index < history.size() - 1);
}
