#include "scenario/expectation.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace nimba::scenario {

std::optional<std::string> PropertyText(const QJsonObject& control, std::string_view property) {
    const QJsonValue value = control.value(QString::fromUtf8(property.data(), property.size()));
    switch (value.type()) {
        case QJsonValue::Bool:
            return value.toBool() ? "true" : "false";
        case QJsonValue::Double:
            return std::to_string(value.toInteger());
        case QJsonValue::String:
            return value.toString().toStdString();
        case QJsonValue::Array:
            return QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact).toStdString();
        default:
            return std::nullopt;
    }
}

}  // namespace nimba::scenario
