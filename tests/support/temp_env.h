#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

// A fresh temporary folder that is also the process's working directory and
// holds the system folder (XDG_DATA_HOME points into it) for as long as the
// object lives. Everything is put back on destruction.
class TempWorkDir {
public:
    // under: the folder to make it in; the usual temporary folder by default.
    explicit TempWorkDir(const QString& under = {});
    ~TempWorkDir();
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

    QString root() const;                       // holds the working directory and the system folder
    QString path() const;                       // the working directory
    QString systemFolder() const;               // where the system files go
    QString file(const QString& name) const;    // path() + "/" + name

    // Creates a file in the working directory with the given bytes.
    void write(const QString& name, const QByteArray& bytes = {}) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;
    // Names in the working directory (all entries but . and ..), sorted.
    QStringList names() const;
    // The same without the undo script's, and as "name=contents" joined by separator.
    QStringList namesButScript() const;
    QString contentsButScript(const QString& separator = QStringLiteral(" ")) const;

private:
    QTemporaryDir dir_;
    QByteArray oldCwd_;
    QByteArray oldXdg_;
    bool hadXdg_ = false;
};

// Writes bytes to path, or ends the test binary.
void writeFile(const QString& path, const QByteArray& bytes = {});

// Where syncs cost nothing, for the work folder of a test that makes
// thousands, or one that needs a local file system (a memory file system);
// empty where there is none.
QString memoryFolder();

} // namespace testsupport
