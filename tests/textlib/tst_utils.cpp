#include "testenv.h"
#include "utils.h"

#include <QCompleter>
#include <QStringListModel>
#include <QtTest/QtTest>

namespace {

const QByteArray Bom8("\xEF\xBB\xBF");

QByteArray utf16le(const QString &s)
{
    QByteArray out("\xFF\xFE");
    for (QChar c : s) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

QByteArray utf16be(const QString &s)
{
    QByteArray out("\xFE\xFF");
    for (QChar c : s) {
        out.append(char(c.unicode() >> 8));
        out.append(char(c.unicode() & 0xFF));
    }
    return out;
}

QByteArray utf32be(const QString &s)
{
    QByteArray out("\0\0\xFE\xFF", 4);
    for (char32_t c : s.toUcs4()) {
        out.append(char(c >> 24));
        out.append(char((c >> 16) & 0xFF));
        out.append(char((c >> 8) & 0xFF));
        out.append(char(c & 0xFF));
    }
    return out;
}

// A Utils whose word model holds exactly these words (through "usr.dct").
void loadModel(Utils &u, const ZuvoTest::TempEnv &env, const QStringList &words)
{
    QVERIFY(env.writeFile(QStringLiteral("usr.dct"), Bom8 + words.join(u'\n').toUtf8()));
    u.loadUnicodeWords();
    QVERIFY(u.wordModel());
    QCOMPARE(u.wordModel()->stringList(), words);
}

} // namespace

class TestUtils : public QObject
{
    Q_OBJECT
private slots:
    void languageTables_data();
    void languageTables();
    void readWordFile_data();
    void readWordFile();
    void appendWords_data();
    void appendWords();
    void appendFailures_data();
    void appendFailures();
    void writeThenAppend();
    void spellingWithoutModel();
    void spellingWithModel();
    void modelUpdates();
    void modelChangedFromOutside();
    void provisionalModel();
    void wordChars_data();
    void wordChars();
    void addToDictionary();
    void addToDictionaryFailure();
};

void TestUtils::languageTables_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("font");
    QTest::addColumn<int>("writingSystem");
    QTest::newRow("0") << 0 << "Kannada"
                       << "kn"
                       << "tunga" << 16;
    QTest::newRow("1") << 1 << "Telugu"
                       << "te"
                       << "gautami" << 15;
    QTest::newRow("2") << 2 << "Malayalam"
                       << "ml"
                       << "kartika" << 17;
    QTest::newRow("3") << 3 << "Oriya"
                       << "or"
                       << "ARIALUNI" << 13;
    QTest::newRow("4") << 4 << "Hindi"
                       << "hi"
                       << "mangal" << 9;
    QTest::newRow("5") << 5 << "Gujarati"
                       << "gu"
                       << "shruti" << 12;
    QTest::newRow("6") << 6 << "Bengali"
                       << "bn"
                       << "vrinda" << 10;
    QTest::newRow("7") << 7 << "Gurmukhi"
                       << "pa"
                       << "Arial Unicode MS" << 11;
    QTest::newRow("8") << 8 << "Tamil"
                       << "ta"
                       << "latha" << 14;
    QTest::newRow("9") << 9 << "English"
                       << ""
                       << "arial" << 1;
    QTest::newRow("-1") << -1 << ""
                        << ""
                        << "tunga" << 1;
    QTest::newRow("10") << 10 << ""
                        << ""
                        << "tunga" << 1;
    QTest::newRow("42") << 42 << ""
                        << ""
                        << "tunga" << 1;
}

void TestUtils::languageTables()
{
    QFETCH(int, language);
    QFETCH(QString, name);
    QFETCH(QString, prefix);
    QFETCH(QString, font);
    QFETCH(int, writingSystem);
    QCOMPARE(Utils::languageName(language), name);
    QCOMPARE(Utils::languagePrefix(language), prefix);
    QCOMPARE(Utils::languageDefaultFont(language), font);
    QCOMPARE(Utils::fontDatabaseIndexForLang(language), writingSystem);
}

void TestUtils::readWordFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("words");
    // Blanks around a word, an empty line, a repeat, a CRLF line.
    const QString text = QStringLiteral("  ಮನೆ \n\nಮನೆ\r\nಕಾಡು\n");
    const QStringList words { QStringLiteral("ಮನೆ"), QStringLiteral("ಕಾಡು") };
    QTest::newRow("utf-8") << text.toUtf8() << words;
    QTest::newRow("utf-8 with mark") << Bom8 + text.toUtf8() << words;
    QTest::newRow("utf-16le") << utf16le(text) << words;
    QTest::newRow("utf-16be") << utf16be(text) << words;
    QTest::newRow("utf-32be") << utf32be(text) << words;
    // Malayalam letters hold the byte 0x0D in UTF-16: never a line end.
    const QString malayalam = QStringLiteral("കാട്\nവീട്");
    QTest::newRow("utf-16le 0x0D bytes")
        << utf16le(malayalam) << QStringList { QStringLiteral("കാട്"), QStringLiteral("വീട്") };
    QTest::newRow("empty") << QByteArray() << QStringList();
}

void TestUtils::readWordFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, words);
    ZuvoTest::TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("words.txt"), bytes));
    QCOMPARE(Utils::wordsFromUnicodeFile(QStringLiteral("words.txt")), words);
    QCOMPARE(Utils::wordsFromUnicodeFile(QStringLiteral("missing.txt")), QStringList());
}

void TestUtils::appendWords_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QByteArray>("after");
    const QString mane = QStringLiteral("ಮನೆ");
    const QString kadu = QStringLiteral("ಕಾಡು");
    QTest::newRow("new file: mark, then words")
        << false << QByteArray() << QStringList { mane, kadu }
        << Bom8 + (mane + u'\n' + kadu + u'\n').toUtf8();
    QTest::newRow("empty file gets the mark")
        << true << QByteArray() << QStringList { mane } << Bom8 + (mane + u'\n').toUtf8();
    QTest::newRow("file of only the mark")
        << true << Bom8 << QStringList { mane } << Bom8 + (mane + u'\n').toUtf8();
    QTest::newRow("utf-8 without mark stays so")
        << true << (kadu + u'\n').toUtf8() << QStringList { mane }
        << (kadu + u'\n' + mane + u'\n').toUtf8();
    QTest::newRow("last line without line feed")
        << true << Bom8 + kadu.toUtf8() << QStringList { mane }
        << Bom8 + (kadu + u'\n' + mane + u'\n').toUtf8();
    QTest::newRow("utf-16le file keeps its encoding")
        << true << utf16le(kadu + u'\n') << QStringList { mane }
        << utf16le(kadu + u'\n' + mane + u'\n');
    QTest::newRow("utf-32be file without final line feed")
        << true << utf32be(kadu) << QStringList { mane } << utf32be(kadu + u'\n' + mane + u'\n');
}

void TestUtils::appendWords()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, before);
    QFETCH(QStringList, words);
    QFETCH(QByteArray, after);
    ZuvoTest::TempEnv env;
    if (exists)
        QVERIFY(env.writeFile(QStringLiteral("usr.dct"), before));
    for (const QString &w : words)
        QVERIFY(Utils::appendWordToUnicodeFile(w, QStringLiteral("usr.dct")));
    QCOMPARE(env.readFile(QStringLiteral("usr.dct")), after);
    // Whatever the encoding, the file reads back with the new word last.
    QCOMPARE(Utils::wordsFromUnicodeFile(QStringLiteral("usr.dct")).constLast(), words.constLast());
}

void TestUtils::appendFailures_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing folder") << QStringLiteral("no/such/folder/usr.dct");
    QTest::newRow("folder in the file's place") << QStringLiteral("taken");
}

void TestUtils::appendFailures()
{
    QFETCH(QString, path);
    ZuvoTest::TempEnv env;
    QVERIFY(QDir(env.path()).mkdir(QStringLiteral("taken")));
    QVERIFY(!Utils::appendWordToUnicodeFile(QStringLiteral("ಮನೆ"), path));
    QVERIFY(!Utils::writeToUnicodeFile({ QStringLiteral("ಮನೆ") }, path));
    QVERIFY(!QFileInfo(path).isFile());
}

void TestUtils::writeThenAppend()
{
    ZuvoTest::TempEnv env;
    QVERIFY(Utils::writeToUnicodeFile({ QStringLiteral("a"), QStringLiteral("b") },
                                      QStringLiteral("w.dct")));
    QCOMPARE(env.readFile(QStringLiteral("w.dct")), Bom8 + "a\nb");
    // The written file has no final line feed; an append must not glue "c" to "b".
    QVERIFY(Utils::appendWordToUnicodeFile(QStringLiteral("c"), QStringLiteral("w.dct")));
    QCOMPARE(Utils::wordsFromUnicodeFile(QStringLiteral("w.dct")), QStringList({ "a", "b", "c" }));
    QCOMPARE(Utils::toUnicode(QStringLiteral("ಮನೆ").toUtf8()), QStringLiteral("ಮನೆ"));
    QCOMPARE(Utils::toUnicode(QByteArray()), QString());
}

void TestUtils::spellingWithoutModel()
{
    ZuvoTest::TempEnv env;
    Utils u;
    u.appendIgnoredList(QStringLiteral("ಮನೆ"));
    QVERIFY(u.isIgnoredMissSpellWord(QStringLiteral("ಮನೆ")));
    QVERIFY(u.isMisSpelled(QStringLiteral("ಮನೆ")));
    QVERIFY(u.isMisSpelled(QString()));
    QCOMPARE(u.suggestions(QStringLiteral("ಮನೆ")), QStringList());
    // Before a model exists the updates have nothing to extend.
    QTest::ignoreMessage(QtWarningMsg, "Utils::updateStringModel: no word model yet");
    u.updateStringModel(QStringLiteral("ಮನೆ"));
    QVERIFY(!u.wordModel());
}

void TestUtils::spellingWithModel()
{
    ZuvoTest::TempEnv env;
    Utils u;
    loadModel(u, env, { QStringLiteral("ಮನೆ"), QStringLiteral("word") });
    QVERIFY(!u.isMisSpelled(QStringLiteral("ಮನೆ")));
    QVERIFY(!u.isMisSpelled(QStringLiteral("word")));
    QVERIFY(u.isMisSpelled(QStringLiteral("Word"))); // case counts
    QVERIFY(u.isMisSpelled(QStringLiteral(" ಮನೆ"))); // no trimming
    QVERIFY(u.isMisSpelled(QStringLiteral("ಕಾಡು")));
    u.appendIgnoredList(QStringLiteral("ಕಾಡು"));
    u.appendIgnoredList(QStringLiteral("ಕಾಡು"));
    QVERIFY(!u.isMisSpelled(QStringLiteral("ಕಾಡು")));

    // A second load keeps the model it has.
    QStringListModel *model = u.wordModel();
    QVERIFY(env.writeFile(QStringLiteral("usr.dct"), "other\n"));
    u.loadUnicodeWords();
    QCOMPARE(u.wordModel(), model);
    QVERIFY(u.isMisSpelled(QStringLiteral("other")));
}

void TestUtils::modelUpdates()
{
    ZuvoTest::TempEnv env;
    Utils u;
    loadModel(u, env, { QStringLiteral("a"), QStringLiteral("b") });
    QVERIFY(u.isMisSpelled(QStringLiteral("c")));
    u.updateStringModel(QStringLiteral("c"));
    u.updateStringModel(QStringList { "b", "d", "d", "a", "e" });
    u.updateStringModel(QStringLiteral("a"));
    QCOMPARE(u.wordModel()->stringList(), QStringList({ "a", "b", "c", "d", "e" }));
    for (const char *w : { "a", "c", "d", "e" })
        QVERIFY2(!u.isMisSpelled(QString::fromLatin1(w)), w);
}

void TestUtils::provisionalModel()
{
    // The empty model made before the words load counts added and ignored
    // words at once, and still takes the word file's words when they load.
    ZuvoTest::TempEnv env;
    QVERIFY(env.writeFile(QStringLiteral("usr.dct"), "file\n"));
    Utils u;
    u.ensureWordModel();
    QStringListModel *model = u.wordModel();
    QVERIFY(model);
    QCOMPARE(model->stringList(), QStringList());
    QVERIFY(u.isMisSpelled(QStringLiteral("file")));
    u.appendIgnoredList(QStringLiteral("ignored"));
    u.updateStringModel(QStringLiteral("added"));
    QVERIFY(!u.isMisSpelled(QStringLiteral("ignored")));
    QVERIFY(!u.isMisSpelled(QStringLiteral("added")));

    u.loadUnicodeWords();
    QCOMPARE(u.wordModel(), model);
    QCOMPARE(model->stringList(), QStringList({ "file", "added" }));
    QVERIFY(!u.isMisSpelled(QStringLiteral("file")));
    // Once loaded it is a model like any other: a second load keeps it.
    QVERIFY(env.writeFile(QStringLiteral("usr.dct"), "other\n"));
    u.loadUnicodeWords();
    u.ensureWordModel();
    QCOMPARE(model->stringList(), QStringList({ "file", "added" }));
}

void TestUtils::wordChars_data()
{
    QTest::addColumn<uint>("c");
    QTest::addColumn<bool>("inWord");
    // clang-format off
    const struct { const char *name; char32_t c; bool inWord; } rows[] = {
        { "latin letter", U'a', true },
        { "kannada letter", 0x0C95, true },
        { "vowel sign", 0x0CBE, true },
        { "virama", 0x0CCD, true },
        { "anusvara", 0x0C82, true },
        { "digit", U'7', true },
        { "kannada digit", 0x0CE7, true },
        { "underscore", U'_', true },
        { "zwnj", 0x200C, true },
        { "zwj", 0x200D, true },
        { "letter beyond the BMP", 0x1D400, true },
        { "blank", U' ', false },
        { "comma", U',', false },
        { "apostrophe", U'\'', false },
        { "danda", 0x0964, false },
        { "double danda", 0x0965, false },
        { "curly quote", 0x201C, false },
        { "hyphen", U'-', false },
        { "no-break space", 0x00A0, false },
        { "backslash", U'\\', false },
    };
    // clang-format on
    for (const auto &row : rows)
        QTest::newRow(row.name) << uint(row.c) << row.inWord;
}

void TestUtils::wordChars()
{
    QFETCH(uint, c);
    QFETCH(bool, inWord);
    QCOMPARE(Utils::isWordChar(char32_t(c)), inWord);
}

void TestUtils::modelChangedFromOutside()
{
    // Whoever holds the model may change it; the spelling test follows.
    ZuvoTest::TempEnv env;
    Utils u;
    loadModel(u, env, { QStringLiteral("a"), QStringLiteral("b") });
    QVERIFY(!u.isMisSpelled(QStringLiteral("a")));
    QStringListModel *model = u.wordModel();
    model->setStringList({ QStringLiteral("x") });
    QVERIFY(u.isMisSpelled(QStringLiteral("a")));
    QVERIFY(!u.isMisSpelled(QStringLiteral("x")));
    QVERIFY(model->insertRows(1, 1));
    QVERIFY(model->setData(model->index(1), QStringLiteral("y")));
    QVERIFY(!u.isMisSpelled(QStringLiteral("y")));
    model->setData(model->index(0), QStringLiteral("z"));
    QVERIFY(u.isMisSpelled(QStringLiteral("x")));
    QVERIFY(!u.isMisSpelled(QStringLiteral("z")));
}

void TestUtils::addToDictionary()
{
    ZuvoTest::TempEnv env;
    Utils u;
    loadModel(u, env, { QStringLiteral("a") });
    QCompleter completer;
    QVERIFY(u.addToDictionary(QStringLiteral("ಮನೆ"), &completer));
    QVERIFY(!u.isMisSpelled(QStringLiteral("ಮನೆ")));
    // Without a completer only the file learns the word.
    QVERIFY(u.addToDictionary(QStringLiteral("ಕಾಡು"), nullptr));
    QVERIFY(u.isMisSpelled(QStringLiteral("ಕಾಡು")));
    QCOMPARE(env.readFile(QStringLiteral("usr.dct")),
             Bom8 + QStringLiteral("a\nಮನೆ\nಕಾಡು\n").toUtf8());
}

void TestUtils::addToDictionaryFailure()
{
    ZuvoTest::TempEnv env;
    Utils u;
    loadModel(u, env, { QStringLiteral("a") });
    QVERIFY(QFile::remove(env.filePath(QStringLiteral("usr.dct"))));
    QVERIFY(QDir(env.path()).mkdir(QStringLiteral("usr.dct")));
    QCompleter completer;
    QVERIFY(!u.addToDictionary(QStringLiteral("ಮನೆ"), &completer));
    // A word that is not in the file does not count in this run either: the
    // next start would not know it.
    QVERIFY(u.isMisSpelled(QStringLiteral("ಮನೆ")));
    QVERIFY(!u.wordModel()->stringList().contains(QStringLiteral("ಮನೆ")));
}

QTEST_MAIN(TestUtils)
#include "tst_utils.moc"
