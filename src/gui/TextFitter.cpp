#include "gui/TextFitter.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <array>

namespace quorvel {

QFont TextFitter::fittingFont(const QFont& font, const QString& text, int width) {
    static constexpr std::array<int, 6> kStretches{100, 93, 87, 81, 75, 70};
    QFont narrowed = font;
    for (int stretch : kStretches) {
        narrowed.setStretch(stretch);
        if (QFontMetrics(narrowed).horizontalAdvance(text) <= width) {
            return narrowed;
        }
    }
    if (narrowed.pointSize() > 6) {
        narrowed.setPointSize(narrowed.pointSize() - 1);
    }
    return narrowed;
}

QFont TextFitter::designFont(const QWidget* widget) {
    const auto found = designFonts_.find(widget);
    if (found != designFonts_.end()) {
        return found->second;
    }
    return designFonts_.emplace(widget, widget->font()).first->second;
}

void TextFitter::setLabelText(QLabel* label, const QString& text, int available) {
    label->setText(text);
    label->setAccessibleName(text);
    label->setFont(fittingFont(designFont(label), text, available));
    label->resize(std::min(label->sizeHint().width(), available), label->height());
}

void TextFitter::fitButtonText(QAbstractButton* button, int extra) {
    button->setFont(fittingFont(designFont(button), button->text(), button->width() - extra));
}

void TextFitter::fitCheckBox(QAbstractButton* box) {
    const QStyle* style = box->style();
    fitButtonText(box, style->pixelMetric(QStyle::PM_IndicatorWidth) +
                           style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 4);
}

void TextFitter::fitGroupTitle(QGroupBox* group) {
    group->setFont(fittingFont(designFont(group), group->title(), group->width() - 16));
}

void TextFitter::fitPictureButton(QPushButton* button) {
    const int margins = 14;
    const int withPicture = margins + button->iconSize().width() + 4;
    // The picture stays while the caption, narrowed as far as captions are, fits beside it.
    const int room = button->width() - withPicture;
    const bool fits = QFontMetrics(fittingFont(designFont(button), button->text(), room))
                          .horizontalAdvance(button->text()) <= room;
    button->setIcon(fits ? pictures_[button] : QIcon());
    fitButtonText(button, fits ? withPicture : margins);
}

} // namespace quorvel
