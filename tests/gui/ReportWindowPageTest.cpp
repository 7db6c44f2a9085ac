#include "gui/ReportWindowFixture.h"

#include "lang/LanguageTable.h"

namespace quorvel::test {
namespace {

using ReportWindowPageTest = ReportWindowFixture;

TEST_F(ReportWindowPageTest, WithoutAProgramForHtmlTheUserIsToldWhereThePageIs) {
    report_.appendReportLine("one");
    strings_.fillFrom(kDutch);
    window_->hooks().openUrl = [](const QUrl&) { return false; };
    window_->Button6Click();
    const QString page = QString::fromStdString(tree_.path("Quorvel/temp.html"));
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0],
              QString::fromUtf8(languageText(kDutch, MessageKey::errNoHtmlProgram).value_or("")) +
                  "\n" + page);
    EXPECT_NE(tree_.read("Quorvel/temp.html").find("one"), std::string::npos);
}

} // namespace
} // namespace quorvel::test
