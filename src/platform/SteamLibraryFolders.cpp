#include "platform/SteamLibraryFolders.h"

#include <optional>

#include "platform/AsciiCase.h"
#include "platform/ByteReader.h"

namespace marquill::platform {
namespace {

struct Token {
    enum class Kind { Text, Open, Close, End, Bad } kind = Kind::End;
    std::string text;  // a Text token's characters, a Bad token's reason
};

class VdfTokens {
  public:
    explicit VdfTokens(std::span<const uint8_t> text) : reader_(text) {}

    [[nodiscard]] Token next() {
        skipBlanksAndComments();
        auto c = reader_.u8();
        if (!c) return {Token::Kind::End, {}};
        if (*c == '{') return {Token::Kind::Open, {}};
        if (*c == '}') return {Token::Kind::Close, {}};
        if (*c == '"') return quoted();
        std::string word(1, char(*c));
        while (auto more = peek()) {
            if (isBlank(*more) || *more == '{' || *more == '}' || *more == '"') break;
            word += char(*more);
            (void)reader_.skip(1);
        }
        return {Token::Kind::Text, std::move(word)};
    }

    [[nodiscard]] size_t position() const { return reader_.position(); }

  private:
    static bool isBlank(uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    std::optional<uint8_t> peek() const {
        ByteReader copy = reader_;
        return copy.u8();
    }

    void skipBlanksAndComments() {
        while (auto c = peek()) {
            if (isBlank(*c)) {
                (void)reader_.skip(1);
            } else if (*c == '/' && reader_.remaining() >= 2 && reader_.rest()[1] == '/') {
                while (auto d = reader_.u8())
                    if (*d == '\n') break;
            } else {
                return;
            }
        }
    }

    Token quoted() {
        std::string out;
        while (auto c = reader_.u8()) {
            if (*c == '"') return {Token::Kind::Text, std::move(out)};
            if (*c != '\\') {
                out += char(*c);
                continue;
            }
            auto escaped = reader_.u8();
            if (!escaped) break;
            switch (*escaped) {
                case 'n':
                    out += '\n';
                    break;
                case 't':
                    out += '\t';
                    break;
                default:
                    out += char(*escaped);
                    break;
            }
        }
        return {Token::Kind::Bad, "a string is not closed"};
    }

    ByteReader reader_;
};

bool isNumber(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

SteamLibraryList failure(const VdfTokens& tokens, const std::string& why) {
    return {{}, why + " at byte " + std::to_string(tokens.position())};
}

}  // namespace

SteamLibraryList readSteamLibraryFolders(std::span<const uint8_t> text) {
    VdfTokens tokens(text);
    Token name = tokens.next();
    if (name.kind != Token::Kind::Text || !equalsIgnoringCase(name.text, "libraryfolders"))
        return failure(tokens, "no \"libraryfolders\" object");
    if (tokens.next().kind != Token::Kind::Open) return failure(tokens, "\"{\" expected");

    SteamLibraryList list;
    for (;;) {
        Token key = tokens.next();
        if (key.kind == Token::Kind::Close) return list;
        if (key.kind == Token::Kind::Bad) return failure(tokens, key.text);
        if (key.kind == Token::Kind::End) return failure(tokens, "the object is not closed");
        if (key.kind != Token::Kind::Text) return failure(tokens, "a key is missing");
        Token value = tokens.next();
        if (value.kind == Token::Kind::Text) {
            if (isNumber(key.text) && !value.text.empty()) list.paths.push_back(value.text);
            continue;
        }
        if (value.kind == Token::Kind::Bad) return failure(tokens, value.text);
        if (value.kind != Token::Kind::Open) return failure(tokens, "a value is missing");
        // A library's object: its own "path", whatever else it nests (the "apps" list).
        std::optional<std::string> path;
        size_t depth = 1;
        bool expectKey = true;
        std::string lastKey;
        while (depth > 0) {
            Token t = tokens.next();
            switch (t.kind) {
                case Token::Kind::Open:
                    if (expectKey) return failure(tokens, "a key is missing");
                    ++depth;
                    expectKey = true;
                    break;
                case Token::Kind::Close:
                    if (!expectKey) return failure(tokens, "a value is missing");
                    --depth;
                    break;
                case Token::Kind::Text:
                    if (!expectKey && depth == 1 && equalsIgnoringCase(lastKey, "path") && !path)
                        path = t.text;
                    lastKey = t.text;
                    expectKey = !expectKey;
                    break;
                case Token::Kind::Bad:
                    return failure(tokens, t.text);
                case Token::Kind::End:
                    return failure(tokens, "the object is not closed");
            }
        }
        if (isNumber(key.text) && path && !path->empty()) list.paths.push_back(*path);
    }
}

}  // namespace marquill::platform
