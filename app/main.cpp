#include "app/WindowSetup.h"
#include "app/ConfiguratorCommand.h"
#include "desktop/Translations.h"
#include "window/Configurator.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // --help and --version are answered before the application object, which would need a display.
    if (const std::optional<int> status = ConfiguratorCommand::handle(argc, argv))
        return *status;
    WindowSetup::apply();
    // The window draws with the processor only. Otherwise Qt 5 readies OpenGL for every top-level window, in case an
    // OpenGL widget joins it later: on X11 that loads the GL driver before the first paint, most of the start-up time
    // and of the memory of a window this small.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    QApplication application(argc, argv);
    Translations::install();
    Configurator window;
    WindowSetup::setWindowIcon(window);
    window.show();
    const QString parameterFile = ConfiguratorCommand::parameterFile(QCoreApplication::arguments());
    if (!parameterFile.isEmpty())
        window.loadParameterFile(parameterFile);
    return QApplication::exec();
}
