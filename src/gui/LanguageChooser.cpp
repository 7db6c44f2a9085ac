#include "gui/LanguageChooser.h"

#include "gui/WindowPlacer.h"
#include "lang/LanguageChooserRules.h"

#include "ui_LanguageChooser.h"

#include <QButtonGroup>
#include <QRadioButton>

// The flag picture lives in a static library, whose resources are linked only when asked for.
static void loadChooserResources() {
    Q_INIT_RESOURCE(LanguageChooser);
}

namespace quorvel {

LanguageChooser::LanguageChooser(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::LanguageChooser>()),
      items_(new QButtonGroup(this)) {
    loadChooserResources();
    ui_->setupUi(this);
    // A tool window: small title bar with a close box, no sizing.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    QRadioButton* const buttons[kChooserItemCount] = {
        ui_->RadioItem0, ui_->RadioItem1, ui_->RadioItem2,
        ui_->RadioItem3, ui_->RadioItem4, ui_->RadioItem5,
    };
    for (int item = 0; item < kChooserItemCount; ++item) {
        items_->addButton(buttons[item], item);
    }
    connect(ui_->Button1, &QPushButton::clicked, this, &LanguageChooser::Button1Click);
}

LanguageChooser::~LanguageChooser() = default;

void LanguageChooser::choose(LanguageId& currentLanguage) {
    currentLanguage_ = &currentLanguage;
    exec();
    currentLanguage_ = nullptr;
}

std::optional<int> LanguageChooser::selectedItem() const {
    const int item = items_->checkedId();
    if (item < 0) {
        return std::nullopt;
    }
    return item;
}

void LanguageChooser::FormActivate() {
    if (currentLanguage_ != nullptr) {
        select(preselectedItem(*currentLanguage_));
    }
}

void LanguageChooser::Button1Click() {
    if (currentLanguage_ != nullptr) {
        *currentLanguage_ = chosenLanguage(selectedItem());
    }
    accept();
}

void LanguageChooser::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void LanguageChooser::select(std::optional<int> item) {
    if (item) {
        items_->button(*item)->setChecked(true);
        return;
    }
    // An exclusive group refuses to clear its last checked button.
    items_->setExclusive(false);
    for (QAbstractButton* button : items_->buttons()) {
        button->setChecked(false);
    }
    items_->setExclusive(true);
}

void showLanguageChooser(LanguageChooser& chooser, const QWidget& mainWindow,
                         LanguageId& currentLanguage) {
    const QRect mainFrame = mainWindow.window()->frameGeometry();
    // Until the chooser has been mapped once its frame is unknown; the main window's side borders
    // are the best guess of it.
    QSize frame = WindowPlacer::frameSize(chooser);
    if (frame.width() == 0) {
        frame = WindowPlacer::frameSize(*mainWindow.window());
    }
    const int chooserWidth = chooser.width() + frame.width();
    const ChooserPlace place =
        chooserPlace(mainFrame.left(), mainFrame.top(), mainFrame.width(), chooserWidth);
    chooser.move(place.left, place.top);
    chooser.choose(currentLanguage);
}

} // namespace quorvel
