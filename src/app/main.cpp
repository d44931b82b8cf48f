// The GUI program Zircon_5x69: chooses the data directory and the interface
// language, then hands over to the main window.
#include <QApplication>
#include <QMessageBox>

#include "core/CommandLine.h"
#include "core/DataDir.h"
#include "core/Error.h"
#include "core/IniStore.h"
#include "core/Lottery.h"
#include "core/MainFormKeys.h"
#include "core/Tr.h"
#include "ui/QtHost.h"
#include "ui/TFormMain.h"

namespace {

// "no-language" selects the built-in Russian texts whatever is stored;
// otherwise the stored `Language` (the main window falls back to Russian when
// no module serves it).
int startLanguage(const QStringList& args, const zircon::DataPaths& paths)
{
    if (zircon::hasSwitch(args, zircon::kSwitchNoLanguage))
        return zircon::kBaseLanguage;
    return zircon::MainFormKeys::read(zircon::IniStore(paths.frm)).language;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(zircon::kProgramName));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZIRCON_VERSION));

    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();

    zircon::TFormMain::StartOptions options;
    options.arguments = args;
    try {
        options.dataDir = zircon::prepareDataDir(args);
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, zircon::QtHost::messageCaption(zircon::MessageKind::Error),
                              zircon::QtHost::messageBoxText(zircon::errorText(e)));
        return 1;
    }
    options.requestedLanguage = startLanguage(args, zircon::DataPaths(options.dataDir));

    zircon::TFormMain window(options);
    // The creation sequence may already have ended the program (the restart
    // wait timed out).
    if (window.programEnded())
        return 0;
    window.show();
    return app.exec();
}
