#pragma once

#include <QByteArrayList>

class FileSystem;
class QIODevice;

enum BatchExitStatus : int {
    kPlanSound = 0,    // with --apply: every renaming done
    kPlanRefused = 1,  // nothing renamed
    kUsageError = 2,
    kRenamingFailed = 3,  // with --apply: at least one renaming failed
};

// The program taufix-batch: arguments are those after the program name, as the system passed
// them; in is read for "--files-from -". Paths are taken and written as the file system's
// bytes, messages as UTF-8. Never touches the settings store. Returns the exit status.
int runBatch(const QByteArrayList& arguments, QIODevice& in, QIODevice& out, QIODevice& err,
             FileSystem& fileSystem);
