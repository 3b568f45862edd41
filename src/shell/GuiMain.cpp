#include "shell/GuiMain.h"

#include "shell/MainWindow.h"
#include "shell/MessageBoxPrompt.h"
#include "shell/app_context.h"
#include "shell/startup.h"

#include <QApplication>

namespace k5 {

int runGui(int argc, char* argv[], const QString& executablePath, const QString& currentDirectory) {
    QApplication app(argc, argv);
    MessageBoxPrompt prompt;
    AppContext ctx;
    ctx.prompt = &prompt;
    StartUpResult start = startUp(ctx, executablePath, currentDirectory);
    if (!start.ok) return 1; // an installation without its master folder ends quietly
    MainWindow window(ctx);
    window.show();
    return app.exec();
}

} // namespace k5
