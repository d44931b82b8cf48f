// zircon-cli: the headless program over the same core as the window.
#include <QCoreApplication>
#include <QStringList>

#include "cli/CliCommands.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zircon_5x69"));
    return zircon::runCli(QCoreApplication::arguments());
}
