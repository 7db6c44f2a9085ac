#include "gui/WindowFixture.h"

#include "gui/StandardDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <unistd.h>

namespace quorvel::test {

void RecordingDialogs::showFailure(QWidget*, const QString& message) {
    boxes.push_back(
        {Box::Kind::Failure, message, QApplication::applicationName(), QMessageBox::Critical});
}

void RecordingDialogs::showMessage(QWidget*, const QString& text, const QString& caption,
                                   QMessageBox::Icon icon) {
    boxes.push_back({Box::Kind::Message, text, caption, icon});
}

bool RecordingDialogs::askYesNo(QWidget*, const QString& text, const QString& caption,
                                QMessageBox::Icon icon) {
    boxes.push_back({Box::Kind::Question, text, caption, icon});
    if (whileAsking) {
        whileAsking();
    }
    return answerYes;
}

std::optional<QString> RecordingDialogs::chooseDirectory(QWidget* parent, const QString& title,
                                                         const QString& start) {
    chooserStarts.push_back(start);
    chooserTitles.push_back(title);
    if (useRealChooser) {
        return StandardDialogs().chooseDirectory(parent, title, start);
    }
    return chosenDirectory;
}

void RecordingReportDisplay::showReport() {
    ++shown;
    if (whileShown) {
        whileShown();
    }
}

WindowFixture::WindowFixture() {
    char buffer[4096];
    previousDirectory_ = ::getcwd(buffer, sizeof buffer) != nullptr ? buffer : "/";
    tree_.mkdir("work");
    tree_.mkdir("settings");
    if (::chdir(work().c_str()) != 0) {
        ADD_FAILURE() << "cannot enter " << work();
    }
    settings_ = std::make_unique<SettingsStore>(settingsPath());
}

WindowFixture::~WindowFixture() {
    window_.reset();
    if (::chdir(previousDirectory_.c_str()) != 0) {
        ADD_FAILURE() << "cannot return to " << previousDirectory_;
    }
}

QString WindowFixture::settingsPath() const {
    return QString::fromStdString(tree_.path("settings/settings.reg"));
}

void WindowFixture::writeSettings(const QByteArray& values) const {
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quorvel]\n" + values);
}

QByteArray WindowFixture::settingsBytes() const {
    QFile file(settingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

MainWindow& WindowFixture::makeWindow() {
    window_ = std::make_unique<MainWindow>(strings_, report_, files_, *settings_, dialogs_);
    window_->setReportDisplay(reportDisplay_);
    return *window_;
}

void WindowFixture::showAndActivate(MainWindow& window) {
    window.showAtStart();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // The first activation's handler, and a chooser it opens, follow through the event queue.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

QString WindowFixture::label(MainControl control) const {
    return child<QLabel>(control)->text();
}

void WindowFixture::press(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowFixture::clickMode(CompareMode mode) const {
    press(modeButton(mode));
}

void WindowFixture::selectRowsIn(QWidget& window, MainControl list,
                                 std::initializer_list<int> rows) {
    auto* view = in<QListView>(window, list);
    bool first = true;
    for (int row : rows) {
        const QRect place = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton,
                          first ? Qt::NoModifier : Qt::ControlModifier, place.center());
        first = false;
    }
}

std::vector<std::string> WindowFixture::reportLines() const {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < report_.count(); ++i) {
        lines.push_back(report_.line(i));
    }
    return lines;
}

std::vector<RecordingDialogs::Box::Kind> WindowFixture::boxKinds() const {
    std::vector<RecordingDialogs::Box::Kind> kinds;
    for (const auto& box : dialogs_.boxes) {
        kinds.push_back(box.kind);
    }
    return kinds;
}

} // namespace quorvel::test
