#ifndef ZUVO_TEXTLIB_TS_H
#define ZUVO_TEXTLIB_TS_H

#include <QByteArray>
#include <QString>

// Names shared by both programs: the settings stores and the codec of every
// word file.
namespace Ts {
inline const QString ORG_NAME = QStringLiteral("Tessavrim");
inline const QString APP_NAME = QStringLiteral("Zuvo");
inline const QString DCT_NAME = QStringLiteral("Rozo-Dezu");
inline const QString IME_NAME = QStringLiteral("Zuvo-IME");
inline const QByteArray DEFAULT_CODEC = QByteArrayLiteral("UTF-8");
} // namespace Ts

#endif
