#pragma once

#include "gui/FormControls.h"
#include "gui/ReportWindow.h"
#include "lang/LanguageStrings.h"
#include "report/Report.h"
#include "settings/ReportWindowSettings.h"
#include "support/TempTree.h"

#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::test {

// A report window whose dialogs, question, error display and desktop opener are recorders
// answering what the test set.
class ReportWindowFixture : public ::testing::Test {
protected:
    void SetUp() override { makeWindow(ReportWindowSettings()); }

    void makeWindow(const ReportWindowSettings& settings) {
        window_ = std::make_unique<ReportWindow>(report_, strings_, settings);
        window_->setPageBaseDirectory(QString::fromStdString(tree_.root()));
        ReportWindowHooks& hooks = window_->hooks();
        hooks.saveDialog = [this](QWidget*, const SaveRequest& request) {
            saveRequests_.push_back(request);
            return saveAnswer_;
        };
        hooks.printDialog = [this](QWidget*, QPrinter& printer) {
            ++printDialogs_;
            if (printSetUp_) {
                printSetUp_(printer);
            }
            return printAnswer_;
        };
        hooks.fontDialog = [this](QWidget*, const FontChoice& current) {
            fontDialogs_.push_back(current);
            return fontAnswer_;
        };
        hooks.askYesNo = [this](QWidget*, const QString& text, const QString& caption) {
            questions_.push_back(caption + QStringLiteral(" / ") + text);
            return yes_;
        };
        hooks.openUrl = [this](const QUrl& url) {
            opened_.push_back(url.toLocalFile());
            return true;
        };
        hooks.showError = [this](QWidget*, const QString& message) { errors_.push_back(message); };
    }

    // A control of the window, named as in FormControls.h.
    template <typename T = QPushButton>
    T* child(ReportControl control) const {
        return controlIn<T>(*window_, control);
    }

    void addLines(std::initializer_list<const char*> lines) {
        for (const char* line : lines) {
            report_.appendReportLine(line);
        }
    }

    TempTree tree_;
    Report report_;
    LanguageStrings strings_;
    std::unique_ptr<ReportWindow> window_;

    std::optional<SaveChoice> saveAnswer_;
    std::vector<SaveRequest> saveRequests_;
    bool printAnswer_ = false;
    std::function<void(QPrinter&)> printSetUp_;
    int printDialogs_ = 0;
    std::optional<FontChoice> fontAnswer_;
    std::vector<FontChoice> fontDialogs_;
    bool yes_ = false;
    std::vector<QString> questions_;
    std::vector<QString> opened_;
    std::vector<QString> errors_;
};

} // namespace quorvel::test
