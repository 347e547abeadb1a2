#include "FoColorName.h"
#include "foregion.h"

#include <QDomDocument>
#include <QTextDocument>
#include <QTextFrame>
#include <QtTest>

class TstOdfUnits : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { setUnitDpi(0); }
    void unit_data();
    void unit();
    void screenFactor_data();
    void screenFactor();
    void inverse_data();
    void inverse();
    void colours_data();
    void colours();
    void colourNames_data();
    void colourNames();
    void region();
};

void TstOdfUnits::unit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("at72");

    QTest::newRow("cm") << "2.54cm" << 2.54 * 28.3465058;
    QTest::newRow("mm") << "10mm" << 28.3465058;
    QTest::newRow("dm") << "1dm" << 283.465058;
    QTest::newRow("em") << "3em" << 3.0;
    QTest::newRow("in") << "1in" << 72.0;
    QTest::newRow("inch") << "1inch" << 72.0;
    QTest::newRow("pi") << "2pi" << 24.0;
    QTest::newRow("dd") << "1dd" << 154.08124;
    QTest::newRow("cc") << "1cc" << 12.840103;
    QTest::newRow("spaces inside") << "1 0 mm" << 28.3465058;
    QTest::newRow("negative") << "-0.5cm" << -14.1732529;
    QTest::newRow("bare number") << "12" << -1.0;
    QTest::newRow("unknown suffix") << "12qq" << -1.0;
    QTest::newRow("case-sensitive suffix") << "1CM" << -1.0;
    QTest::newRow("no number") << "abccm" << 0.0;
    QTest::newRow("nan") << "nancm" << 0.0;
    QTest::newRow("inf") << "infmm" << 0.0;
    QTest::newRow("overflow") << "1e400in" << 0.0;
}

void TstOdfUnits::unit()
{
    QFETCH(QString, text);
    QFETCH(double, at72);
    setUnitDpi(72);
    QCOMPARE(Unit(text), at72);
    setUnitDpi(96);
    QVERIFY(qFuzzyCompare(Unit(text) + 1e3, at72 * 1.33741 + 1e3));
}

void TstOdfUnits::screenFactor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<double>("points");

    // Points, pixels and percentages are never corrected.
    for (int dpi : { 71, 72, 96, 300 }) {
        const QByteArray d = QByteArray::number(dpi);
        QTest::newRow("12pt @" + d) << "12pt" << dpi << 12.0;
        QTest::newRow("12px @" + d) << "12px" << dpi << 12.0;
        QTest::newRow("50% @" + d) << "50%" << dpi << 100.0;
        QTest::newRow("7% @" + d) << "7%" << dpi << 100.0;
        QTest::newRow("empty @" + d) << "" << dpi << -1.0;
        QTest::newRow("spaces @" + d) << "   " << dpi << -1.0;
        QTest::newRow("zero @" + d) << "0" << dpi << 0.0;
        QTest::newRow("nan pt @" + d) << "nanpt" << dpi << 0.0;
    }
    QTest::newRow("in @73") << "1in" << 73 << 72.0 * 1.10741;
    QTest::newRow("in @71") << "1in" << 71 << 72.0 * 1.08741;
    QTest::newRow("bare @96") << "12" << 96 << -1.33741;
}

void TstOdfUnits::screenFactor()
{
    QFETCH(QString, text);
    QFETCH(int, dpi);
    QFETCH(double, points);
    setUnitDpi(dpi);
    QCOMPARE(unitDpi(), dpi);
    QCOMPARE(Unit(text), points);
}

void TstOdfUnits::inverse_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("factor"); // -1: unknown to Pointo and ToPoint
    QTest::newRow("pt") << "pt" << 1.0;
    QTest::newRow("px") << "px" << 1.0;
    QTest::newRow("cm") << "cm" << 28.3465058;
    QTest::newRow("mm") << "mm" << 2.83465058;
    QTest::newRow("dm") << "dm" << 283.465058;
    QTest::newRow("inch") << "inch" << 72.0;
    QTest::newRow("pi") << "pi" << 12.0;
    QTest::newRow("dd") << "dd" << 154.08124;
    QTest::newRow("cc") << "cc" << 12.840103;
    QTest::newRow("in is Unit's only") << "in" << -1.0;
    QTest::newRow("em is Unit's only") << "em" << -1.0;
    QTest::newRow("upper case") << "CM" << -1.0;
}

void TstOdfUnits::inverse()
{
    QFETCH(QString, unit);
    QFETCH(double, factor);
    if (factor < 0) {
        QCOMPARE(ToPoint(1, unit), -1.0);
        QCOMPARE(Pointo(72, unit), -1.0);
        QCOMPARE(ToUnit(72, unit), -1.0);
        return;
    }
    QCOMPARE(ToPoint(2, unit), 2 * factor);
    QCOMPARE(Pointo(2 * factor, unit), 2.0);
    QCOMPARE(ToUnit(2 * factor, unit), 2.0);
}

void TstOdfUnits::colours_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alternate");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("name with spaces") << "  Navy " << 100 << QColor(0, 0, 128);
    QTest::newRow("upper case name") << "NAVY" << 100 << QColor(0, 0, 128);
    QTest::newRow("grey and gray") << "darkslategrey" << 100 << QColor(47, 79, 79);
    QTest::newRow("our own name") << "scribe" << 100 << QColor(240, 255, 255);
    QTest::newRow("rgb") << "rgb(10,20,30)" << 300 << QColor(10, 20, 30, 255);
    QTest::newRow("rgba") << "rgb(10,20,30,40)" << 300 << QColor(10, 20, 30, 40);
    QTest::newRow("rgb too short") << "rgb(10,20)" << 300 << QColor(Qt::transparent);
    QTest::newRow("rgb not numbers") << "rgb(a,b,c)" << 300 << QColor(0, 0, 0);
    QTest::newRow("hex") << "#ff0000" << 300 << QColor(Qt::red);
    QTest::newRow("short hex") << "#0f0" << 300 << QColor(Qt::green);
    QTest::newRow("bad hex") << "#zz" << 300 << QColor();
    QTest::newRow("one letter, white") << "x" << 200 << QColor(Qt::white);
    QTest::newRow("empty, transparent") << "" << 300 << QColor(Qt::transparent);
    QTest::newRow("no name, black") << "notacolour" << 100 << QColor(Qt::black);
    QTest::newRow("other fallback is black") << "notacolour" << 7 << QColor(Qt::black);
}

void TstOdfUnits::colours()
{
    QFETCH(QString, text);
    QFETCH(int, alternate);
    QFETCH(QColor, expected);
    static const FopColor table;
    const QColor c = table.foColor(text, FopColor::AlternateColor(alternate));
    QCOMPARE(c.isValid(), expected.isValid());
    if (expected.isValid())
        QCOMPARE(c.rgba(), expected.rgba());
}

void TstOdfUnits::colourNames_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("name");
    QTest::newRow("aqua before cyan") << QColor(0, 255, 255) << "aqua";
    QTest::newRow("authoren before azure") << QColor(240, 255, 255) << "authoren";
    QTest::newRow("red") << QColor(255, 0, 0) << "red";
    QTest::newRow("no name") << QColor(1, 2, 3) << "transparent";
    QTest::newRow("transparent") << QColor(Qt::transparent) << "transparent";
}

void TstOdfUnits::colourNames()
{
    QFETCH(QColor, colour);
    QFETCH(QString, name);
    static const FopColor table;
    QCOMPARE(table.foName(colour), name);
    // Every CSS keyword and every name Qt knows is in the sorted list.
    const QStringList names = table.colorNameList();
    QVERIFY(names.contains(QLatin1String("yellowgreen")));
    QVERIFY(names.contains(QLatin1String("transparent")));
    QStringList sorted = names;
    sorted.sort();
    QCOMPARE(names, sorted);
    // The constructor's colour is read with its fallback.
    QCOMPARE(FopColor(QStringLiteral("teal"), FopColor::Black).color(), QColor(0, 128, 128));
    QCOMPARE(FopColor(QString(), FopColor::White).color(), QColor(Qt::white));
}

void TstOdfUnits::region()
{
    FoRegion r;
    QCOMPARE(r.margin_top, 70.8662645);
    QCOMPARE(r.margin_right, 42.5197587);
    QCOMPARE(r.padding, 5.66930116);
    QCOMPARE(r.bg, QColor(Qt::white));
    QCOMPARE(r.payload, QByteArray("<scribe/>"));
    QVERIFY(!r.enable);

    const QString defaultHash = r.hash();
    QCOMPARE(defaultHash.size(), 40);
    QCOMPARE(FoRegion().hash(), defaultHash);
    r.toAll(51.02371044);
    QVERIFY(r.hash() != defaultHash);
    QCOMPARE(r.margin_right, 51.02371044);

    FoRegion small;
    small.marginNoBody();
    QCOMPARE(small.margin_left, 2.83465058);
    QCOMPARE(small.padding, 2.83465058);

    FoRegion wide;
    wide.fomax(r, small);
    QCOMPARE(wide.margin_top, 51.02371044);
    QCOMPARE(wide.padding, 2.83465058);

    QTextDocument doc;
    r.styleSmallDocument(&doc);
    FoRegion back;
    back.styleReadDocument(&doc);
    QCOMPARE(back.margin_left, r.margin_left);
    QCOMPARE(back.padding, r.padding);
    QCOMPARE(doc.rootFrame()->frameFormat().background().color(), QColor(Qt::white));

    QDomDocument dom;
    QDomElement e = dom.createElement(QStringLiteral("fo:block-container"));
    r.border = QPen(QBrush(Qt::black), 2.83465058, Qt::DashLine);
    r.bordercolor = Qt::red;
    r.styleContainer(e, 200);
    QCOMPARE(e.attribute(QStringLiteral("background-color")), QStringLiteral("white"));
    QCOMPARE(e.attribute(QStringLiteral("border-style")), QStringLiteral("dashed"));
    QCOMPARE(e.attribute(QStringLiteral("border-color")), QStringLiteral("red"));
    QCOMPARE(e.attribute(QStringLiteral("border-width")), QStringLiteral("1mm"));
    QCOMPARE(e.attribute(QStringLiteral("margin-top")), QStringLiteral("18mm"));
    QCOMPARE(e.attribute(QStringLiteral("overflow")), QStringLiteral("hidden"));
    QVERIFY(e.hasAttribute(QStringLiteral("height")));

    const QMap<QString, QPen> pens = FoRegion::penstyle();
    QCOMPARE(pens.size(), 27);
    QCOMPARE(pens.value(QStringLiteral("0.0mm empty border")), QPen(Qt::NoPen));
    QCOMPARE(pens.value(QStringLiteral("3mm dotline")).widthF(), 3 * 2.83465058);
    QCOMPARE(pens.value(QStringLiteral("3mm dotline")).style(), Qt::DotLine);
    QCOMPARE(pens.value(QStringLiteral("8mm dashline")).capStyle(), Qt::SquareCap);
}

QTEST_MAIN(TstOdfUnits)
#include "tst_odfunits.moc"
