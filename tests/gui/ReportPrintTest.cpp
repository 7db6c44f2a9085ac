#include "gui/ReportWindowFixture.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include <csignal>

#include <sys/resource.h>

namespace quorvel::test {
namespace {

class ReportPrintTest : public ReportWindowFixture {
protected:
    void SetUp() override {
        ReportWindowFixture::SetUp();
        printAnswer_ = true;
        printSetUp_ = [this](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf_);
        };
    }

    static QString run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QString pdf_ = QString::fromStdString(tree_.path("out.pdf"));
};

TEST_F(ReportPrintTest, EveryLineIsPrintedLongOnesWrappedOnAsManyPagesAsNeeded) {
    std::string longLine;
    for (int i = 0; i < 50; ++i) {
        longLine += "0123456789";
    }
    report_.appendReportLine(longLine);
    for (int i = 1; i <= 200; ++i) {
        report_.appendReportLine("line " + std::to_string(i) + " of the report");
        if (i == 100) {
            report_.appendReportLine("");
        }
    }
    window_->Button2Click();
    EXPECT_EQ(printDialogs_, 1);
    EXPECT_TRUE(errors_.empty());

    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf_, "-"});
    for (int i = 1; i <= 200; ++i) {
        EXPECT_TRUE(text.contains(QStringLiteral("line %1 of the report").arg(i))) << i;
    }
    // One row after another; the empty line is one blank row.
    auto rows = [](int from, const char* between) {
        return QRegularExpression(QStringLiteral("line %1 of the report[ \\t]*\\n%2[ \\t]*line %3 ")
                                      .arg(from)
                                      .arg(QLatin1String(between))
                                      .arg(from + 1));
    };
    EXPECT_TRUE(text.contains(rows(1, ""))) << text.left(700).toStdString();
    EXPECT_TRUE(text.contains(rows(100, "[ \\t]*\\n")));
    // Wrapped: not on one row, but all there in order.
    EXPECT_FALSE(text.contains(QString::fromStdString(longLine)));
    QString joined = text;
    joined.remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_TRUE(joined.startsWith(QString::fromStdString(longLine)))
        << text.left(700).toStdString();

    const QString info = run(QStringLiteral("pdfinfo"), {pdf_});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title: +Quorvel\\n"))))
        << info.toStdString();
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages: +(\\d+)")).match(info);
    ASSERT_TRUE(pages.hasMatch()) << info.toStdString();
    EXPECT_GT(pages.captured(1).toInt(), 1);
    EXPECT_LT(pages.captured(1).toInt(), 20) << "full pages, not a page a line";
}

TEST_F(ReportPrintTest, ACancelledDialogPrintsNothingAndAFailureIsShown) {
    report_.appendReportLine("x");
    printAnswer_ = false;
    window_->Button2Click();
    EXPECT_FALSE(QFile::exists(pdf_));
    EXPECT_TRUE(errors_.empty());

    tree_.write("plain", "a file, not a directory");
    pdf_ = QString::fromStdString(tree_.path("plain/out.pdf"));
    printAnswer_ = true;
    window_->Button2Click();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].startsWith(pdf_ + QStringLiteral(": "))) << errors_[0].toStdString();
}

TEST_F(ReportPrintTest, APrintCutShortKeepsTheEarlierFileWhole) {
    for (int i = 1; i <= 400; ++i) {
        report_.appendReportLine("line " + std::to_string(i) + " of a long report");
    }
    tree_.write("out.pdf", "the earlier PDF");
    // A disk that fills part-way: writes past 4 KiB fail instead of ending the process.
    struct rlimit before {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = before;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    window_->Button2Click();
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(tree_.read("out.pdf"), "the earlier PDF");
    EXPECT_EQ(tree_.listing(), "out.pdf"); // no unfinished file left beside it
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_TRUE(errors_[0].startsWith(pdf_ + QStringLiteral(": "))) << errors_[0].toStdString();

    // Whole, it replaces the earlier file.
    window_->Button2Click();
    EXPECT_EQ(tree_.read("out.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(tree_.listing(), "out.pdf");
    EXPECT_EQ(errors_.size(), 1u);
}

} // namespace
} // namespace quorvel::test
