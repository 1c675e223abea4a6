#pragma once

// A small test runner in standard C++, for tests that must also build where
// no Qt exists. It prints every failure with its place and ends with the
// line "N passed, N failed".

#include <functional>
#include <iosfwd>
#include <sstream>
#include <string>
#include <vector>

namespace mini_test {

// The checks of one test; a test goes on after a failed check.
class Checks {
public:
    void fail(const char* file, int line, const std::string& what);
    bool failed() const { return !m_failures.empty(); }
    const std::vector<std::string>& failures() const { return m_failures; }

    // Names the row of a data table that the checks after it belong to.
    void row(std::string name) { m_row = std::move(name); }

private:
    std::vector<std::string> m_failures;
    std::string m_row;
};

// How a value is shown in a failure: strings quoted with their NULs and
// control bytes visible.
std::string show(const std::string& text);
std::string show(const char* text);
std::string show(const std::vector<std::string>& lines);
template <typename T> std::string show(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

template <typename A, typename B>
void checkEqual(Checks& checks, const char* file, int line, const char* expression, const A& actual,
                const B& expected) {
    if (!(actual == expected))
        checks.fail(file, line,
                    std::string(expression) + "\n      actual:   " + show(actual) +
                        "\n      expected: " + show(expected));
}

struct Test {
    std::string name;
    std::function<void(Checks&)> run;
};

// Counts over every group run by one program.
struct Totals {
    int passed = 0;
    int failed = 0;
};

// Runs the tests in order, printing a line for each failure.
void runGroup(const std::string& title, const std::vector<Test>& tests, Totals& totals,
              std::ostream& out);
// Prints "N passed, N failed"; the program's exit code.
int finish(const Totals& totals, std::ostream& out);

} // namespace mini_test

#define MT_CHECK(checks, condition)                                                                \
    do {                                                                                           \
        if (!(condition))                                                                          \
            (checks).fail(__FILE__, __LINE__, #condition);                                         \
    } while (false)

#define MT_EQUAL(checks, actual, expected)                                                         \
    ::mini_test::checkEqual((checks), __FILE__, __LINE__, #actual " == " #expected, (actual),      \
                            (expected))
