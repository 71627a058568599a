// taufix-batch itself, telling on standard error after its run when each phase ended: from main
// to Qt started, the paths read, the folders read, the plan checked (with the journal written and
// synced beside the check), the renamings, and the end with the report.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "app/batch/batch_main.h"

int main(int argc, char* argv[]) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point begun = Clock::now();
    std::vector<std::pair<std::string, Clock::time_point>> phases;
    std::mutex recording;  // the journal's phase ends on a thread of its own
    const int status = batchMain(argc, argv, [&](const char* phase) {
        const std::lock_guard lock(recording);
        phases.emplace_back(phase, Clock::now());
    });
    phases.emplace_back("Ende", Clock::now());
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    Clock::time_point last = begun;
    for (const auto& [phase, at] : phases) {
        // A phase beside the others is told only by when it ended.
        if (phase.find("(parallel)") != std::string::npos) {
            std::fprintf(stderr, "%-32s %11s  (bei %8.2f ms)\n", phase.c_str(), "", ms(at - begun));
            continue;
        }
        std::fprintf(stderr, "%-32s %8.2f ms  (bei %8.2f ms)\n", phase.c_str(), ms(at - last),
                     ms(at - begun));
        last = at;
    }
    std::fflush(stderr);
    std::_Exit(status);
}
