#pragma once

#include "gui/ModeTable.h"

#include <string>
#include <vector>

class QListView;

namespace quorvel {

class FileListModel;

// How a file list takes a choice. Going from several to one keeps one file chosen: the current
// one if it was chosen, else the first chosen.
void setListSelection(QListView* list, ListSelection selection);

// Selects the rows of `names` in `list`, which shows `model`; the first one becomes current.
void selectNames(QListView* list, const FileListModel& model,
                 const std::vector<std::string>& names);

} // namespace quorvel
