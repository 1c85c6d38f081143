// The drive box and the drive list of the window, fed through a made-up drive platform.
#include "support/FakeDrivePlatform.h"
#include "support/WindowTest.h"
#include "window/Configurator.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

namespace {
QStringList itemTexts(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}
} // namespace

class TestDriveList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void itemText_data();
    void itemText();
    void onlyRemovableVolumesInEnumerationOrder();
    void refreshRebuildsWithoutAccumulating();
    void refreshMakesTheFirstCardCurrent();
    void refreshFollowsInsertedAndRemovedCards();
    void noRemovableVolume();
};

void TestDriveList::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

// Each window saves the drive box's index when it closes and the next one restores it: start every test afresh.
void TestDriveList::init()
{
    QSettings().clear();
}

void TestDriveList::itemText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("text");

    QTest::newRow("labelled") << QStringLiteral("ORVA") << false << QStringLiteral("/media/user/ORVA ORVA");
    QTest::newRow("unlabelled") << QString() << false << QStringLiteral("/media/user/ORVA ");
    QTest::newRow("labelled, read-only") << QStringLiteral("ORVA") << true
                                         << QStringLiteral("/media/user/ORVA ORVA (READ ONLY)");
    QTest::newRow("unlabelled, read-only") << QString() << true << QStringLiteral("/media/user/ORVA  (READ ONLY)");
    QTest::newRow("label with spaces") << QStringLiteral("Orva Config") << false
                                       << QStringLiteral("/media/user/ORVA Orva Config");
}

void TestDriveList::itemText()
{
    QFETCH(QString, name);
    QFETCH(bool, readOnly);
    QFETCH(QString, text);

    auto drives = std::make_unique<FakeDrivePlatform>();
    drives->addCard(QStringLiteral("/media/user/ORVA"), name, readOnly);
    Configurator window(std::move(drives));
    auto* box = window.findChild<QComboBox*>(QStringLiteral("sdCardPath"));
    QVERIFY(box);
    QCOMPARE(itemTexts(box), QStringList{text});
    QCOMPARE(window.drives(), QStringList{QStringLiteral("/media/user/ORVA")});
    // The root path lives only in the drive list.
    QVERIFY(!box->itemData(0).isValid());
}

void TestDriveList::onlyRemovableVolumesInEnumerationOrder()
{
    auto drives = std::make_unique<FakeDrivePlatform>();
    drives->addFixedDisk(QStringLiteral("/"), QStringLiteral("system"))
        .addCard(QStringLiteral("/media/user/SECOND"), QStringLiteral("B"), true)
        .addFixedDisk(QStringLiteral("/home"))
        .addCard(QStringLiteral("/media/user/FIRST"), QStringLiteral("A"));
    Configurator window(std::move(drives));
    auto* box = window.findChild<QComboBox*>(QStringLiteral("sdCardPath"));
    QVERIFY(box);

    QCOMPARE(itemTexts(box),
             (QStringList{QStringLiteral("/media/user/SECOND B (READ ONLY)"), QStringLiteral("/media/user/FIRST A")}));
    QCOMPARE(window.drives(), (QStringList{QStringLiteral("/media/user/SECOND"), QStringLiteral("/media/user/FIRST")}));
    QCOMPARE(box->currentIndex(), 0);
}

void TestDriveList::refreshRebuildsWithoutAccumulating()
{
    auto drives = std::make_unique<FakeDrivePlatform>();
    FakeDrivePlatform* platform = drives.get();
    drives->addCard(QStringLiteral("/media/user/A"), QStringLiteral("A"))
        .addFixedDisk(QStringLiteral("/"))
        .addCard(QStringLiteral("/media/user/B"));
    Configurator window(std::move(drives));
    auto* box = window.findChild<QComboBox*>(QStringLiteral("sdCardPath"));
    auto* refresh = window.findChild<QPushButton*>(QStringLiteral("refreshButton"));
    QVERIFY(box);
    QVERIFY(refresh);
    QCOMPARE(platform->enumerations, 1);
    const QStringList texts = itemTexts(box);
    const QStringList paths = window.drives();
    QCOMPARE(texts.size(), 2);

    refresh->click();
    refresh->click();
    QCOMPARE(platform->enumerations, 3);
    QCOMPARE(itemTexts(box), texts);
    QCOMPARE(window.drives(), paths);
}

void TestDriveList::refreshMakesTheFirstCardCurrent()
{
    auto drives = std::make_unique<FakeDrivePlatform>();
    drives->addCard(QStringLiteral("/media/user/A")).addCard(QStringLiteral("/media/user/B"));
    Configurator window(std::move(drives));
    auto* box = window.findChild<QComboBox*>(QStringLiteral("sdCardPath"));
    auto* refresh = window.findChild<QPushButton*>(QStringLiteral("refreshButton"));
    QVERIFY(box);
    QVERIFY(refresh);

    box->setCurrentIndex(1);
    QTest::mouseClick(refresh, Qt::LeftButton);
    QCOMPARE(box->currentIndex(), 0);
    QCOMPARE(window.drives().value(box->currentIndex()), QStringLiteral("/media/user/A"));
}

void TestDriveList::refreshFollowsInsertedAndRemovedCards()
{
    auto drives = std::make_unique<FakeDrivePlatform>();
    FakeDrivePlatform* platform = drives.get();
    drives->addCard(QStringLiteral("/media/user/A"));
    Configurator window(std::move(drives));
    auto* box = window.findChild<QComboBox*>(QStringLiteral("sdCardPath"));
    auto* refresh = window.findChild<QPushButton*>(QStringLiteral("refreshButton"));
    QVERIFY(box);
    QVERIFY(refresh);

    // A card put in while the window is open shows only after a refresh.
    platform->addCard(QStringLiteral("/media/user/B"), QStringLiteral("NEW"));
    QCOMPARE(box->count(), 1);
    refresh->click();
    QCOMPARE(itemTexts(box), (QStringList{QStringLiteral("/media/user/A "), QStringLiteral("/media/user/B NEW")}));
    QCOMPARE(window.drives(), (QStringList{QStringLiteral("/media/user/A"), QStringLiteral("/media/user/B")}));

    platform->volumes.removeFirst();
    refresh->click();
    QCOMPARE(itemTexts(box), QStringList{QStringLiteral("/media/user/B NEW")});
    QCOMPARE(window.drives(), QStringList{QStringLiteral("/media/user/B")});
    QCOMPARE(box->currentIndex(), 0);
}

void TestDriveList::noRemovableVolume()
{
    auto drives = std::make_unique<FakeDrivePlatform>();
    FakeDrivePlatform* platform = drives.get();
    drives->addFixedDisk(QStringLiteral("/"), QStringLiteral("system")).addFixedDisk(QStringLiteral("/home"));
    Configurator window(std::move(drives));
    auto* box = window.findChild<QComboBox*>(QStringLiteral("sdCardPath"));
    auto* refresh = window.findChild<QPushButton*>(QStringLiteral("refreshButton"));
    QVERIFY(box);
    QVERIFY(refresh);
    QCOMPARE(box->count(), 0);
    QVERIFY(window.drives().isEmpty());
    QCOMPARE(box->currentIndex(), -1);

    // The last card taken out: the refresh empties both.
    platform->addCard(QStringLiteral("/media/user/A"));
    refresh->click();
    QCOMPARE(box->count(), 1);
    platform->volumes.removeLast();
    refresh->click();
    QCOMPARE(box->count(), 0);
    QVERIFY(window.drives().isEmpty());
    QCOMPARE(box->currentIndex(), -1);
}

ORVA_WINDOW_TEST_MAIN(TestDriveList)

#include "tst_drivelist.moc"
