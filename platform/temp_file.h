#pragma once

#include <QByteArray>

namespace platform {

// A hidden name beside path that nothing holds yet, most likely: ".name." and
// random letters. Same folder, so a rename can put the file in place.
QByteArray nameBeside(const QByteArray& path);

// Creates a new file under such a name, open for reading and writing, with the usual
// permission bits. Returns the descriptor and sets tempPath, or -1.
int createBeside(const QByteArray& path, QByteArray& tempPath);

} // namespace platform
