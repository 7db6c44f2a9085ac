#pragma once

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace quorvel::test {

// The main window's controls, as its user would name them. The mode buttons are reached through
// their modes instead.
enum class MainControl {
    // The strip along the top.
    Toolbar,
    Start,
    ViewReport,
    Help,
    Language,
    // The strip under it: guidance, and a run's state while one goes on.
    GuidanceStrip,
    FirstGuidance,
    SecondGuidance,
    Abort,
    FileStatus,
    DirectoryStatus,
    LeftHeading,
    RightHeading,
    ProgressBar,
    // The left panel, "Compare this".
    LeftPanel,
    LeftFrame,
    LeftDirectoryCaption,
    LeftPath,
    LeftBrowse,
    CopyFromRight,
    LeftFilesCaption,
    LeftFiles,
    Recurse,
    OnlyDifferent,
    FilterCaption,
    Filter,
    FilterHint,
    // The right panel, "With this".
    RightPanel,
    RightFrame,
    RightDirectoryCaption,
    RightPath,
    RightBrowse,
    CopyFromLeft,
    RightFilesCaption,
    RightFiles,
    BothSides,
    NamesCaption,
    Names,
    ExclusionCaption,
    Exclusions,
    Moves,
    // Along the bottom.
    GeneralOptions,
    FastCompare,
    StatusLine,
};

// The report window and its controls.
enum class ReportControl {
    Window,
    Report,
    ButtonStrip,
    Close,
    Html,
    Print,
    Save,
    Font,
    Restore,
    Help,
};

// The language chooser and its controls.
enum class ChooserControl {
    Window,
    Picture,
    Ok,
};

// The name the designed form gives each control.
QString formName(MainControl control);
QString formName(ReportControl control);
QString formName(ChooserControl control);

// Failure messages name a control as its form does.
std::ostream& operator<<(std::ostream& out, MainControl control);
std::ostream& operator<<(std::ostream& out, ReportControl control);

// Every control of each window, in the order above.
const std::vector<MainControl>& allMainControls();
const std::vector<ReportControl>& allReportControls();

// `control` in `window`; a test that looks for one the window lacks fails.
template <typename T = QWidget, typename Control>
T* controlIn(const QWidget& window, Control control) {
    const QString name = formName(control);
    T* found = window.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

} // namespace quorvel::test
