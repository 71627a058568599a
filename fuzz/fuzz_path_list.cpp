// Any bytes as a path list: every item is a non-empty path the system could take, without its
// separator, and without the carriage return of a line's end.
#include <QBuffer>

#include "fuzz_input.h"
#include "list/path_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const char separator = data[0] % 2 == 0 ? '\n' : '\0';
    QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    QByteArrayList paths;
    const PathListResult result = readPathList(device, separator, paths);
    FUZZ_CHECK(result != PathListResult::Unreadable);
    qsizetype total = 0;
    for (const QByteArray& path : paths) {
        FUZZ_CHECK(!path.isEmpty() && path.size() <= kLongestPath);
        FUZZ_CHECK(!path.contains(separator));
        // A line's end "\r\n" loses its "\r"; only a name that itself ends in one keeps it.
        FUZZ_CHECK(separator != '\n' || !path.endsWith('\r') || bytes.contains("\r\r"));
        total += path.size();
    }
    FUZZ_CHECK(result == PathListResult::ItemTooLong || total <= bytes.size());
    return 0;
}
