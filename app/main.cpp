// The tree demonstration's entry point: hands the command line to the
// engine (for its automation options), runs the application, and shows a
// failure in the error display. Exit status: 0 when the program ends as
// asked (Escape, a closed window, a cancelled settings dialog), 1 after an
// error, 2 for a command line it cannot use.
#include "TreeApplication.h"
#include "core/Exception.h"     // Required for: Velk::Exception
#include "render/ErrorDialog.h" // Required for: Velk::showErrorDialog
#include "render/Root.h"        // Required for: Velk::Root

#include <exception> // Required for: std::exception
#include <iostream>  // Required for: std::cerr

int main(int argc, char** argv) {
    try {
        if (!Velk::Root::setCommandLine(argc, argv)) return 0; // --help was printed
    } catch (const Velk::Exception& e) {
        std::cerr << "treedemo: " << e.getFullDescription() << "\n";
        return 2;
    }
    // The application outlives the handlers: an error is shown before the
    // engine shuts down.
    TreeApplication app;
    try {
        app.run();
    } catch (const Velk::Exception& e) {
        Velk::showErrorDialog("An exception has occured!", e.getFullDescription());
        return 1;
    } catch (const std::exception& e) {
        Velk::showErrorDialog("An exception has occured!", e.what());
        return 1;
    }
    return 0;
}
