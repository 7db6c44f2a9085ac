#include "gui/FileListSelection.h"

#include "gui/FileListModel.h"

#include <QListView>

#include <algorithm>

namespace quorvel {

void setListSelection(QListView* list, ListSelection selection) {
    if (selection == ListSelection::Kept) {
        return;
    }
    const bool multiple = selection == ListSelection::Multiple;
    if (!multiple && list->selectionMode() != QAbstractItemView::SingleSelection) {
        const QModelIndexList chosen = list->selectionModel()->selectedRows();
        if (chosen.size() > 1) {
            const QModelIndex keep =
                chosen.contains(list->currentIndex()) ? list->currentIndex() : chosen.front();
            list->selectionModel()->select(keep, QItemSelectionModel::ClearAndSelect);
        }
    }
    list->setSelectionMode(multiple ? QAbstractItemView::ExtendedSelection
                                    : QAbstractItemView::SingleSelection);
}

void selectNames(QListView* list, const FileListModel& model,
                 const std::vector<std::string>& names) {
    bool first = true;
    for (int row = 0; row < model.rowCount(); ++row) {
        if (std::find(names.begin(), names.end(), model.nameAt(row)) == names.end()) {
            continue;
        }
        const QModelIndex index = model.index(row);
        if (first) {
            list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            list->scrollTo(index);
            first = false;
        } else {
            list->selectionModel()->select(index, QItemSelectionModel::Select);
        }
    }
}

} // namespace quorvel
