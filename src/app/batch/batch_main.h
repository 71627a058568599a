#pragma once

#include <functional>

// The program taufix-batch from its start to its exit status, with standard input and output,
// the host's file system and the user's journal; phaseEnded, where given, is told each phase of a
// run as it ends. Returns once everything is written and the journal closed.
int batchMain(int argc, char* argv[], const std::function<void(const char*)>& phaseEnded = {});
