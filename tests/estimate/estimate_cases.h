#pragma once

// The table of estimate cases every face runs (estimate_cases.tsv, built
// into the tests as text: the platforms' runners have no files to read),
// read into cases of steps, each step an action and its arguments.

#include <sstream>
#include <string>
#include <vector>

namespace tarvik::testing {

struct EstimateCaseStep {
    std::string action;
    std::vector<std::string> args; // "-" read as ""
};

struct EstimateCase {
    std::string name;
    std::vector<EstimateCaseStep> steps;
};

inline std::vector<EstimateCase> readEstimateCases(const std::string& table)
{
    std::istringstream in(table);
    std::vector<EstimateCase> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::size_t from = 0;
        for (std::size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
            fields.push_back(line.substr(from, tab - from));
        fields.push_back(line.substr(from));
        if (cases.empty() || cases.back().name != fields[0])
            cases.push_back({fields[0], {}});
        EstimateCaseStep step{fields[1], {}};
        for (std::size_t i = 2; i < fields.size(); ++i)
            step.args.push_back(fields[i] == "-" ? std::string() : fields[i]);
        cases.back().steps.push_back(std::move(step));
    }
    return cases;
}

} // namespace tarvik::testing
