#include "widgets/designer/SampleWidgetPlugin.h"

#include <utility>

namespace quorvel {

SampleWidgetPlugin::SampleWidgetPlugin(const QString& className, const QString& header,
                                       const QString& iconName, const QString& toolTip,
                                       Factory factory, QObject* parent)
    : QObject(parent), className_(className), header_(QStringLiteral("widgets/") + header),
      iconName_(iconName), toolTip_(toolTip), factory_(std::move(factory)) {}

QString SampleWidgetPlugin::group() const {
    return QStringLiteral("Quorvel samples");
}

QIcon SampleWidgetPlugin::icon() const {
    return QIcon(QStringLiteral(":/quorvel/designer/%1.svg").arg(iconName_));
}

QString SampleWidgetPlugin::domXml() const {
    // The object name Designer starts from: the class name without its namespace, first letter
    // in lower case.
    QString objectName = className_.section(QStringLiteral("::"), -1);
    objectName[0] = objectName[0].toLower();
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\"/>\n"
                          "</ui>\n")
        .arg(className_, objectName);
}

} // namespace quorvel
