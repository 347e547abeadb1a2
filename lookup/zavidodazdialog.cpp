#include "zavidodazdialog.h"
#include "makersite.h"
#include "ui_zavidodazdialog.h"

#include "dictionary.h"
#include "ts.h"
#include "utils.h"

#include <QFont>
#include <QMessageBox>
#include <QSettings>
#include <QShowEvent>
#include <QTimer>
#include <QUrl>

namespace {

// Links of the near-by words; they only ever look words up here.
const QString WordLinkPrefix = QStringLiteral("kosha-word:");

const int StatusMessageMs = 6000;

} // namespace

// The button images live in the library's shared resource file; a static
// library would otherwise let the linker drop them.
static void initDictionaryDialogResources()
{
    Q_INIT_RESOURCE(dialogs_wiki);
}

ZaviDodazDialog::ZaviDodazDialog(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , form(new Ui_ZaviDodazDialog)
    , dictionary(new Dictionary)
{
    initDictionaryDialogResources();
    form->setupUi(this);

    connect(form->searchButton, &QToolButton::clicked, this, &ZaviDodazDialog::onSearchClicked);
    connect(form->forwardButton, &QToolButton::clicked, this, &ZaviDodazDialog::onForwardClicked);
    connect(form->backwardButton, &QToolButton::clicked, this, &ZaviDodazDialog::onBackwardClicked);
    form->forwardButton->setEnabled(false);
    form->backwardButton->setEnabled(false);

    connect(form->textBrowser, &QTextBrowser::backwardAvailable, this,
            &ZaviDodazDialog::onBackwardAvailable);
    connect(form->textBrowser, &QTextBrowser::forwardAvailable, this,
            &ZaviDodazDialog::onForwardAvailable);
    connect(form->textBrowser, &QTextBrowser::anchorClicked, this,
            &ZaviDodazDialog::onAnchorClicked);
    connect(form->wordLineEdit, &UnicodeLineEdit::editingFinished, this,
            &ZaviDodazDialog::onSearchClicked);
    connect(form->wordLineEdit, &UnicodeLineEdit::focusChanged, this,
            [this] { updateStatusMessage(); });

    QSettings settings(Ts::ORG_NAME, Ts::DCT_NAME);
    settings.beginGroup(QStringLiteral("Geometry"));
    resize(settings.value(QStringLiteral("size"), QSize(400, 300)).toSize());
    move(settings.value(QStringLiteral("pos"), QPoint(200, 200)).toPoint());
    settings.endGroup();

    updateStatusMessage();
}

ZaviDodazDialog::~ZaviDodazDialog()
{
    QSettings settings(Ts::ORG_NAME, Ts::DCT_NAME);
    settings.beginGroup(QStringLiteral("Geometry"));
    settings.setValue(QStringLiteral("size"), size());
    settings.setValue(QStringLiteral("pos"), pos());
    settings.endGroup();

    delete dictionary;
    delete form;
}

void ZaviDodazDialog::setLanguageAndKeyboard(int language, int keyboard)
{
    this->language = language;
    this->keyboard = keyboard;
    form->wordLineEdit->setLanguageAndKeyboard(language, keyboard);
    onLanguageActionToggled(true);
}

void ZaviDodazDialog::searchMe(const QString &word)
{
    form->wordLineEdit->setText(word);
    const QString simplified = word.simplified();
    if (!simplified.isEmpty())
        search(simplified);
}

void ZaviDodazDialog::search(const QString &text)
{
    form->textBrowser->clear();
    form->wordLineEdit->selectAll();
    form->wordLineEdit->clean();
    const QString word = text.trimmed();

    QString meaning;
    if (!dictionary->findMeaningOf(word, meaning))
        return;

    if (!meaning.isEmpty()) {
        // The headword (the text before the first tag) becomes a heading.
        const qsizetype tag = meaning.indexOf(u'<');
        if (tag >= 0) {
            meaning.insert(tag, QStringLiteral("</font></h2>"));
            meaning.prepend(QStringLiteral("<h2><font color=\"darkblue\">&nbsp;&nbsp;"));
            form->textBrowser->setHtml(meaning);
        }
    } else {
        updateStatusMessage(tr("Word not found. Sorry!"));
        // The word and the headwords are text, not mark-up.
        form->textBrowser->append(
            QStringLiteral("<i><b><font color=\"red\">&nbsp;&nbsp;%1</font></b></i>")
                .arg(word.toHtmlEscaped()));
        const QStringList near = dictionary->nearByWords(word);
        // The headword is percent-encoded in the link: "%", "#", "?" and
        // blanks in it must come back from a click as they are.
        for (const QString &w : near) {
            const QString href = WordLinkPrefix + QString::fromLatin1(QUrl::toPercentEncoding(w));
            form->textBrowser->append(QStringLiteral("<a href=\"%1\">%2</a>")
                                          .arg(href.toHtmlEscaped(), w.toHtmlEscaped()));
        }
    }

    if (record && word != lastWord) {
        history.append(word);
        if (history.size() > 1)
            form->backwardButton->setEnabled(true);
    }
    lastWord = word;
    record = true;
}

void ZaviDodazDialog::showEvent(QShowEvent *event)
{
    activateWindow();
    form->wordLineEdit->selectAll();
    form->wordLineEdit->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void ZaviDodazDialog::onSearchClicked()
{
    const QString word = form->wordLineEdit->text();
    if (word.isEmpty()) {
        updateStatusMessage(tr("You have not entered any word!"));
        return;
    }
    search(word);
}

void ZaviDodazDialog::onStopClicked() { }

void ZaviDodazDialog::onAnchorClicked(const QUrl &url)
{
    // Taken fully encoded and decoded once: what the link encoded comes back
    // exactly, "%41" in a headword included.
    const QString s = url.toString(QUrl::FullyEncoded);
    if (!s.startsWith(WordLinkPrefix))
        return;
    const QString word = QUrl::fromPercentEncoding(s.mid(WordLinkPrefix.size()).toLatin1());
    form->wordLineEdit->setText(word);
    onSearchClicked();
}

void ZaviDodazDialog::onBackwardAvailable(bool available)
{
    form->backwardButton->setEnabled(available);
}

void ZaviDodazDialog::onForwardAvailable(bool available)
{
    form->forwardButton->setEnabled(available);
}

void ZaviDodazDialog::goTo(bool back)
{
    if (history.isEmpty())
        return;
    const qsizetype i = history.lastIndexOf(lastWord);
    QString target;
    if (i == -1) {
        target = history.last();
        form->backwardButton->setEnabled(false);
        form->forwardButton->setEnabled(true);
    } else {
        const qsizetype j = back ? i - 1 : i + 1;
        if (j >= 0 && j < history.size())
            target = history.at(j);
        form->backwardButton->setEnabled(back ? j > 0 : true);
        form->forwardButton->setEnabled(j < history.size() - 1);
    }
    if (target.isEmpty())
        return;
    record = false;
    form->wordLineEdit->setText(target);
    search(target);
}

void ZaviDodazDialog::onBackwardClicked()
{
    goTo(true);
}

void ZaviDodazDialog::onForwardClicked()
{
    goTo(false);
}

void ZaviDodazDialog::onTimeOut()
{
    form->statusBar->clear();
}

void ZaviDodazDialog::onLanguageActionToggled(bool on)
{
    if (!on)
        return;
    const bool found = dictionary->isDictAvailable(language);
    if (found) {
        form->textBrowser->setFont(QFont(Utils::languageDefaultFont(language), 11));
        form->wordLineEdit->setLanguageAndKeyboard(language, keyboard);
    } else {
        QMessageBox::information(this, QStringLiteral("ZaviDodaz"),
                                 tr("Dictionary is not found for <b>%1</b>! <br/>Check here => %2")
                                     .arg(Utils::languageName(language),
                                          QStringLiteral("<a href=\"%1\">%2</a>")
                                              .arg(MakerSite::contactPage(), MakerSite::name())),
                                 QMessageBox::Ok);
    }
    form->wordLineEdit->setEnabled(found);
    form->textBrowser->setEnabled(found);
    updateStatusMessage();
}

void ZaviDodazDialog::onKeyboardActionToggled(bool) { }

void ZaviDodazDialog::onAboutClicked() { }

void ZaviDodazDialog::onExitClicked() { }

void ZaviDodazDialog::onActionInformationClicked() { }

void ZaviDodazDialog::updateStatusMessage(QString msg)
{
    if (msg.isEmpty())
        msg = tr("Use \" F11\" key to toggle between %1 & English")
                  .arg(Utils::languageName(language));
    form->statusBar->setText(msg);
    QTimer::singleShot(StatusMessageMs, this, &ZaviDodazDialog::onTimeOut);
}
