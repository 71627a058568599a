#include <cstdlib>

#include "app/batch/batch_main.h"

int main(int argc, char* argv[]) {
    // Freeing a hundred thousand entries one by one would only delay the exit.
    std::_Exit(batchMain(argc, argv));
}
