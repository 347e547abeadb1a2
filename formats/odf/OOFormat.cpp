#include "OOFormat.h"

#include "FoColorName.h"

#include <QBrush>
#include <QCryptographicHash>
#include <QTextDocument>

OOFormat::OOFormat()
    : QObject(nullptr)
    , document(new QTextDocument())
    , colorTable(new FopColor(QString(), FopColor::Transparent))
{
}

OOFormat::~OOFormat()
{
    delete document;
    delete colorTable;
}

QString OOFormat::hashGenerator(QString path) const
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(path.toUtf8());
    hash.addData(QByteArrayLiteral("odt_name"));
    return QString::fromLatin1(hash.result().toHex());
}

QTextCharFormat DefaultCharFormats(bool noStylesFile, QTextCharFormat format)
{
    Q_UNUSED(noStylesFile)
    format.setFontStyleStrategy(QFont::PreferAntialias);
    return format;
}

QTextBlockFormat DefaultMargin(QTextBlockFormat format)
{
    format.setBottomMargin(4.0);
    format.setTopMargin(4.0);
    format.setRightMargin(0);
    format.setLeftMargin(0);
    format.setAlignment(Qt::AlignLeft);
    return format;
}

QTextCharFormat PreFormatChar(QTextCharFormat format)
{
    format.setFontFamilies(QStringList { QStringLiteral("courier") });
    format.setFontPointSize(11);
    format.setFontItalic(true);
    format.setForeground(QBrush(Qt::darkBlue));
    format.setFontLetterSpacing(90);
    return format;
}
