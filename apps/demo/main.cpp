#include "CommonRoutines.h"
#include "CorvaneDialogsMgr.h"
#include "DemoEntries.h"
#include "DemoLauncher.h"
#include "ReferenceHost.h"
#include "WireCodec.h"
#include "frmViewer.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

using namespace corvane;

namespace {

bool writeShot(QWidget* window, const QString& directory)
{
    window->show();
    // A viewer is pictured as the operator sees it a moment after it opens: with its whole document laid out.
    if (auto* viewer = qobject_cast<frmViewer*>(window))
        (void)viewer->pageCount();
    QApplication::processEvents();
    QApplication::processEvents();
    const QString path = QDir(directory).filePath(window->objectName() + QStringLiteral(".png"));
    const bool saved = window->grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    window->close();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    // Qt WebEngine (the settings window's server pages) refuses to start its sandbox as root, and wants the
    // shared OpenGL contexts set before the application object exists.
    if (geteuid() == 0 && qgetenv("QTWEBENGINE_DISABLE_SANDBOX").isEmpty())
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane-demo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The CorvaneDialogs demo host on the reference practice server."));
    parser.addHelpOption();
    const QCommandLineOption dbOption(QStringLiteral("db"), QStringLiteral("Practice database file."),
                                      QStringLiteral("path"));
    const QCommandLineOption operatorOption(QStringLiteral("operator"), QStringLiteral("Operator code to sign in."),
                                            QStringLiteral("code"), QStringLiteral("JSMITH"));
    const QCommandLineOption developerOption(QStringLiteral("developer"), QStringLiteral("Run in developer mode."));
    const QCommandLineOption shotsOption(QStringLiteral("shots"), QStringLiteral("Write a PNG of every window."),
                                         QStringLiteral("dir"));
    parser.addOptions({dbOption, operatorOption, developerOption, shotsOption});
    parser.process(app);

    QString dbPath = parser.value(dbOption);
    if (dbPath.isEmpty()) {
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(data);
        dbPath = data + QStringLiteral("/practice.db");
    }
    const std::string operatorCode = WireCodec::toWireLossy(parser.value(operatorOption).toUpper());

    std::unique_ptr<reference::ReferenceHost> host;
    try {
        host = std::make_unique<reference::ReferenceHost>(dbPath.toStdString(), operatorCode);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "corvane-demo: %s\n", e.what());
        return 1;
    }
    host->utils->setDeveloperMode(parser.isSet(developerOption));

    CorvaneDialogsMgr manager;
    host->initialise(manager);

    demo::DemoLauncher launcher(manager, demo::demoEntries(manager, *host), parser.value(operatorOption).toUpper());

    if (parser.isSet(shotsOption)) {
        const QString directory = parser.value(shotsOption);
        QDir().mkpath(directory);
        bool allSaved = writeShot(&launcher, directory);
        for (const demo::DemoEntry& entry : launcher.entries()) {
            if (!entry.forScreenshot)
                continue;
            std::unique_ptr<QWidget> window(entry.forScreenshot());
            if (window)
                allSaved = writeShot(window.get(), directory) && allSaved;
        }
        return allSaved ? 0 : 1;
    }

    launcher.show();
    return app.exec();
}
