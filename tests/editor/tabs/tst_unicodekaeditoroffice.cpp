// Files saved by the tab editor, read back by the office suite: every word
// of the document must be there, in every format the editor writes.

#include "unicodekaeditor.h"

#include "sqlcipherdriver.h"
#include "testenv.h"
#include "utils.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextTable>
#include <QUrl>
#include <QtTest/QTest>

namespace {

QStringList words(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s\\x{FEFF}]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

} // namespace

class TestUnicodeKaEditorOffice : public QObject
{
    Q_OBJECT

private slots:
    void savedFileReadsBack_data();
    void savedFileReadsBack();
};

void TestUnicodeKaEditorOffice::savedFileReadsBack_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<bool>("listBeforeTable");
    QTest::newRow("odt") << "doc.odt" << 1 << false;
    QTest::newRow("odt, table right after a list") << "list.odt" << 1 << true;
    QTest::newRow("rtf") << "doc.rtf" << 1 << false;
    QTest::newRow("html") << "doc.html" << 1 << false;
    QTest::newRow("utf-16 text") << "doc.txt" << 2 << false;
}

void TestUnicodeKaEditorOffice::savedFileReadsBack()
{
    QFETCH(QString, name);
    QFETCH(int, encoding);
    QFETCH(bool, listBeforeTable);
    ZUVO_REQUIRE_PROGRAM(soffice, "soffice");
    ZuvoTest::TempEnv env;
    Utils utils;
    QWidget window;
    UnicodeKaEditor editor(&utils, 0, 0, &window);
    editor.setLanguageFont(0);
    QTest::keyClicks(&editor, QStringLiteral("kannaDa naaDu nuDi shrii kShEtra 123"));
    QTest::keyClick(&editor, Qt::Key_Return);
    editor.slotTextBold(true);
    QTest::keyClicks(&editor, QStringLiteral("dappa akShara"));
    QTest::keyClick(&editor, Qt::Key_Return);
    editor.slotTextBold(false);
    if (listBeforeTable) {
        QTest::keyClicks(&editor, QStringLiteral("paTTi"));
        editor.slotTextStyle(1);
    }
    QTextCursor tc = editor.textCursor();
    QTextTable *table = tc.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("ಮನೆ"));
    table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("ತಾಯಿ"));
    const QStringList expected = words(editor.toPlainText());

    editor.setTextEncodingIndex(encoding);
    editor.setFileName(env.filePath(name));
    QVERIFY(editor.save());

    const QString profile = env.filePath(QStringLiteral("profile"));
    const QString outDir = env.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(outDir));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QStringList args { QStringLiteral("-env:UserInstallation=") +
                           QUrl::fromLocalFile(profile).toString(),
                       QStringLiteral("--headless"),
                       QStringLiteral("--convert-to"),
                       QStringLiteral("txt:Text (encoded):UTF8"),
                       QStringLiteral("--outdir"),
                       outDir };
    if (name.endsWith(QLatin1String(".txt")))
        args << QStringLiteral("--infilter=Text (encoded):UNICODE");
    args << env.filePath(name);
    process.start(soffice, args);
    QVERIFY(process.waitForFinished(180000));
    QFile out(outDir + QLatin1Char('/') + QFileInfo(name).completeBaseName() +
              QStringLiteral(".txt"));
    QVERIFY2(out.open(QIODevice::ReadOnly), process.readAll().constData());
    QStringList got = words(QString::fromUtf8(out.readAll()));
    got.removeAll(QStringLiteral("\u2022")); // the list item's marker
    QVERIFY2(got == expected,
             qPrintable(got.join(u'|') + QStringLiteral(" / ") + expected.join(u'|')));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    registerSqlCipherDriver();
    TestUnicodeKaEditorOffice test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_unicodekaeditoroffice.moc"
