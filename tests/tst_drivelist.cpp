// The drive box and the drive list of the window, fed through a made-up drive platform.
#include "drives/CardIdentity.h"
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
    void toolTipTellsTheWholeCard();
    void cardsOfOneLabelToldApart();
    void longEntryKeepsTheWindowsWidth();
    void onlyRemovableVolumesInEnumerationOrder();
    void refreshRebuildsWithoutAccumulating();
    void refreshMakesTheFirstCardCurrent();
    void refreshFollowsInsertedAndRemovedCards();
    void noRemovableVolume();
};

void TestDriveList::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// Each window saves the drive box's index when it closes and the next one restores it: start every test afresh.
void TestDriveList::init()
{
    QSettings().clear();
}

void TestDriveList::itemText_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("text");

    // A mount path can be long: the name and the write protection come first, the path last, where a narrow box
    // cuts it.
    const QString root = QStringLiteral("/media/user/ORVA");
    QTest::newRow("labelled") << root << QStringLiteral("ORVA") << false
                              << QStringLiteral("ORVA \u2014 /media/user/ORVA");
    QTest::newRow("unlabelled") << root << QString() << false << root;
    QTest::newRow("labelled, read-only") << root << QStringLiteral("ORVA") << true
                                         << QStringLiteral("ORVA (READ ONLY) \u2014 /media/user/ORVA");
    QTest::newRow("unlabelled, read-only")
        << root << QString() << true << QStringLiteral("/media/user/ORVA (READ ONLY)");
    // A drive letter is short: the root, a space, the name, as Windows users know it.
    QTest::newRow("drive letter") << QStringLiteral("E:/") << QStringLiteral("Orva Config") << false
                                  << QStringLiteral("E:/ Orva Config");
    QTest::newRow("drive letter, unlabelled, read-only")
        << QStringLiteral("E:/") << QString() << true << QStringLiteral("E:/  (READ ONLY)");
    // A label is anybody's text: a character that reverses what follows, or a line break, is shown escaped, and the
    // path stays the right way round on the entry's one line.
    QTest::newRow("control characters") << QStringLiteral("/media/user/\u202Eevil\ncard")
                                        << QStringLiteral("ORVA\u202E\x1B[2J") << false
                                        << QStringLiteral(
                                               "ORVA\\u202E\\x1B[2J \u2014 /media/user/\\u202Eevil\\x0Acard");
}

void TestDriveList::itemText()
{
    QFETCH(QString, root);
    QFETCH(QString, name);
    QFETCH(bool, readOnly);
    QFETCH(QString, text);

    auto drives = std::make_unique<FakeDrivePlatform>();
    drives->addCard(root, name, readOnly);
    Configurator window(std::move(drives));
    auto* box = window.findChild<QComboBox*>(QStringLiteral("sdCardPath"));
    QVERIFY(box);
    QCOMPARE(itemTexts(box), QStringList{text});
    QCOMPARE(window.drives(), QStringList{root});
    // The root path lives only in the drive list.
    QVERIFY(!box->itemData(0).isValid());
}

void TestDriveList::toolTipTellsTheWholeCard()
{
    auto drives = std::make_unique<FakeDrivePlatform>();
    drives->addCard(QStringLiteral("/media/user/a/very/long/path/ORVA"), QStringLiteral("ORVA"));
    drives->volumes.last().capacity = 7948206080;
    drives->volumes.last().reader = QStringLiteral("Generic STORAGE DEVICE");
    drives->volumes.last().fileSystem = QStringLiteral("vfat");
    drives->addCard(QStringLiteral("/media/user/B"));
    Configurator window(std::move(drives));
    auto* box = window.findChild<QComboBox*>(QStringLiteral("sdCardPath"));

    const QString whole = QStringLiteral("Path: /media/user/a/very/long/path/ORVA\nCapacity: 7.9 GB\nDevice: Generic "
                                         "STORAGE DEVICE\nFile system: vfat");
    QCOMPARE(box->itemData(0, Qt::ToolTipRole).toString(), whole);
    // What the system does not know is left out.
    QCOMPARE(box->itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("Path: /media/user/B"));
    // The closed box tells the chosen card.
    QCOMPARE(box->toolTip(), whole);
    box->setCurrentIndex(1);
    QCOMPARE(box->toolTip(), QStringLiteral("Path: /media/user/B"));
}

void TestDriveList::cardsOfOneLabelToldApart()
{
    // Three prepared cards carry the same label: their capacity and device tell them apart in the closed box, and the
    // name a list of cards gives each is the entry's.
    auto drives = std::make_unique<FakeDrivePlatform>();
    const QString label = QStringLiteral("Orva Config");
    drives->addCard(QStringLiteral("E:/"), label).addCard(QStringLiteral("F:/"), label);
    drives->addCard(QStringLiteral("/media/user/Orva Config1"), label, true);
    const quint64 capacities[] = {7948206080, 15931539456, 8388608};
    for (int i = 0; i < 3; ++i)
        drives->volumes[i].capacity = capacities[i];
    drives->volumes[0].reader = drives->volumes[1].reader = QStringLiteral("Generic STORAGE DEVICE");
    drives->volumes[0].serial = QStringLiteral("058F63666485");
    drives->volumes[1].serial = QStringLiteral("058F\u202E6486");
    drives->volumes[2].deviceName = QStringLiteral("loop0");
    drives->volumes[2].backingFile = QStringLiteral("/srv/a\nb.img");
    const QVector<MountedVolume> volumes = drives->volumes;
    Configurator window(std::move(drives));
    auto* box = window.findChild<QComboBox*>(QStringLiteral("sdCardPath"));

    const QStringList shown{QStringLiteral("E:/ Orva Config (7.9 GB, Generic STORAGE DEVICE, serial 058F63666485)"),
                            QStringLiteral("F:/ Orva Config (15.9 GB, Generic STORAGE DEVICE, serial 058F\\u202E6486)"),
                            QStringLiteral("Orva Config (8.4 MB, loop0: /srv/a\\x0Ab.img)")};
    QCOMPARE(itemTexts(box), (QStringList{shown[0], shown[1],
                                          shown[2] + QStringLiteral(" (READ ONLY) \u2014 /media/user/Orva Config1")}));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(CardIdentity::shownName(volumes[i]), shown[i]);
    QCOMPARE(box->itemData(2, Qt::ToolTipRole).toString(),
             QStringLiteral("Path: /media/user/Orva Config1\nCapacity: 8.4 MB\nDevice: loop0: /srv/a\\x0Ab.img"));

    // The capacity in the user's own numbers.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString german = CardIdentity::shownName(volumes[0]);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(german, QStringLiteral("E:/ Orva Config (7,9 GB, Generic STORAGE DEVICE, serial 058F63666485)"));
}

void TestDriveList::longEntryKeepsTheWindowsWidth()
{
    // A card's name, device and mount path may be longer than the window is wide: the closed box shows what fits, and
    // the window keeps the width it would have without the card.
    Configurator bare(std::make_unique<FakeDrivePlatform>());
    bare.show();
    auto drives = std::make_unique<FakeDrivePlatform>();
    drives->addCard(QStringLiteral("/media/installer/Orva Config/") + QString(60, QLatin1Char('x')),
                    QStringLiteral("Orva Config"));
    drives->volumes.last().reader = QStringLiteral("Generic STORAGE DEVICE");
    drives->volumes.last().serial = QStringLiteral("058F63666485");
    Configurator window(std::move(drives));
    window.show();
    QCOMPARE(window.width(), bare.width());
    QCOMPARE(window.minimumSizeHint().width(), bare.minimumSizeHint().width());
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

    QCOMPARE(itemTexts(box), (QStringList{QStringLiteral("B (READ ONLY) \u2014 /media/user/SECOND"),
                                          QStringLiteral("A \u2014 /media/user/FIRST")}));
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
    QCOMPARE(itemTexts(box),
             (QStringList{QStringLiteral("/media/user/A"), QStringLiteral("NEW \u2014 /media/user/B")}));
    QCOMPARE(window.drives(), (QStringList{QStringLiteral("/media/user/A"), QStringLiteral("/media/user/B")}));

    platform->volumes.removeFirst();
    refresh->click();
    QCOMPARE(itemTexts(box), QStringList{QStringLiteral("NEW \u2014 /media/user/B")});
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
