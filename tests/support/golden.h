// Golden text: a table's outcomes as readable lines, one a row ("the row's
// input => its outcome"), kept in tests/<folder>/<name>.golden.txt beside
// its test. The build compiles every such file's text into the test
// programs (tests/CMakeLists.txt generates goldens.cpp from them, again
// whenever one changes), so the native and the Windows programs compare
// with the same text and open no file as they run.
//
// A test calls expectGolden("frontend/start_up_switches", rows); where its
// rows differ from the file's, the failure lists only those rows, each with
// its input, the outcome expected and the outcome produced (or that the
// row is missing or added).
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
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
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
    // Rows are matched by their input (the text before " => "; a repeated
    // input by its occurrence), so a row added or taken away shows alone,
    // not as a shift of every row after it.
    using Rows = std::vector<std::pair<std::string, std::string>>;
    const auto keyed = [](const std::vector<std::string>& lines) {
        Rows keyedRows;
        std::map<std::string, int> seen;
        for (const std::string& line : lines) {
            const size_t at = line.find(" => ");
            std::string input = line.substr(0, at);
            if (const int n = seen[input]++; n > 0) input += " (#" + std::to_string(n + 1) + ")";
            keyedRows.emplace_back(input, at == std::string::npos ? "" : line.substr(at + 4));
        }
        return keyedRows;
    };
    const Rows want = keyed(expected), got = keyed(produced);
    const std::map<std::string, std::string> wanted(want.begin(), want.end()),
        gotten(got.begin(), got.end());
    std::string differences;
    size_t count = 0;
    for (const auto& [input, outcome] : want) {
        const auto it = gotten.find(input);
        if (it != gotten.end() && it->second == outcome) continue;
        ++count;
        differences += (it == gotten.end() ? "missing: " : "changed: ") + input +
                       "\n  expected: " + outcome +
                       (it == gotten.end() ? "" : "\n  actual:   " + it->second) + "\n";
    }
    for (const auto& [input, outcome] : got) {
        if (wanted.count(input)) continue;
        ++count;
        differences += "added: " + input + "\n  actual:   " + outcome + "\n";
    }
    if (count == 0 && want != got) differences = "the same rows in another order\n", count = 1;
    if (count > 0)
        ADD_FAILURE() << path << ": " << count << " of " << produced.size()
                      << " rows differ (ORVELLE_UPDATE_GOLDEN=1 rewrites it)\n"
                      << differences;
}

}  // namespace orvelle::testing
