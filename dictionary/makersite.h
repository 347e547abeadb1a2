#ifndef MAKERSITE_H
#define MAKERSITE_H

#include <QString>

// Every address of the maker's web site derives from this one base, so that
// moving the site is a one-line change. The word links of the look-up window
// use it as their prefix too; they are never opened in a browser.
namespace MakerSite {

inline QString base()
{
    return QStringLiteral("https://zuvo.example.org/");
}
inline QString contactPage()
{
    return base() + QStringLiteral("contact");
}
inline QString forumPage()
{
    return base() + QStringLiteral("forum");
}
inline QString wordLinkPrefix()
{
    return base() + QStringLiteral("word/");
}

} // namespace MakerSite

#endif
