#include "app/cli/JsonWriter.h"

#include <cstdio>

namespace tavo {
namespace {

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[7];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;  // UTF-8 passes through whole
            }
        }
    }
    out += '"';
}

}  // namespace

void JsonWriter::beginObject() { open('{'); }
void JsonWriter::endObject() { close('}'); }
void JsonWriter::beginArray() { open('['); }
void JsonWriter::endArray() { close(']'); }

void JsonWriter::key(std::string_view name) {
    beforeValue();
    appendQuoted(out_, name);
    out_ += ": ";
    afterKey_ = true;
}

void JsonWriter::value(std::string_view utf8Text) {
    beforeValue();
    appendQuoted(out_, utf8Text);
}

void JsonWriter::value(std::int64_t number) {
    beforeValue();
    out_ += std::to_string(number);
}

// A value after its key stays on the key's line; any other item of an open
// object or array starts a line of its own, after a comma when it is not the first.
void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levelHasItems_.empty()) return;
    if (levelHasItems_.back()) out_ += ',';
    levelHasItems_.back() = true;
    lineBreak();
}

void JsonWriter::open(char bracket) {
    beforeValue();
    out_ += bracket;
    levelHasItems_.push_back(false);
}

// An empty object or array stays on one line: "[]".
void JsonWriter::close(char bracket) {
    const bool hadItems = levelHasItems_.back();
    levelHasItems_.pop_back();
    if (hadItems) lineBreak();
    out_ += bracket;
}

void JsonWriter::lineBreak() {
    out_ += '\n';
    out_.append(2 * levelHasItems_.size(), ' ');
}

}  // namespace tavo
