#include "gui/ReportWindowHooks.h"
#include "gui/StandardDialogs.h"
#include "support/TempTree.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace quorvel::test {
namespace {

// The window tests answer these boxes through doubles; here the real ones are answered through
// their own buttons, as a user would.
class RealDialogsTest : public ::testing::Test {
protected:
    struct Seen {
        bool shown = false;
        QString text;
        QString caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
    };

    // Runs `answer` on the next modal window once it is open; the timer dies with the test, so a
    // box that never opens leaves nothing behind.
    void whenOpen(std::function<void(QWidget*)> answer) {
        QTimer::singleShot(0, &timerOwner_, [answer = std::move(answer)] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            answer(modal);
            if (QApplication::activeModalWidget() == modal) {
                modal->close(); // not answered: the test goes on with a failure, not a hang
            }
        });
    }
    // Clicks `button` of the next message box and keeps what it showed.
    void clickInBox(QMessageBox::StandardButton button) {
        whenOpen([this, button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            seen_ = {true, box->text(), box->windowTitle(), box->icon(), box->standardButtons()};
            box->button(button)->click();
        });
    }

    QObject timerOwner_;
    Seen seen_;
    StandardDialogs dialogs_;
    ReportWindowHooks hooks_ = desktopReportWindowHooks();
};

TEST_F(RealDialogsTest, QuestionsAnswerWhatWasClicked) {
    using Ask = std::function<bool(const QString& text, const QString& caption)>;
    const struct {
        const char* name;
        Ask ask;
    } askers[] = {{"main window",
                   [this](const QString& t, const QString& c) {
                       return dialogs_.askYesNo(nullptr, t, c, QMessageBox::Warning);
                   }},
                  {"report window", [this](const QString& t, const QString& c) {
                       return hooks_.askYesNo(nullptr, t, c);
                   }}};
    for (const auto& asker : askers) {
        for (const QMessageBox::StandardButton click : {QMessageBox::Yes, QMessageBox::No}) {
            SCOPED_TRACE(std::string(asker.name) + (click == QMessageBox::Yes ? " yes" : " no"));
            seen_ = {};
            clickInBox(click);
            EXPECT_EQ(asker.ask(QStringLiteral("Go on?"), QStringLiteral("Question")),
                      click == QMessageBox::Yes);
            EXPECT_TRUE(seen_.shown);
            EXPECT_EQ(seen_.text, "Go on?");
            EXPECT_EQ(seen_.caption, "Question");
            EXPECT_EQ(seen_.buttons, QMessageBox::Yes | QMessageBox::No);
        }
    }
}

TEST_F(RealDialogsTest, MessagesShowTheirTextCaptionAndIconUntilOk) {
    const struct {
        const char* name;
        std::function<void()> show;
        QString caption;
        QMessageBox::Icon icon;
    } rows[] = {{"message",
                 [this] {
                     dialogs_.showMessage(nullptr, QStringLiteral("Done"), QStringLiteral("Note"),
                                          QMessageBox::Information);
                 },
                 QStringLiteral("Note"), QMessageBox::Information},
                {"failure", [this] { dialogs_.showFailure(nullptr, QStringLiteral("Done")); },
                 QApplication::applicationName(), QMessageBox::Critical},
                {"report window error",
                 [this] { hooks_.showError(nullptr, QStringLiteral("Done")); },
                 QApplication::applicationDisplayName(), QMessageBox::Critical}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        seen_ = {};
        clickInBox(QMessageBox::Ok);
        row.show();
        EXPECT_TRUE(seen_.shown);
        EXPECT_EQ(seen_.text, "Done");
        EXPECT_EQ(seen_.caption, row.caption);
        EXPECT_EQ(seen_.icon, row.icon);
    }
}

TEST_F(RealDialogsTest, TheDirectoryChooserOpensAtTheStartAndGivesTheChoiceOrNothing) {
    TempTree tree;
    tree.mkdir("start");
    tree.mkdir("start/inner");
    const QString start = QString::fromStdString(tree.path("start"));
    const QString inner = QString::fromStdString(tree.path("start/inner"));
    QString title;
    QString opened;
    for (const bool accept : {true, false}) {
        SCOPED_TRACE(accept ? "chosen" : "cancelled");
        whenOpen([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            opened = dialog->directory().absolutePath();
            dialog->setDirectory(inner);
            accept ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
        });
        const std::optional<QString> chosen =
            dialogs_.chooseDirectory(nullptr, QStringLiteral("Pick"), start);
        EXPECT_EQ(title, "Pick");
        EXPECT_EQ(opened, start);
        EXPECT_EQ(chosen, accept ? std::optional(inner) : std::nullopt);
    }
}

TEST_F(RealDialogsTest, ThePrintDialogTellsWhetherItWasConfirmed) {
    for (const bool accept : {true, false}) {
        SCOPED_TRACE(accept ? "confirmed" : "cancelled");
        whenOpen([accept](QWidget* modal) {
            ASSERT_NE(qobject_cast<QPrintDialog*>(modal), nullptr);
            accept ? static_cast<QDialog*>(modal)->accept()
                   : static_cast<QDialog*>(modal)->reject();
        });
        QPrinter printer;
        EXPECT_EQ(hooks_.printDialog(nullptr, printer), accept);
    }
}

} // namespace
} // namespace quorvel::test
