#ifndef ZUVO_FORMATS_ODF_FOCOLORNAME_H
#define ZUVO_FORMATS_ODF_FOCOLORNAME_H

#include <QColor>
#include <QMap>
#include <QString>
#include <QStringList>

// Lengths as OpenDocument writes them ("2.5cm", "12pt", "0.1in") in points.
// Unit() applies the screen correction of the import to every unit but points,
// pixels and percentages; -1 means "no length".
double Unit(QString text);
double Pointo(double points, QString unit);
double ToUnit(double points, QString unit);
double ToPoint(double value, QString unit);
QString metrics(double points);

// The vertical resolution Unit() corrects for. By default the primary screen's
// logical resolution, read in the application's thread (96 when there is no
// screen); a value above 0 set here replaces it, 0 goes back to the screen.
void setUnitDpi(int dpi);
int unitDpi();

// Colour names of CSS and Qt, and the parser of colour texts ("navy",
// "#ff0000", "rgb(0,128,0)") with a fallback colour for texts it cannot read.
class FopColor
{
public:
    enum AlternateColor { Black = 100, White = 200, Transparent = 300 };

    explicit FopColor(QString name = QString(), AlternateColor alternate = Transparent);

    QColor foColor(QString text, AlternateColor alternate = Transparent) const;
    QColor alternateColor(AlternateColor alternate) const;
    void record(QString name, QColor color);
    QString foName(QColor color) const;

    QColor color() const { return fcolor; }
    QStringList colorNameList() const { return textcolorlist; }

private:
    QMap<QString, QColor> colorsmap; // used while the table is built only
    QMap<QString, QColor> lookup; // lower-case trimmed name -> colour
    QStringList textcolorlist; // every name, sorted
    QColor fcolor;
};

#endif
