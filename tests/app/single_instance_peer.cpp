// A start for the multi-process tests: exit status 0 when it handed over to
// a running instance, 3 when it became the primary itself. Given a second
// argument, a primary serves that many milliseconds (or until it has heard
// as many activations as a third argument says) and prints the count.
#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // where the tests' guards meet on Windows
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args.size() > 4) return 2;
    selenara::SingleInstance guard(args.at(1));
    if (!guard.TryBecomePrimary()) return 0;
    if (args.size() == 2) return 3;

    int heard = 0;
    const int expected = args.size() == 4 ? args.at(3).toInt() : -1;
    QObject::connect(&guard, &selenara::SingleInstance::activationRequested, &app, [&] {
        if (++heard == expected) QCoreApplication::quit();
    });
    std::printf("primary\n");
    std::fflush(stdout);
    QTimer::singleShot(args.at(2).toInt(), &app, &QCoreApplication::quit);
    QCoreApplication::exec();
    std::printf("activations=%d\n", heard);
    return 3;
}
