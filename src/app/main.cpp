// pemu: the calculator window. The data folder is $PEMU_DATA_ROOT when set, else the
// user's data folder; the first copy that runs owns the shared settings. `pemu PATH...`
// installs skin packages instead and ends.
#include <QApplication>
#include <memory>

#include "platform/file_system.hpp"
#include "platform/qt/qt_path.hpp"
#include "shell/shell_session.hpp"
#include "ui/application.hpp"
#include "ui/data_folder_messages.hpp"
#include "ui/main_window.hpp"
#include "ui/package_install_messages.hpp"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    pemu::ui::PrepareApplication(app);
    const pemu::shell::DataRootChoice dataRoot = pemu::shell::ChooseDataRoot();
    if (dataRoot.root.empty()) {
        pemu::ui::ShowNoDataFolderPlace(dataRoot.problem);
        return 1;
    }
    // `pemu PATH...` installs skin packages and ends, before anything else starts.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        std::vector<std::string> paths;
        for (qsizetype i = 1; i < arguments.size(); ++i)
            paths.push_back(pemu::platform::PathFromQt(arguments[i]));
        pemu::ui::InstallPackagesFromCommandLine(
            paths, pemu::shell::NamedPaths(dataRoot.root, pemu::platform::ExecutableFolder()));
        return 0;
    }

    // Copies coordinate per data root, so a test or portable data folder never joins an
    // unrelated running copy.
    auto session = pemu::shell::ShellSession::StartForThisProcess(dataRoot.root);
    int status = 0;
    {
        pemu::ui::TfrmMain window(*session);
        window.show();
        window.activateWindow();
        status = QApplication::exec();
        // A run whose settings or tapes could not be kept says so to whoever started it.
        if (status == 0 && (window.FinalSaveFailed() || !session->dataFolderCheck().ok)) status = 1;
    }
    return status;
}
