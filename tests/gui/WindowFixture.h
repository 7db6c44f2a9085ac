#pragma once

#include "gui/Dialogs.h"
#include "gui/FormControls.h"
#include "gui/MainWindow.h"
#include "gui/ReportDisplay.h"
#include "lang/LanguageStrings.h"
#include "report/Report.h"
#include "settings/SettingsStore.h"
#include "support/HookedFileAccess.h"
#include "support/TempTree.h"

#include <QAbstractButton>
#include <QByteArray>
#include <QListView>
#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::test {

// Answers the main window's boxes at once and keeps what they said.
class RecordingDialogs : public Dialogs {
public:
    struct Box {
        enum class Kind { Failure, Message, Question };
        Kind kind;
        QString text;
        QString caption;
        QMessageBox::Icon icon;
    };

    void showFailure(QWidget* parent, const QString& message) override;
    void showMessage(QWidget* parent, const QString& text, const QString& caption,
                     QMessageBox::Icon icon) override;
    bool askYesNo(QWidget* parent, const QString& text, const QString& caption,
                  QMessageBox::Icon icon) override;
    std::optional<QString> chooseDirectory(QWidget* parent, const QString& title,
                                           const QString& start) override;

    std::vector<Box> boxes;
    bool answerYes = false;
    std::function<void()> whileAsking; // runs while the closing question is open

    bool useRealChooser = false;
    std::optional<QString> chosenDirectory; // what the fake chooser returns
    std::vector<QString> chooserStarts;
    std::vector<QString> chooserTitles;
};

class RecordingReportDisplay : public ReportDisplay {
public:
    void showReport() override;
    void applyInterfaceTexts(LanguageId id) override { languages.push_back(id); }
    void setHelpFile(const std::string& file) override { helpFile = file; }
    WindowBounds closingBounds() const override { return {7, 8, 600, 400}; }
    bool closingMaximized() const override { return false; }
    ReportFont closingFont() const override { return {}; }

    int shown = 0;
    std::function<void()> whileShown;
    std::vector<LanguageId> languages;
    std::string helpFile;
};

// A main window in a fresh working directory with its own settings file.
class WindowFixture : public ::testing::Test {
protected:
    WindowFixture();
    ~WindowFixture() override;

    std::string work() const { return tree_.path("work"); }
    QString settingsPath() const;
    // The program key with these value lines (REGEDIT4).
    void writeSettings(const QByteArray& values) const;
    QByteArray settingsBytes() const;

    MainWindow& makeWindow();
    // Shows the window and waits until its first activation has been handled.
    void showAndActivate() { showAndActivate(*window_); }
    static void showAndActivate(MainWindow& window);

    // A control of `window`, named as in FormControls.h.
    template <typename T = QWidget, typename Control>
    static T* in(QWidget& window, Control control) {
        return controlIn<T>(window, control);
    }
    template <typename T = QWidget>
    T* child(MainControl control) const {
        return in<T>(*window_, control);
    }
    QString label(MainControl control) const;
    bool shown(MainControl control) const { return child(control)->isVisible(); }
    void click(MainControl button) const { clickIn(*window_, button); }
    QAbstractButton* modeButton(CompareMode mode) const { return window_->modeButton(mode); }
    void clickMode(CompareMode mode) const;
    template <typename Control>
    static void clickIn(QWidget& window, Control button) {
        press(in<QAbstractButton>(window, button));
    }
    // Clicks the rows of a list as a user does; more than one with Ctrl held.
    void selectRows(MainControl list, std::initializer_list<int> rows) const {
        selectRowsIn(*window_, list, rows);
    }
    static void selectRowsIn(QWidget& window, MainControl list, std::initializer_list<int> rows);
    std::vector<std::string> reportLines() const;
    std::vector<RecordingDialogs::Box::Kind> boxKinds() const;
    static void press(QAbstractButton* button);

    TempTree tree_;
    LanguageStrings strings_;
    Report report_;
    HookedFileAccess files_;
    RecordingDialogs dialogs_;
    RecordingReportDisplay reportDisplay_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<MainWindow> window_;

private:
    std::string previousDirectory_;
};

} // namespace quorvel::test
