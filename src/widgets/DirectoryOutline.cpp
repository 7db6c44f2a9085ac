#include "widgets/DirectoryOutline.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>

#include <utility>

namespace quorvel {

namespace {

constexpr QDir::Filters folders = QDir::Dirs | QDir::NoDotAndDotDot;

} // namespace

DirectoryOutline::DirectoryOutline(QWidget* parent)
    : QTreeView(parent), model_(new QFileSystemModel(this)) {
    model_->setFilter(folders);
    model_->setReadOnly(true);
    setModel(model_);
    // Size, type and date mean nothing in an outline of folders.
    for (int column = 1; column < model_->columnCount(); ++column) {
        hideColumn(column);
    }
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAccessibleName(tr("Folders"));
    // The current folder's neighbours arrive after it was made current, and the model sorts
    // them in among it a moment later: it is brought into view again once they are in place.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
        if (!scrollPending_.isEmpty() && path == scrollPending_) {
            scrollPending_.clear();
            scrollAfterSort_ = true;
        }
    });
    connect(model_, &QAbstractItemModel::layoutChanged, this, [this] {
        if (std::exchange(scrollAfterSort_, false)) {
            scrollTo(currentIndex());
        }
    });
    // The home folder is read only if no other was chosen by the time the outline shows.
    rootPath_ = QDir::homePath();
}

void DirectoryOutline::setRootPath(const QString& path) {
    // The model would show the whole file system for a root it cannot find.
    if (!QFileInfo(path).isDir()) {
        return;
    }
    rootSet_ = true;
    rootPath_ = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    setRootIndex(model_->setRootPath(rootPath_));
}

void DirectoryOutline::showEvent(QShowEvent* event) {
    if (!rootSet_) {
        setRootPath(rootPath_);
    }
    QTreeView::showEvent(event);
}

QString DirectoryOutline::currentPath() const {
    return currentIndex().isValid() ? model_->filePath(currentIndex()) : QString();
}

bool DirectoryOutline::showHidden() const {
    return model_->filter().testFlag(QDir::Hidden);
}

void DirectoryOutline::setShowHidden(bool show) {
    model_->setFilter(show ? folders | QDir::Hidden : folders);
}

void DirectoryOutline::setCurrentPath(const QString& path) {
    if (!QFileInfo(path).isDir()) {
        return;
    }
    const QModelIndex index = model_->index(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (!index.isValid()) {
        return;
    }
    setCurrentIndex(index);
    scrollTo(index);
    scrollPending_ = model_->filePath(index.parent());
}

QSize DirectoryOutline::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    return {metrics.averageCharWidth() * 30, metrics.height() * 14};
}

void DirectoryOutline::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    if (current != previous) {
        emit currentPathChanged(current.isValid() ? model_->filePath(current) : QString());
    }
}

} // namespace quorvel
