// The yardstick for start-up and memory: the same application object, identity, style, icon and image bundle as
// OrvaConfigurator, built with the same flags, showing an empty main window with the same title instead of the form.
// The window draws as Qt draws by default (on X11 OpenGL is readied for it, for an OpenGL widget that might join it).
// Built a second time as field_window, with one line edit of the form's kind (placeholder, clear button) as the
// window's only content: the price of the first text and the first field, which any form pays. Built a third time as
// raster_window, drawing with the processor only, as OrvaConfigurator does: what the form itself costs. Built a
// fourth time as form_window: the program's Designer form, drawn with the processor only, its mode list filled and the
// rows of the first mode shown, and nothing of the program's own: no card list, presets, store, validators or keychain.
// The least that showing this form costs, whatever the program around it does.
#include "app/WindowSetup.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>

#ifdef ORVA_BENCH_FORM
void showTheForm(QMainWindow& window); // form_window.cpp
#endif

int main(int argc, char* argv[])
{
    WindowSetup::apply();
#ifdef ORVA_BENCH_RASTER_ONLY
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
#endif
    QApplication application(argc, argv);
    QMainWindow window;
#ifdef ORVA_BENCH_ONE_FIELD
    auto* field = new QLineEdit(&window);
    field->setPlaceholderText(QStringLiteral("Access point name"));
    field->setClearButtonEnabled(true);
    window.setCentralWidget(field);
#endif
#ifdef ORVA_BENCH_FORM
    showTheForm(window);
#endif
    window.setWindowTitle(QCoreApplication::applicationName() + QLatin1Char(' ') +
                          QCoreApplication::applicationVersion());
    WindowSetup::setWindowIcon(window);
    window.show();
    return QApplication::exec();
}
