#include "gui/RunWidgets.h"

#include "ui_MainWindow.h"

namespace quorvel {

RunWidgets runWidgetsOf(const Ui::MainWindow& form,
                        std::function<void(QLabel*, const QString&)> setText) {
    return {{form.Panel1, form.Panel2, form.Panel3, form.GroupBox1},
            {form.Label3, form.Label4},
            {form.LabelTutor1, form.LabelTutor2},
            form.ProgressBar1,
            form.BitBtn1,
            form.Label5,
            form.Label11,
            std::move(setText)};
}

} // namespace quorvel
