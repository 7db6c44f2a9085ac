#pragma once

#include "lang/LanguageId.h"
#include "settings/ReportFont.h"
#include "settings/WindowPlacement.h"

#include <string>

namespace quorvel {

// What the main window needs of the report window: showing it modally, putting a language into
// force in it, and what is stored of it when the program closes.
class ReportDisplay {
public:
    virtual ~ReportDisplay() = default;

    // Shows the report of the last run modally; returns when the window is closed.
    virtual void showReport() = 0;

    // The caption, button texts and save dialog texts of language `id`; other ids change nothing.
    virtual void applyInterfaceTexts(LanguageId id) = 0;
    // The help file its help requests open.
    virtual void setHelpFile(const std::string& helpFile) = 0;

    // Outer bounds of the window when not maximized (as applied at start if never shown).
    virtual WindowBounds closingBounds() const = 0;
    virtual bool closingMaximized() const = 0;
    virtual ReportFont closingFont() const = 0;
};

} // namespace quorvel
