// A later start for the two-process test: exit status 0 when it handed over
// to a running instance, 3 when it became the primary itself.
#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) return 2;
    selenara::SingleInstance guard(args.at(1));
    return guard.TryBecomePrimary() ? 3 : 0;
}
