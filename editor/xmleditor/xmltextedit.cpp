#include "xmltextedit.h"

#include "xmlhighlighter.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QXmlStreamReader>

static void initWindowsResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(windows);
        return true;
    }();
    Q_UNUSED(done);
}

static const int LINE_NUMBER_MARGIN = 50;

// The DOM copes badly with deep nesting: writing or freeing a tree some
// thousands of levels deep overflows the stack. Deeper text is treated as
// text that does not parse.
static const int MAX_ELEMENT_DEPTH = 1000;

static bool parseXml(const QString &text, QDomDocument *doc, QString *message = nullptr,
                     int *line = nullptr, int *column = nullptr)
{
    QXmlStreamReader reader(text);
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement && ++depth > MAX_ELEMENT_DEPTH) {
            if (message)
                *message = QCoreApplication::translate("XMLTextEdit",
                                                       "elements nested more than %1 levels deep")
                               .arg(MAX_ELEMENT_DEPTH);
            if (line)
                *line = int(reader.lineNumber());
            if (column)
                *column = int(reader.columnNumber());
            return false;
        }
        if (token == QXmlStreamReader::EndElement)
            --depth;
    }
    return bool(doc->setContent(text, false, message, line, column));
}

XMLTextEdit::XMLTextEdit(QWidget *parent)
    : QTextEdit(parent)
{
    initWindowsResources();
    setViewportMargins(LINE_NUMBER_MARGIN, 0, 0, 0);
    highlight = new XmlHighlighter(document());
    setLineWrapMode(QTextEdit::NoWrap);
    setAcceptRichText(false);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { update(); });
    connect(this, &QTextEdit::textChanged, this, [this] { update(); });
}

bool XMLTextEdit::Conform()
{
    QDomDocument doc;
    return parseXml(toPlainText(), &doc);
}

QDomDocument XMLTextEdit::xml_document()
{
    QDomDocument doc;
    if (!parseXml(toPlainText(), &doc))
        return QDomDocument();
    return doc;
}

void XMLTextEdit::setPlainText(const QString &text)
{
    QDomDocument doc;
    if (parseXml(text, &doc))
        QTextEdit::setPlainText(doc.toString(5));
    else
        QTextEdit::setPlainText(text);
}

void XMLTextEdit::Syntaxcheck()
{
    const QString text = toPlainText();
    if (text.isEmpty()) {
        QMessageBox::information(nullptr, tr("XML not found!"), tr("Null size xml document!"));
        return;
    }
    QDomDocument doc;
    QString message;
    int line = 0;
    int column = 0;
    if (parseXml(text, &doc, &message, &line, &column)) {
        QMessageBox::information(nullptr, tr("XML valid."),
                                 tr("All tag are valid size %1.").arg(text.length()));
        setPlainText(doc.toString(5));
    } else {
        QMessageBox::information(nullptr, tr("Found xml error"),
                                 tr("Check line %1 column %2 on string \"%3\"!")
                                     .arg(line - 1)
                                     .arg(column - 1)
                                     .arg(message));
    }
}

QMenu *XMLTextEdit::createOwnStandardContextMenu()
{
    QMenu *menu = createStandardContextMenu();
    menu->addAction(QIcon(QStringLiteral(":/img/zoomin.png")), tr("Zoom In CTRL/+"), this,
                    [this] { zoomIn(); });
    menu->addAction(QIcon(QStringLiteral(":/img/zoomout.png")), tr("Zoom Out CTRL/-"), this,
                    [this] { zoomOut(); });
    menu->addAction(tr("Check xml syntax"), this, &XMLTextEdit::Syntaxcheck);
    return menu;
}

void XMLTextEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createOwnStandardContextMenu();
    menu->exec(event->globalPos());
    delete menu;
}

bool XMLTextEdit::event(QEvent *event)
{
    if (event->type() == QEvent::Paint)
        paintLineNumbers();
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & Qt::ControlModifier) {
            if (key->key() == Qt::Key_Minus) {
                zoomOut(1);
                return true;
            }
            if (key->key() == Qt::Key_Plus) {
                zoomIn(1);
                return true;
            }
        }
    }
    return QTextEdit::event(event);
}

void XMLTextEdit::paintLineNumbers()
{
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, LINE_NUMBER_MARGIN, height()), QColor(QStringLiteral("#636363")));
    painter.setPen(QPen(QColor(QStringLiteral("#ffffff")), 1));
    painter.setFont(font());

    const int scroll = verticalScrollBar()->value();
    const int pageBottom = scroll + viewport()->height();
    const int ascent = fontMetrics().ascent() + 1;
    QAbstractTextDocumentLayout *layout = document()->documentLayout();
    int number = 1;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next(), ++number) {
        const QRectF rect = layout->blockBoundingRect(block);
        if (rect.bottom() < scroll)
            continue;
        if (rect.top() > pageBottom + 1)
            break;
        const QString label = QString::number(number);
        const int y = qRound(rect.top()) + ascent - scroll;
        painter.drawText(LINE_NUMBER_MARGIN - 2 - fontMetrics().horizontalAdvance(label), y, label);
    }
}
