#pragma once

#include <QString>
#include <QTreeView>

class QFileSystemModel;

namespace quorvel {

// The subdirectories of a folder as a tree, read a level at a time when a branch is opened (the
// file system model reads on a thread of its own and watches what it has read). Files, devices
// and other special entries never show; hidden folders only when asked for.
class DirectoryOutline : public QTreeView {
    Q_OBJECT
    Q_PROPERTY(QString rootPath READ rootPath WRITE setRootPath)
    Q_PROPERTY(QString currentPath READ currentPath WRITE setCurrentPath NOTIFY currentPathChanged
                   USER true)
    Q_PROPERTY(bool showHidden READ showHidden WRITE setShowHidden)

public:
    explicit DirectoryOutline(QWidget* parent = nullptr);

    QString rootPath() const { return rootPath_; }
    // The folder whose subdirectories form the top level; the home folder at first. A path that
    // is not a folder is ignored.
    void setRootPath(const QString& path);
    QString currentPath() const;
    bool showHidden() const;
    void setShowHidden(bool show);

    QFileSystemModel* fileSystemModel() const { return model_; }

    QSize sizeHint() const override;

public slots:
    // Opens the branches down to `path` and makes it current; a path that is not a folder is
    // ignored.
    void setCurrentPath(const QString& path);

signals:
    void currentPathChanged(const QString& path);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void showEvent(QShowEvent* event) override;

private:
    QFileSystemModel* model_;
    QString rootPath_;
    QString scrollPending_;
    bool scrollAfterSort_ = false;
    bool rootSet_ = false;
};

} // namespace quorvel
