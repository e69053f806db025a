// pemu: the calculator window. The data folder is $PEMU_DATA_ROOT when set, else the
// user's data folder; the first copy that runs owns the shared settings.
#include <QApplication>
#include <cstdio>
#include <memory>

#include "shell/shell_session.hpp"
#include "ui/application.hpp"
#include "ui/main_window.hpp"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc > 1) {
        // Skin packages are installed by the skin chooser, which this build does not have.
        std::fprintf(stderr,
                     "pemu: takes no arguments (installing skin packages: not available)\n");
        return 2;
    }
    pemu::ui::PrepareApplication(app);

    // Copies coordinate per data root, so a test or portable data folder never joins an
    // unrelated running copy.
    auto session = pemu::shell::ShellSession::StartForThisProcess();
    int status = 0;
    {
        pemu::ui::TfrmMain window(*session);
        window.show();
        window.activateWindow();
        status = QApplication::exec();
    }
    return status;
}
