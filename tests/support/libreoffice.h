// LibreOffice as the tests' outside judge: one call converts a set of files
// with soffice --headless in a profile of its own. A fresh headless soffice
// now and then aborts while it sets its profile up, most often when several
// start at once on a loaded machine; the inputs it left unconverted are
// converted again, so that a test fails on what LibreOffice reads, not on
// how its start went.
#ifndef ZUVO_TESTS_SUPPORT_LIBREOFFICE_H
#define ZUVO_TESTS_SUPPORT_LIBREOFFICE_H

#include <QString>
#include <QStringList>

namespace ZuvoTest {

// Converts every input (paths) with the filter ("odt", "fodt",
// "txt:Text (encoded):UTF8" …) into outDir, which is created; the profile
// lives in outDir/.profile. True when every input's conversion exists; log
// receives soffice's output of every attempt.
bool officeConvert(const QString &soffice, const QStringList &inputs, const QString &filter,
                   const QString &outDir, QString *log = nullptr);

// Where officeConvert puts the conversion of one input: its base name with
// the filter's suffix (what comes before the first ':').
QString officeOutput(const QString &outDir, const QString &input, const QString &filter);

} // namespace ZuvoTest

#endif
