#include "support/WindowTest.h"

#include "support/TestFiles.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>

FreshDesk::FreshDesk()
{
    useHome(home);
    QSettings().clear();
}

std::unique_ptr<Configurator> makeWindow(int cards, FakeDrivePlatform** platform)
{
    auto drives = std::make_unique<FakeDrivePlatform>();
    for (int i = 0; i < cards; ++i)
        drives->addCard(QStringLiteral("/media/card%1").arg(i), QStringLiteral("CARD%1").arg(i));
    if (platform)
        *platform = drives.get();
    return std::make_unique<Configurator>(std::move(drives));
}

QList<QByteArray> formState(const Configurator& window)
{
    QList<QByteArray> state;
    for (const FormField::Description& description : FormField::fields) {
        const auto* field = widget<QLineEdit>(window, description.objectName);
        state << field->text().toUtf8() << QByteArray::number(field->isEnabled());
    }
    state << QByteArray::number(window.currentModeCode())
          << QByteArray::number(widget<QCheckBox>(window, "resetConfigCheckBox")->isChecked())
          << QByteArray::number(widget<QCheckBox>(window, "ejectCardCheckBox")->isChecked());
    return state;
}
