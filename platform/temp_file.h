#pragma once

#include <QByteArray>

namespace platform {

// Creates a new hidden file beside path (same folder, so a rename can put it
// in place), open for writing, with the usual permission bits. Returns the
// descriptor and sets tempPath, or -1.
int createBeside(const QByteArray& path, QByteArray& tempPath);

} // namespace platform
