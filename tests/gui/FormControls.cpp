#include "gui/FormControls.h"

#include "ui_LanguageChooser.h"
#include "ui_MainWindow.h"
#include "ui_ReportWindow.h"

#include <QDialog>

#include <map>

namespace quorvel::test {
namespace {

// What each control is in its designed form. The forms keep the names their first design gave
// them; only this file needs to know them, and the compiler checks it against the forms.
QWidget* inForm(QWidget&, const Ui::MainWindow& form, MainControl control) {
    switch (control) {
    case MainControl::Toolbar:
        return form.Panel3;
    case MainControl::Start:
        return form.SpeedButton4;
    case MainControl::ViewReport:
        return form.SpeedButton5;
    case MainControl::Help:
        return form.SpeedButton6;
    case MainControl::Language:
        return form.SpeedButton7;
    case MainControl::GuidanceStrip:
        return form.Panel4;
    case MainControl::FirstGuidance:
        return form.LabelTutor1;
    case MainControl::SecondGuidance:
        return form.LabelTutor2;
    case MainControl::Abort:
        return form.BitBtn1;
    case MainControl::FileStatus:
        return form.Label5;
    case MainControl::DirectoryStatus:
        return form.Label11;
    case MainControl::LeftHeading:
        return form.Label3;
    case MainControl::RightHeading:
        return form.Label4;
    case MainControl::ProgressBar:
        return form.ProgressBar1;
    case MainControl::LeftPanel:
        return form.Panel1;
    case MainControl::LeftFrame:
        return form.Bevel1;
    case MainControl::LeftDirectoryCaption:
        return form.Label7;
    case MainControl::LeftPath:
        return form.Label1;
    case MainControl::LeftBrowse:
        return form.BitBtn2;
    case MainControl::CopyFromRight:
        return form.BitBtn5;
    case MainControl::LeftFilesCaption:
        return form.Label9;
    case MainControl::LeftFiles:
        return form.FileListBox1;
    case MainControl::Recurse:
        return form.CheckBoxRecurse;
    case MainControl::OnlyDifferent:
        return form.CheckBoxSoloDiversi;
    case MainControl::FilterCaption:
        return form.Label6;
    case MainControl::Filter:
        return form.EditFiltro;
    case MainControl::FilterHint:
        return form.Label12;
    case MainControl::RightPanel:
        return form.Panel2;
    case MainControl::RightFrame:
        return form.Bevel2;
    case MainControl::RightDirectoryCaption:
        return form.Label8;
    case MainControl::RightPath:
        return form.Label2;
    case MainControl::RightBrowse:
        return form.BitBtn3;
    case MainControl::CopyFromLeft:
        return form.BitBtn4;
    case MainControl::RightFilesCaption:
        return form.Label10;
    case MainControl::RightFiles:
        return form.FileListBox2;
    case MainControl::BothSides:
        return form.CheckBoxBothSides;
    case MainControl::NamesCaption:
        return form.LabelNames;
    case MainControl::Names:
        return form.ComboNames;
    case MainControl::ExclusionCaption:
        return form.LabelExclude;
    case MainControl::Exclusions:
        return form.EditExclude;
    case MainControl::GeneralOptions:
        return form.GroupBox1;
    case MainControl::FastCompare:
        return form.CheckBoxSoloDim;
    case MainControl::StatusLine:
        return form.StatusBar1;
    }
    return nullptr;
}

QWidget* inForm(QWidget& host, const Ui::ReportWindow& form, ReportControl control) {
    switch (control) {
    case ReportControl::Window:
        return &host;
    case ReportControl::Report:
        return form.RichEdit1;
    case ReportControl::ButtonStrip:
        return form.Panel1;
    case ReportControl::Close:
        return form.Button1;
    case ReportControl::Html:
        return form.Button6;
    case ReportControl::Print:
        return form.Button2;
    case ReportControl::Save:
        return form.Button3;
    case ReportControl::Font:
        return form.Button4;
    case ReportControl::Restore:
        return form.Button5;
    case ReportControl::Help:
        return form.SpeedButton1;
    }
    return nullptr;
}

QWidget* inForm(QWidget& host, const Ui::LanguageChooser& form, ChooserControl control) {
    switch (control) {
    case ChooserControl::Window:
        return &host;
    case ChooserControl::Picture:
        return form.Image1;
    case ChooserControl::Ok:
        return form.Button1;
    }
    return nullptr;
}

template <typename Control>
std::vector<Control> upTo(Control last) {
    std::vector<Control> all;
    for (int i = 0; i <= static_cast<int>(last); ++i) {
        all.push_back(static_cast<Control>(i));
    }
    return all;
}

// The names a freshly set-up form gives each control.
template <typename Form, typename Host, typename Control>
std::map<Control, QString> namesIn(const std::vector<Control>& controls) {
    Host host;
    Form form;
    form.setupUi(&host);
    std::map<Control, QString> names;
    for (const Control control : controls) {
        names[control] = inForm(host, form, control)->objectName();
    }
    return names;
}

} // namespace

QString formName(MainControl control) {
    static const auto names = namesIn<Ui::MainWindow, QWidget>(allMainControls());
    return names.at(control);
}

QString formName(ReportControl control) {
    static const auto names = namesIn<Ui::ReportWindow, QDialog>(allReportControls());
    return names.at(control);
}

QString formName(ChooserControl control) {
    static const auto names = namesIn<Ui::LanguageChooser, QDialog>(upTo(ChooserControl::Ok));
    return names.at(control);
}

std::ostream& operator<<(std::ostream& out, MainControl control) {
    return out << formName(control).toStdString();
}

std::ostream& operator<<(std::ostream& out, ReportControl control) {
    return out << formName(control).toStdString();
}

const std::vector<MainControl>& allMainControls() {
    static const std::vector<MainControl> all = upTo(MainControl::StatusLine);
    return all;
}

const std::vector<ReportControl>& allReportControls() {
    static const std::vector<ReportControl> all = upTo(ReportControl::Help);
    return all;
}

} // namespace quorvel::test
