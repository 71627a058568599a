#pragma once

// Why a plan is refused, in the order the checks are reported.
enum class PlanFailure {
    MaskError,
    SearchError,
    CounterTooLarge,
    NamesNotUnique,
    NameClash,
    TypeOnlyName,
    BlankName,
    SeparatorInName,
    NameTooLong,
    FolderUnreadable,
    ValueMissing,  // a file lacks a value the mask takes from it
    ValuesUnread,  // the files' contents are still being read
};
