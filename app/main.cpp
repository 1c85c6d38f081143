#include "app/ApplicationIdentity.h"
#include "window/Configurator.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    ApplicationIdentity::apply();
    QApplication application(argc, argv);
    Configurator window;
    QApplication::setWindowIcon(QIcon(ApplicationIdentity::windowIconPath()));
    window.show();
    return QApplication::exec();
}
