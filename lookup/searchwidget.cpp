#include "searchwidget.h"

#include "mediawiki.h"
#include "unicodelineedit.h"
#include "utils.h"

#include <QEvent>
#include <QFont>
#include <QMessageBox>
#include <QProgressBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

SearchWidget::SearchWidget(QWidget *parent)
    : QDialog(parent, Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , m_client(new MediaWiki(this))
    , m_wordBox(new UnicodeLineEdit(this))
    , m_browser(new QTextBrowser(this))
    , m_busy(new QProgressBar(this))
    , m_layout(new QVBoxLayout(this))
{
    setWindowTitle(tr("Zuvo - Wiktionary (Online)..."));
    setMinimumSize(400, 200);

    m_browser->setOpenLinks(false);
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->hide();

    m_layout->setContentsMargins(2, 2, 2, 2);
    m_layout->setSpacing(2);
    m_layout->addWidget(m_wordBox);
    m_layout->addWidget(m_browser);
    m_layout->addWidget(m_busy);

    connect(m_wordBox, &UnicodeLineEdit::editingFinished, this, &SearchWidget::go);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &SearchWidget::onAnchorClicked);
    connect(m_client, qOverload<bool>(&MediaWiki::finished), this, &SearchWidget::finished);
}

void SearchWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        setWindowTitle(tr("Zuvo - Wiktionary (Online)..."));
    QDialog::changeEvent(event);
}

void SearchWidget::setLanguageAndKeyboard(int language, int keyboard)
{
    m_wordBox->setLanguageAndKeyboard(language, keyboard);
    setLanguage(language);
}

void SearchWidget::setLanguage(int language)
{
    const QFont font(Utils::languageDefaultFont(language), 11);
    m_wordBox->setFont(font);
    m_browser->setFont(font);
    m_client->setLanguage(language);
}

void SearchWidget::go()
{
    m_browser->clear();
    const QString text = m_wordBox->text();
    if (text.simplified().isEmpty())
        return;
    m_client->search(text);
    m_busy->show();
}

void SearchWidget::search(QString word)
{
    m_wordBox->setText(word);
    m_browser->clear();
    m_wordBox->setFocus(Qt::OtherFocusReason);
    go();
}

void SearchWidget::addWordToWiktionary() { }

void SearchWidget::finished(bool success)
{
    Q_UNUSED(success)
    m_busy->hide();
    m_browser->setText(m_client->result());
}

void SearchWidget::onAnchorClicked(const QUrl &link)
{
    Q_UNUSED(link)
    QMessageBox::information(this, tr("Zuvo - Wiktionary (Online)...)"),
                             tr("Links are not followed in this window. Type the word "
                                "to look it up."),
                             QMessageBox::Ok);
}
