#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <functional>

namespace quorvel {

// One sample component as Qt Designer sees it: its class, header, icon and a way to make one.
class SampleWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    using Factory = std::function<QWidget*(QWidget* parent)>;

    // `className` as written in forms, `header` the file after widgets/, `iconName` the icon
    // file in the resources without its suffix.
    SampleWidgetPlugin(const QString& className, const QString& header, const QString& iconName,
                       const QString& toolTip, Factory factory, QObject* parent = nullptr);

    QString name() const override { return className_; }
    QString group() const override;
    QString toolTip() const override { return toolTip_; }
    QString whatsThis() const override { return toolTip_; }
    QString includeFile() const override { return header_; }
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override { return factory_(parent); }
    bool isInitialized() const override { return initialized_; }
    void initialize(QDesignerFormEditorInterface*) override { initialized_ = true; }
    QString domXml() const override;

private:
    QString className_;
    QString header_;
    QString iconName_;
    QString toolTip_;
    Factory factory_;
    bool initialized_ = false;
};

} // namespace quorvel
