#pragma once

#include "gui/ReportDisplay.h"
#include "lang/LanguageId.h"
#include "settings/ReportWindowSettings.h"

#include <QDialog>

#include <functional>

namespace quorvel {

class SettingsStore;

// Stands in for the report window until it is built: an empty modal window under the report's
// caption, and the report window's stored settings handed back unchanged at close.
class PlaceholderReportWindow : public QDialog, public ReportDisplay {
    Q_OBJECT

public:
    // Reads the report window's settings; throws SettingsError on a value of the wrong type.
    PlaceholderReportWindow(SettingsStore& settings, std::function<LanguageId()> language,
                            QWidget* parent);

    void showReport() override;
    WindowBounds closingBounds() const override;
    bool closingMaximized() const override { return settings_.maximized; }
    ReportFont closingFont() const override { return settings_.font; }

private:
    ReportWindowSettings settings_;
    std::function<LanguageId()> language_;
};

} // namespace quorvel
