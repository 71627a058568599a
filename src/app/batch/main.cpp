#include <QCoreApplication>
#include <QFile>

#include <unistd.h>

#include "app/batch/batch_run.h"
#include "filesystem/linux_file_system.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // Opened without QIODevice::Unbuffered: QFile buffers writes, and the file descriptors
    // bypass the C library's own buffers.
    QFile in;
    QFile out;
    QFile err;
    in.open(STDIN_FILENO, QIODevice::ReadOnly);
    out.open(STDOUT_FILENO, QIODevice::WriteOnly);
    err.open(STDERR_FILENO, QIODevice::WriteOnly);
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QByteArray(argv[i]);
    }
    const int status = runBatch(arguments, in, out, err, hostFileSystem());
    out.flush();
    err.flush();
    return status;
}
