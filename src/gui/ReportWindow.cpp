#include "gui/ReportWindow.h"

#include "gui/QtText.h"
#include "gui/ReportFontMapping.h"
#include "gui/ReportPrinting.h"
#include "gui/SaveFileTypes.h"
#include "gui/WindowPlacer.h"
#include "lang/LanguageTable.h"
#include "report/FileWriteError.h"
#include "report/JsonReportWriter.h"
#include "report/PrivateFolder.h"
#include "report/ReportHtmlWriter.h"
#include "report/ReportTextWriter.h"
#include "report/StagedFile.h"

#include "ui_ReportWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QPrinter>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <optional>

#include <unistd.h>

// Resources of a static library are registered by name, outside any namespace.
static void initReportWindowResources() {
    Q_INIT_RESOURCE(ReportWindow);
}

namespace quorvel {

namespace {

constexpr int kPanelHeight = 41;
constexpr int kButtonsLeft = 8;
constexpr int kButtonsTop = 7;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 28;
constexpr int kButtonGap = 15;
constexpr int kNarrowestGap = 3;
constexpr int kHelpSize = 28;
// Room a push button's frame takes on either side of its caption, with a little to spare.
constexpr int kCaptionPadding = 14;
// A few rows of the report above the buttons, however small the window is made.
constexpr int kMinTextHeight = 60;

// A PDF writer's last bytes, which one cut short never wrote.
bool endsLikeFinishedPdf(const std::string& path) {
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16 || !file.seek(file.size() - 16)) {
        return false;
    }
    return file.read(16).contains("%%EOF");
}

QString errorMessage(const std::string& path, const char* reason) {
    return QFile::decodeName(path.c_str()) + QStringLiteral(": ") + QString::fromLocal8Bit(reason);
}

} // namespace

ReportWindow::ReportWindow(const Report& report, const LanguageStrings& strings,
                           const ReportWindowSettings& settings, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ReportWindow>()), report_(report),
      strings_(strings), hooks_(desktopReportWindowHooks()), pixelsPerInch_(screenPixelsPerInch()) {
    initReportWindowResources();
    ui_->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    defaultReportFont_ =
        reportFontFromFont(ui_->RichEdit1->font(), ReportFont::kWindowTextColor, pixelsPerInch_);

    QIcon help(QStringLiteral(":/report-window/help.svg"));
    help.addFile(QStringLiteral(":/report-window/help-disabled.svg"), QSize(), QIcon::Disabled);
    ui_->SpeedButton1->setIcon(help);

    connect(ui_->Button1, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui_->Button2, &QPushButton::clicked, this, &ReportWindow::Button2Click);
    connect(ui_->Button3, &QPushButton::clicked, this, &ReportWindow::Button3Click);
    connect(ui_->Button4, &QPushButton::clicked, this, &ReportWindow::Button4Click);
    connect(ui_->Button5, &QPushButton::clicked, this, &ReportWindow::Button5Click);
    connect(ui_->Button6, &QPushButton::clicked, this, &ReportWindow::Button6Click);
    connect(ui_->SpeedButton1, &QToolButton::clicked, this, &ReportWindow::SpeedButton1Click);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            &ReportWindow::SpeedButton1Click);

    applyInterfaceTexts(kItalian);

    // Stored bounds apply, but never below the size that shows every button.
    resize(std::max(settings.width, minimumWidth()), std::max(settings.height, minimumHeight()));
    placeGiven_ = WindowPlacer::placeAt(*this, settings.left, settings.top);
    if (settings.maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    setReportFont(settings.font);
}

ReportWindow::~ReportWindow() = default;

int ReportWindow::screenPixelsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInch()))
                  : ReportFont::kDefaultPixelsPerInch;
}

void ReportWindow::showReport() {
    exec();
}

WindowBounds ReportWindow::closingBounds() const {
    const QRect r = isMaximized() ? normalGeometry() : QRect(pos(), size());
    // Never shown and given no place, it has none of its own: the window system still chooses.
    return WindowBounds{r.top(), r.left(), r.width(), r.height(), placeGiven_ || everShown_};
}

bool ReportWindow::closingMaximized() const {
    return isMaximized();
}

ReportFont ReportWindow::closingFont() const {
    return reportFont_;
}

void ReportWindow::applyInterfaceTexts(LanguageId id) {
    if (!isLanguage(id)) {
        return;
    }
    auto text = [id](UiKey key) { return toQString(languageText(id, key).value_or("")); };
    auto caption = [](QAbstractButton* button, const QString& t) {
        button->setText(t);
        button->setAccessibleName(QString(t).remove(QLatin1Char('&')));
    };
    setWindowTitle(text(UiKey::uiReportCaption));
    ui_->RichEdit1->setAccessibleName(text(UiKey::uiReportCaption));
    caption(ui_->Button1, text(UiKey::uiClose));
    caption(ui_->Button2, text(UiKey::uiPrint));
    caption(ui_->Button3, text(UiKey::uiSave));
    caption(ui_->Button4, text(UiKey::uiFont));
    caption(ui_->Button5, text(UiKey::uiRestore));
    caption(ui_->Button6, ui_->Button6->text());
    const QString hint = text(UiKey::hintHelp);
    ui_->SpeedButton1->setToolTip(hint);
    ui_->SpeedButton1->setAccessibleName(hint);
    saveTitle_ = text(UiKey::dlgSaveTitle);
    // The JSON type comes from a key of its own, so the text and HTML entries stay as they were.
    saveFilter_ = text(UiKey::dlgSaveFilter) + QLatin1Char('|') + text(UiKey::dlgSaveJsonFilter);
    placeButtons();
}

void ReportWindow::placeButtons() {
    // The designed places, unless a language's caption needs a wider button: then it widens, the
    // ones to its right move along, and the gaps narrow as far as the window needs, so that no
    // caption is cut.
    const std::array<QPushButton*, 6> buttons = {ui_->Button1, ui_->Button2, ui_->Button3,
                                                 ui_->Button4, ui_->Button5, ui_->Button6};
    std::array<int, 6> widths{};
    int total = kButtonsLeft + kHelpSize + kButtonsLeft;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        widths[i] =
            std::max(kButtonWidth, buttons[i]->fontMetrics().horizontalAdvance(buttons[i]->text()) +
                                       kCaptionPadding);
        total += widths[i];
    }
    const int gaps = static_cast<int>(buttons.size());
    // Smaller than this, a button would be cut off or the window lost from sight.
    setMinimumSize(total + gaps * kNarrowestGap, kPanelHeight + kMinTextHeight);
    const int gap = std::clamp((width() - total) / gaps, kNarrowestGap, kButtonGap);
    int left = kButtonsLeft;
    // Along the bar: Button1, Button6, Button2 ... Button5.
    for (std::size_t i : {0u, 5u, 1u, 2u, 3u, 4u}) {
        buttons[i]->setGeometry(left, kButtonsTop, widths[i], kButtonHeight);
        left += widths[i] + gap;
    }
    ui_->SpeedButton1->move(left, kButtonsTop);
}

QFont ReportWindow::reportQFont() const {
    return fontFromReportFont(reportFont_, QApplication::font());
}

QColor ReportWindow::reportColor() const {
    return colorFromCode(reportFont_.color, palette());
}

void ReportWindow::setReportFont(const ReportFont& font) {
    reportFont_ = font;
    ui_->RichEdit1->setFont(reportQFont());
    QPalette p = ui_->RichEdit1->palette();
    p.setColor(QPalette::Text, reportColor());
    ui_->RichEdit1->setPalette(p);
}

void ReportWindow::FormShow() {
    // Only a report changed since it was last shown is taken again, so the place in it and the
    // selection stay otherwise.
    if (shownOnce_ && report_.revision() == shownRevision_) {
        return;
    }
    ui_->RichEdit1->setReport(&report_);
    shownRevision_ = report_.revision();
    shownOnce_ = true;
}

void ReportWindow::showEvent(QShowEvent* event) {
    everShown_ = true;
    FormShow();
    QDialog::showEvent(event);
}

void ReportWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int w = width();
    const int h = height();
    ui_->RichEdit1->setGeometry(0, 0, w, std::max(h - kPanelHeight, 0));
    ui_->Panel1->setGeometry(0, h - kPanelHeight, w, kPanelHeight);
    placeButtons();
}

void ReportWindow::showError(const QString& message) {
    if (hooks_.showError) {
        hooks_.showError(this, message);
    }
}

void ReportWindow::Button2Click() {
    if (report_.count() == 0) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!hooks_.printDialog(this, printer)) {
        return;
    }
    // Printing to a file goes to a new one beside it, which replaces it only when it is whole.
    const QString target = printer.outputFileName();
    std::optional<StagedFile> staged;
    try {
        if (!target.isEmpty()) {
            staged.emplace(QFile::encodeName(target).toStdString());
            printer.setOutputFileName(QFile::decodeName(staged->path().c_str()));
        }
    } catch (const FileWriteError& error) {
        showError(target + QStringLiteral(": ") + QString::fromLocal8Bit(error.what()));
        return;
    }
    errno = 0;
    bool printed = printReport(report_, reportQFont(), reportColor(), printer);
    int error = errno != 0 ? errno : EIO;
    if (printed && staged && printer.outputFormat() == QPrinter::PdfFormat &&
        !endsLikeFinishedPdf(staged->path())) {
        // The PDF writer does not tell a write that failed part-way.
        printed = false;
        error = EIO;
    }
    if (printed && staged) {
        try {
            staged->commit();
        } catch (const FileWriteError& failure) {
            printed = false;
            error = failure.errorCode();
        }
    }
    if (!printed) {
        showError((target.isEmpty() ? printer.printerName() : target) + QStringLiteral(": ") +
                  QString::fromLocal8Bit(std::strerror(error)));
    }
}

void ReportWindow::Button3Click() {
    if (report_.count() == 0) {
        return;
    }
    const SaveFileTypes types(saveFilter_);
    const SaveRequest request{saveTitle_, types.nameFilters, lastSaveEntry_, lastSaveName_,
                              types.extensions};
    const std::optional<SaveChoice> choice = hooks_.saveDialog(this, request);
    if (!choice || choice->fileName.isEmpty()) {
        return;
    }
    enum Entry { TextEntry, HtmlEntry, JsonEntry };
    const int entry =
        choice->entry == HtmlEntry || choice->entry == JsonEntry ? choice->entry : TextEntry;
    const QString name = withDefaultExtension(choice->fileName, types.extensions.value(entry));
    lastSaveName_ = name;
    lastSaveEntry_ = entry;
    const std::string path = QFile::encodeName(name).toStdString();
    // The entry decides the format, whatever the name's extension says.
    try {
        if (entry == HtmlEntry) {
            writeReportHtml(report_, path, strings_, std::time(nullptr), writer_);
        } else if (entry == JsonEntry) {
            writeReportJson(report_, path, writer_);
        } else {
            writeReportText(report_, path, writer_);
        }
    } catch (const std::exception& error) {
        showError(errorMessage(path, error.what()));
    }
}

void ReportWindow::Button4Click() {
    const std::optional<FontChoice> choice =
        hooks_.fontDialog(this, FontChoice{reportQFont(), reportFont_.color});
    if (choice) {
        setReportFont(reportFontFromFont(choice->font, choice->colorCode, pixelsPerInch_));
    }
}

void ReportWindow::Button5Click() {
    if (hooks_.askYesNo(this, toQString(strings_.text(MessageKey::askRestoreFont)),
                        toQString(strings_.text(MessageKey::capMessage)))) {
        setReportFont(defaultReportFont_);
    }
}

QString ReportWindow::pagePath() const {
    QString base = pageBaseDirectory_;
    if (base.isEmpty()) {
        base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    if (base.isEmpty()) {
        // A shared folder: the user's own folder in it is checked as closely as ours below it.
        return QStandardPaths::writableLocation(QStandardPaths::TempLocation) +
               QStringLiteral("/quorvel-") + QString::number(::geteuid()) +
               QStringLiteral("/temp.html");
    }
    return base + QStringLiteral("/Quorvel/temp.html");
}

void ReportWindow::Button6Click() {
    if (report_.count() == 0) {
        return;
    }
    // Never the working folder: a temp.html of the user's there would be replaced.
    const std::string path = QFile::encodeName(pagePath()).toStdString();
    const std::string folder = path.substr(0, path.rfind('/'));
    int error = makePrivateFolder(folder);
    if (error == 0) {
        error = clearOwnFilePlace(path);
    }
    if (error != 0) {
        showError(errorMessage(path, std::strerror(error)));
        return;
    }
    try {
        writeReportHtml(report_, path, strings_, std::time(nullptr), writer_);
    } catch (const std::exception& error) {
        showError(errorMessage(path, error.what()));
        return;
    }
    const QString page = QFile::decodeName(path.c_str());
    if (!hooks_.openUrl(QUrl::fromLocalFile(page))) {
        // No program for HTML pages: say where the page is, so it can be opened by hand.
        showError(toQString(strings_.text(MessageKey::errNoHtmlProgram)) + QLatin1Char('\n') +
                  page);
    }
}

void ReportWindow::SpeedButton1Click() {
    emit helpRequested(kHelpTopic);
}

} // namespace quorvel
