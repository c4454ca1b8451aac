#include "setup/core/program_name.h"

namespace setup {
namespace {

QString& storage()
{
    static QString name;
    return name;
}

} // namespace

const QString& programName()
{
    return storage();
}

void setProgramName(const QString& name)
{
    storage() = name;
}

} // namespace setup
