#include "FoColorName.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

#include <atomic>
#include <cmath>

namespace {

std::atomic<int> injectedDpi { 0 };
std::atomic<int> screenDpi { 0 };

struct UnitFactor
{
    const char *suffix;
    double factor;
};

// Tested in this order; the metric factors are the ones the import has always
// used (2.83465058 points per millimetre) and "dd" is twelve didot points.
const UnitFactor unitFactors[] = {
    { "cm", 28.3465058 }, { "em", 1.0 },       { "mm", 2.83465058 },
    { "dm", 283.465058 }, { "in", 72.0 },      { "inch", 72.0 },
    { "pi", 12.0 },       { "dd", 154.08124 }, { "cc", 12.840103 },
};

// A number that cannot be read, or that is not finite ("nan", "inf", "1e400"),
// counts as no number.
double readNumber(const QString &text)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0.0;
    return v;
}

double screenFactor()
{
    const int d = unitDpi();
    if (d < 72)
        return 1.0 - (72.0 - d) / 100.0 + 0.09741;
    if (d == 72)
        return 1.0;
    return 1.0 + (d - 72.0) / 100.0 + 0.09741;
}

// Factor of a whole unit name for Pointo/ToPoint; 0 for points and pixels, -1
// for a name they do not know.
double namedFactor(const QString &unit)
{
    if (unit == QLatin1String("pt") || unit == QLatin1String("px"))
        return 0.0;
    static const char *const known[] = { "cm", "mm", "dm", "inch", "pi", "dd", "cc" };
    for (const char *k : known) {
        if (unit == QLatin1String(k)) {
            for (const UnitFactor &f : unitFactors) {
                if (qstrcmp(f.suffix, k) == 0)
                    return f.factor;
            }
        }
    }
    return -1.0;
}

} // namespace

void setUnitDpi(int dpi)
{
    injectedDpi.store(dpi > 0 ? dpi : 0);
}

int unitDpi()
{
    const int injected = injectedDpi.load();
    if (injected > 0)
        return injected;
    const int cached = screenDpi.load();
    if (cached > 0)
        return cached;
    // The screen may only be asked in the application's own thread; the import
    // thread uses what an earlier call there found, or 96.
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (app != nullptr && QThread::currentThread() == app->thread()) {
        int d = 96;
        if (QScreen *screen = QGuiApplication::primaryScreen())
            d = qRound(screen->logicalDotsPerInchY());
        if (d <= 0)
            d = 96;
        screenDpi.store(d);
        return d;
    }
    return 96;
}

double Unit(QString text)
{
    const QString original = text;
    text.remove(QLatin1Char(' '));
    text = text.trimmed();
    if (text.isEmpty())
        return -1.0;
    if (text.endsWith(QLatin1Char('%')))
        return 100.0;
    if (original == QLatin1String("0"))
        return 0.0;
    if (text.endsWith(QLatin1String("pt")) || text.endsWith(QLatin1String("px")))
        return readNumber(text.left(text.size() - 2));

    double value = -1.0;
    for (const UnitFactor &f : unitFactors) {
        const QLatin1String suffix(f.suffix);
        if (text.endsWith(suffix)) {
            value = readNumber(text.left(text.size() - suffix.size())) * f.factor;
            break;
        }
    }
    return value * screenFactor();
}

double Pointo(double points, QString unit)
{
    const double f = namedFactor(unit);
    if (f == 0.0)
        return points;
    if (f < 0)
        return -1.0;
    return points / f;
}

double ToUnit(double points, QString unit)
{
    return Pointo(points, unit);
}

double ToPoint(double value, QString unit)
{
    const double f = namedFactor(unit);
    if (f == 0.0)
        return value;
    if (f < 0)
        return -1.0;
    return value * f;
}

QString metrics(double points)
{
    return QStringLiteral("%1mm").arg(Pointo(points, QStringLiteral("mm")), 0, 'g', -1,
                                      QLatin1Char(' '));
}

// ---------------------------------------------------------------- FopColor

namespace {

struct NamedRgb
{
    const char *name;
    int r, g, b;
};

// The colour keywords of CSS (the SVG names, both spellings of grey), and two
// names of our own for the colour of azure.
const NamedRgb colourKeywords[] = {
    { "aliceblue", 240, 248, 255 },
    { "antiquewhite", 250, 235, 215 },
    { "aqua", 0, 255, 255 },
    { "aquamarine", 127, 255, 212 },
    { "azure", 240, 255, 255 },
    { "beige", 245, 245, 220 },
    { "bisque", 255, 228, 196 },
    { "black", 0, 0, 0 },
    { "blanchedalmond", 255, 235, 205 },
    { "blue", 0, 0, 255 },
    { "blueviolet", 138, 43, 226 },
    { "brown", 165, 42, 42 },
    { "burlywood", 222, 184, 135 },
    { "cadetblue", 95, 158, 160 },
    { "chartreuse", 127, 255, 0 },
    { "chocolate", 210, 105, 30 },
    { "coral", 255, 127, 80 },
    { "cornflowerblue", 100, 149, 237 },
    { "cornsilk", 255, 248, 220 },
    { "crimson", 220, 20, 60 },
    { "cyan", 0, 255, 255 },
    { "darkblue", 0, 0, 139 },
    { "darkcyan", 0, 139, 139 },
    { "darkgoldenrod", 184, 134, 11 },
    { "darkgray", 169, 169, 169 },
    { "darkgreen", 0, 100, 0 },
    { "darkgrey", 169, 169, 169 },
    { "darkkhaki", 189, 183, 107 },
    { "darkmagenta", 139, 0, 139 },
    { "darkolivegreen", 85, 107, 47 },
    { "darkorange", 255, 140, 0 },
    { "darkorchid", 153, 50, 204 },
    { "darkred", 139, 0, 0 },
    { "darksalmon", 233, 150, 122 },
    { "darkseagreen", 143, 188, 143 },
    { "darkslateblue", 72, 61, 139 },
    { "darkslategray", 47, 79, 79 },
    { "darkslategrey", 47, 79, 79 },
    { "darkturquoise", 0, 206, 209 },
    { "darkviolet", 148, 0, 211 },
    { "deeppink", 255, 20, 147 },
    { "deepskyblue", 0, 191, 255 },
    { "dimgray", 105, 105, 105 },
    { "dimgrey", 105, 105, 105 },
    { "dodgerblue", 30, 144, 255 },
    { "firebrick", 178, 34, 34 },
    { "floralwhite", 255, 250, 240 },
    { "forestgreen", 34, 139, 34 },
    { "fuchsia", 255, 0, 255 },
    { "gainsboro", 220, 220, 220 },
    { "ghostwhite", 248, 248, 255 },
    { "gold", 255, 215, 0 },
    { "goldenrod", 218, 165, 32 },
    { "gray", 128, 128, 128 },
    { "grey", 128, 128, 128 },
    { "green", 0, 128, 0 },
    { "greenyellow", 173, 255, 47 },
    { "honeydew", 240, 255, 240 },
    { "hotpink", 255, 105, 180 },
    { "indianred", 205, 92, 92 },
    { "indigo", 75, 0, 130 },
    { "ivory", 255, 255, 240 },
    { "khaki", 240, 230, 140 },
    { "lavender", 230, 230, 250 },
    { "lavenderblush", 255, 240, 245 },
    { "lawngreen", 124, 252, 0 },
    { "lemonchiffon", 255, 250, 205 },
    { "lightblue", 173, 216, 230 },
    { "lightcoral", 240, 128, 128 },
    { "lightcyan", 224, 255, 255 },
    { "lightgoldenrodyellow", 250, 250, 210 },
    { "lightgray", 211, 211, 211 },
    { "lightgreen", 144, 238, 144 },
    { "lightgrey", 211, 211, 211 },
    { "lightpink", 255, 182, 193 },
    { "lightsalmon", 255, 160, 122 },
    { "lightseagreen", 32, 178, 170 },
    { "lightskyblue", 135, 206, 250 },
    { "lightslategray", 119, 136, 153 },
    { "lightslategrey", 119, 136, 153 },
    { "lightsteelblue", 176, 196, 222 },
    { "lightyellow", 255, 255, 224 },
    { "lime", 0, 255, 0 },
    { "limegreen", 50, 205, 50 },
    { "linen", 250, 240, 230 },
    { "magenta", 255, 0, 255 },
    { "maroon", 128, 0, 0 },
    { "mediumaquamarine", 102, 205, 170 },
    { "mediumblue", 0, 0, 205 },
    { "mediumorchid", 186, 85, 211 },
    { "mediumpurple", 147, 112, 219 },
    { "mediumseagreen", 60, 179, 113 },
    { "mediumslateblue", 123, 104, 238 },
    { "mediumspringgreen", 0, 250, 154 },
    { "mediumturquoise", 72, 209, 204 },
    { "mediumvioletred", 199, 21, 133 },
    { "midnightblue", 25, 25, 112 },
    { "mintcream", 245, 255, 250 },
    { "mistyrose", 255, 228, 225 },
    { "moccasin", 255, 228, 181 },
    { "navajowhite", 255, 222, 173 },
    { "navy", 0, 0, 128 },
    { "oldlace", 253, 245, 230 },
    { "olive", 128, 128, 0 },
    { "olivedrab", 107, 142, 35 },
    { "orange", 255, 165, 0 },
    { "orangered", 255, 69, 0 },
    { "orchid", 218, 112, 214 },
    { "palegoldenrod", 238, 232, 170 },
    { "palegreen", 152, 251, 152 },
    { "paleturquoise", 175, 238, 238 },
    { "palevioletred", 219, 112, 147 },
    { "papayawhip", 255, 239, 213 },
    { "peachpuff", 255, 218, 185 },
    { "peru", 205, 133, 63 },
    { "pink", 255, 192, 203 },
    { "plum", 221, 160, 221 },
    { "powderblue", 176, 224, 230 },
    { "purple", 128, 0, 128 },
    { "red", 255, 0, 0 },
    { "rosybrown", 188, 143, 143 },
    { "royalblue", 65, 105, 225 },
    { "saddlebrown", 139, 69, 19 },
    { "salmon", 250, 128, 114 },
    { "sandybrown", 244, 164, 96 },
    { "seagreen", 46, 139, 87 },
    { "seashell", 255, 245, 238 },
    { "sienna", 160, 82, 45 },
    { "silver", 192, 192, 192 },
    { "skyblue", 135, 206, 235 },
    { "slateblue", 106, 90, 205 },
    { "slategray", 112, 128, 144 },
    { "slategrey", 112, 128, 144 },
    { "snow", 255, 250, 250 },
    { "springgreen", 0, 255, 127 },
    { "steelblue", 70, 130, 180 },
    { "tan", 210, 180, 140 },
    { "teal", 0, 128, 128 },
    { "thistle", 216, 191, 216 },
    { "tomato", 255, 99, 71 },
    { "turquoise", 64, 224, 208 },
    { "violet", 238, 130, 238 },
    { "wheat", 245, 222, 179 },
    { "white", 255, 255, 255 },
    { "whitesmoke", 245, 245, 245 },
    { "yellow", 255, 255, 0 },
    { "yellowgreen", 154, 205, 50 },
    { "authoren", 240, 255, 255 },
    { "scribe", 240, 255, 255 },
};

} // namespace

FopColor::FopColor(QString name, AlternateColor alternate)
{
    for (const NamedRgb &c : colourKeywords)
        record(QLatin1String(c.name), QColor(c.r, c.g, c.b, 255));
    const QStringList qtNames = QColor::colorNames();
    for (const QString &n : qtNames) {
        QColor c;
        c.setNamedColor(n);
        record(n, c);
    }
    textcolorlist = colorsmap.keys();
    textcolorlist.sort();
    for (const QString &n : qAsConst(textcolorlist))
        lookup.insert(n.toLower().trimmed(), colorsmap.value(n));
    colorsmap.clear();
    fcolor = foColor(name, alternate);
}

void FopColor::record(QString name, QColor color)
{
    colorsmap.insert(name, color);
}

QColor FopColor::alternateColor(AlternateColor alternate) const
{
    switch (int(alternate)) {
    case White:
        return QColor(Qt::white);
    case Transparent:
        return QColor(Qt::transparent);
    default:
        return QColor(Qt::black);
    }
}

QColor FopColor::foColor(QString text, AlternateColor alternate) const
{
    const QString t = text.trimmed().toLower();
    // Every name is lower case, so the lookup keys are exactly the name list.
    const auto named = lookup.constFind(t);
    if (named != lookup.constEnd())
        return named.value();
    if (t.size() < 2)
        return alternateColor(alternate);
    if (t.startsWith(QLatin1String("rgb("))) {
        QString inner = t.mid(4);
        inner.chop(1);
        inner.remove(QLatin1Char(')'));
        const QStringList parts = inner.split(QLatin1Char(','));
        if (parts.size() < 3)
            return alternateColor(alternate);
        QColor c;
        c.setRgb(parts.at(0).toInt(), parts.at(1).toInt(), parts.at(2).toInt(), 255);
        if (parts.size() >= 4)
            c.setAlpha(parts.at(3).toInt());
        return c;
    }
    if (t.startsWith(QLatin1Char('#'))) {
        QColor c;
        c.setNamedColor(t);
        return c;
    }
    return alternateColor(alternate);
}

QString FopColor::foName(QColor color) const
{
    const QRgb wanted = color.rgba();
    for (const QString &n : textcolorlist) {
        if (foColor(n, Black).rgba() == wanted)
            return n;
    }
    return QStringLiteral("transparent");
}
