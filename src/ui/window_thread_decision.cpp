#include "ui/window_thread_decision.h"

#include <QObject>
#include <QThread>

bool WindowThreadDecision::continueAfterFailure(const FileEntry& entry,
                                                const RenameResult& result) {
    bool answer = false;
    const auto ask = [&] { answer = m_decision.continueAfterFailure(entry, result); };
    if (QThread::currentThread() == m_windowSide.thread()) {
        ask();
    } else {
        // The run waits for the answer, as it does on the window thread.
        QMetaObject::invokeMethod(&m_windowSide, ask, Qt::BlockingQueuedConnection);
    }
    return answer;
}
