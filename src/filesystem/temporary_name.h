#pragma once

#include <QString>
#include <atomic>

#include <unistd.h>

// A name for a file to stand under for a moment in its folder: of this process and new at each
// call, so that it is free unless another program took it.
inline QString temporaryName() {
    static std::atomic<unsigned> serial = 0;
    return QStringLiteral("taufix-%1-%2.tmp").arg(::getpid()).arg(++serial);
}
