#include "platform/io_trace.h"

namespace platform {
namespace {

IoRecorder& recorder()
{
    static IoRecorder instance;
    return instance;
}

} // namespace

void setIoRecorder(IoRecorder r)
{
    recorder() = std::move(r);
}

bool recordingIo()
{
    return bool(recorder());
}

void recordIo(IoEvent event, const QString& name, long long value)
{
    if (const IoRecorder& r = recorder())
        r(event, name, value);
}

} // namespace platform
