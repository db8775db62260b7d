#include "scenario/sim_state_json.h"

#include <QStringList>
#include <algorithm>

namespace nimba::scenario {
namespace {

QStringList Lines(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .split('\n', Qt::SkipEmptyParts);
}

}  // namespace

QJsonObject SimStateJson(std::string_view state_text) {
    QJsonObject state;
    QString section;  // the key whose indented lines follow
    QJsonArray section_lines;
    auto close_section = [&] {
        if (!section.isEmpty()) state[section] = section_lines;
        section.clear();
        section_lines = QJsonArray();
    };
    for (const QString& line : Lines(state_text)) {
        if (line.startsWith(' ') && !section.isEmpty()) {
            section_lines.push_back(line.trimmed());
            continue;
        }
        close_section();
        // "sleep timer: 10, light-off timer: 1" holds two keys; "links: cable out, receiver
        // in" one key whose value has commas.
        QStringList pairs = line.split(", ");
        if (!std::all_of(pairs.begin(), pairs.end(),
                         [](const QString& pair) { return pair.contains(": "); }))
            pairs = QStringList{line};
        for (const QString& pair : pairs) {
            const qsizetype colon = pair.indexOf(':');
            const QString key = pair.left(colon).trimmed();
            const QString value = colon < 0 ? QString() : pair.mid(colon + 1).trimmed();
            if (value.isEmpty()) {
                section = key;
            } else {
                state[key] = value;
            }
        }
    }
    close_section();
    return state;
}

QJsonArray SimLogJson(std::string_view log_text) {
    return QJsonArray::fromStringList(Lines(log_text));
}

}  // namespace nimba::scenario
