#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

// Writes indented JSON text with the members in the order they are written, so
// that the output reads in the documented order (QJsonObject sorts its keys).
// The caller writes well-formed structure; texts must be UTF-8.
class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();

    // The name of the next member of the open object.
    void key(std::string_view name);
    void value(std::string_view utf8Text);
    void value(std::int64_t number);

    template <typename T>
    void member(std::string_view name, const T& v) {
        key(name);
        value(v);
    }

    // The text written so far, ended by a line break.
    std::string text() const { return out_ + '\n'; }

private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);
    void lineBreak();

    std::string out_;
    std::vector<bool> levelHasItems_;  // one entry per open object or array
    bool afterKey_ = false;
};

}  // namespace tavo
