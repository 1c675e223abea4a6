#include "mini_test.h"

#include <exception>
#include <ostream>

namespace mini_test {

void Checks::fail(const char* file, int line, const std::string& what) {
    std::string where = std::string(file);
    const std::size_t slash = where.find_last_of("/\\");
    if (slash != std::string::npos)
        where.erase(0, slash + 1);
    where += ':' + std::to_string(line);
    if (!m_row.empty())
        where += " [" + m_row + ']';
    m_failures.push_back(where + ": " + what);
}

std::string show(const std::string& text) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\0') {
            out += "\\0";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kDigits[byte >> 4];
            out += kDigits[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string show(const char* text) {
    return show(std::string(text));
}

std::string show(const std::vector<std::string>& lines) {
    std::string out = "{";
    for (const std::string& line : lines)
        out += "\n        " + line;
    return out + (lines.empty() ? "}" : "\n      }");
}

void runGroup(const std::string& title, const std::vector<Test>& tests, Totals& totals,
              std::ostream& out) {
    out << "== " << title << '\n';
    for (const Test& test : tests) {
        Checks checks;
        try {
            test.run(checks);
        } catch (const std::exception& error) {
            checks.fail(__FILE__, __LINE__, std::string("exception: ") + error.what());
        }
        if (!checks.failed()) {
            ++totals.passed;
            out << "PASS " << test.name << '\n';
            continue;
        }
        ++totals.failed;
        out << "FAIL " << test.name << '\n';
        for (const std::string& failure : checks.failures())
            out << "    " << failure << '\n';
    }
    out.flush();
}

int finish(const Totals& totals, std::ostream& out) {
    out << totals.passed << " passed, " << totals.failed << " failed" << std::endl;
    return totals.failed == 0 ? 0 : 1;
}

} // namespace mini_test
