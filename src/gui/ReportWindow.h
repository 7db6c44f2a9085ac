#pragma once

#include "gui/ReportDisplay.h"
#include "gui/ReportWindowHooks.h"
#include "lang/LanguageId.h"
#include "lang/LanguageStrings.h"
#include "report/AtomicFileWriter.h"
#include "report/Report.h"
#include "settings/ReportFont.h"
#include "settings/ReportWindowSettings.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>

namespace Ui {
class ReportWindow;
}

namespace quorvel {

// The report window: shows the last run's report and saves, prints and opens it as a page, in a
// font of the user's choice. Created once at start, shown modally, hidden in between.
class ReportWindow : public QDialog, public ReportDisplay {
    Q_OBJECT

public:
    static constexpr int kHelpTopic = 300;

    // `report` and `strings` must outlive the window. The Italian texts are in force until
    // applyInterfaceTexts().
    ReportWindow(const Report& report, const LanguageStrings& strings,
                 const ReportWindowSettings& settings, QWidget* parent = nullptr);
    ~ReportWindow() override;

    // The resolution that turns stored font heights into sizes; the same one should read the
    // settings (readReportWindowSettings).
    static int screenPixelsPerInch();

    // ReportDisplay
    void showReport() override;
    WindowBounds closingBounds() const override;
    bool closingMaximized() const override;
    ReportFont closingFont() const override;
    // The caption, button texts, hints and save dialog texts of language `id`; other ids change
    // nothing.
    void applyInterfaceTexts(LanguageId id) override;
    void setHelpFile(const std::string& helpFile) override { helpFile_ = helpFile; }

    // Empty until a language sets it.
    const std::string& helpFile() const { return helpFile_; }

    ReportWindowHooks& hooks() { return hooks_; }
    void setFileWriter(AtomicFileWriter writer) { writer_ = std::move(writer); }
    // The folder that holds the program's own folder for the HTML view's page; empty: the user's
    // runtime directory.
    void setPageBaseDirectory(QString directory) { pageBaseDirectory_ = std::move(directory); }
    // The page the HTML view writes and opens.
    QString pagePath() const;
    void setPixelsPerInch(int pixelsPerInch) { pixelsPerInch_ = pixelsPerInch; }

    // The font and colour the report is shown and printed in.
    QFont reportQFont() const;
    QColor reportColor() const;

    // Handlers, public so that tests can drive them as the buttons do.
    void Button2Click(); // print
    void Button3Click(); // save
    void Button4Click(); // font
    void Button5Click(); // restore
    void Button6Click(); // HTML view
    void SpeedButton1Click();
    void FormShow();

signals:
    void helpRequested(int topic);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setReportFont(const ReportFont& font);
    void placeButtons();
    void showError(const QString& message);

    std::unique_ptr<Ui::ReportWindow> ui_;
    const Report& report_;
    const LanguageStrings& strings_;
    std::string helpFile_;
    ReportWindowHooks hooks_;
    AtomicFileWriter writer_;
    QString pageBaseDirectory_;
    int pixelsPerInch_;

    // The laid-out font, taken before any setting applies.
    ReportFont defaultReportFont_;
    ReportFont reportFont_;

    bool placeGiven_ = false; // a stored place was applied
    bool everShown_ = false;
    std::uint64_t shownRevision_ = 0;
    bool shownOnce_ = false;

    QString saveTitle_;
    QString saveFilter_;
    QString lastSaveName_;
    int lastSaveEntry_ = 0;
};

} // namespace quorvel
