#include "MainApp.h"
#include "TerminalOptions.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>

int main(int argc, char** argv)
{
    // Help and version need no display, so they come before Qt's GUI does.
    QStringList rawArgs;
    for (int i = 1; i < argc; ++i)
        rawArgs.append(QString::fromLocal8Bit(argv[i]));
    QTextStream out(stdout);
    if (const std::optional<int> status = TerminalOptions::AnswerInfo(rawArgs, out))
        return *status;

    QApplication app(argc, argv);
    // The installed desktop entry and icon: Wayland matches the window to
    // the entry by this name, and the icon theme has the icon under it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quorvel.Quorvel"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.quorvel.Quorvel")));
    QTextStream err(stderr);
    if (const std::optional<int> status = TerminalOptions::RejectUnknown(QApplication::arguments().mid(1), err))
        return *status;
    MainApp mainApp;
    if (!mainApp.InitInstance(QApplication::arguments().mid(1)))
        return 0;
    return mainApp.Run();
}
