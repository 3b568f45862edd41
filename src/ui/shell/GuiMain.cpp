#include "ui/shell/GuiMain.h"

#include "shell/app_context.h"
#include "shell/startup.h"
#include "ui/input/FormKit.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/MessageBoxPrompt.h"
#include "ui/shell/WindowRegistry.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

namespace k5 {

int runGui(int argc, char* argv[], const QString& executablePath, const QString& currentDirectory,
           const QString& windowName, const QString& archiveToOpen) {
    QApplication app(argc, argv);
    // Qt's own dialogs (file dialogs, the print dialog) speak Japanese like
    // every window of the program.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);
    pressButtonsWithEnter();
    MessageBoxPrompt prompt;
    AppContext ctx;
    ctx.prompt = &prompt;
    // The windows change the job and the masters: the run holds the tree
    // for as long as it lasts, and a second one on the same tree says so
    // and opens no window.
    TreeLock lock;
    StartUpResult start = startUp(ctx, executablePath, currentDirectory, &lock);
    if (!start.ok) {
        std::fprintf(stderr, "%s\n", start.reason.toUtf8().constData());
        if (start.tellUser) prompt.warn(start.reason);
        return 1;
    }
    if (!windowName.isEmpty()) {
        if (!openWindowByName(ctx, windowName)) {
            std::fprintf(stderr, "unknown window: %s\nknown: %s\n", windowName.toUtf8().constData(),
                         registeredWindowNames().join(u' ').toUtf8().constData());
            return 2;
        }
        return app.exec();
    }
    // The main window hides while another window is open, so the program
    // ends when the main window closes, not when no window is visible.
    app.setQuitOnLastWindowClosed(false);
    MainWindow window(ctx);
    QObject::connect(&window, &MainWindow::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();
    if (!archiveToOpen.isEmpty())
        QTimer::singleShot(0, &window, [&window, archiveToOpen] { window.openGivenArchive(archiveToOpen); });
    return app.exec();
}

} // namespace k5
