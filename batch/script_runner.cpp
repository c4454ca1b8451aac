#include "batch/script_runner.h"

#include <memory>

namespace batch {

ScriptRunner::ScriptRunner(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<batch::RestoreReport>();
}

ScriptRunner::~ScriptRunner()
{
    wait();
}

bool ScriptRunner::start(const QString& path)
{
    if (isRunning())
        return false;
    wait();   // a finished thread may still be winding down
    // Each run gets its own report, so a late delivery never reads the next one's.
    auto report = std::make_shared<RestoreReport>();
    thread_.reset(QThread::create([path, report] { *report = runUndoScript(path); }));
    // The thread object lives here, so this lands on the owner's thread.
    connect(thread_.get(), &QThread::finished, this, [this, report] { emit finished(*report); });
    thread_->start();
    return true;
}

bool ScriptRunner::isRunning() const
{
    return thread_ && !thread_->isFinished();
}

void ScriptRunner::wait()
{
    if (thread_)
        thread_->wait();
}

} // namespace batch
