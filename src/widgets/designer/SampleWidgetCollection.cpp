#include "widgets/designer/SampleWidgetCollection.h"

#include "widgets/ColourGrid.h"
#include "widgets/DirectoryOutline.h"
#include "widgets/Gauge.h"
#include "widgets/MonthGrid.h"
#include "widgets/PerformanceGraph.h"
#include "widgets/designer/SampleWidgetPlugin.h"

namespace quorvel {

namespace {

template <typename Widget>
SampleWidgetPlugin::Factory make() {
    return [](QWidget* parent) -> QWidget* { return new Widget(parent); };
}

} // namespace

SampleWidgetCollection::SampleWidgetCollection(QObject* parent) : QObject(parent) {
    // The tool tips are Designer's, for developers, and stay in English as Designer's own do.
    widgets_ = {
        new SampleWidgetPlugin(QStringLiteral("quorvel::MonthGrid"), QStringLiteral("MonthGrid.h"),
                               QStringLiteral("month-grid"),
                               QStringLiteral("A month of days with a chosen date"),
                               make<MonthGrid>(), this),
        new SampleWidgetPlugin(QStringLiteral("quorvel::ColourGrid"),
                               QStringLiteral("ColourGrid.h"), QStringLiteral("colour-grid"),
                               QStringLiteral("Colour swatches with a chosen colour"),
                               make<ColourGrid>(), this),
        new SampleWidgetPlugin(QStringLiteral("quorvel::DirectoryOutline"),
                               QStringLiteral("DirectoryOutline.h"),
                               QStringLiteral("directory-outline"),
                               QStringLiteral("The subdirectories of a folder as a tree"),
                               make<DirectoryOutline>(), this),
        new SampleWidgetPlugin(
            QStringLiteral("quorvel::Gauge"), QStringLiteral("Gauge.h"), QStringLiteral("gauge"),
            QStringLiteral("A value in a range as a bar, pie or needle"), make<Gauge>(), this),
        new SampleWidgetPlugin(QStringLiteral("quorvel::PerformanceGraph"),
                               QStringLiteral("PerformanceGraph.h"),
                               QStringLiteral("performance-graph"),
                               QStringLiteral("A scrolling line of the latest values"),
                               make<PerformanceGraph>(), this),
    };
}

} // namespace quorvel
