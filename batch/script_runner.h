#pragma once

#include "batch/undo_script.h"

#include <QObject>
#include <QThread>

#include <memory>

namespace batch {

// Runs an undo script on a worker thread so the window never waits. finished() is
// delivered on the thread that owns the runner.
class ScriptRunner : public QObject {
    Q_OBJECT
public:
    explicit ScriptRunner(QObject* parent = nullptr);
    ~ScriptRunner() override;   // waits for a script still running

    // False when a script is still running (nothing is started then).
    bool start(const QString& path);
    bool isRunning() const;
    // Blocks until the running script, if any, has ended.
    void wait();

signals:
    void finished(const batch::RestoreReport& report);

private:
    std::unique_ptr<QThread> thread_;
};

} // namespace batch

Q_DECLARE_METATYPE(batch::RestoreReport)
