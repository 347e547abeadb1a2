#include "urlrecorder.h"

#include <QDesktopServices>

namespace ZuvoTest {

UrlRecorder::UrlRecorder(const QStringList &schemes, QObject *parent)
    : QObject(parent)
    , m_schemes(schemes)
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::setUrlHandler(scheme, this, "openUrl");
}

UrlRecorder::~UrlRecorder()
{
    for (const QString &scheme : m_schemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

void UrlRecorder::openUrl(const QUrl &url)
{
    m_urls << url;
}

} // namespace ZuvoTest
