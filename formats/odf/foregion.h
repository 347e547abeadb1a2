#ifndef ZUVO_FORMATS_ODF_FOREGION_H
#define ZUVO_FORMATS_ODF_FOREGION_H

#include <QByteArray>
#include <QColor>
#include <QDomElement>
#include <QMap>
#include <QMetaType>
#include <QPen>
#include <QString>

class QTextDocument;

// A page or frame region: margins, padding, background and border, in points.
class FoRegion
{
public:
    FoRegion();
    FoRegion(const FoRegion &other);
    FoRegion &operator=(const FoRegion &other);
    ~FoRegion();

    void toAll(double margin);
    FoRegion marginNoBody();
    void styleSmallDocument(QTextDocument *document) const;
    void styleReadDocument(const QTextDocument *document);
    QString hash() const;
    void fomax(FoRegion &first, FoRegion &second);
    void styleContainer(QDomElement element, double height) const;
    static QMap<QString, QPen> penstyle();

    QColor bg;
    QColor bordercolor;
    double margin_top;
    double margin_bottom;
    double margin_left;
    double margin_right;
    double extra;
    double padding;
    QPen border;
    bool enable;
    QByteArray payload;
};

Q_DECLARE_METATYPE(FoRegion)

#endif
