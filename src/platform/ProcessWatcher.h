#pragma once

#include "Platform.h"

#include <QObject>

class QTimer;

#include <memory>
#include <vector>

namespace bv {

// Starts programs apart from Brimvault, with their output in a file of their own, and tells
// when each ends. A program is watched through its process descriptor on the thread that
// started it, so several may run at once, none is left a zombie, and nothing ever waits.
class ProcessWatcher : public QObject {
    Q_OBJECT
public:
    explicit ProcessWatcher(QObject* parent = nullptr);
    ~ProcessWatcher() override;

    StartFailure start(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory, const QString& outputPath,
                       QString& outputProblem, ProcessEndHandler onEnd);

    // Programs started and not yet seen to end.
    int watching() const { return static_cast<int>(watched_.size()); }

private:
    struct Watched;
    void reap(Watched* watched);
    void pollUnwatchable();

    std::vector<std::unique_ptr<Watched>> watched_;
    QTimer* poll_ = nullptr;
};

} // namespace bv
