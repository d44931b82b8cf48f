#pragma once
// Where the program keeps its data files, and the name of each of them.
// Every data file lives in one directory and is named after the program.
#include <QString>
#include <QStringList>

#include <functional>

namespace zircon {

enum class DataDirSource {
    Argument,     // "--data-dir DIR" or "--data-dir=DIR"
    Environment,  // ZIRCON_DATA_DIR
    ProgramDir,   // the directory of the program file, being writable
    UserData,     // $XDG_DATA_HOME/Zircon_5x69, by default ~/.local/share/Zircon_5x69
};

struct DataDirChoice {
    QString path;          // absolute and cleaned
    DataDirSource source;  // the rule that chose it
};

using EnvLookup = std::function<QString(const char* name)>;
using WritableDirTest = std::function<bool(const QString& dir)>;

// The choice itself, without touching the disk beyond `isWritable`: the
// argument, else the environment variable, else the program's directory when
// writable, else the per-user data directory. Relative paths are taken from
// the current directory. Throws Error for "--data-dir" without a directory.
DataDirChoice chooseDataDir(const QStringList& args, const EnvLookup& env, const QString& programDir,
                            const WritableDirTest& isWritable);

// An existing directory this process may create files in.
bool isWritableDir(const QString& dir);

// Creates the directory (and its parents) when missing; throws Error when it
// cannot be created or is not a directory.
void ensureDataDir(const QString& dir);

// The program's real choice: its arguments (after the program name), the
// process environment and the program file's directory; the directory is
// created when missing. Throws Error.
QString prepareDataDir(const QStringList& args);

// The full path of every data file in one data directory.
struct DataPaths {
    explicit DataPaths(const QString& dir);

    QString prefetchFile(const QString& statCode) const;  // Prefetchs/Zircon_5x69_<code>.dfc

    QString dir;             // the data directory itself
    QString ini;             // "Zircon_5x69.ini": computation settings
    QString frm;             // "Zircon_5x69.frm": window and view state
    QString archive;         // "Zircon_5x69.ldr": the draw archive
    QString stakes;          // "Zircon_5x69.lsk"
    QString ratings;         // "Zircon_5x69.lrt"
    QString tables;          // "Zircon_5x69.ltb": regular stakes
    QString script;          // "Zircon_5x69.lss": the working script
    QString favourites;      // "Zircon_5x69.flt": favourite statistics and their names
    QString startListCache;  // "Zircon_5x69.~buff"
    QString prefetchDir;     // "Prefetchs"
};

}  // namespace zircon
