#include "app/PlaceholderReportWindow.h"

#include "gui/QtText.h"
#include "lang/LanguageTable.h"

namespace quorvel {

PlaceholderReportWindow::PlaceholderReportWindow(SettingsStore& settings,
                                                 std::function<LanguageId()> language,
                                                 QWidget* parent)
    : QDialog(parent), settings_(readReportWindowSettings(settings, logicalDpiY())),
      language_(std::move(language)) {
    setModal(true);
    resize(settings_.width, settings_.height);
}

void PlaceholderReportWindow::showReport() {
    const LanguageId id = isLanguage(language_()) ? language_() : kItalian;
    setWindowTitle(toQString(languageText(id, UiKey::uiReportCaption).value_or("")));
    exec();
}

WindowBounds PlaceholderReportWindow::closingBounds() const {
    return {settings_.top.value_or(0), settings_.left.value_or(0), settings_.width,
            settings_.height};
}

} // namespace quorvel
