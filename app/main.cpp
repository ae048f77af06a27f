// The tree demonstration's entry point: hands the command line to the
// engine (for its automation options), runs the application, and shows an
// engine failure in the error display.
#include "TreeApplication.h"
#include "core/Exception.h"     // Required for: Velk::Exception
#include "render/ErrorDialog.h" // Required for: Velk::showErrorDialog
#include "render/Root.h"        // Required for: Velk::Root

#include <iostream> // Required for: std::cerr

int main(int argc, char** argv) {
    try {
        if (!Velk::Root::setCommandLine(argc, argv)) return 0; // --help was printed
    } catch (const Velk::Exception& e) {
        std::cerr << "treedemo: " << e.getFullDescription() << "\n";
        return 2;
    }
    TreeApplication app;
    try {
        app.run();
    } catch (const Velk::Exception& e) {
        Velk::showErrorDialog("An exception has occured!", e.getFullDescription());
    }
    return 0;
}
