#pragma once

#include <QString>
#include <optional>

class QWidget;

struct FolderChoice {
    QString folder;
    bool withSubfolders = false;
};

// Asks in the standard folder dialog for the folder whose files are to be added, and whether
// those of its sub-folders too; withSubfolders is the choice offered. Nothing when cancelled.
std::optional<FolderChoice> chooseFolder(QWidget* parent, bool withSubfolders);
