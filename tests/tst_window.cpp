#include "app/ApplicationIdentity.h"
#include "support/FakeDrivePlatform.h"
#include "window/Configurator.h"

#include <QApplication>
#include <QStandardPaths>
#include <QtTest>

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
    }

    void title()
    {
        Configurator window(std::make_unique<FakeDrivePlatform>());
        QCOMPARE(window.windowTitle(), QStringLiteral("ORVA Configurator V1.0.36"));
    }
};

int main(int argc, char* argv[])
{
    ApplicationIdentity::apply();
    QApplication application(argc, argv);
    TestWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window.moc"
