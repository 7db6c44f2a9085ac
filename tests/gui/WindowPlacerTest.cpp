#include "gui/WindowPlacer.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>

namespace quorvel::test {
namespace {

TEST(WindowPlacerTest, AStoredOuterSizeLosesTheFrameOnceAndLaterSizesStay) {
    const struct {
        const char* name;
        std::optional<int> width;
        std::optional<int> height;
    } rows[] = {{"both", 400, 300}, {"width", 400, std::nullopt}, {"height", std::nullopt, 300}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget window;
        window.resize(250, 150);
        WindowPlacer placer(window);
        placer.resizeOuter(row.width, row.height);
        placer.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        // A stored dimension is the outer one; one not stored stays the client's.
        EXPECT_EQ(row.width ? window.frameGeometry().width() : window.width(),
                  row.width.value_or(250));
        EXPECT_EQ(row.height ? window.frameGeometry().height() : window.height(),
                  row.height.value_or(150));
        // The user's own sizes are the client's, whatever was stored.
        for (const QSize size : {QSize(400, 300), QSize(250, 150)}) {
            window.resize(size);
            EXPECT_EQ(window.size(), size);
        }
    }
}

} // namespace
} // namespace quorvel::test
