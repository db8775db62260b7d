#include "mousectl/json_writer.h"

#include <cstdio>

namespace nimba::mousectl {

void JsonWriter::Separate() {
    if (!first_) out_ << ',';
    first_ = false;
}

JsonWriter& JsonWriter::Open(char bracket) {
    Separate();
    out_ << bracket;
    first_ = true;
    return *this;
}

JsonWriter& JsonWriter::Close(char bracket) {
    out_ << bracket;
    first_ = false;
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
    String(name);
    out_ << ':';
    first_ = true;  // the value that follows takes no comma
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text) {
    Separate();
    out_ << '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out_ << '\\' << c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out_ << escape;
        } else {
            out_ << c;  // UTF-8 passes through
        }
    }
    out_ << '"';
    return *this;
}

JsonWriter& JsonWriter::Number(int64_t value) {
    Separate();
    out_ << value;
    return *this;
}

JsonWriter& JsonWriter::Number(double value) {
    Separate();
    out_ << value;
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    Separate();
    out_ << (value ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::Null() {
    Separate();
    out_ << "null";
    return *this;
}

}  // namespace nimba::mousectl
