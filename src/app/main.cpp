// nimba-mouse: the utility for the NIMBA R380X mouse. It takes no options.

#include <QApplication>

#include "app/program.h"
#include "skin/paint_manager.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Closing the last window only puts the program in the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    int code = 0;
    {
        nimba::Program program;
        code = program.Start();
        if (code != 0) return code;
        code = CPaintManagerUI::MessageLoop();
    }
    CPaintManagerUI::Term();
    return code;
}
