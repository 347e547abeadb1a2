#include "libreoffice.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace ZuvoTest {

QString officeOutput(const QString &outDir, const QString &input, const QString &filter)
{
    return outDir + QLatin1Char('/') + QFileInfo(input).completeBaseName() + QLatin1Char('.') +
        filter.section(QLatin1Char(':'), 0, 0);
}

bool officeConvert(const QString &soffice, const QStringList &inputs, const QString &filter,
                   const QString &outDir, QString *log)
{
    QDir().mkpath(outDir);
    const QString profile =
        QUrl::fromLocalFile(outDir + QStringLiteral("/.profile")).toString(QUrl::FullyEncoded);
    QStringList missing = inputs;
    // A crash at start-up is rare; three in a row is LibreOffice failing on
    // the input itself.
    for (int attempt = 0; attempt < 3 && !missing.isEmpty(); ++attempt) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.setWorkingDirectory(outDir);
        p.start(soffice,
                QStringList { QStringLiteral("-env:UserInstallation=") + profile,
                              QStringLiteral("--headless"), QStringLiteral("--convert-to"), filter,
                              QStringLiteral("--outdir"), outDir } +
                    missing);
        if (!p.waitForFinished(300000)) {
            p.kill();
            p.waitForFinished();
        }
        if (log != nullptr)
            *log += QString::fromLocal8Bit(p.readAll());
        QStringList still;
        for (const QString &input : std::as_const(missing)) {
            if (!QFileInfo::exists(officeOutput(outDir, input, filter)))
                still << input;
        }
        missing = still;
    }
    return missing.isEmpty();
}

} // namespace ZuvoTest
