// Reading input scripts ("vorna-input 1"): which keys and joystick positions are held from which frame on.
#include "programs/headless_runner/input_script.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace vorna {
namespace {

constexpr const char* kHeader = "vorna-input 1";
// Far beyond any run, and small enough that frame numbers never wrap.
constexpr uint32_t kLargestFrame = 2000000000u;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::vector<std::string> SplitBlanks(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        size_t start = i;
        while (i < line.size() && !IsBlank(line[i])) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

// Decimal digits only, no sign, value at most limit.
bool ParseDecimal(const std::string& s, uint32_t limit, uint32_t& value) {
    if (s.empty() || s.size() > 10) return false;
    uint64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    if (v > limit) return false;
    value = static_cast<uint32_t>(v);
    return true;
}

// Makes non-printable bytes visible so that an error line stays one line.
std::string Shown(const std::string& word) {
    std::string out;
    for (unsigned char c : word) {
        if (c < 0x20 || c == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
        if (out.size() > 40) return out + "...";
    }
    return out;
}

class Parser {
public:
    Parser(const std::string& name, InputScript& out, std::string& error) : name_(name), out_(out), error_(error) {}

    bool Fail(size_t lineNumber, const std::string& what) {
        error_ = name_ + ":" + std::to_string(lineNumber) + ": " + what;
        return false;
    }

    bool Header(const std::string& line, size_t lineNumber) {
        if (line == kHeader) return true;
        std::string what = "the first line must be exactly \"" + std::string(kHeader) + "\"";
        if (line.compare(0, 3, "\xEF\xBB\xBF") == 0) what += " (the file starts with a byte-order mark)";
        return Fail(lineNumber, what);
    }

    bool Command(const std::string& line, size_t lineNumber) {
        std::vector<std::string> words = SplitBlanks(line);
        if (words.empty() || words[0][0] == '#') return true;
        InputLine cmd;
        if (!ParseDecimal(words[0], kLargestFrame, cmd.frame) || cmd.frame == 0)
            return Fail(lineNumber, "\"" + Shown(words[0]) + "\" is not a frame number (1 or more)");
        if (!out_.lines.empty() && cmd.frame <= out_.lines.back().frame)
            return Fail(lineNumber, "frame " + std::to_string(cmd.frame) + " does not come after frame " +
                                        std::to_string(out_.lines.back().frame));
        if (words.size() == 1) return Fail(lineNumber, "no keys after the frame number (\"-\" holds nothing)");
        if (words.size() == 2 && words[1] == "-") {
            out_.lines.push_back(cmd);
            return true;
        }
        bool sawX = false, sawY = false;
        for (size_t i = 1; i < words.size(); ++i) {
            const std::string& w = words[i];
            if (w == "-") return Fail(lineNumber, "\"-\" cannot stand together with keys");
            if (!Word(w, cmd, sawX, sawY, lineNumber)) return false;
        }
        out_.lines.push_back(cmd);
        return true;
    }

private:
    bool Word(const std::string& w, InputLine& cmd, bool& sawX, bool& sawY, size_t lineNumber) {
        for (const ScriptKeyName& k : kScriptKeyNames) {
            if (w == k.name) {
                if (cmd.keys & k.key) return Fail(lineNumber, "key " + w + " is named twice");
                cmd.keys |= k.key;
                return true;
            }
        }
        if (w.size() == 4 && w.compare(0, 3, "JOY") == 0 && w[3] >= '1' && w[3] <= '8') {
            uint32_t bit = 1u << (w[3] - '1');
            if (cmd.joystickButtons & bit) return Fail(lineNumber, "button " + w + " is named twice");
            cmd.joystickButtons |= bit;
            out_.hasJoystick = true;
            return true;
        }
        if (w.compare(0, 3, "JX=") == 0 || w.compare(0, 3, "JY=") == 0) {
            bool isX = w[1] == 'X';
            bool& saw = isX ? sawX : sawY;
            if (saw) return Fail(lineNumber, "axis " + w.substr(0, 2) + " is set twice");
            uint32_t value = 0;
            if (!ParseDecimal(w.substr(3), kAxisMax, value))
                return Fail(lineNumber, "\"" + Shown(w) + "\": an axis position is a number from 0 to 65535");
            (isX ? cmd.axisX : cmd.axisY) = value;
            saw = true;
            out_.hasJoystick = true;
            return true;
        }
        return Fail(lineNumber,
                    "unknown key \"" + Shown(w) +
                        "\" (keys: UP DOWN LEFT RIGHT NUM8 NUM2 NUM4 NUM6 Z X ESC F3 JOY1..JOY8 JX=n JY=n)");
    }

    const std::string& name_;
    InputScript& out_;
    std::string& error_;
};

} // namespace

bool ParseInputScript(const std::string& text, const std::string& name, InputScript& out, std::string& error) {
    out = InputScript{};
    Parser parser(name, out, error);
    if (text.empty()) return parser.Fail(1, "the script is empty; its first line must be \"vorna-input 1\"");
    size_t lineNumber = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        bool ok = line.find('\0') == std::string::npos
                      ? (lineNumber == 1 ? parser.Header(line, lineNumber) : parser.Command(line, lineNumber))
                      : parser.Fail(lineNumber, "the line holds a zero byte");
        if (!ok) {
            out = InputScript{};
            return false;
        }
    }
    return true;
}

} // namespace vorna
