#include "app/ApplicationIdentity.h"
#include "app/Translations.h"
#include "window/Configurator.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    ApplicationIdentity::apply();
    QApplication application(argc, argv);
    Translations::install();
    Configurator window;
    QApplication::setWindowIcon(ApplicationIdentity::windowIcon());
    window.show();
    return QApplication::exec();
}
