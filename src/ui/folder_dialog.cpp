#include "ui/folder_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>

std::optional<FolderChoice> chooseFolder(QWidget* parent, bool withSubfolders) {
    QFileDialog dialog(parent, QStringLiteral("Ordner hinzufügen"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    // The platform's own dialog takes no control of ours.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* subfolders = new QCheckBox(QStringLiteral("mit &Unterordnern"), &dialog);
    subfolders->setObjectName(QStringLiteral("withSubfolders"));
    subfolders->setChecked(withSubfolders);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        grid->addWidget(subfolders, grid->rowCount(), 0, 1, grid->columnCount());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return FolderChoice{dialog.selectedFiles().constFirst(), subfolders->isChecked()};
}
