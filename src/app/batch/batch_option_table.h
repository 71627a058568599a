#pragma once

#include <span>

// Every option of taufix-batch, defined once: the parser, --help, the manual page's options and
// the bash completion are all made from this table.

enum class BatchOptionId {
    Mask,
    Start,
    Step,
    Digits,
    LeadZeros,
    Case,
    Search,
    Replace,
    Regex,
    Sort,
    Descending,
    FilesFrom,
    Null,
    Recursive,
    Chains,
    Apply,
    Undo,
    List,
    Print0,
    Help,
    Version,
};

enum class BatchValueKind {
    None,    // a switch
    Text,    // any text in valid UTF-8
    Number,  // decimal digits only
    Word,    // one of the option's choices, in any case
    Path,    // a file; "-" is standard input
};

struct BatchChoice {
    const char* word;  // UTF-8, in small letters
    int value;
    bool shown;  // false for an accepted spelling that messages and the completion leave out
};

// The sort choice that keeps the order the paths were given in.
inline constexpr int kKeepGivenOrder = -1;

struct BatchOption {
    BatchOptionId id;
    const char* longName;
    char shortName = 0;               // 0 without a short form
    const char* valueName = nullptr;  // as --help and the manual call the value; none for a switch
    BatchValueKind kind = BatchValueKind::None;
    std::span<const BatchChoice> choices = {};
    const char* defaultValue = nullptr;  // the value that acts as if the option were not given
    const char* needs = nullptr;         // the long name of the option it only goes with
    bool ends = false;                   // shows something and ends the program
    const char* help = "";               // the lines of its --help description
    const char* manual = "";             // its paragraph in the manual page, in roff
};

std::span<const BatchOption> batchOptionTable();
