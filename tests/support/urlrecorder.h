#ifndef ZUVO_TESTS_SUPPORT_URLRECORDER_H
#define ZUVO_TESTS_SUPPORT_URLRECORDER_H

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

namespace ZuvoTest {

// While it lives, QDesktopServices::openUrl() of the given schemes lands here
// instead of in the desktop's browser, and is recorded.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    explicit UrlRecorder(const QStringList &schemes = { QStringLiteral("http"),
                                                        QStringLiteral("https"),
                                                        QStringLiteral("file"),
                                                        QStringLiteral("mailto") },
                         QObject *parent = nullptr);
    ~UrlRecorder() override;

    const QList<QUrl> &urls() const { return m_urls; }
    void clear() { m_urls.clear(); }

public slots:
    void openUrl(const QUrl &url);

private:
    QStringList m_schemes;
    QList<QUrl> m_urls;
};

} // namespace ZuvoTest

#endif
