#include "suggestions.h"

#include <QListWidget>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

class TestSuggestionsPopup : public QObject
{
    Q_OBJECT

private slots:
    void shownAtOnce_data();
    void shownAtOnce();
    void doubleClickChoosesAndCloses();
    void escapeClosesWithoutChoosing();
};

void TestSuggestionsPopup::shownAtOnce_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::newRow("empty") << QStringList();
    QTest::newRow("kannada, in order") << QStringList { "ಕನ್ನಡ", "ಕಮಲ", "ಅಕ್ಷರ" };
}

void TestSuggestionsPopup::shownAtOnce()
{
    QFETCH(QStringList, words);
    QWidget editor;
    auto *popup = new Suggestions(words, &editor);
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->windowType(), Qt::Popup);
    QVERIFY(popup->testAttribute(Qt::WA_DeleteOnClose));
    auto *list = popup->findChild<QListWidget *>();
    QVERIFY(list);
    QCOMPARE(list->font().family(), QStringLiteral("Tunga"));
    QCOMPARE(list->font().pointSize(), 11);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    QCOMPARE(shown, words);

    popup->updateList({ QStringLiteral("x") });
    QCOMPARE(list->count(), 1);
    popup->close();
}

void TestSuggestionsPopup::doubleClickChoosesAndCloses()
{
    QWidget editor;
    QPointer<Suggestions> popup = new Suggestions({ "ಒಂದು", "ಎರಡು", "ಮೂರು" }, &editor);
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    QSignalSpy spy(popup.data(), &Suggestions::wordSelected);
    auto *list = popup->findChild<QListWidget *>();
    const QRect rect = list->visualItemRect(list->item(1));
    // A double-click as the window system delivers it: a click, then the
    // double-click event.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("ಎರಡು"));
    QTRY_VERIFY(popup.isNull());
}

void TestSuggestionsPopup::escapeClosesWithoutChoosing()
{
    QWidget editor;
    QPointer<Suggestions> popup = new Suggestions({ "ಒಂದು" }, &editor);
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    QSignalSpy spy(popup.data(), &Suggestions::wordSelected);
    auto *list = popup->findChild<QListWidget *>();
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Escape);
    QTRY_VERIFY(popup.isNull());
    QCOMPARE(spy.count(), 0);
}

QTEST_MAIN(TestSuggestionsPopup)
#include "tst_suggestionspopup.moc"
