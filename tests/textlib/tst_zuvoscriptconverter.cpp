#include <QtTest>
#include "zuvoscriptconverter.h"
class TstZuvoScriptConverter : public QObject { Q_OBJECT private slots: void smoke(); };
void TstZuvoScriptConverter::smoke() { ZuvoScriptConverter c; QCOMPARE(c.ansiToUnicode("kurukShEtra",0,0), QString::fromUtf8("ಕುರುಕ್ಷೇತ್ರ")); }
QTEST_GUILESS_MAIN(TstZuvoScriptConverter)
#include "tst_zuvoscriptconverter.moc"
