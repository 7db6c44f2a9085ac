#include "gui/FileListModel.h"

#include "gui/GuiImages.h"
#include "gui/QtText.h"

namespace quorvel {

namespace {

QIcon themeIcon(const char* name, const char* ownImage) {
    registerGuiImages();
    return QIcon::fromTheme(QLatin1StringView(name), QIcon(QLatin1StringView(ownImage)));
}

} // namespace

FileListModel::FileListModel(QObject* parent)
    : QAbstractListModel(parent),
      programIcon_(themeIcon("application-x-executable", ":/icons/file-program.svg")),
      documentIcon_(themeIcon("text-x-generic", ":/icons/file-document.svg")) {}

int FileListModel::setDirectory(const std::string& directory) {
    if (directory_ == directory) {
        return 0;
    }
    FileListing listing = listPlainFiles(access_, directory);
    beginResetModel();
    directory_ = directory;
    files_ = std::move(listing.files);
    endResetModel();
    return listing.errorCode;
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(files_.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    ListedFile& file = files_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return toQString(file.name);
    case Qt::DecorationRole:
        if (!file.icon) {
            file.icon = iconKindOf(*directory_, file); // asked for the rows on the screen only
        }
        return *file.icon == FileIconKind::Program ? programIcon_ : documentIcon_;
    default:
        return {};
    }
}

} // namespace quorvel
