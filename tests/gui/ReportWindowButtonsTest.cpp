#include "gui/ReportView.h"
#include "gui/ReportWindowFixture.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

#include <functional>

namespace quorvel::test {
namespace {

class ReportWindowButtonsTest : public ReportWindowFixture {
protected:
    QString path(const char* name) const { return QString::fromStdString(tree_.path(name)); }
    ReportView* view() const { return child<ReportView>(ReportControl::Report); }
    // Whether the shown report has a pixel of `color`.
    bool viewShows(const QColor& color) const {
        const QImage shot = view()->viewport()->grab().toImage();
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (shot.pixelColor(x, y) == color) {
                    return true;
                }
            }
        }
        return false;
    }
};

// Each button clicked as a user does, and what it leaves behind.
TEST_F(ReportWindowButtonsTest, EveryButtonDoesItsJob) {
    const struct {
        ReportControl button;
        std::function<void()> before;
        std::function<void()> check;
    } rows[] = {
        {ReportControl::Close, [] {}, [this] { EXPECT_FALSE(window_->isVisible()); }},
        {ReportControl::Print,
         [this] {
             printAnswer_ = true;
             printSetUp_ = [this](QPrinter& printer) {
                 printer.setOutputFormat(QPrinter::PdfFormat);
                 printer.setOutputFileName(path("printed.pdf"));
             };
         },
         [this] { EXPECT_GT(QFile(path("printed.pdf")).size(), 0); }},
        {ReportControl::Save,
         [this] {
             saveAnswer_ = SaveChoice{path("s"), 0}; // a one-letter name too
         },
         [this] { EXPECT_EQ(tree_.read("s.txt"), "line one\r\n"); }},
        {ReportControl::Font,
         [this] {
             QFont font = QApplication::font();
             font.setPointSize(17);
             fontAnswer_ = FontChoice{font, 0x000000ff};
         },
         [this] {
             EXPECT_EQ(view()->font().pointSize(), 17);
             EXPECT_EQ(window_->closingFont().color, 0x000000ffu);
         }},
        {ReportControl::Restore,
         [this] {
             ReportWindowSettings settings;
             settings.font.size = 19;
             makeWindow(settings);
             yes_ = true;
         },
         [this] { EXPECT_EQ(window_->closingFont(), ReportFont()); }},
        {ReportControl::Html, [] {},
         [this] {
             EXPECT_EQ(opened_, std::vector<QString>{path("Quorvel/temp.html")});
             EXPECT_TRUE(QFile::exists(path("Quorvel/temp.html")));
         }},
    };
    addLines({"line one"});
    for (const auto& row : rows) {
        SCOPED_TRACE(row.button);
        row.before();
        window_->show();
        auto* button = child(row.button);
        ASSERT_NE(button, nullptr);
        button->click();
        row.check();
        EXPECT_TRUE(errors_.empty()) << errors_.front().toStdString();
    }
    QSignalSpy help(window_.get(), &ReportWindow::helpRequested);
    child<QToolButton>(ReportControl::Help)->click();
    EXPECT_EQ(help.count(), 1);
}

TEST_F(ReportWindowButtonsTest, TheReportIsShownInTheStoredColourAndInAChosenOne) {
    ReportWindowSettings settings;
    settings.font.color = 0x000000ff; // red
    settings.font.size = 28;          // strokes wide enough to have pixels of the full colour
    settings.font.bold = true;
    makeWindow(settings);
    addLines({"##########", "##########"});
    window_->show();
    EXPECT_EQ(view()->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_TRUE(viewShows(QColor(255, 0, 0)));

    fontAnswer_ = FontChoice{window_->reportQFont(), 0x00ff0000}; // blue
    child(ReportControl::Font)->click();
    EXPECT_TRUE(viewShows(QColor(0, 0, 255)));
    EXPECT_FALSE(viewShows(QColor(255, 0, 0)));
}

} // namespace
} // namespace quorvel::test
