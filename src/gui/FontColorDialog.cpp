#include "gui/FontColorDialog.h"

#include "gui/ReportFontMapping.h"
#include "settings/ReportFont.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QPixmap>

#include <array>

namespace quorvel {

namespace {

constexpr std::array<std::uint32_t, 16> kBasicColors = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xc0c0c0, 0x0000ff, 0x00ff00, 0x00ffff, 0xff0000, 0xff00ff, 0xffff00, 0xffffff};

QIcon swatch(const QColor& color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

// The colour names are codes, the same in every language; the window-text entry shows its code
// of the moment in brackets, as it follows the desktop.
void addColor(QComboBox& box, std::uint32_t code, const QPalette& palette) {
    const QColor color = colorFromCode(code, palette);
    const QString name = color.name();
    box.addItem(swatch(color),
                isSystemColorCode(code) ? QLatin1Char('(') + name + QLatin1Char(')') : name,
                QVariant::fromValue(code));
}

} // namespace

std::optional<FontChoice> chooseFontAndColor(QWidget* parent, const FontChoice& current) {
    QFontDialog dialog(current.font, parent);
    // The colour choice goes into Qt's own dialog; a native one could not take it.
    dialog.setOption(QFontDialog::DontUseNativeDialog);

    auto* colors = new QComboBox(&dialog);
    colors->setObjectName(QStringLiteral("colorChoice"));
    const QPalette palette = dialog.palette();
    addColor(*colors, ReportFont::kWindowTextColor, palette);
    for (std::uint32_t code : kBasicColors) {
        addColor(*colors, code, palette);
    }
    int index = colors->findData(QVariant::fromValue(current.colorCode));
    if (index < 0) {
        addColor(*colors, current.colorCode, palette);
        index = colors->count() - 1;
    }
    colors->setCurrentIndex(index);

    // The effects group holds the strike-out and underline boxes; the sample shows the colour.
    QCheckBox* effect = dialog.findChild<QCheckBox*>();
    QGroupBox* effects = effect ? qobject_cast<QGroupBox*>(effect->parentWidget()) : nullptr;
    if (effects && effects->layout()) {
        effects->layout()->addWidget(colors);
    } else if (dialog.layout()) {
        dialog.layout()->addWidget(colors);
    }
    colors->setAccessibleName(effects ? effects->title() : QString());
    auto showColor = [&] {
        for (QLineEdit* sample : dialog.findChildren<QLineEdit*>()) {
            if (qobject_cast<QGroupBox*>(sample->parentWidget()) != nullptr) {
                QPalette p = sample->palette();
                p.setColor(QPalette::Text,
                           colorFromCode(colors->currentData().value<std::uint32_t>(), palette));
                sample->setPalette(p);
            }
        }
    };
    QObject::connect(colors, &QComboBox::currentIndexChanged, &dialog, showColor);
    showColor();

    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return FontChoice{dialog.selectedFont(), colors->currentData().value<std::uint32_t>()};
}

} // namespace quorvel
