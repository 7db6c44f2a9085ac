#include "gui/MainWindowTexts.h"

#include "gui/MainWindowLook.h"
#include "gui/ModeTable.h"
#include "gui/QtText.h"
#include "lang/LanguageTable.h"
#include "options/OptionTable.h"

#include "ui_MainWindow.h"

#include <QButtonGroup>

#include <algorithm>

namespace quorvel {

void MainWindowTexts::applyDesignLook() {
    quorvel::applyDesignLook(window_, ui_, fitter_);
}

int MainWindowTexts::availableWidth(const QLabel* label) const {
    if (label == ui_.Label3) {
        return ui_.Panel1->width() - 8;
    }
    if (label == ui_.Label4) {
        return ui_.Panel2->width() - 8;
    }
    int right = label->parentWidget()->width() - 8;
    if (label == ui_.LabelTutor1 || label == ui_.LabelTutor2) {
        // The running counts end before a button shown beside them (Abort), however long the
        // count grows.
        const QRect own = label->geometry();
        for (const QObject* child : label->parentWidget()->children()) {
            const auto* sibling = qobject_cast<const QWidget*>(child);
            if (sibling == nullptr || sibling == label || sibling->isHidden()) {
                continue;
            }
            const QRect other = sibling->geometry();
            if (other.left() > own.left() && other.top() <= own.bottom() &&
                other.bottom() >= own.top()) {
                right = std::min(right, other.left() - 8);
            }
        }
    }
    return right - label->x();
}

void MainWindowTexts::setLabelText(QLabel* label, const QString& text) {
    if (label == ui_.Label1 || label == ui_.Label2 || label == ui_.StatusBar1) {
        label->setText(text);
        label->setAccessibleName(text);
        return;
    }
    fitter_.setLabelText(label, text, availableWidth(label));
}

void MainWindowTexts::refit() {
    for (QLabel* label :
         {ui_.LabelTutor1, ui_.LabelTutor2, ui_.Label11, ui_.Label5, ui_.Label3, ui_.Label4,
          ui_.Label6, ui_.Label7, ui_.Label8, ui_.Label9, ui_.Label10}) {
        setLabelText(label, label->text());
    }
    for (QAbstractButton* box : {static_cast<QAbstractButton*>(ui_.CheckBoxRecurse),
                                 static_cast<QAbstractButton*>(ui_.CheckBoxSoloDiversi),
                                 static_cast<QAbstractButton*>(ui_.CheckBoxSoloDim)}) {
        fitter_.fitCheckBox(box);
    }
    for (QPushButton* button : {ui_.BitBtn1, ui_.BitBtn2, ui_.BitBtn3}) {
        fitter_.fitPictureButton(button);
    }
    fitter_.fitGroupTitle(ui_.GroupBox1);
}

void MainWindowTexts::apply(LanguageId id, const QButtonGroup& modes) {
    const auto ui = [id](UiKey key) { return toQString(languageText(id, key).value_or("")); };
    const auto button = [](QAbstractButton* b, const QString& caption) {
        b->setText(caption);
        b->setAccessibleName(caption);
    };
    // A picture button is known by its hint.
    const auto hint = [](QWidget* w, const QString& text) {
        w->setToolTip(text);
        w->setAccessibleName(text);
    };
    button(ui_.BitBtn1, ui(UiKey::uiAbort));
    button(ui_.CheckBoxRecurse, ui(UiKey::uiRecurse));
    button(ui_.CheckBoxSoloDiversi, ui(UiKey::uiOnlyDifferent));
    setLabelText(ui_.Label3, ui(UiKey::uiCompareThis));
    setLabelText(ui_.Label4, ui(UiKey::uiWithThis));
    setLabelText(ui_.Label6, ui(UiKey::uiFilter));
    setLabelText(ui_.LabelExclude, ui(UiKey::uiExclude));
    button(ui_.CheckBoxBothSides, ui(UiKey::uiBothSides));
    button(ui_.CheckBoxMoves, ui(UiKey::uiMoves));
    setLabelText(ui_.LabelNames, ui(UiKey::uiNames));
    // The choices in the option table's order, the one chosen kept across languages.
    const auto& names = optionRow(&CompareOptions::names);
    const int chosenName = std::max(0, ui_.ComboNames->currentIndex());
    ui_.ComboNames->clear();
    for (const auto& choice : names.choices) {
        ui_.ComboNames->addItem(ui(choice.caption));
    }
    ui_.ComboNames->setCurrentIndex(chosenName);
    setLabelText(ui_.LabelTutor1, ui(UiKey::tutorNoMode1));
    setLabelText(ui_.LabelTutor2, ui(UiKey::tutorNoMode2));
    for (std::size_t i = 0; i < kModeTable.size(); ++i) {
        hint(modes.button(static_cast<int>(i)), ui(kModeTable[i].buttonHint));
    }
    hint(ui_.SpeedButton4, ui(UiKey::hintStart));
    hint(ui_.SpeedButton5, ui(UiKey::hintViewReport));
    hint(ui_.SpeedButton6, ui(UiKey::hintHelp));
    hint(ui_.SpeedButton7, ui(UiKey::hintLanguage));
    ui_.GroupBox1->setTitle(ui(UiKey::uiGeneralOptions));
    ui_.GroupBox1->setAccessibleName(ui(UiKey::uiGeneralOptions));
    button(ui_.CheckBoxSoloDim, ui(UiKey::uiFastCompare));
    button(ui_.BitBtn2, ui(UiKey::uiBrowse));
    button(ui_.BitBtn3, ui(UiKey::uiBrowse));
    setLabelText(ui_.Label7, ui(UiKey::uiDirectory));
    setLabelText(ui_.Label8, ui(UiKey::uiDirectory));
    setLabelText(ui_.Label9, ui(UiKey::uiFiles));
    setLabelText(ui_.Label10, ui(UiKey::uiFiles));
    hint(ui_.BitBtn4, ui(UiKey::hintCopyFromLeft));
    hint(ui_.BitBtn5, ui(UiKey::hintCopyFromRight));

    // Controls without a caption of their own are named after the caption that marks them.
    const QString compareThis = ui(UiKey::uiCompareThis);
    const QString withThis = ui(UiKey::uiWithThis);
    ui_.Panel1->setAccessibleName(compareThis);
    ui_.Panel2->setAccessibleName(withThis);
    ui_.FileListBox1->setAccessibleName(compareThis + QLatin1Char(' ') + ui(UiKey::uiFiles));
    ui_.FileListBox2->setAccessibleName(withThis + QLatin1Char(' ') + ui(UiKey::uiFiles));
    ui_.EditFiltro->setAccessibleName(ui(UiKey::uiFilter));
    ui_.EditExclude->setAccessibleName(ui(UiKey::uiExclude));
    ui_.ComboNames->setAccessibleName(ui(UiKey::uiNames));
    ui_.ProgressBar1->setAccessibleName(ui(UiKey::uiProgress));
    refit();
}

} // namespace quorvel
