#pragma once
// A strict reader of one JSON text, enough to check what tarvo-calc prints: objects keep their
// keys in order, numbers keep their text, and anything that is not JSON is an error.

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvo::testing {

struct Json {
    enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
    Kind kind = Kind::kNull;
    bool boolean = false;
    double number = 0.0;
    std::string text;  // a string's value, or a number as written
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;

    const Json* find(std::string_view key) const {
        for (const auto& [name, value] : members) {
            if (name == key) {
                return &value;
            }
        }
        return nullptr;
    }
    std::vector<std::string> keys() const {
        std::vector<std::string> names;
        for (const auto& member : members) {
            names.push_back(member.first);
        }
        return names;
    }
};

class JsonReader {
public:
    static std::optional<Json> Read(std::string_view text) {
        JsonReader reader(text);
        std::optional<Json> value = reader.value();
        reader.blanks();
        return reader.at_ == text.size() ? value : std::nullopt;
    }

private:
    explicit JsonReader(std::string_view text) : s_(text) {}

    void blanks() {
        while (at_ < s_.size() && (s_[at_] == ' ' || s_[at_] == '\t' || s_[at_] == '\n')) {
            ++at_;
        }
    }
    bool take(std::string_view word) {
        if (s_.substr(at_, word.size()) != word) {
            return false;
        }
        at_ += word.size();
        return true;
    }

    std::optional<Json> value() {
        blanks();
        Json json;
        if (take("null")) {
            return json;
        }
        if (take("true") || take("false")) {
            json.kind = Json::Kind::kBool;
            json.boolean = s_.substr(0, at_).ends_with("true");
            return json;
        }
        if (at_ < s_.size() && s_[at_] == '"') {
            auto text = string();
            json.kind = Json::Kind::kString;
            json.text = text.value_or("");
            return text ? std::optional(json) : std::nullopt;
        }
        if (take("[")) {
            return list(json);
        }
        if (take("{")) {
            return object(json);
        }
        return numberValue();
    }

    std::optional<std::string> string() {
        std::string out;
        for (++at_; at_ < s_.size(); ++at_) {
            const char c = s_[at_];
            if (c == '"') {
                ++at_;
                return out;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return std::nullopt;
            }
            if (c == '\\') {
                if (++at_ >= s_.size()) {
                    return std::nullopt;
                }
                const char e = s_[at_];
                if (e == 'u') {
                    out += static_cast<char>(
                        std::strtol(std::string(s_.substr(at_ + 1, 4)).c_str(), nullptr, 16));
                    at_ += 4;
                } else {
                    out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                }
                continue;
            }
            out += c;
        }
        return std::nullopt;
    }

    std::optional<Json> list(Json& json) {
        json.kind = Json::Kind::kArray;
        blanks();
        if (take("]")) {
            return json;
        }
        do {
            auto item = value();
            if (!item) {
                return std::nullopt;
            }
            json.items.push_back(std::move(*item));
            blanks();
        } while (take(","));
        return take("]") ? std::optional(json) : std::nullopt;
    }

    std::optional<Json> object(Json& json) {
        json.kind = Json::Kind::kObject;
        blanks();
        if (take("}")) {
            return json;
        }
        do {
            blanks();
            auto key = at_ < s_.size() && s_[at_] == '"' ? string() : std::nullopt;
            blanks();
            if (!key || !take(":")) {
                return std::nullopt;
            }
            auto member = value();
            if (!member) {
                return std::nullopt;
            }
            json.members.emplace_back(std::move(*key), std::move(*member));
            blanks();
        } while (take(","));
        return take("}") ? std::optional(json) : std::nullopt;
    }

    std::optional<Json> numberValue() {
        const std::size_t start = at_;
        while (at_ < s_.size() &&
               std::string_view("+-0123456789.eE").find(s_[at_]) != std::string_view::npos) {
            ++at_;
        }
        Json json;
        json.kind = Json::Kind::kNumber;
        json.text = std::string(s_.substr(start, at_ - start));
        char* end = nullptr;
        json.number = std::strtod(json.text.c_str(), &end);
        const bool whole = !json.text.empty() && end == json.text.c_str() + json.text.size();
        return whole ? std::optional(json) : std::nullopt;
    }

    std::string_view s_;
    std::size_t at_ = 0;
};

}  // namespace tarvo::testing
