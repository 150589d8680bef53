// Comparing a trace with a stored one and naming the first difference.
#include "programs/headless_runner/trace_compare.h"

#include <utility>

namespace vorna {
namespace {

struct Field {
    std::string key;
    std::string value; // the value's text as it stands
};

// Splits one flat trace object into its top-level fields. The trace never nests objects and
// its strings hold no quotes, so bracket depth and quote state are all that matter.
bool SplitFields(const std::string& line, std::vector<Field>& fields) {
    fields.clear();
    if (line.size() < 2 || line.front() != '{' || line.back() != '}') return false;
    size_t i = 1;
    const size_t end = line.size() - 1;
    if (i == end) return true;
    while (i < end) {
        if (line[i] != '"') return false;
        size_t close = line.find('"', i + 1);
        if (close == std::string::npos || close + 1 >= end || line[close + 1] != ':') return false;
        Field f;
        f.key = line.substr(i + 1, close - i - 1);
        size_t v = close + 2;
        size_t j = v;
        int depth = 0;
        bool inString = false;
        for (; j < end; ++j) {
            char c = line[j];
            if (inString) {
                if (c == '"') inString = false;
            } else if (c == '"') {
                inString = true;
            } else if (c == '[') {
                ++depth;
            } else if (c == ']') {
                if (--depth < 0) return false;
            } else if (c == ',' && depth == 0) {
                break;
            }
        }
        if (inString || depth != 0 || j == v) return false;
        f.value = line.substr(v, j - v);
        fields.push_back(std::move(f));
        i = j < end ? j + 1 : j;
        if (j < end && i == end) return false; // a trailing comma
    }
    return true;
}

std::string FrameOf(const std::vector<Field>& fields, size_t index) {
    for (const Field& f : fields)
        if (f.key == "f") return f.value;
    return std::to_string(index + 1);
}

std::string Difference(const std::string& frame, const std::string& key, const std::string& expected,
                       const std::string& got) {
    return "frame " + frame + ": " + key + " expected " + expected + " got " + got;
}

} // namespace

std::vector<std::string> SplitTraceLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        if (nl == std::string::npos) nl = text.size();
        std::string line = text.substr(pos, nl - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        pos = nl + 1;
    }
    return lines;
}

bool CompareTraces(const std::vector<std::string>& expected, const std::vector<std::string>& actual,
                   std::string& message) {
    std::vector<Field> want, got;
    const size_t common = expected.size() < actual.size() ? expected.size() : actual.size();
    for (size_t i = 0; i < common; ++i) {
        if (expected[i] == actual[i]) continue;
        bool wantOk = SplitFields(expected[i], want);
        bool gotOk = SplitFields(actual[i], got);
        const std::string frame = FrameOf(gotOk ? got : want, i);
        if (!wantOk || !gotOk) {
            message = Difference(frame, "line", expected[i], actual[i]);
            return false;
        }
        const size_t n = want.size() > got.size() ? want.size() : got.size();
        for (size_t k = 0; k < n; ++k) {
            if (k >= want.size()) {
                message = Difference(frame, got[k].key, "nothing", got[k].value);
                return false;
            }
            if (k >= got.size()) {
                message = Difference(frame, want[k].key, want[k].value, "nothing");
                return false;
            }
            if (want[k].key != got[k].key) {
                message = Difference(frame, "key " + std::to_string(k + 1), want[k].key, got[k].key);
                return false;
            }
            if (want[k].value != got[k].value) {
                message = Difference(frame, got[k].key, want[k].value, got[k].value);
                return false;
            }
        }
        // Same fields but different bytes (spacing): still a difference.
        message = Difference(frame, "line", expected[i], actual[i]);
        return false;
    }
    if (expected.size() > actual.size()) {
        std::string f = SplitFields(expected[common], want) ? FrameOf(want, common) : std::to_string(common + 1);
        message = Difference(f, "f", f, "nothing");
        return false;
    }
    if (actual.size() > expected.size()) {
        std::string f = SplitFields(actual[common], got) ? FrameOf(got, common) : std::to_string(common + 1);
        message = Difference(f, "f", "nothing", f);
        return false;
    }
    return true;
}

} // namespace vorna
