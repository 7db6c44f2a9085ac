#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

class QPrinter;
class QUrl;
class QWidget;

namespace quorvel {

// What the save dialog is asked and what it answers; entries count from 0.
struct SaveRequest {
    QString title;
    QStringList nameFilters;
    int entry = 0;
    QString fileName;
    QStringList extensions; // the name typed without one gets that of the entry chosen
};
struct SaveChoice {
    QString fileName;
    int entry = 0;
};

struct FontChoice {
    QFont font;
    std::uint32_t colorCode = 0; // as stored: 0x00BBGGRR or a desktop colour
};

// Everything the report window asks of the user or the desktop, each replaceable so that tests
// neither wait for a click nor start a browser. Filled with the real dialogs at construction.
struct ReportWindowHooks {
    std::function<std::optional<SaveChoice>(QWidget* parent, const SaveRequest&)> saveDialog;
    // Confirmed with the printer set up, or cancelled.
    std::function<bool(QWidget* parent, QPrinter&)> printDialog;
    std::function<std::optional<FontChoice>(QWidget* parent, const FontChoice& current)> fontDialog;
    // Yes or No.
    std::function<bool(QWidget* parent, const QString& text, const QString& caption)> askYesNo;
    // Opens a page with the desktop's program, without waiting.
    std::function<bool(const QUrl&)> openUrl;
    // The standard error display.
    std::function<void(QWidget* parent, const QString& message)> showError;
};

ReportWindowHooks desktopReportWindowHooks();

} // namespace quorvel
