#include "gui/RunRequestReading.h"

#include "gui/FileListModel.h"
#include "gui/OptionControls.h"
#include "ui_MainWindow.h"

#include <algorithm>

namespace quorvel {

namespace {

CompareMode checkedMode(const Ui::MainWindow& form) {
    if (form.SpeedButton1->isChecked()) {
        return CompareMode::FileWithFile;
    }
    if (form.SpeedButton2->isChecked()) {
        return CompareMode::FilesWithDirectory;
    }
    if (form.SpeedButton3->isChecked()) {
        return CompareMode::DirectoryWithDirectory;
    }
    return CompareMode::None;
}

} // namespace

RunRequest readRunRequest(const Ui::MainWindow& form, const OptionControls& options,
                          const FileListModel& leftFiles, const FileListModel& rightFiles,
                          const std::string& leftDirectory, const std::string& rightDirectory) {
    RunRequest request;
    request.mode = checkedMode(form);
    request.leftDirectory = leftDirectory;
    request.rightDirectory = rightDirectory;
    QModelIndexList rows = form.FileListBox1->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& row : rows) {
        request.leftNames.push_back(leftFiles.nameAt(row.row()));
    }
    const QModelIndexList right = form.FileListBox2->selectionModel()->selectedRows();
    if (!right.isEmpty()) {
        request.rightName = rightFiles.nameAt(right.front().row());
    }
    request.options = options.read();
    return request;
}

} // namespace quorvel
