#pragma once

// Compact JSON for scripts, written as it goes: commas and string escapes are handled here,
// the shape is the caller's.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>

namespace nimba::mousectl {

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    JsonWriter& BeginObject() { return Open('{'); }
    JsonWriter& EndObject() { return Close('}'); }
    JsonWriter& BeginArray() { return Open('['); }
    JsonWriter& EndArray() { return Close(']'); }
    // The name of the next member of an object.
    JsonWriter& Key(std::string_view name);
    JsonWriter& String(std::string_view text);
    JsonWriter& Number(int64_t value);
    JsonWriter& Number(double value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();
    // The value, or null when there is none.
    JsonWriter& Number(std::optional<int> value) {
        return value ? Number(int64_t{*value}) : Null();
    }

private:
    void Separate();
    JsonWriter& Open(char bracket);
    JsonWriter& Close(char bracket);

    std::ostream& out_;
    bool first_ = true;  // nothing written yet in the innermost object or array
};

}  // namespace nimba::mousectl
