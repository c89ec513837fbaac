// Starts a program as Brimvault starts a game, then ends: watch_launcher OUTPUT PROGRAM [ARG...]
#include "platform/QtPlatform.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList words = QCoreApplication::arguments();
    if (words.size() < 3)
        return 2;
    bv::QtPlatform platform(QString{});
    QString problem;
    const bv::StartFailure started = platform.startWatchedProcess(
        words.at(2), words.mid(3), QString(), words.at(1), problem, nullptr);
    return started == bv::StartFailure::None && problem.isEmpty() ? 0 : 1;
}
