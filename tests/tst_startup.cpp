// What start-up leaves until after the window's first paint still arrives: the program's icon from the icon theme, and
// the clear buttons' icon, which the style makes only when it is first drawn.
#include "app/WindowSetup.h"
#include "support/WindowTest.h"
#include "window/Configurator.h"

#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {
// An icon theme in folder that holds the program's icon (or the icon name) in two sizes, filled with colour.
bool writeTheme(const QString& folder, QColor colour, const QString& name = ApplicationIdentity::desktopFileName())
{
    const QString theme = folder + QStringLiteral("/hicolor");
    QFile index(theme + QStringLiteral("/index.theme"));
    if (!QDir().mkpath(theme) || !index.open(QIODevice::WriteOnly))
        return false;
    index.write("[Icon Theme]\nName=hicolor\nDirectories=16x16/apps,48x48/apps\n\n"
                "[16x16/apps]\nSize=16\nType=Fixed\n\n[48x48/apps]\nSize=48\nType=Fixed\n");
    index.close();
    for (int size : {16, 48}) {
        const QString apps = theme + QStringLiteral("/%1x%1/apps").arg(size);
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(colour);
        const QString file = name + QStringLiteral(".png");
        if (!QDir().mkpath(apps) || !image.save(QDir(apps).filePath(file)))
            return false;
    }
    return true;
}

QRgb middlePixel(const QIcon& icon)
{
    const QImage image = icon.pixmap(48, 48).toImage();
    return image.isNull() ? 0 : image.pixel(image.width() / 2, image.height() / 2);
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings().clear(); }

    // The presets' symbol is the style's, from the icon theme, once the window has painted (the built-in one until
    // then); the run's list is made only for a run.
    void firstFrameWaitsForWhatItDoesNotShow()
    {
        QTemporaryDir themes;
        QVERIFY(writeTheme(themes.path(), Qt::blue, QStringLiteral("view-list-details")));
        QIcon::setThemeSearchPaths({themes.path()});
        QIcon::setThemeName(QStringLiteral("hicolor"));

        auto window = makeWindow(0);
        const QToolButton* presets = widget<QToolButton>(*window, "presetButton");
        QVERIFY(!presets->icon().isNull());
        QVERIFY(middlePixel(presets->icon()) != QColor(Qt::blue).rgba());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_COMPARE(middlePixel(presets->icon()), QColor(Qt::blue).rgba());
        for (const QWidget* shown : QApplication::topLevelWidgets())
            QVERIFY(shown->objectName() != QLatin1String("runList"));
    }

    void themeIconFollowsTheFirstPaint()
    {
        QTemporaryDir themes;
        QVERIFY(writeTheme(themes.path(), Qt::blue));
        QIcon::setThemeSearchPaths({themes.path()});
        QIcon::setThemeName(QStringLiteral("hicolor"));

        auto window = makeWindow(0);
        WindowSetup::setWindowIcon(*window);
        // Until the window has painted, the built-in icon.
        QCOMPARE(middlePixel(QApplication::windowIcon()), middlePixel(WindowSetup::windowIcon()));
        QVERIFY(middlePixel(QApplication::windowIcon()) != QColor(Qt::blue).rgba());

        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_COMPARE(middlePixel(QApplication::windowIcon()), QColor(Qt::blue).rgba());
        QVERIFY(QApplication::windowIcon().availableSizes().contains(QSize(16, 16)));
    }

    void clearButtonShowsTheStylesIcon()
    {
        auto window = makeWindow(0);
        auto* mode = widget<QComboBox>(*window, "modeSerial");
        mode->setCurrentIndex(mode->findData(8)); // "GSM" shows the access point name
        auto* field = widget<QLineEdit>(*window, "APN");
        field->setText(QStringLiteral("internet.example"));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        QAction* clear = nullptr;
        const QList<QAction*> actions = field->findChildren<QAction*>();
        // The clear button's action is made with the field; the mark of a problem comes after it.
        for (QAction* action : actions) {
            if (!clear && !action->icon().isNull())
                clear = action;
        }
        QVERIFY(clear);
        // The icon that Fusion itself gives, drawn the same.
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        const QImage expected = fusion->standardIcon(QStyle::SP_LineEditClearButton).pixmap(16, 16).toImage();
        const QImage drawn = clear->icon().pixmap(16, 16).toImage();
        QVERIFY(!drawn.isNull());
        QCOMPARE(drawn.convertToFormat(QImage::Format_ARGB32), expected.convertToFormat(QImage::Format_ARGB32));
    }
};

ORVA_WINDOW_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
