#include "foregion.h"

#include "FoColorName.h"

#include <QCryptographicHash>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextFrameFormat>

FoRegion::FoRegion()
    : bg(Qt::white)
    , bordercolor(Qt::transparent)
    , margin_top(70.8662645)
    , margin_bottom(70.8662645)
    , margin_left(70.8662645)
    , margin_right(42.5197587)
    , extra(0)
    , padding(5.66930116)
    , border(Qt::NoPen)
    , enable(false)
    , payload("<scribe/>")
{
}

FoRegion::FoRegion(const FoRegion &other) = default;
FoRegion &FoRegion::operator=(const FoRegion &other) = default;
FoRegion::~FoRegion() = default;

void FoRegion::toAll(double margin)
{
    margin_top = margin;
    margin_bottom = margin;
    margin_left = margin;
    margin_right = margin;
}

FoRegion FoRegion::marginNoBody()
{
    toAll(2.83465058);
    padding = 2.83465058;
    extra = 0;
    return *this;
}

void FoRegion::styleSmallDocument(QTextDocument *document) const
{
    if (document == nullptr)
        return;
    QTextFrame *root = document->rootFrame();
    QTextFrameFormat f = root->frameFormat();
    f.setLeftMargin(margin_left);
    f.setBottomMargin(margin_bottom);
    f.setTopMargin(margin_top);
    f.setRightMargin(margin_right);
    f.setBackground(QBrush(bg));
    f.setPadding(padding);
    root->setFrameFormat(f);
}

void FoRegion::styleReadDocument(const QTextDocument *document)
{
    if (document == nullptr)
        return;
    const QTextFrameFormat f = document->rootFrame()->frameFormat();
    margin_top = f.topMargin();
    margin_bottom = f.bottomMargin();
    margin_left = f.leftMargin();
    margin_right = f.rightMargin();
    padding = f.padding();
}

QString FoRegion::hash() const
{
    QString text = QStringLiteral("Hash-Forerin:");
    text += enable ? QStringLiteral("Enable") : QStringLiteral("Disable");
    text += QStringLiteral("%1|%2|%3|%4|")
                .arg(margin_top, 0, 'g', -1)
                .arg(margin_bottom, 0, 'g', -1)
                .arg(margin_right, 0, 'g', -1)
                .arg(margin_left, 0, 'g', -1);
    text += QStringLiteral("%1|%2|%3").arg(bg.name(), bordercolor.name()).arg(extra, 0, 'g', -1);
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex());
}

void FoRegion::fomax(FoRegion &first, FoRegion &second)
{
    const double top = qMax(first.margin_top, second.margin_top);
    const double bottom = qMax(first.margin_bottom, second.margin_bottom);
    const double left = qMax(first.margin_left, second.margin_left);
    const double right = qMax(first.margin_right, second.margin_right);
    *this = second;
    margin_top = top;
    margin_bottom = bottom;
    margin_left = left;
    margin_right = right;
}

void FoRegion::styleContainer(QDomElement element, double height) const
{
    if (element.isNull())
        return;
    FopColor colors(QString(), FopColor::Transparent);
    element.setAttribute(QStringLiteral("background-color"), colors.foName(bg));
    if (border != QPen(Qt::NoPen)) {
        element.setAttribute(QStringLiteral("border-width"), metrics(border.widthF()));
        QString style = QStringLiteral("solid");
        if (border.style() == Qt::DotLine)
            style = QStringLiteral("dotted");
        else if (border.style() == Qt::DashLine)
            style = QStringLiteral("dashed");
        element.setAttribute(QStringLiteral("border-style"), style);
        element.setAttribute(QStringLiteral("border-color"), colors.foName(bordercolor));
    }
    element.setAttribute(QStringLiteral("margin-top"), metrics(margin_top));
    element.setAttribute(QStringLiteral("margin-bottom"), metrics(margin_bottom));
    element.setAttribute(QStringLiteral("margin-left"), metrics(margin_left));
    element.setAttribute(QStringLiteral("margin-right"), metrics(margin_right));
    element.setAttribute(QStringLiteral("padding"), metrics(padding));
    element.setAttribute(QStringLiteral("overflow"), QStringLiteral("hidden"));
    if (height != 0) {
        element.setAttribute(QStringLiteral("height"),
                             metrics(qAbs(height - margin_top - padding - margin_bottom)));
    }
}

QMap<QString, QPen> FoRegion::penstyle()
{
    QMap<QString, QPen> pens;
    const QBrush black(Qt::black, Qt::SolidPattern);
    auto pen = [&black](double width, Qt::PenStyle style) {
        return QPen(black, width, style, Qt::SquareCap, Qt::BevelJoin);
    };
    pens.insert(QStringLiteral("0.0mm empty border"), QPen(Qt::NoPen));
    pens.insert(QStringLiteral("0.5mm solid"), pen(1.41732529, Qt::SolidLine));
    pens.insert(QStringLiteral("0.5mm dotline"), pen(1.41732529, Qt::DotLine));
    for (int n = 1; n <= 8; ++n) {
        const double w = n * 2.83465058;
        pens.insert(QStringLiteral("%1mm solid").arg(n), pen(w, Qt::SolidLine));
        pens.insert(QStringLiteral("%1mm dotline").arg(n), pen(w, Qt::DotLine));
        pens.insert(QStringLiteral("%1mm dashline").arg(n), pen(w, Qt::DashLine));
    }
    return pens;
}
