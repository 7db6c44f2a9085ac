#pragma once

#include "engine/RunRequest.h"

#include <string>

namespace Ui {
class MainWindow;
}

namespace quorvel {

class FileListModel;
class OptionControls;

// The run the main window's controls ask for: the mode button that is down, the two sides, the
// selected files in list order, the options and the captions the heading quotes.
RunRequest readRunRequest(const Ui::MainWindow& form, const OptionControls& options,
                          const FileListModel& leftFiles, const FileListModel& rightFiles,
                          const std::string& leftDirectory, const std::string& rightDirectory);

} // namespace quorvel
