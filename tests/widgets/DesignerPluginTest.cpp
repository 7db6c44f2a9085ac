#include <QPluginLoader>
#include <QStringList>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Loaded from the built module by its path, as Designer loads it from its plugin folder.
TEST(DesignerPluginTest, ThePluginListsTheFiveComponentsInTheirGroupAndMakesEach) {
    QPluginLoader loader(QStringLiteral(QUORVEL_DESIGNER_PLUGIN));
    ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    ASSERT_NE(collection, nullptr);

    QStringList names;
    for (QDesignerCustomWidgetInterface* widget : collection->customWidgets()) {
        SCOPED_TRACE(widget->name().toStdString());
        names.append(widget->name());
        EXPECT_EQ(widget->group(), QStringLiteral("Quorvel samples"));
        EXPECT_FALSE(widget->icon().isNull());
        EXPECT_TRUE(widget->includeFile().startsWith(QStringLiteral("widgets/")));
        EXPECT_TRUE(widget->domXml().contains(widget->name()));
        const std::unique_ptr<QWidget> made(widget->createWidget(nullptr));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(QString::fromLatin1(made->metaObject()->className()), widget->name());
        EXPECT_FALSE(made->accessibleName().isEmpty());
        EXPECT_TRUE(made->sizeHint().isValid());
    }
    EXPECT_EQ(names,
              (QStringList{"quorvel::MonthGrid", "quorvel::ColourGrid", "quorvel::DirectoryOutline",
                           "quorvel::Gauge", "quorvel::PerformanceGraph"}));
}

} // namespace
