#include "gui/WindowFixture.h"

#include <QListView>

#include <fcntl.h>
#include <unistd.h>

namespace quorvel::test {
namespace {

using ReachTest = WindowFixture;

// Enters `levels` new directories named `component` below the working directory, one call per
// name, so the depth has no limit; returns the path reached.
std::string enterChain(int levels, const std::string& component) {
    for (int i = 0; i < levels; ++i) {
        if (::mkdir(component.c_str(), 0755) != 0 || ::chdir(component.c_str()) != 0) {
            ADD_FAILURE() << "cannot go down at level " << i;
            return {};
        }
    }
    std::vector<char> buffer(1 << 16);
    return ::getcwd(buffer.data(), buffer.size()) != nullptr ? buffer.data() : "";
}

TEST_F(ReachTest, AWorkingFolderDeeperThanOneCallTakesListsItsFiles) {
    const std::string deep = enterChain(40, std::string(200, 'd'));
    ASSERT_GT(deep.size(), 8000u);
    for (const char* name : {"a.txt", "b.exe"}) {
        const int fd = ::open(name, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    MainWindow& window = makeWindow();
    EXPECT_EQ(window.leftDirectory(), deep);
    for (const char* list : {"FileListBox1", "FileListBox2"}) {
        SCOPED_TRACE(list);
        const QAbstractItemModel* files = child<QListView>(list)->model();
        ASSERT_EQ(files->rowCount(), 2);
        EXPECT_EQ(files->index(0, 0).data().toString(), "a.txt");
        EXPECT_FALSE(files->index(1, 0).data(Qt::DecorationRole).isNull());
    }
    showAndActivate();
    EXPECT_TRUE(dialogs_.boxes.empty()) << dialogs_.boxes[0].text.toStdString();
    ASSERT_EQ(::chdir(work().c_str()), 0); // the tree is removed from outside
}

} // namespace
} // namespace quorvel::test
