#pragma once

#include <QFont>
#include <QIcon>
#include <QString>

#include <map>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace quorvel {

// Fits translated texts into boxes of a fixed design size. Each control is fitted from the font it
// had when first fitted, so a text that got narrowed once widens again when a shorter one follows.
class TextFitter {
public:
    // The font in which `text` fits `width` pixels: `font` itself when it fits, else the same font
    // narrowed step by step (a condensed face where the family has one) and at last one point
    // smaller.
    static QFont fittingFont(const QFont& font, const QString& text, int width);

    // Sets a label's text and accessible name and sizes the label to its text, at most
    // `available` pixels wide.
    void setLabelText(QLabel* label, const QString& text, int available);
    // Fits a caption into the button's width less `extra` pixels.
    void fitButtonText(QAbstractButton* button, int extra);
    // A check box's caption, beside its box.
    void fitCheckBox(QAbstractButton* box);
    void fitGroupTitle(QGroupBox* group);
    // A push button's picture, shown before its caption only where both fit.
    void setPicture(QPushButton* button, const QIcon& picture) { pictures_[button] = picture; }
    void fitPictureButton(QPushButton* button);

private:
    QFont designFont(const QWidget* widget);

    std::map<const QWidget*, QFont> designFonts_;
    std::map<const QPushButton*, QIcon> pictures_;
};

} // namespace quorvel
