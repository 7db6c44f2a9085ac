#pragma once

#include "engine/PosixFileAccess.h"
#include "gui/FileListing.h"

#include <QAbstractListModel>
#include <QIcon>

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// The files of one panel's directory for its list view. Names are kept as their bytes and shown
// through toQString, so a name that is not valid UTF-8 is still listed and selected as itself.
class FileListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit FileListModel(QObject* parent = nullptr);

    // Lists `directory` unless it is the one already shown, which keeps the list and its
    // selection. Returns 0, or the system's reason (an errno value) when the directory cannot be
    // read (the list is then empty).
    int setDirectory(const std::string& directory);
    const std::optional<std::string>& directory() const { return directory_; }

    const std::string& nameAt(int row) const { return files_[static_cast<std::size_t>(row)].name; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    PosixFileAccess access_;
    std::optional<std::string> directory_;
    mutable std::vector<ListedFile> files_; // icons are filled in when first shown
    QIcon programIcon_;
    QIcon documentIcon_;
};

} // namespace quorvel
