#include "gui/FormControls.h"

#include "ui_LanguageChooser.h"
#include "ui_MainWindow.h"
#include "ui_ReportWindow.h"

#include <QDialog>

#include <array>
#include <map>

namespace quorvel::test {
namespace {

// What each control is in its designed form, in the order of its enumeration. The forms keep
// the names their first design gave them; only this file needs to know them, and the compiler
// checks it against the forms and the count against the enumeration.
std::array<QWidget*, static_cast<std::size_t>(MainControl::StatusLine) + 1>
inForm(QWidget&, const Ui::MainWindow& f) {
    return {f.Panel3,        f.SpeedButton4, f.SpeedButton5,    f.SpeedButton6,
            f.SpeedButton7,  f.Panel4,       f.LabelTutor1,     f.LabelTutor2,
            f.BitBtn1,       f.Label5,       f.Label11,         f.Label3,
            f.Label4,        f.ProgressBar1, f.Panel1,          f.Bevel1,
            f.Label7,        f.Label1,       f.BitBtn2,         f.BitBtn5,
            f.Label9,        f.FileListBox1, f.CheckBoxRecurse, f.CheckBoxSoloDiversi,
            f.Label6,        f.EditFiltro,   f.Label12,         f.Panel2,
            f.Bevel2,        f.Label8,       f.Label2,          f.BitBtn3,
            f.BitBtn4,       f.Label10,      f.FileListBox2,    f.CheckBoxBothSides,
            f.LabelNames,    f.ComboNames,   f.LabelExclude,    f.EditExclude,
            f.CheckBoxMoves, f.GroupBox1,    f.CheckBoxSoloDim, f.StatusBar1};
}

std::array<QWidget*, static_cast<std::size_t>(ReportControl::Help) + 1>
inForm(QWidget& host, const Ui::ReportWindow& f) {
    return {&host,     f.RichEdit1, f.Panel1,  f.Button1, f.Button6,
            f.Button2, f.Button3,   f.Button4, f.Button5, f.SpeedButton1};
}

std::array<QWidget*, static_cast<std::size_t>(ChooserControl::Ok) + 1>
inForm(QWidget& host, const Ui::LanguageChooser& f) {
    return {&host, f.Image1, f.Button1};
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
    const auto widgets = inForm(host, form);
    std::map<Control, QString> names;
    for (const Control control : controls) {
        names[control] = widgets.at(static_cast<std::size_t>(control))->objectName();
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
