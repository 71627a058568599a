#pragma once

// Why a plan is refused, in the order the checks are reported.
enum class PlanFailure {
    MaskError,
    CounterTooLarge,
    NamesNotUnique,
    NameClash,
    TypeOnlyName,
    BlankName,
    SeparatorInName,
    NameTooLong,
    FolderUnreadable,
};
