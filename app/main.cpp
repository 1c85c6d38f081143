#include "app/ApplicationIdentity.h"
#include "app/ConfiguratorCommand.h"
#include "app/Translations.h"
#include "window/Configurator.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    // --help and --version are answered before the application object, which would need a display.
    if (const std::optional<int> status = ConfiguratorCommand::handle(argc, argv))
        return *status;
    ApplicationIdentity::apply();
    QApplication application(argc, argv);
    Translations::install();
    Configurator window;
    QApplication::setWindowIcon(ApplicationIdentity::windowIcon());
    window.show();
    return QApplication::exec();
}
