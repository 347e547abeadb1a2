#ifndef ZUVO_TEXTLIB_MAKERSITE_H
#define ZUVO_TEXTLIB_MAKERSITE_H

#include <QString>
#include <QUrl>

// Every address of the maker's web site derives from this one base, so that
// moving the site is a one-line change. Both programs, their dialogs, forms
// and help page take their addresses from here. The word links of the look-up
// window use it as their prefix too; they are never opened in a browser.
namespace MakerSite {

inline QString base()
{
    return QStringLiteral("https://zuvo.example.org/");
}
// The site's address as a reader sees it, without scheme or slash.
inline QString name()
{
    return QUrl(base()).host();
}
// An address as a link text shows it: without scheme and final slash.
inline QString shown(const QString &address)
{
    const QUrl url(address);
    QString path = url.path();
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return url.host() + path;
}
inline QString contactPage()
{
    return base() + QStringLiteral("contact");
}
inline QString forumPage()
{
    return base() + QStringLiteral("forum");
}
inline QString supportPage()
{
    return base() + QStringLiteral("support");
}
inline QString downloadPage()
{
    return base() + QStringLiteral("download");
}
inline QString feedbackPage()
{
    return base() + QStringLiteral("feedback");
}
inline QString wordLinkPrefix()
{
    return base() + QStringLiteral("word/");
}

} // namespace MakerSite

#endif
