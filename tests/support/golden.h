// Golden text: a table's outcomes as readable lines, one a row ("the row's
// input => its outcome"), kept in tests/<folder>/<name>.golden.txt beside
// its test. The build compiles every such file's text into the test
// programs (tests/CMakeLists.txt generates goldens.cpp from them, again
// whenever one changes), so the native and the Windows programs compare
// with the same text and open no file as they run.
//
// A test calls expectGolden("frontend/start_up_switches", rows); where its
// rows differ from the file's, the failure lists only those rows, each with
// its input, the outcome expected and the outcome produced.
//
// To rewrite the files after an intended change, run the native tests with
// ORVELLE_UPDATE_GOLDEN=1 in the environment: each test writes the rows it
// produced over its file in the source tree (by the path compiled in) and
// passes. Review the files' diff, then build again so the programs carry
// the new text. The Windows program cannot write them: its compiled-in path
// is a Unix one.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace orvelle::testing {

// From the generated goldens.cpp: a file's text (empty when there is no
// such file), and the folder the files lie under.
std::string_view goldenText(std::string_view name);
extern const char* const kGoldenFolder;

struct GoldenRow {
    std::string input;
    std::string outcome;
};

inline void expectGolden(const std::string& name, const std::vector<GoldenRow>& rows) {
    std::vector<std::string> produced, expected;
    for (const GoldenRow& row : rows) produced.push_back(row.input + " => " + row.outcome);
    std::istringstream text{std::string(goldenText(name))};
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        expected.push_back(line);
    }
    const std::string path = std::string(kGoldenFolder) + "/" + name + ".golden.txt";
    if (const char* update = std::getenv("ORVELLE_UPDATE_GOLDEN"); update && *update == '1') {
        std::ofstream out(path, std::ios::binary);
        for (const std::string& line : produced) out << line << '\n';
        EXPECT_TRUE(out.flush().good()) << "cannot write " << path;
        return;
    }
    // The outcome alone where the inputs agree, else the whole line.
    const auto outcome = [](const std::string& line, const std::string& other) {
        const size_t at = line.find(" => ");
        return at != std::string::npos && other.compare(0, at + 4, line, 0, at + 4) == 0
                   ? line.substr(at + 4)
                   : line;
    };
    std::string differences;
    size_t count = 0;
    for (size_t i = 0; i < std::max(produced.size(), expected.size()); ++i) {
        const std::string want = i < expected.size() ? expected[i] : "(no row)";
        const std::string got = i < produced.size() ? produced[i] : "(no row)";
        if (want == got) continue;
        const std::string& named = i < produced.size() ? got : want;
        ++count;
        differences += "row " + std::to_string(i + 1) + ": " + named.substr(0, named.find(" => ")) +
                       "\n  expected: " + outcome(want, got) +
                       "\n  actual:   " + outcome(got, want) + "\n";
    }
    if (count > 0)
        ADD_FAILURE() << path << ": " << count << " of " << produced.size()
                      << " rows differ (ORVELLE_UPDATE_GOLDEN=1 rewrites it)\n"
                      << differences;
}

}  // namespace orvelle::testing
